#include "skin/data/lzh_tree.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vela::skin::lzh {
namespace {

PositionTables MakePositionTables() {
  // Each group: how many upper values it codes, how many first bytes each one covers, and the
  // length of their prefix. Shorter prefixes go to the nearer positions.
  struct Group {
    int values, run, bits;
  };
  constexpr Group kGroups[] = {{1, 32, 3}, {3, 16, 4}, {8, 8, 5}, {12, 4, 6}, {24, 2, 7}, {16, 1, 8}};
  PositionTables t;
  int b = 0;
  int upper = 0;
  for (const Group& g : kGroups) {
    for (int v = 0; v < g.values; ++v, ++upper) {
      for (int k = 0; k < g.run; ++k, ++b) {
        t.upper[b] = std::uint8_t(upper);
        t.bits[b] = std::uint8_t(g.bits);
      }
    }
  }
  return t;
}

} // namespace

const PositionTables& PositionCode() {
  static const PositionTables tables = MakePositionTables();
  return tables;
}

void AdaptiveTree::Start() {
  for (int i = 0; i < kSymbolCount; ++i) {
    freq_[i] = 1;
    son_[i] = std::int16_t(i + kTreeSize);
    prnt_[i + kTreeSize] = std::int16_t(i);
  }
  for (int i = 0, j = kSymbolCount; j <= kRoot; i += 2, ++j) {
    freq_[j] = std::uint16_t(freq_[i] + freq_[i + 1]);
    son_[j] = std::int16_t(i);
    prnt_[i] = prnt_[i + 1] = std::int16_t(j);
  }
  for (int i = kTreeSize; i < kTreeSize + kCountPadding; ++i) freq_[i] = 0xFFFF;
  prnt_[kRoot] = 0;
}

void AdaptiveTree::Rebuild() {
  // Gather the leaves, in node order, at the front with their counts halved (rounded up).
  int j = 0;
  for (int i = 0; i < kTreeSize; ++i) {
    if (son_[i] >= kTreeSize) {
      freq_[j] = std::uint16_t((freq_[i] + 1u) / 2u);
      son_[j] = son_[i];
      ++j;
    }
  }
  // Pair them up again: each new internal node goes after every node of a count not above
  // its own, so that equal counts keep their older node first.
  for (int i = 0, node = kSymbolCount; node < kTreeSize; i += 2, ++node) {
    const unsigned f = unsigned(freq_[i]) + freq_[i + 1];
    int k = node - 1;
    while (f < freq_[k]) --k;
    ++k;
    const std::size_t moved = std::size_t(node - k);
    std::memmove(&freq_[k + 1], &freq_[k], moved * sizeof(freq_[0]));
    std::memmove(&son_[k + 1], &son_[k], moved * sizeof(son_[0]));
    freq_[k] = std::uint16_t(f);
    son_[k] = std::int16_t(i);
  }
  for (int i = 0; i < kTreeSize; ++i) {
    const int k = son_[i];
    prnt_[k] = std::int16_t(i);
    if (k < kTreeSize) prnt_[k + 1] = std::int16_t(i);
  }
}

int AdaptiveTree::FirstAtLeast(int from, unsigned count) const {
#if defined(__SSE2__)
  // Counts never exceed 0xFFFF, so a saturating subtraction of each count from `count` is zero
  // exactly where the count is at least `count`. The sentinel run stops the loop in bounds.
  const __m128i wanted = _mm_set1_epi16(std::int16_t(std::uint16_t(count)));
  const __m128i zero = _mm_setzero_si128();
  for (int l = from;; l += 8) {
    const __m128i counts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&freq_[l]));
    const int mask = _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_subs_epu16(wanted, counts), zero));
    if (mask != 0) return l + __builtin_ctz(unsigned(mask)) / 2;
  }
#else
  int l = from;
  while (freq_[l] < count) ++l;
  return l;
#endif
}

void AdaptiveTree::Update(int symbol) {
  if (freq_[kRoot] == kRebuildCount) Rebuild();
  int c = prnt_[symbol + kTreeSize];
  do {
    const unsigned k = ++freq_[c];
    if (k > freq_[c + 1]) {
      // Node c now outranks its right neighbours of the old count: exchange it with the last
      // of them, so that counts stay in order, and carry on from that node.
      const int l = FirstAtLeast(c + 2, k) - 1;
      freq_[c] = freq_[l];
      freq_[l] = std::uint16_t(k);
      const int i = son_[c];
      prnt_[i] = std::int16_t(l);
      if (i < kTreeSize) prnt_[i + 1] = std::int16_t(l);
      const int j = son_[l];
      son_[l] = std::int16_t(i);
      prnt_[j] = std::int16_t(c);
      if (j < kTreeSize) prnt_[j + 1] = std::int16_t(c);
      son_[c] = std::int16_t(j);
      c = l;
    }
    c = prnt_[c];
  } while (c != 0);
}

} // namespace vela::skin::lzh
