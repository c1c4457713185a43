// The encoder: round trips through both decoders, and the matches it chooses.
#include <gtest/gtest.h>

#include "bench/lzh/bitwise_decoder.h"
#include "skin/data/lzh.h"
#include "skin/data/lzh_encoder.h"
#include "tests/unit/skin_package/lzh_streams.h"

namespace vela::skin {
namespace {

using test::Literal;
using test::Match;

struct Sample {
  const char* name;
  std::vector<std::uint8_t> data;
};

std::vector<Sample> Samples() {
  std::vector<Sample> s;
  s.push_back({"empty", {}});
  s.push_back({"one byte", {'A'}});
  s.push_back({"one space", {' '}});
  s.push_back({"two bytes", {0, 0xFF}});
  s.push_back(
      {"spaces then text", test::Bytes(std::string(100, ' ') + "tail" + std::string(70, ' '))});
  s.push_back({"text", test::SampleText(120000, 1)});
  // Nearly all literals: far more than 32,768 symbols, so the tree is rebuilt on the way.
  s.push_back({"random", test::RandomBytes(50000, 2)});
  s.push_back({"zeros", std::vector<std::uint8_t>(70000, 0)});
  s.push_back({"bitmap rows", test::SampleBitmapRows(200000)});
  // Short matches and literals mixed.
  s.push_back({"small alphabet", test::RandomBytes(100000, 3, 5)});
  return s;
}

TEST(LzhEncoder, RoundTripsThroughBothDecoders) {
  for (const Sample& sample : Samples()) {
    const auto stream = LzhCompress(sample.data);
    std::vector<std::uint8_t> out;
    ASSERT_TRUE(LzhExpand(stream, out, 1 << 30)) << sample.name;
    EXPECT_EQ(out, sample.data) << sample.name;
    EXPECT_EQ(bench::BitwiseExpand(stream), sample.data) << sample.name;
    if (std::string(sample.name) == "random") {
      EXPECT_GT(test::ReadTokens(stream).size(), 0x8000u);
    }
  }
}

TEST(LzhEncoder, EmptyInputIsOnlyTheSizeField) {
  EXPECT_EQ(LzhCompress({}), (std::vector<std::uint8_t>{0, 0, 0, 0}));
  const auto one = LzhCompress(test::Bytes("A"));
  EXPECT_EQ(std::vector<std::uint8_t>(one.begin(), one.begin() + 4),
            (std::vector<std::uint8_t>{1, 0, 0, 0}));
  EXPECT_EQ(test::ReadTokens(one), std::vector<test::LzhToken>{Literal('A')});
}

TEST(LzhEncoder, PrefersTheLongestMatchAndAmongEqualOnesTheNearest) {
  // "abc" occurs at 0 and 4 before position 8: both give 3 bytes, the nearer (distance 4) wins.
  EXPECT_EQ(test::ReadTokens(LzhCompress(test::Bytes("abcXabcYabcZ"))),
            (std::vector<test::LzhToken>{Literal('a'), Literal('b'), Literal('c'), Literal('X'),
                                         Match(3, 3), Literal('Y'), Match(3, 3), Literal('Z')}));
  // At position 10 "abcde" (distance 10) beats the nearer "abc" (distance 4).
  EXPECT_EQ(test::ReadTokens(LzhCompress(test::Bytes("abcdeXabcYabcde"))),
            (std::vector<test::LzhToken>{Literal('a'), Literal('b'), Literal('c'), Literal('d'),
                                         Literal('e'), Literal('X'), Match(3, 5), Literal('Y'),
                                         Match(5, 9)}));
}

TEST(LzhEncoder, MatchesReachIntoTheSpaceFilledRingAndStopAtSixtyBytes) {
  // Leading spaces match the ring's initial spaces at once; no match exceeds 60 bytes; two
  // bytes never form a match.
  const auto data = test::Bytes(std::string(130, ' ') + "ab" + "ab");
  const auto tokens = test::ReadTokens(LzhCompress(data));
  ASSERT_FALSE(tokens.empty());
  EXPECT_TRUE(tokens[0].match);
  EXPECT_EQ(tokens[0].value, 60);
  std::size_t literals = 0;
  for (const auto& t : tokens) {
    if (t.match) {
      EXPECT_GE(t.value, 3);
      EXPECT_LE(t.value, 60);
    } else {
      ++literals;
    }
  }
  EXPECT_EQ(literals, 4u); // "abab": the repeated pair is too short to be a match
}

TEST(LzhEncoder, IsDeterministic) {
  const auto data = test::SampleBitmapRows(30000);
  EXPECT_EQ(LzhCompress(data), LzhCompress(data));
}

} // namespace
} // namespace vela::skin
