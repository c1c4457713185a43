#include "skin/data/lzh_encoder.h"

#include <array>
#include <limits>
#include <memory>
#include <stdexcept>

#include "skin/data/lzh_tree.h"

namespace vela::skin {
namespace {

using namespace lzh;

// Marks "no node" in the match finder's trees.
constexpr int kNil = kRingSize;

// Writes codes most significant bit first; the last byte is padded with zero bits.
class BitWriter {
public:
  explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

  void Put(std::uint64_t code, int length) {
    while (length > 0) {
      const int take = length > 32 ? 32 : length;
      length -= take;
      PutShort(std::uint32_t(code >> length) & std::uint32_t((std::uint64_t(1) << take) - 1), take);
    }
  }
  void Finish() {
    if (count_ > 0)
      out_.push_back(std::uint8_t(acc_ << (8 - count_)));
    count_ = 0;
  }

private:
  void PutShort(std::uint32_t code, int length) {
    acc_ = acc_ << length | code;
    count_ += length;
    while (count_ >= 8) {
      count_ -= 8;
      out_.push_back(std::uint8_t(acc_ >> count_));
    }
  }

  std::vector<std::uint8_t>& out_;
  std::uint64_t acc_ = 0;
  int count_ = 0;
};

// The prefix of each upper 6 bits of a position: its first byte and its length in bits.
struct PositionPrefixes {
  std::array<std::uint8_t, 64> firstByte{};
  std::array<std::uint8_t, 64> bits{};
};

PositionPrefixes MakePositionPrefixes() {
  const PositionTables& code = PositionCode();
  PositionPrefixes p;
  for (int b = 255; b >= 0; --b) {
    p.firstByte[code.upper[b]] = std::uint8_t(b);
    p.bits[code.upper[b]] = code.bits[b];
  }
  return p;
}

// Binary search trees of the ring positions, keyed by the 60 bytes that start there. Each
// first byte has its own tree, rooted at kNil + 1 + byte, whose nodes hang off the right son.
class MatchFinder {
public:
  // The ring, followed by a copy of its first 59 bytes so that a key never wraps.
  std::array<std::uint8_t, kRingSize + kMaxMatch - 1> text{};
  int matchPosition = 0; // distance minus one of the best match
  int matchLength = 0;

  MatchFinder() {
    for (int i = kRingSize + 1; i <= kRingSize + 256; ++i)
      rson_[i] = kNil;
    for (int i = 0; i < kRingSize; ++i)
      dad_[i] = kNil;
  }

  // Inserts position r and finds the longest match for the bytes starting there. A node whose
  // whole 60 bytes match is replaced by r, since r is nearer and equally good.
  void Insert(int r) {
    const std::uint8_t* key = &text[std::size_t(r)];
    int p = kNil + 1 + key[0];
    int cmp = 1;
    rson_[r] = lson_[r] = kNil;
    matchLength = 0;
    for (;;) {
      int& next = cmp >= 0 ? rson_[p] : lson_[p];
      if (next == kNil) {
        next = r;
        dad_[r] = p;
        return;
      }
      p = next;
      int i = 1;
      for (; i < kMaxMatch; ++i) {
        cmp = int(key[i]) - int(text[std::size_t(p + i)]);
        if (cmp != 0)
          break;
      }
      if (i > kThreshold) {
        const int position = ((r - p) & kRingMask) - 1;
        if (i > matchLength) {
          matchPosition = position;
          matchLength = i;
          if (matchLength >= kMaxMatch)
            break;
        } else if (i == matchLength && position < matchPosition) {
          matchPosition = position;
        }
      }
    }
    ReplaceNode(p, r);
  }

  void Delete(int p) {
    if (dad_[p] == kNil)
      return;
    int q;
    if (rson_[p] == kNil) {
      q = lson_[p];
    } else if (lson_[p] == kNil) {
      q = rson_[p];
    } else {
      // Both sons: lift the rightmost node of the left subtree into p's place.
      q = lson_[p];
      if (rson_[q] != kNil) {
        do {
          q = rson_[q];
        } while (rson_[q] != kNil);
        rson_[dad_[q]] = lson_[q];
        dad_[lson_[q]] = dad_[q];
        lson_[q] = lson_[p];
        dad_[lson_[p]] = q;
      }
      rson_[q] = rson_[p];
      dad_[rson_[p]] = q;
    }
    dad_[q] = dad_[p];
    if (rson_[dad_[p]] == p) {
      rson_[dad_[p]] = q;
    } else {
      lson_[dad_[p]] = q;
    }
    dad_[p] = kNil;
  }

private:
  void ReplaceNode(int p, int r) {
    dad_[r] = dad_[p];
    lson_[r] = lson_[p];
    rson_[r] = rson_[p];
    dad_[lson_[p]] = r;
    dad_[rson_[p]] = r;
    if (rson_[dad_[p]] == p) {
      rson_[dad_[p]] = r;
    } else {
      lson_[dad_[p]] = r;
    }
    dad_[p] = kNil;
  }

