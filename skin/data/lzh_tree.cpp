#include "skin/data/lzh_tree.h"

#include <cstring>

namespace vela::skin::lzh {
namespace {

PositionTables MakePositionTables() {
  // Each group: how many upper values it codes, how many first bytes each one covers, and the
  // length of their prefix. Shorter prefixes go to the nearer positions.
  struct Group {
    int values, run, bits;
  };
  constexpr Group kGroups[] = {{1, 32, 3}, {3, 16, 4}, {8, 8, 5},
                               {12, 4, 6}, {24, 2, 7}, {16, 1, 8}};
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
  for (int i = kTreeSize; i < kTreeSize + kCountPadding; ++i)
    freq_[i] = std::uint16_t(0x8000 + (i - kTreeSize));
  for (int s = 0; s < kSymbolCount; ++s)
    for (int b = 0; b < 4; ++b)
      steps_[std::size_t(kLeafKeys + 4 * s + b)] =
          std::uint32_t(kLeafKeys + 4 * s) | std::uint32_t(kScratchNode) << 16;
  for (int pair = 0; pair < kRoot; pair += 2)
    RefreshSteps(pair);
  prnt_[kRoot] = 0;
}

int AdaptiveTree::DecodeThenRebuild(std::uint64_t bits, int& length) {
  int c = son_[kRoot];
  length = 0;
  while (c < kTreeSize) {
    c = son_[c + int(bits >> 63)];
    bits <<= 1;
    ++length;
  }
  const int symbol = c - kTreeSize;
  Update(symbol);
  return symbol;
}

void AdaptiveTree::CountFromTie(int tie) {
  // The nodes above the tie were counted on the way down, but the exchange may take the symbol's
  // subtree away from under them; take their counts back and let the exchange decide.
  for (int node = prnt_[tie]; node != kRoot; node = prnt_[node])
    --freq_[node];
  UpdateFrom(prnt_[Exchange(tie, freq_[tie])]);
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
    while (f < freq_[k])
      --k;
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
    if (k < kTreeSize)
      prnt_[k + 1] = std::int16_t(i);
  }
  for (int pair = 0; pair < kRoot; pair += 2)
    RefreshSteps(pair);
}

} // namespace vela::skin::lzh
