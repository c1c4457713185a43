#include "skin/data/lzh.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

#include "skin/data/lzh_tree.h"

namespace vela::skin {
namespace {

using namespace lzh;

// The input of the decoder: a window of bytes and, for streamed input, a way to get more.
struct InputFeed {
  const std::uint8_t* next = nullptr;
  const std::uint8_t* end = nullptr;
  // Called when the window runs low; returns false when no more bytes will come.
  bool (*more)(void* context, InputFeed& feed) = nullptr;
  void* context = nullptr;
};

// Bits most significant first, held at the top of a 64-bit word; the bits below the valid ones
// are either the next bits of the input or zero. Bits past the end of the input are zero. The
// decoder keeps `bits` and `avail` in locals while it runs and hands them back here to refill.
class BitReader {
public:
  explicit BitReader(InputFeed& feed) : feed_(feed) {}

  // Tops the word up so that at least `wanted` (at most 56) bits are valid. While eight input
  // bytes remain it does so unconditionally, which costs less than deciding whether to.
  void Refill(std::uint64_t& bits, int& avail, int wanted) {
    if (feed_.end - feed_.next >= 8) [[likely]] {
      TakeEight(bits, avail);
      return;
    }
    if (avail < wanted)
      RefillFromTail(bits, avail);
  }

private:
  void TakeEight(std::uint64_t& bits, int& avail) {
    // Take whole bytes into the free low part of the word. The partial byte that also lands
    // there is read again, identically, by the next refill.
    std::uint64_t word;
    std::memcpy(&word, feed_.next, sizeof word);
    if constexpr (std::endian::native == std::endian::little)
      word = __builtin_bswap64(word);
    bits |= word >> avail;
    feed_.next += (63 - avail) >> 3;
    avail |= 56;
  }

  [[gnu::noinline]] void RefillFromTail(std::uint64_t& bits, int& avail) {
    while (avail <= 56) {
      if (feed_.next == feed_.end && !(feed_.more && feed_.more(feed_.context, feed_))) {
        // Every input byte has been taken in, so the bits below the valid ones are zero: they
        // stand for the missing bytes, which read as zero.
        avail = 64;
        return;
      }
      if (feed_.end - feed_.next >= 8) {
        TakeEight(bits, avail);
        return;
      }
      bits |= std::uint64_t(*feed_.next++) << (56 - avail);
      avail += 8;
    }
  }

  InputFeed& feed_;
};

// The initial ring holds spaces in 0..4035 and zeros in 4036..4095. A match that reaches
// `back` bytes before the first output byte (back = 1 to 4096) reads that ring entry.
std::uint8_t InitialRingByte(std::int64_t back) {
  return back <= kFirstWrite ? kRingFill : 0;
}

// How many bytes past the end of its range Produce may write: a match is copied in whole
// 16-byte pieces, and the bytes beyond the range are overwritten later or dropped.
constexpr std::size_t kSlack = 64;

class Expander {
public:
  explicit Expander(InputFeed& feed) : reader_(feed) {}

