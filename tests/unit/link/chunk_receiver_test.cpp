#include "link/chunk_receiver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "link/device_list.h"
#include "recording_ports.h"

namespace vela::link {
namespace {

using testing::Bytes;
using ::testing::ElementsAre;

// Records the receiver's events in order, one line each.
class EventLog : public ChunkHandler {
public:
  void SetTrafficStatus(std::string_view text) override {
    events.push_back("status " + std::string(text));
  }
  void OnDeviceAnnouncement(std::span<const std::string> fields) override {
    events.push_back("name" + Joined(fields));
    if (fields.size() < 3)
      throw AnnouncementError(static_cast<int>(fields.size()));
  }
  void OnCardAnnouncement(std::span<const std::string> fields) override {
    events.push_back("card" + Joined(fields));
  }
  void OnAcknowledgement(std::uint16_t block) override {
    events.push_back("ack " + std::to_string(block));
  }
  void AppendReceiveLog(std::string_view own, std::string_view wire) override {
    events.push_back("log " + std::string(own) + std::string(wire));
  }

  std::vector<std::string> events;

private:
  static std::string Joined(std::span<const std::string> fields) {
    std::string out;
    for (const auto& f : fields)
      out += " [" + f + "]";
    return out;
  }
};

class ChunkReceiverTest : public ::testing::Test {
protected:
  void Receive(std::string_view chunk) { receiver.Receive(Bytes(chunk), from, events); }

  ChunkReceiver receiver{IsCp936LeadByte};
  Ipv4Endpoint from{{192, 168, 1, 20}, 5000};
  EventLog events;
  const std::string status = "status Received Data from IP:192.168.1.20,Port:5000";
  const std::string log = "log 【Receive from 192.168.1.20: 5000】：";
};

TEST_F(ChunkReceiverTest, ChunksNotEndingInCrLfOnlyUpdateTheStatus) {
  Receive("!Card:A,B,C\r");
  Receive("\n");
  Receive(std::string("~AData\x00\x01\r\nx", 11));
  EXPECT_THAT(events.events, ElementsAre(status, status, status));
}

TEST_F(ChunkReceiverTest, DeviceAndTwoCardsInOneChunkAreHandledInOrderThenLogged) {
  const std::string chunk = "!Name:Dev1,HW1,SW1\r\n!Card:CPU,HW2,SW2\r\n!Card:IO,HW3,SW3\r\n";
  Receive(chunk);
  EXPECT_THAT(events.events,
              ElementsAre(status, "name [Dev1] [HW1] [SW1]", "card [CPU] [HW2] [SW2]",
                          "card [IO] [HW3] [SW3]", log + chunk));
}

TEST_F(ChunkReceiverTest, AcknowledgementOfBlock256AndTheLogEndingAtTheZeroByte) {
  Receive(std::string("~AData\x01\x00\r\n", 10));
  EXPECT_THAT(events.events, ElementsAre(status, "ack 256", log + "~AData\x01"));
}

TEST_F(ChunkReceiverTest, AcknowledgementsAreFoundAnywhereEvenInsideFieldText) {
  // 0x01 and 0x05 are blanks to the splitter, so the card still has its three fields.
  Receive(std::string("!Card:X~AData\x01\x05,HW,SW\r\n~AData\x00\x06\r\n", 33));
  EXPECT_THAT(events.events,
              ElementsAre(status, "card [X~AData] [HW] [SW]", "ack 261", "ack 6", ::testing::_));
}

TEST_F(ChunkReceiverTest, AnnouncementWithTwoFieldsBorrowsItsThirdFromTheNextMessage) {
  Receive("!Card:A,B\r\n!Card:C,D,E\r\n");
  EXPECT_EQ(events.events[1], "card [A] [B] [!Card:C]");
}

TEST_F(ChunkReceiverTest, FailingAnnouncementEndsTheChunkWithoutLog) {
  EXPECT_THROW(Receive(std::string("!Name:OnlyOne\r\n~AData\x00\x01\r\n", 25)), AnnouncementError);
  EXPECT_THAT(events.events, ElementsAre(status, "name [OnlyOne] [~AData]"));
}

TEST_F(ChunkReceiverTest, KeywordAtTheVeryEndReadsZerosPastTheChunk) {
  Receive("!Name"); // no CR LF: dropped
  Receive("x!Card\r\n");
  EXPECT_EQ(events.events[2], "card"); // the byte after the keyword is not examined
}

TEST(ChunkAssemblerTest, ReleasesBytesWhenTheyEndInCrLfOrFillTheBuffer) {
  ChunkAssembler assembler;
  std::vector<std::string> chunks;
  auto collect = [&](std::span<const std::uint8_t> c) { chunks.emplace_back(c.begin(), c.end()); };
  for (char c : std::string("~AData\x00\x0d\r\n~AD", 14)) {
    assembler.Append(Bytes(std::string(1, c)), collect);
  }
  EXPECT_THAT(chunks, ElementsAre(std::string("~AData\x00\x0d\r\n", 10)));
  EXPECT_EQ(assembler.pending(), 4u);
  assembler.Append(std::vector<std::uint8_t>(kReceiveBufferSize, 'x'), collect);
  ASSERT_EQ(chunks.size(), 2u);
  EXPECT_EQ(chunks[1].size(), kReceiveBufferSize);
  EXPECT_EQ(assembler.pending(), 4u);
}

} // namespace
} // namespace vela::link