  // Indices up to kNil + 256 (the roots); writes through a kNil son land in the kNil slot.
  std::array<int, kRingSize + 257> lson_{};
  std::array<int, kRingSize + 257> rson_{};
  std::array<int, kRingSize + 257> dad_{};
};

class Compressor {
public:
  Compressor(std::span<const std::uint8_t> data, std::vector<std::uint8_t>& out)
      : data_(data), bits_(out), prefixes_(MakePositionPrefixes()) {}

  void Run();

private:
  int NextByte() { return next_ < data_.size() ? data_[next_++] : -1; }

  void PutSymbol(int symbol) {
    // Walk from the leaf to the root; each node's parity is the bit that chose it.
    std::uint64_t code = 0;
    int length = 0;
    int node = tree_.LeafOf(symbol);
    do {
      code |= std::uint64_t(node & 1) << length;
      ++length;
      node = tree_.Parent(node);
    } while (node != kRoot);
    bits_.Put(code, length);
    tree_.Update(symbol);
  }

  void PutPosition(int position) {
    const int upper = position >> 6;
    const int prefix = prefixes_.bits[std::size_t(upper)];
    bits_.Put(prefixes_.firstByte[std::size_t(upper)] >> (8 - prefix), prefix);
    bits_.Put(std::uint64_t(position & 0x3F), 6);
  }

  // Stores a new byte at ring position s, mirroring the first bytes past the ring's end.
  void Store(int s, std::uint8_t c) {
    finder_->text[std::size_t(s)] = c;
    if (s < kMaxMatch - 1)
      finder_->text[std::size_t(s + kRingSize)] = c;
  }

  std::span<const std::uint8_t> data_;
  std::size_t next_ = 0;
  BitWriter bits_;
  AdaptiveTree tree_;
  std::unique_ptr<MatchFinder> finder_ = std::make_unique<MatchFinder>();
  PositionPrefixes prefixes_;
};

void Compressor::Run() {
  MatchFinder& f = *finder_;
  int s = 0;
  int r = kFirstWrite;
  for (int i = s; i < r; ++i)
    f.text[std::size_t(i)] = kRingFill;
  int len = 0;
  for (int c; len < kMaxMatch && (c = NextByte()) >= 0; ++len)
    f.text[std::size_t(r + len)] = std::uint8_t(c);
  // The look-ahead may match the spaces before it from the start.
  for (int i = 1; i <= kMaxMatch; ++i)
    f.Insert(r - i);
  f.Insert(r);
  do {
    if (f.matchLength > len)
      f.matchLength = len;
    if (f.matchLength <= kThreshold) {
      f.matchLength = 1;
      PutSymbol(f.text[std::size_t(r)]);
    } else {
      PutSymbol(kFirstMatchSymbol + f.matchLength - kThreshold - 1);
      PutPosition(f.matchPosition);
    }
    const int advance = f.matchLength;
    int i = 0;
    for (int c; i < advance && (c = NextByte()) >= 0; ++i) {
      f.Delete(s);
      Store(s, std::uint8_t(c));
      s = (s + 1) & kRingMask;
      r = (r + 1) & kRingMask;
      f.Insert(r);
    }
    // Past the end of the input the look-ahead shrinks instead.
    for (; i < advance; ++i) {
      f.Delete(s);
      s = (s + 1) & kRingMask;
      r = (r + 1) & kRingMask;
      if (--len != 0)
        f.Insert(r);
    }
  } while (len > 0);
  bits_.Finish();
}

} // namespace

std::vector<std::uint8_t> LzhCompress(std::span<const std::uint8_t> data) {
  if (data.size() > std::size_t(std::numeric_limits<std::int32_t>::max())) {
    throw std::length_error("input too large for a compressed stream (2 GiB or more)");
  }
  std::vector<std::uint8_t> out;
  out.reserve(data.size() / 4 + 16);
  const auto size = std::uint32_t(data.size());
  for (int i = 0; i < 4; ++i)
    out.push_back(std::uint8_t(size >> (8 * i)));
  if (data.empty())
    return out;
  Compressor(data, out).Run();
  return out;
}

} // namespace vela::skin
