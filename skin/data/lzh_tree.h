#pragma once
// The adaptive Huffman tree and the constants of the LZH scheme, shared by the decoder and the
// encoder so that both adapt in exactly the same way.
//
// Nodes are numbered 0 to kRoot in order of non-decreasing count (the sibling property): the two
// children of an internal node are neighbours, the even one first, and son[] of an internal
// node names the even child. A son[] value of kTreeSize or more marks a leaf and holds
// symbol + kTreeSize; prnt[symbol + kTreeSize] names the leaf's node.
#include <array>
#include <cstdint>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vela::skin::lzh {

constexpr int kRingSize = 4096; // sliding window
constexpr int kRingMask = kRingSize - 1;
constexpr int kMaxMatch = 60;                              // look-ahead: the longest match
constexpr int kThreshold = 2;                              // matches code lengths 3 to 60
constexpr int kSymbolCount = 256 - kThreshold + kMaxMatch; // 314
constexpr int kTreeSize = 2 * kSymbolCount - 1;            // 627
constexpr int kRoot = kTreeSize - 1;                       // 626
constexpr std::uint16_t kRebuildCount = 0x8000;
constexpr int kFirstWrite = kRingSize - kMaxMatch; // 4036, where writing starts
constexpr std::uint8_t kRingFill = 0x20;           // the ring starts filled with spaces
constexpr int kFirstMatchSymbol = 256;

// The longest code the tree can give. Counts are ordered and siblings adjacent, so along any
// path each node weighs at least the sum of the next two below it: a leaf at depth d needs a
// root count of at least Fibonacci(d + 2), and the root never exceeds 0x8000 < Fibonacci(24).
constexpr int kMaxCodeBits = 21;

// The fixed prefix code of the upper 6 bits of a match position. For a first byte b of the
// code, kPositionUpper[b] is the upper 6 bits and kPositionBits[b] is the length of the prefix
// (3 to 8 bits); the 6 lower bits follow the prefix.
struct PositionTables {
  std::array<std::uint8_t, 256> upper{};
  std::array<std::uint8_t, 256> bits{};
};
const PositionTables& PositionCode();

class AdaptiveTree {
public:
  AdaptiveTree() { Start(); }

  void Start();
  // Counts one more occurrence of `symbol`, rebuilding first when the root has reached the
  // limit, and restores the sibling property by exchanging nodes on the way to the root.
  void Update(int symbol);
  // Decodes one symbol from the bits at the top of `bits`, which must hold at least kMaxCodeBits
  // valid bits, shifts the code out of `bits`, adds its length to `used` and counts the symbol
  // exactly as Update does.
  int DecodeAndUpdate(std::uint64_t& bits, int& used);

  // son[] of a node; the root's son is where decoding starts.
  int Son(int node) const { return son_[node]; }
  int Parent(int node) const { return prnt_[node]; }
  int LeafOf(int symbol) const { return prnt_[symbol + kTreeSize]; }
  std::uint16_t Count(int node) const { return freq_[node]; }

private:
  void Rebuild();
  // DecodeAndUpdate when the root has reached the rebuild limit: the code is read from the tree
  // as it stands, and the rebuild comes before the count.
  // Reads the code from the top of `bits` and sets `length` to its length.
  int DecodeThenRebuild(std::uint64_t bits, int& length);
  // Finishes DecodeAndUpdate when the path from the root holds a node that must be exchanged:
  // `tie` is the deepest one whose count equalled its right neighbour's, and it and the nodes
  // above it, but not the root, have already been counted.
  void CountFromTie(int tie);
  // The first node after `from` whose count is `count` or more.
  int FirstAtLeast(int from, unsigned count) const;
  // Moves node c, whose count has just become k, behind the last node of its old count and
  // returns the node it now occupies.
  int Exchange(int c, unsigned k);
  // Counts the nodes from c to the root.
  void UpdateFrom(int c);
  // The key of the steps that start from a node whose son is `son`.
  static std::uint32_t StepKey(int son) {
    const std::uint32_t leaf = std::uint32_t(kLeafKeys + 4 * (son - kTreeSize));
    const std::uint32_t inner = std::uint32_t(2 * son);
    return son >= kTreeSize ? leaf : inner;
  }
  // Recomputes the steps of the nodes `pair` and pair + 1.
  void RefreshSteps(int pair);
  // Recomputes the steps whose first node is x, and the one whose second node is x.
  void RefreshFirst(int x);
  void RefreshSecond(int x);

