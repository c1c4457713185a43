#include "link/chunk_receiver.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "link/texts.h"

namespace vela::link {

namespace {

// Appends to a fixed character buffer; formatting a status or log prefix must not allocate,
// since one happens for every acknowledgement.
class FixedWriter {
public:
  explicit FixedWriter(std::span<char> out) : out_(out) {}
  FixedWriter& Text(std::string_view text) {
    const std::size_t n = std::min(text.size(), out_.size() - size_);
    std::memcpy(out_.data() + size_, text.data(), n);
    size_ += n;
    return *this;
  }
  FixedWriter& Number(unsigned value) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    return Text(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
  }
  FixedWriter& Dotted(const Ipv4Endpoint& endpoint) {
    for (std::size_t i = 0; i < endpoint.octets.size(); ++i) {
      if (i > 0)
        Text(".");
      Number(endpoint.octets[i]);
    }
    return *this;
  }
  std::string_view view() const { return {out_.data(), size_}; }

private:
  std::span<char> out_;
  std::size_t size_ = 0;
};

std::uint8_t At(std::span<const std::uint8_t> chunk, std::size_t i) {
  return i < chunk.size() ? chunk[i] : 0;
}

bool KeywordAt(std::span<const std::uint8_t> chunk, std::size_t i, std::string_view keyword) {
  for (std::size_t k = 0; k < keyword.size(); ++k) {
    if (At(chunk, i + k) != static_cast<std::uint8_t>(keyword[k]))
      return false;
  }
  return true;
}

bool EndsWithLineEnd(std::span<const std::uint8_t> chunk) {
  const std::size_t n = chunk.size();
  return n >= 2 && chunk[n - 2] == '\r' && chunk[n - 1] == '\n';
}

// The announcement keyword and one unexamined byte precede the field text.
constexpr std::size_t kFieldTextOffset = 6;
// An announcement carries three fields; splitting the rest of a chunk full of announcements
// for each one would cost time quadratic in the chunk's size.
constexpr std::size_t kUsedFields = 3;

} // namespace

std::string FormatDotted(const Ipv4Endpoint& endpoint) {
  std::array<char, 16> buffer{};
  return std::string(FixedWriter(buffer).Dotted(endpoint).view());
}

std::string_view ChunkText(std::span<const std::uint8_t> chunk, std::size_t start) {
  if (start >= chunk.size())
    return {};
  const auto* begin = reinterpret_cast<const char*>(chunk.data()) + start;
  const std::size_t available = chunk.size() - start;
  const void* zero = std::memchr(begin, 0, available);
  const std::size_t length =
      zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - begin) : available;
  return {begin, length};
}

void ChunkReceiver::Receive(std::span<const std::uint8_t> chunk, const Ipv4Endpoint& from,
                            ChunkHandler& handler) {
  handler.SetTrafficStatus(FormatStatus(from));
  if (!EndsWithLineEnd(chunk))
    return;
  Scan(chunk, handler);
  handler.AppendReceiveLog(FormatLogPrefix(from), ChunkText(chunk));
}

void ChunkReceiver::Scan(std::span<const std::uint8_t> chunk, ChunkHandler& handler) {
  for (std::size_t i = 0; i + 1 < chunk.size(); ++i) {
    // Every keyword starts with '!' or '~'; most positions are rejected by this one test.
    const std::uint8_t first = chunk[i];
    if (first == '!') {
      if (KeywordAt(chunk, i, kDeviceKeyword)) {
        handler.OnDeviceAnnouncement(FieldsAt(chunk, i));
      } else if (KeywordAt(chunk, i, kCardKeyword)) {
        handler.OnCardAnnouncement(FieldsAt(chunk, i));
      }
    } else if (first == '~' && KeywordAt(chunk, i, kAckKeyword)) {
      handler.OnAcknowledgement(
          static_cast<std::uint16_t>(At(chunk, i + 6) * 256 + At(chunk, i + 7)));
    }
  }
}

std::vector<std::string> ChunkReceiver::FieldsAt(std::span<const std::uint8_t> chunk,
                                                 std::size_t keyword_position) const {
  return SplitFields(ChunkText(chunk, keyword_position + kFieldTextOffset), is_lead_, kUsedFields);
}

std::string_view ChunkReceiver::FormatStatus(const Ipv4Endpoint& from) {
  return FixedWriter(status_)
      .Text(text::kStatusReceivedPrefix)
      .Dotted(from)
      .Text(text::kStatusPortPrefix)
      .Number(from.port)
      .view();
}

std::string_view ChunkReceiver::FormatLogPrefix(const Ipv4Endpoint& from) {
  return FixedWriter(log_prefix_)
      .Text(text::kLogReceivePrefix)
      .Dotted(from)
      .Text(": ")
      .Number(from.port)
      .Text(text::kLogBracketEnd)
      .view();
}

} // namespace vela::link
