// The decoder against hand-written token streams, against the plain bit-by-bit decoder, and
// through the block-callback interface.
#include <gtest/gtest.h>

#include "bench/lzh/bitwise_decoder.h"
#include "skin/data/lzh.h"
#include "skin/data/lzh_tree.h"
#include "tests/unit/skin_package/lzh_streams.h"

namespace vela::skin {
namespace {

using test::Literal;
using test::Match;

std::vector<std::uint8_t> Expand(const std::vector<std::uint8_t>& stream) {
  std::vector<std::uint8_t> out;
  EXPECT_TRUE(LzhExpand(stream, out, 1 << 30));
  return out;
}

TEST(LzhDecoder, OverlappingMatchRepeatsTheBytesItProduces) {
  // One byte behind the write position: the byte repeats for the whole length.
  const auto repeated = test::WriteTokens({Literal('x'), Match(10, 0), Literal('!')}, 12);
  EXPECT_EQ(Expand(repeated), test::Bytes("xxxxxxxxxxx!"));
  // Two bytes behind: the pair repeats, with an odd length ending mid-pattern.
  const auto pairs = test::WriteTokens({Literal('a'), Literal('b'), Match(5, 1)}, 7);
  EXPECT_EQ(Expand(pairs), test::Bytes("abababa"));
}

TEST(LzhDecoder, MatchBeforeTheFirstByteReadsTheInitialRing) {
  // Positions 0 to 4035 of the ring start as spaces, 4036 to 4095 as zeros; writing starts at
  // 4036. A match 4040 bytes back therefore yields four zeros, then spaces.
  const auto spaces = test::WriteTokens({Match(5, 99), Literal('z')}, 6);
  EXPECT_EQ(Expand(spaces), test::Bytes("     z"));
  const auto edge = test::WriteTokens({Match(8, 4039)}, 8);
  EXPECT_EQ(Expand(edge), (std::vector<std::uint8_t>{0, 0, 0, 0, ' ', ' ', ' ', ' '}));
  // Once bytes exist, the same distance reaches them instead of the ring.
  std::vector<test::LzhToken> tokens;
  std::vector<std::uint8_t> expected;
  for (int i = 0; i < 4096; ++i) {
    tokens.push_back(Literal(i % 251));
    expected.push_back(std::uint8_t(i % 251));
  }
  tokens.push_back(Match(3, 4095));
  for (int i = 0; i < 3; ++i)
    expected.push_back(std::uint8_t(i % 251));
  EXPECT_EQ(Expand(test::WriteTokens(tokens, 4099)), expected);
}

TEST(LzhDecoder, StopsExactlyAtTheExpandedSize) {
  // The size ends inside a match: only the bytes up to the size are produced.
  const auto stream = test::WriteTokens({Literal('q'), Match(20, 0)}, 7);
  EXPECT_EQ(Expand(stream), test::Bytes("qqqqqqq"));
  // A zero or negative size produces nothing and the read callback is never called.
  for (const std::int32_t size : {0, -1, -100000}) {
    int reads = 0, writes = 0;
    TLZH lzh;
    lzh.Decode(
        size, [&](std::uint8_t*, std::uint16_t, std::uint16_t& m) { ++reads, m = 0; },
        [&](std::uint8_t*, std::uint16_t n, std::uint16_t& m) { ++writes, m = n; });
    EXPECT_EQ(reads, 0);
    EXPECT_EQ(writes, 0);
  }
}

TEST(LzhDecoder, AgreesWithTheBitwiseDecoderOnArbitraryBitStreams) {
  // Every bit string is a valid stream, so random input exercises every path: deep trees,
  // rebuilds, far matches into the initial ring and input that runs out early.
  for (unsigned seed = 1; seed <= 24; ++seed) {
    std::mt19937 rng(seed);
    auto stream = test::RandomBytes(4 + rng() % 30000, seed, seed % 3 == 0 ? 4 : 256);
    const std::int32_t size = std::int32_t(rng() % 200000);
    for (int i = 0; i < 4; ++i)
      stream[std::size_t(i)] = std::uint8_t(std::uint32_t(size) >> (8 * i));
    const auto expected = bench::BitwiseExpand(stream);
    ASSERT_EQ(Expand(stream), expected) << "seed " << seed;
  }
  // A long one whose symbols pass 0x8000 several times, so the tree is rebuilt on the way.
  auto stream = test::RandomBytes(300000, 99);
  const std::int32_t size = 700000;
  for (int i = 0; i < 4; ++i)
    stream[std::size_t(i)] = std::uint8_t(std::uint32_t(size) >> (8 * i));
  ASSERT_GT(test::ReadTokens(stream).size(), 2u * 0x8000);
  EXPECT_EQ(Expand(stream), bench::BitwiseExpand(stream));
}

TEST(LzhDecoder, TruncatedSourceStillYieldsTheExpandedSize) {
  // Only 43 bytes are coded; the bits for the rest are missing and read as zeros.
  const auto stream =
      test::WriteTokens({Literal('a'), Literal('b'), Match(40, 1), Literal('c')}, 5000);
  const auto out = Expand(stream);
  ASSERT_EQ(out.size(), 5000u);
  std::string head;
  for (int i = 0; i < 21; ++i)
    head += "ab";
  head += "c";
  EXPECT_EQ(std::vector<std::uint8_t>(out.begin(), out.begin() + 43), test::Bytes(head));
  EXPECT_EQ(out, bench::BitwiseExpand(stream));
}

TEST(LzhDecoder, BlockCallbacksProduceTheSameBytesAcrossChunkBoundaries) {
  // More than one internal output chunk, with matches that straddle chunk borders, and input
  // delivered through the stream callbacks.
  std::vector<std::uint8_t> bits = test::RandomBytes(60000, 3, 16);
  const std::int32_t size = 300000;
  for (int i = 0; i < 4; ++i)
    bits[std::size_t(i)] = std::uint8_t(std::uint32_t(size) >> (8 * i));
  const auto expected = bench::BitwiseExpand(bits);

  MemoryStream source(bits), destination;
  ASSERT_TRUE(UnpackLzhStream(source, destination, size));
  EXPECT_EQ(destination.Bytes(), expected);
  EXPECT_EQ(destination.Position(), expected.size());

  MemoryStream input(bits), output;
  TLZH lzh(&input, &output);
  input.SetPosition(4);
  lzh.Decode(size);
  EXPECT_EQ(output.Bytes(), expected);
}

TEST(LzhDecoder, UnpackRefusesSizesBeyondTheCapWithoutWriting) {
  MemoryStream source(std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3}), destination;
  EXPECT_FALSE(UnpackLzhStream(source, destination, 64 << 20));
  EXPECT_EQ(destination.Size(), 0u);
  MemoryStream tooShort(std::vector<std::uint8_t>{1, 0}), out2;
  EXPECT_FALSE(UnpackLzhStream(tooShort, out2, 64 << 20));
}

TEST(LzhTree, RebuildHalvesCountsAndKeepsTheSiblingProperty) {
  lzh::AdaptiveTree tree;
  std::mt19937 rng(5);
  auto checkInvariants = [&] {
    for (int n = 0; n < lzh::kRoot; ++n)
      ASSERT_LE(tree.Count(n), tree.Count(n + 1)) << "node " << n;
    for (int n = 0; n < lzh::kTreeSize; ++n) {
      const int son = tree.Son(n);
      if (son >= lzh::kTreeSize) {
        ASSERT_EQ(tree.LeafOf(son - lzh::kTreeSize), n);
      } else {
        ASSERT_EQ(tree.Count(n), tree.Count(son) + tree.Count(son + 1));
        ASSERT_EQ(tree.Parent(son), n);
        ASSERT_EQ(tree.Parent(son + 1), n);
      }
    }
  };
  // The root starts at 314 and grows by one per update; it reaches 0x8000 after 32,454 updates,
  // and the next update rebuilds before counting.
  const int untilLimit = 0x8000 - lzh::kSymbolCount;
  for (int i = 0; i < untilLimit; ++i)
    tree.Update(int(rng() % 3 == 0 ? rng() % 314 : rng() % 8));
  ASSERT_EQ(tree.Count(lzh::kRoot), 0x8000);
  checkInvariants();
  std::vector<unsigned> halved(lzh::kSymbolCount);
  unsigned expectedRoot = 0;
  for (int s = 0; s < lzh::kSymbolCount; ++s) {
    halved[std::size_t(s)] = (tree.Count(tree.LeafOf(s)) + 1u) / 2u;
    expectedRoot += halved[std::size_t(s)];
  }
  tree.Update(7);
  checkInvariants();
  EXPECT_EQ(tree.Count(lzh::kRoot), expectedRoot + 1);
  EXPECT_EQ(tree.Count(tree.LeafOf(7)), halved[7] + 1);
  EXPECT_EQ(tree.Count(tree.LeafOf(300)), halved[300]);
}

} // namespace
} // namespace vela::skin