  // Produces output bytes out[pos] up to out[end - 1]; out[end] up to out[end + kSlack - 1]
  // must be writable too. out[pos - d] must hold the byte produced d bytes earlier, for every d
  // up to min(bytes produced so far, 4096). `pos` counts in the buffer; produced_ counts in the
  // whole output.
  void Produce(std::uint8_t* out, std::size_t pos, std::size_t end) {
    // A match cut short by the end of the previous call continues first.
    if (pendingLength_ != 0)
      pos = CopyMatch(out, pos, end);
    // The reader's state lives in locals here: the byte stores to `out` could otherwise alias it.
    std::uint64_t bits = bits_;
    int avail = avail_;
    const std::int64_t origin = produced_ - std::int64_t(pos);
    while (pos < end) {
      // One refill covers a whole token: no code is longer than kMaxCodeBits and a position
      // takes at most 14 bits.
      reader_.Refill(bits, avail, kMaxCodeBits + 14);
      int used = 0;
      const int symbol = tree_.DecodeAndUpdate(bits, used);
      // Literals and matches take the same steps where they can, so that which one comes next
      // costs no misjudged branch: the position is read in any case and skipped only for a
      // match, and a literal is a one-byte "match" 16 bytes back whose byte is then replaced.
      // All ones for a match, zero for a literal; the selections below are written as masks so
      // that they stay free of branches.
      const int matchMask = -int(symbol >= kFirstMatchSymbol);
      const std::uint32_t first = std::uint32_t(bits >> 56);
      const int total = positions_.bits[first] + 6; // prefix plus the 6 lower bits
      const int position = int(positions_.upper[first]) << 6 | int(bits >> (64 - total) & 0x3F);
      const int skip = total & matchMask;
      bits <<= skip;
      avail -= used + skip;
      const std::int64_t d = 16 + ((position + 1 - 16) & matchMask);
      const std::size_t length =
          std::size_t(1 + ((symbol - kFirstMatchSymbol + kThreshold) & matchMask));
      std::uint8_t* dst = out + pos;
      if (d >= 16 && d <= origin + std::int64_t(pos) && length <= 32 && length <= end - pos)
          [[likely]] {
        // Two pieces, each reading only bytes that are final since it starts at least 16
        // bytes behind where it writes; what lands past the token is overwritten later.
        const std::uint8_t* src = dst - d;
        const std::uint8_t head = std::uint8_t(symbol ^ ((symbol ^ src[0]) & matchMask));
        std::memcpy(dst, src, 16);
        std::memcpy(dst + 16, src + 16, 16);
        dst[0] = head;
        pos += length;
        continue;
      }
      const bool match = matchMask != 0;
      if (!match) {
        *dst = std::uint8_t(symbol);
        ++pos;
        continue;
      }
      pendingDistance_ = d;
      pendingLength_ = int(length);
      produced_ = origin + std::int64_t(pos);
      pos = CopyMatch(out, pos, end);
    }
    bits_ = bits;
    avail_ = avail;
    produced_ = origin + std::int64_t(pos);
  }

private:
  std::size_t CopyMatch(std::uint8_t* out, std::size_t pos, std::size_t end) {
    const std::size_t length = std::min<std::size_t>(std::size_t(pendingLength_), end - pos);
    const std::int64_t d = pendingDistance_;
    std::uint8_t* dst = out + pos;
    if (d <= produced_) [[likely]] {
      const std::uint8_t* src = dst - d;
      if (d >= 16) [[likely]] {
        // Each piece reads only bytes that are already final, since it starts at least 16 bytes
        // behind where it writes.
        for (std::size_t k = 0; k < length; k += 16)
          std::memcpy(dst + k, src + k, 16);
      } else {
        // The match overlaps the bytes it produces; copy byte by byte so that it repeats them.
        for (std::size_t k = 0; k < length; ++k)
          dst[k] = src[k];
      }
    } else {
      // The match starts before the first output byte, in the pre-filled ring.
      for (std::size_t k = 0; k < length; ++k) {
        const std::int64_t source = produced_ + std::int64_t(k) - d;
        dst[k] = source >= 0 ? dst[std::int64_t(k) - d] : InitialRingByte(-source);
      }
    }
    pendingLength_ -= int(length);
    produced_ += std::int64_t(length);
    return pos + length;
  }

  BitReader reader_;
  std::uint64_t bits_ = 0;
  int avail_ = 0;
  AdaptiveTree tree_;
  const PositionTables& positions_ = PositionCode();
  std::int64_t produced_ = 0;
  int pendingLength_ = 0;
  std::int64_t pendingDistance_ = 0;
};

// Streamed input through a read callback, in blocks.
struct CallbackInput {
  const TLZH::BlockCallback* read = nullptr;
  std::vector<std::uint8_t> buffer;
  bool ended = false;