  // Decoding reads two bits per step through steps_. A step starts from a key: twice the son
  // of the node reached (an even node, whose pair is chosen from), or kLeafKeys + 4 * symbol
  // once a leaf has been reached. steps_[key + (b1 b0)] holds the key after the step in its low
  // 16 bits, and in bits 16 to 26 the second node chosen, son[key / 2 + b1] + b0. Bit 27 says
  // whether that second node is real: a step whose first node is a leaf reads one bit only and
  // names kScratchNode instead. The steps from a leaf key stay on it, so decoding can take a
  // fixed number of steps without asking where the code ends.
  static constexpr int kLeafKeys = 4 * ((kTreeSize + 1) / 2);
  static constexpr int kStepCount = kLeafKeys + 4 * kSymbolCount;
  static constexpr std::uint32_t kSecondCounts = 1u << 27;
  // Counts past the root rise steadily from 0x8000. The first ends every search, which reads
  // whole vectors without a bound check (no node but the root reaches 0x8000); none of them
  // ever ties with the next; and they give the steps that pass a leaf somewhere to count by
  // zero, at key / 2 + b1 or at kScratchNode.
  static constexpr int kCountPadding = kStepCount / 2 + 2 - kTreeSize;
  static constexpr int kScratchNode = kTreeSize + 1;
  alignas(32) std::array<std::uint16_t, kTreeSize + kCountPadding> freq_{};
  std::array<std::uint32_t, kStepCount> steps_{};
  // Where an exchange sets the "second child's" parent of a leaf.
  static constexpr int kSpareParent = kTreeSize + kSymbolCount;
  std::array<std::int16_t, kTreeSize + kSymbolCount + 1> prnt_{};
  std::array<std::int16_t, kTreeSize> son_{};
};

// The update runs once per symbol in both directions; it lives here so that it can be inlined.
inline int AdaptiveTree::FirstAtLeast(int from, unsigned count) const {
#if defined(__SSE2__)
  // Counts never exceed 0xFFFF, so a saturating subtraction of each count from `count` is zero
  // exactly where the count is at least `count`. The sentinel run stops the loop in bounds.
  const __m128i wanted = _mm_set1_epi16(std::int16_t(std::uint16_t(count)));
  const __m128i zero = _mm_setzero_si128();
  for (int l = from;; l += 8) {
    const __m128i counts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&freq_[l]));
    const int mask = _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_subs_epu16(wanted, counts), zero));
    if (mask != 0)
      return l + __builtin_ctz(unsigned(mask)) / 2;
  }
#else
  int l = from;
  while (freq_[l] < count)
    ++l;
  return l;
#endif
}

inline int AdaptiveTree::Exchange(int c, unsigned k) {
  const int l = FirstAtLeast(c + 2, k) - 1;
  freq_[c] = freq_[l];
  freq_[l] = std::uint16_t(k);
  // The second child's parent is set through a spare slot when a son is a leaf, which avoids a
  // branch that would often be misjudged.
  const int i = son_[c];
  prnt_[i] = std::int16_t(l);
  prnt_[i < kTreeSize ? i + 1 : kSpareParent] = std::int16_t(l);
  const int j = son_[l];
  son_[l] = std::int16_t(i);
  prnt_[j] = std::int16_t(c);
  prnt_[j < kTreeSize ? j + 1 : kSpareParent] = std::int16_t(c);
  son_[c] = std::int16_t(j);
  RefreshFirst(c);
  RefreshFirst(l);
  RefreshSecond(c);
  RefreshSecond(l);
  return l;
}

