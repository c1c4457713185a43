#include "link/protocol.h"

#include <gtest/gtest.h>

#include "recording_ports.h"

namespace vela::link {
namespace {

using testing::Bytes;
using testing::PatternImage;

struct FrameView {
  std::uint16_t block;
  std::uint16_t length;
  std::size_t size;
};

FrameView Frame(std::span<const std::uint8_t> image, std::int32_t block, BlockFrameBuffer& out) {
  const std::size_t size = BuildBlockFrame(image, block, out);
  return {static_cast<std::uint16_t>(out[6] << 8 | out[7]),
          static_cast<std::uint16_t>(out[8] << 8 | out[9]), size};
}

TEST(MessageTest, SelectJoinsNamesWithOneCommaAndEndsInCrLf) {
  const std::vector<std::string> one = {"Main"};
  EXPECT_EQ(BuildSelectMessage(one), "!Select:Main\r\n");
  const std::vector<std::string> three = {"CPU1", "CPU2", "I/O 3"};
  EXPECT_EQ(BuildSelectMessage(three), "!Select:CPU1,CPU2,I/O 3\r\n");
  EXPECT_EQ(kBootloaderQuery.size(), 14u);
  EXPECT_EQ(kGotoAppCommand.size(), 11u);
}

TEST(BlockFrameTest, ImageOf1500BytesGivesAFullBlockAndA476ByteBlock) {
  const auto image = PatternImage(1500);
  BlockFrameBuffer out;
  FrameView first = Frame(image, 1, out);
  EXPECT_EQ(std::string(out.begin(), out.begin() + 6), "!AData");
  EXPECT_EQ(first.block, 1);
  EXPECT_EQ(first.length, 0x0400);
  EXPECT_EQ(first.size, 1036u);
  EXPECT_TRUE(std::equal(image.begin(), image.begin() + 1024, out.begin() + 10));
  EXPECT_EQ(out[1034], '\r');
  EXPECT_EQ(out[1035], '\n');

  FrameView last = Frame(image, 2, out);
  EXPECT_EQ(out[8], 0x01);
  EXPECT_EQ(out[9], 0xDC);
  EXPECT_EQ(last.size, 12u + 476u);
  EXPECT_TRUE(std::equal(image.begin() + 1024, image.end(), out.begin() + 10));
  EXPECT_EQ(out[10 + 476], '\r');
  EXPECT_EQ(out[11 + 476], '\n');
}

TEST(BlockFrameTest, BlockOutsideTheImageCarriesNoData) {
  const auto image = PatternImage(2048);
  BlockFrameBuffer out;
  EXPECT_EQ(Frame(image, 3, out).length, 0);
  EXPECT_EQ(Frame(image, 0, out).length, 0);
  EXPECT_EQ(Frame({}, 1, out).size, 12u);
}

TEST(AcknowledgementTest, BlockNumberIsBigEndian) {
  const auto ack = BuildAcknowledgement(256);
  EXPECT_EQ(std::string(ack.begin(), ack.end()), std::string("~AData\x01\x00\r\n", 10));
  EXPECT_EQ(ParseAcknowledgement(ack), 256);
  EXPECT_EQ(ParseAcknowledgement(Bytes("~AData\x04")), 0x0400); // low byte past the end: zero
  EXPECT_FALSE(ParseAcknowledgement(Bytes("!AData\x00\x01")).has_value());
}

TEST(ParseBlockFrameTest, WaitsForWholeFramesAndRejectsMalformedOnes) {
  const auto image = Bytes("ab\r\ncd"); // CR LF inside the data is data
  BlockFrameBuffer out;
  const std::size_t size = BuildBlockFrame(image, 1, out);
  const std::span<const std::uint8_t> whole(out.data(), size);
  for (std::size_t cut = 0; cut < size; ++cut) {
    EXPECT_EQ(ParseBlockFrame(whole.first(cut)).status, FrameParseStatus::kIncomplete) << cut;
  }
  const ParsedFrame frame = ParseBlockFrame(whole);
  ASSERT_EQ(frame.status, FrameParseStatus::kFrame);
  EXPECT_EQ(frame.block, 1);
  EXPECT_EQ(std::string(frame.data.begin(), frame.data.end()), "ab\r\ncd");
  EXPECT_EQ(frame.consumed, size);

  EXPECT_EQ(ParseBlockFrame(Bytes("!Bootloader:\r\n")).status, FrameParseStatus::kNotAFrame);
  EXPECT_EQ(ParseBlockFrame(Bytes(std::string("!AData\x00\x01\x04\x01", 10))).status,
            FrameParseStatus::kNotAFrame); // longer than a block
  EXPECT_EQ(ParseBlockFrame(Bytes(std::string("!AData\x00\x01\x00\x01xyz", 13))).status,
            FrameParseStatus::kNotAFrame); // no CR LF after the data
}

} // namespace
} // namespace vela::link