  static bool More(void* context, InputFeed& feed) {
    auto& self = *static_cast<CallbackInput*>(context);
    if (self.ended)
      return false;
    const std::size_t left = std::size_t(feed.end - feed.next);
    std::memmove(self.buffer.data(), feed.next, left);
    std::uint16_t moved = 0;
    const auto want = std::uint16_t(std::min<std::size_t>(self.buffer.size() - left, 0xFFFF));
    (*self.read)(self.buffer.data() + left, want, moved);
    moved = std::min(moved, want);
    if (moved == 0)
      self.ended = true;
    feed.next = self.buffer.data();
    feed.end = self.buffer.data() + left + moved;
    return moved != 0;
  }
};

void WriteBlocks(const TLZH::BlockCallback& write, std::uint8_t* data, std::size_t count) {
  while (count != 0) {
    const auto block = std::uint16_t(std::min<std::size_t>(count, 0xFFFF));
    std::uint16_t moved = 0;
    write(data, block, moved);
    data += block;
    count -= block;
  }
}

} // namespace

std::vector<std::uint8_t> LzhDecodeBits(std::span<const std::uint8_t> bits, std::int32_t size) {
  std::vector<std::uint8_t> out;
  if (size <= 0)
    return out;
  InputFeed feed{bits.data(), bits.data() + bits.size()};
  Expander expander(feed);
  out.resize(std::size_t(size) + kSlack);
  expander.Produce(out.data(), 0, std::size_t(size));
  out.resize(std::size_t(size));
  return out;
}

bool LzhExpandedSize(std::span<const std::uint8_t> stream, std::int32_t& size) {
  if (stream.size() < 4)
    return false;
  size = std::int32_t(std::uint32_t(stream[0]) | std::uint32_t(stream[1]) << 8 |
                      std::uint32_t(stream[2]) << 16 | std::uint32_t(stream[3]) << 24);
  return true;
}

bool LzhExpand(std::span<const std::uint8_t> stream, std::vector<std::uint8_t>& out,
               std::int32_t maxSize) {
  out.clear();
  std::int32_t size = 0;
  if (!LzhExpandedSize(stream, size) || size > maxSize)
    return false;
  out = LzhDecodeBits(stream.subspan(4), size);
  return true;
}

void TLZH::Decode(std::int32_t size, const BlockCallback& read, const BlockCallback& write) {
  if (size <= 0)
    return;
  // Output is produced in chunks behind a window of the last 4096 bytes, so that a large size
  // costs no more memory than a small one.
  constexpr std::size_t kChunk = 64 * 1024;
  std::vector<std::uint8_t> window;
  CallbackInput input;
  try {
    window.resize(kRingSize + kChunk + kSlack);
    input.buffer.resize(8 * 1024);
  } catch (const std::bad_alloc&) {
    throw ElzhException(kLzhNoMemoryMessage);
  }
  input.read = &read;
  InputFeed feed{input.buffer.data(), input.buffer.data(), &CallbackInput::More, &input};
  Expander expander(feed);
  std::size_t left = std::size_t(size);
  std::size_t history = 0; // bytes of earlier output kept at the front of the window
  while (left != 0) {
    const std::size_t count = std::min(left, kChunk);
    expander.Produce(window.data(), history, history + count);
    WriteBlocks(write, window.data() + history, count);
    left -= count;
    const std::size_t filled = history + count;
    history = std::min<std::size_t>(filled, kRingSize);
    std::memmove(window.data(), window.data() + filled - history, history);
  }
}

void TLZH::Decode(std::int32_t size) {
  Decode(
      size, [this](std::uint8_t* b, std::uint16_t n, std::uint16_t& m) { StreamRead(b, n, m); },
      [this](std::uint8_t* b, std::uint16_t n, std::uint16_t& m) { StreamWrite(b, n, m); });
}

void TLZH::StreamRead(std::uint8_t* buffer, std::uint16_t count, std::uint16_t& moved) {
  moved = InputStream ? std::uint16_t(InputStream->Read(buffer, count)) : 0;
}

void TLZH::StreamWrite(std::uint8_t* buffer, std::uint16_t count, std::uint16_t& moved) {
  if (OutputStream)
    OutputStream->Write(buffer, count);
  moved = count;
}

bool UnpackLzhStream(MemoryStream& source, MemoryStream& destination, std::int32_t maxSize) {
  source.SetPosition(0);
  destination.SetPosition(0);
  std::int32_t size = 0;
  if (!source.ReadInt32(size) || size > maxSize)
    return false;
  if (size <= 0)
    return true;
  std::vector<std::uint8_t> expanded;
  try {
    expanded = LzhDecodeBits(source.RemainingView(), size);
  } catch (const std::bad_alloc&) {
    throw ElzhException(kLzhNoMemoryMessage);
  }
  source.SetPosition(source.Size());
  destination.Write(expanded);
  return true;
}

} // namespace vela::skin