inline void AdaptiveTree::RefreshSteps(int pair) {
  RefreshFirst(pair);
  RefreshFirst(pair + 1);
}

inline void AdaptiveTree::RefreshFirst(int x) {
  // The two steps that start by choosing node x: index 2 * x + b0.
  const int first = son_[x];
  const int inner = -int(first < kTreeSize); // all ones when `first` is an inner node
  const int base = first & inner;            // a leaf reads node 0's sons, then drops them
  const std::uint32_t leafStep = StepKey(first) | std::uint32_t(kScratchNode) << 16;
  for (int b0 = 0; b0 < 2; ++b0) {
    const std::uint32_t innerStep =
        StepKey(son_[base + b0]) | std::uint32_t(base + b0) << 16 | kSecondCounts;
    steps_[std::size_t(2 * x + b0)] =
        (innerStep & std::uint32_t(inner)) | (leafStep & ~std::uint32_t(inner));
  }
}

inline void AdaptiveTree::RefreshSecond(int x) {
  // The step that ends by choosing node x, from its parent q: index 2 * q + (x & 1).
  steps_[std::size_t(2 * prnt_[x] + (x & 1))] =
      StepKey(son_[x]) | std::uint32_t(x) << 16 | kSecondCounts;
}

inline void AdaptiveTree::UpdateFrom(int c) {
  do {
    const unsigned k = ++freq_[c];
    // Node c now outranks its right neighbours of the old count: exchange it with the last of
    // them, so that counts stay in order, and carry on from that node.
    if (k > freq_[c + 1])
      c = Exchange(c, k);
    c = prnt_[c];
  } while (c != 0);
}

inline void AdaptiveTree::Update(int symbol) {
  if (freq_[kRoot] == kRebuildCount)
    Rebuild();
  UpdateFrom(prnt_[symbol + kTreeSize]);
}

inline int AdaptiveTree::DecodeAndUpdate(std::uint64_t& bits, int& used) {
  if (freq_[kRoot] == kRebuildCount) [[unlikely]] {
    int length = 0;
    const int symbol = DecodeThenRebuild(bits, length);
    bits <<= length;
    used += length;
    return symbol;
  }
  // The walk down counts every node it passes. That is what the bottom-up update does as long as
  // no node on the path ties with its right neighbour: a node's count only ever meets its right
  // neighbours' in such a tie, and the nodes below it on the path have smaller numbers. The
  // deepest tie, if any, is remembered, and the update is finished from there.
  std::intptr_t tie = -1;
  std::uint32_t depth = 0;
  std::uint64_t b = bits;
  std::uintptr_t key = std::uintptr_t(2 * son_[kRoot]);
  const auto count = [&](std::uintptr_t node, unsigned add) {
    const unsigned k = freq_[node];
    tie = k >= freq_[node + 1] ? std::intptr_t(node) : tie;
    freq_[node] = std::uint16_t(k + add);
  };
  // Four steps cover codes of up to 8 bits, most of them, without a branch on the code length.
  const auto step = [&] {
    const std::uint32_t e = steps_[key + (b >> 62)];
    const unsigned first = key < 2 * kTreeSize;
    const unsigned second = e >> 27 & 1;
    count(key / 2 + (b >> 63), first);
    count(e >> 16 & 0x7FF, second);
    depth += first + second;
    b <<= 2;
    key = e & 0xFFFF;
  };
  step();
  step();
  step();
  step();
  // Longer codes take more steps; the bound only matters to a tree that could not occur.
  for (int more = 0; key < 2 * kTreeSize && more < kMaxCodeBits; ++more) [[unlikely]]
    step();
  bits <<= depth;
  used += int(depth);
  if (tie < 0) [[likely]]
    ++freq_[kRoot];
  else
    CountFromTie(int(tie));
  return int(key - kLeafKeys) / 4;
}

} // namespace vela::skin::lzh
