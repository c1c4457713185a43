#pragma once
// Test helpers: sample data, and a symbol-level view of compressed streams so that tests can
// write streams token by token and read back what an encoder chose.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "skin/data/lzh_tree.h"

namespace vela::skin::test {

struct LzhToken {
  bool match = false;
  int value = 0;    // the literal byte, or the match length
  int position = 0; // distance minus one, for a match
  friend bool operator==(const LzhToken&, const LzhToken&) = default;
};

inline LzhToken Literal(int byte) {
  return {false, byte, 0};
}
inline LzhToken Match(int length, int position) {
  return {true, length, position};
}

// Writes a compressed stream of the given tokens with the given expanded size.
inline std::vector<std::uint8_t> WriteTokens(const std::vector<LzhToken>& tokens,
                                             std::int32_t size) {
  std::vector<std::uint8_t> out;
  for (int i = 0; i < 4; ++i)
    out.push_back(std::uint8_t(std::uint32_t(size) >> (8 * i)));
  std::vector<int> bits;
  lzh::AdaptiveTree tree;
  const auto& code = lzh::PositionCode();
  auto putSymbol = [&](int symbol) {
    std::vector<int> path;
    for (int node = tree.LeafOf(symbol); node != lzh::kRoot; node = tree.Parent(node))
      path.push_back(node & 1);
    bits.insert(bits.end(), path.rbegin(), path.rend());
    tree.Update(symbol);
  };
  for (const LzhToken& t : tokens) {
    if (!t.match) {
      putSymbol(t.value);
      continue;
    }
    putSymbol(lzh::kFirstMatchSymbol + t.value - lzh::kThreshold - 1);
    int first = 0;
    while (code.upper[first] != t.position >> 6)
      ++first;
    for (int i = 0; i < code.bits[first]; ++i)
      bits.push_back(first >> (7 - i) & 1);
    for (int i = 5; i >= 0; --i)
      bits.push_back(t.position >> i & 1);
  }
  for (std::size_t i = 0; i < bits.size(); i += 8) {
    int byte = 0;
    for (std::size_t k = 0; k < 8; ++k)
      byte = byte << 1 | (i + k < bits.size() ? bits[i + k] : 0);
    out.push_back(std::uint8_t(byte));
  }
  return out;
}

// Reads the tokens of a compressed stream until its expanded size is covered.
inline std::vector<LzhToken> ReadTokens(const std::vector<std::uint8_t>& stream) {
  std::int32_t size = 0;
  for (int i = 0; i < 4; ++i)
    size |= std::int32_t(std::uint32_t(stream[std::size_t(i)]) << (8 * i));
  std::size_t bit = 32;
  auto take = [&] {
    const std::size_t byte = bit / 8;
    const int value = byte < stream.size() ? stream[byte] >> (7 - bit % 8) & 1 : 0;
    ++bit;
    return value;
  };
  lzh::AdaptiveTree tree;
  const auto& code = lzh::PositionCode();
  std::vector<LzhToken> tokens;
  for (std::int64_t produced = 0; produced < size;) {
    int c = tree.Son(lzh::kRoot);
    while (c < lzh::kTreeSize)
      c = tree.Son(c + take());
    const int symbol = c - lzh::kTreeSize;
    tree.Update(symbol);
    if (symbol < 256) {
      tokens.push_back(Literal(symbol));
      ++produced;
      continue;
    }
    int first = 0;
    for (int i = 0; i < 8; ++i)
      first = first << 1 | take();
    int low = first;
    for (int i = 0; i < code.bits[first] - 2; ++i)
      low = low << 1 | take();
    tokens.push_back(Match(symbol - 253, code.upper[first] << 6 | (low & 0x3F)));
    produced += symbol - 253;
  }
  return tokens;
}

inline std::vector<std::uint8_t> Bytes(const std::string& s) {
  return {s.begin(), s.end()};
}

inline std::vector<std::uint8_t> RandomBytes(std::size_t n, unsigned seed, int alphabet = 256) {
  std::mt19937 rng(seed);
  std::vector<std::uint8_t> v(n);
  for (auto& b : v)
    b = std::uint8_t(rng() % unsigned(alphabet));
  return v;
}

// Text with the repetition of prose: words drawn from a small vocabulary.
inline std::vector<std::uint8_t> SampleText(std::size_t n, unsigned seed) {
  static const char* const kWords[] = {"the ",     "skin ",      "window ",  "frame ",  "button ",
                                       "of ",      "and ",       "caption ", "paints ", "every ",
                                       "control ", "bitmap\r\n", "a ",       "menu "};
  std::mt19937 rng(seed);
  std::string s;
  while (s.size() < n)
    s += kWords[rng() % std::size(kWords)];
  s.resize(n);
  return Bytes(s);
}

// Rows of a 24-bit bitmap: flat areas, gradients and magenta corners, as skin art has.
inline std::vector<std::uint8_t> SampleBitmapRows(std::size_t n) {
  std::vector<std::uint8_t> v(n);
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t x = (i / 3) % 400, y = i / 1200;
    const int channel = int(i % 3);
    if (x < 6 && y % 50 < 6)
      v[i] = channel == 1 ? 0 : 255;
    else if (y % 40 < 20)
      v[i] = std::uint8_t(200 + channel * 10);
    else
      v[i] = std::uint8_t((x + y + std::size_t(channel) * 7) & 0xFF);
  }
  return v;
}

} // namespace vela::skin::test
