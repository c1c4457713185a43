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

namespace vela::skin::lzh {

constexpr int kRingSize = 4096;          // sliding window
constexpr int kRingMask = kRingSize - 1;
constexpr int kMaxMatch = 60;            // look-ahead: the longest match
constexpr int kThreshold = 2;            // matches code lengths 3 to 60
constexpr int kSymbolCount = 256 - kThreshold + kMaxMatch; // 314
constexpr int kTreeSize = 2 * kSymbolCount - 1;            // 627
constexpr int kRoot = kTreeSize - 1;                       // 626
constexpr std::uint16_t kRebuildCount = 0x8000;
constexpr int kFirstWrite = kRingSize - kMaxMatch;         // 4036, where writing starts
constexpr std::uint8_t kRingFill = 0x20;                   // the ring starts filled with spaces
constexpr int kFirstMatchSymbol = 256;

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

  // son[] of a node; the root's son is where decoding starts.
  int Son(int node) const { return son_[node]; }
  int Parent(int node) const { return prnt_[node]; }
  int LeafOf(int symbol) const { return prnt_[symbol + kTreeSize]; }
  std::uint16_t Count(int node) const { return freq_[node]; }

private:
  void Rebuild();
  // The first node after `from` whose count is `count` or more.
  int FirstAtLeast(int from, unsigned count) const;

  // A run of sentinel counts past the root lets the search read whole vectors without a bound
  // check; the first of them is the sentinel that ends every scan.
  static constexpr int kCountPadding = 16;
  alignas(32) std::array<std::uint16_t, kTreeSize + kCountPadding> freq_{};
  std::array<std::int16_t, kTreeSize + kSymbolCount> prnt_{};
  std::array<std::int16_t, kTreeSize> son_{};
};

} // namespace vela::skin::lzh
