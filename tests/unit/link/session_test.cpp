#include "link/session.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "link/device_stream.h"
#include "link/texts.h"
#include "recording_ports.h"

namespace vela::link {
namespace {

using testing::Bytes;
using ::testing::ElementsAre;
using testing::PatternImage;
using testing::RecordingPorts;

// A bootloader built from the device-side helpers, answering what the session sends.
class FakeDevice {
public:
  // Feeds what the tool sent; returns the device's answer as one chunk.
  std::string Answer(std::span<const std::uint8_t> sent) {
    reader.Append(sent);
    std::string reply;
    while (auto message = reader.Next()) {
      switch (message->kind) {
      case DeviceMessageKind::kQuery:
        reply += BuildAnnouncement(AnnouncementKind::kDevice, device, IsCp936LeadByte);
        for (const auto& card : cards) {
          reply += BuildAnnouncement(AnnouncementKind::kCard, card, IsCp936LeadByte);
        }
        break;
      case DeviceMessageKind::kSelect:
        selected = message->names;
        break;
      case DeviceMessageKind::kBlock: {
        received.insert(received.end(), message->data.begin(), message->data.end());
        const auto ack = BuildAcknowledgement(message->block);
        reply.append(ack.begin(), ack.end());
        break;
      }
      default:
        others.push_back(message->line);
        break;
      }
    }
    return reply;
  }

  DeviceStreamReader reader{IsCp936LeadByte};
  std::vector<std::string> device = {"Lab Rack 1", "HW 1.0", "SW,2"};
  std::vector<std::vector<std::string>> cards = {{"CPU01", "H\"1\"", "S1"},
                                                 {"\xB0\x2C"
                                                  "CPU02",
                                                  "H2", "S2"}};
  std::vector<std::string> selected;
  std::vector<std::uint8_t> received;
  std::vector<std::string> others;
};

class SessionTest : public ::testing::Test {
protected:
  void Deliver(const std::string& reply) {
    if (!reply.empty())
      session.Receive(Bytes(reply), {{10, 0, 0, 7}, 4000});
  }
  void DeliverCommands() {
    for (; commands_seen < ports.commands.size(); ++commands_seen) {
      Deliver(device.Answer(Bytes(ports.commands[commands_seen])));
    }
  }

  RecordingPorts ports;
  VectorListModel model;
  UpdateSession session{model, ports, IsCp936LeadByte};
  FakeDevice device;
  std::size_t commands_seen = 0;
};

TEST_F(SessionTest, QueryListsTheDeviceAndAWholeUpgradeArrivesIntact) {
  session.Query();
  DeliverCommands();
  ASSERT_EQ(model.RowCount(), 3);
  EXPECT_EQ(model.Text(0, Column::kDeviceName), "Lab Rack 1");
  EXPECT_EQ(model.Text(0, Column::kSoftwareVersion), "SW,2");
  EXPECT_EQ(model.Text(1, Column::kHardwareVersion), "H\"1\"");
  EXPECT_EQ(model.Text(2, Column::kCardName), "\xB0\x2C"
                                              "CPU02");
  EXPECT_EQ(ports.status, "Received Data from IP:10.0.0.7,Port:4000");
  EXPECT_THAT(ports.log.back(), ::testing::StartsWith("【Receive from 10.0.0.7: 4000】：!Name:"));

  model.SetTicked(1, true);
  model.SetTicked(2, true);
  const auto image = PatternImage(3000);
  session.transfer().image().LoadBytes(image);
  ASSERT_EQ(session.transfer().StartUpgrade(true, model), StartResult::kStarted);
  DeliverCommands();
  EXPECT_THAT(device.selected, ElementsAre("CPU01", "\xB0\x2C"
                                                    "CPU02"));

  for (int guard = 0; guard < 10 && !session.transfer().Completed(); ++guard) {
    const std::size_t before = ports.frames.size();
    session.transfer().OnSendTimerTick();
    if (ports.frames.size() > before)
      Deliver(device.Answer(ports.frames.back()));
  }
  EXPECT_TRUE(session.transfer().Completed());
  EXPECT_EQ(device.received, image);
  EXPECT_EQ(ports.frames.size(), 3u);

  session.transfer().GotoApplication();
  DeliverCommands();
  EXPECT_THAT(device.others, ElementsAre("!GotoApp:"));
}

// Ports that keep acknowledgements of one block number from the transfer.
class AbsorbingPorts : public RecordingPorts {
public:
  bool AbsorbAcknowledgement(std::uint16_t block) override {
    seen.push_back(block);
    return block == absorbed;
  }
  std::uint16_t absorbed = 0;
  std::vector<std::uint16_t> seen;
};

// Every acknowledgement passes the ports' filter before the transfer; one the filter keeps
// neither advances nor re-arms, and the default filter keeps none (the window's rules).
TEST(SessionAcknowledgementTest, ThePortsMayAbsorbAnAcknowledgement) {
  AbsorbingPorts ports;
  VectorListModel model;
  UpdateSession session{model, ports, IsCp936LeadByte};
  session.transfer().image().LoadBytes(PatternImage(3000));
  const std::vector<std::string> cards = {"CPU01"};
  ASSERT_EQ(session.transfer().StartUpgrade(true, true, cards), StartResult::kStarted);
  session.transfer().OnSendTimerTick();
  auto deliver = [&](std::uint16_t block) {
    const auto ack = BuildAcknowledgement(block);
    session.Receive(ack, {{10, 0, 0, 7}, 4000});
  };
  ports.absorbed = 9;
  deliver(9);
  EXPECT_FALSE(session.transfer().SendPermit()) << "an absorbed wrong answer resends nothing";
  deliver(1);
  EXPECT_EQ(session.transfer().CurrentBlock(), 2);
  session.transfer().OnSendTimerTick();
  ports.absorbed = 2;
  deliver(2);
  EXPECT_EQ(session.transfer().CurrentBlock(), 2) << "an absorbed right answer advances nothing";
  EXPECT_THAT(ports.seen, ElementsAre(9, 1, 2));

  RecordingPorts plain;
  UpdateSession window{model, plain, IsCp936LeadByte};
  window.transfer().image().LoadBytes(PatternImage(3000));
  ASSERT_EQ(window.transfer().StartUpgrade(true, true, cards), StartResult::kStarted);
  window.transfer().OnSendTimerTick();
  const auto wrong = BuildAcknowledgement(9);
  window.Receive(wrong, {{10, 0, 0, 7}, 4000});
  EXPECT_TRUE(window.transfer().SendPermit()) << "without a filter a wrong answer re-arms";
}

TEST(DeviceStreamReaderTest, ReassemblesMessagesSplitAcrossReads) {
  BlockFrameBuffer frame;
  const auto data = Bytes("x\r\ny");
  const std::size_t size = BuildBlockFrame(data, 1, frame);
  std::string stream = "!Bootloader:\r\n!Select:A,B\r\n";
  stream.append(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(size));
  stream += "junk\r\n!GotoApp:\r\n";

  DeviceStreamReader reader;
  std::vector<DeviceMessage> messages;
  for (char c : stream) {
    reader.Append(Bytes(std::string(1, c)));
    while (auto m = reader.Next())
      messages.push_back(std::move(*m));
  }
  ASSERT_EQ(messages.size(), 5u);
  EXPECT_EQ(messages[0].kind, DeviceMessageKind::kQuery);
  EXPECT_THAT(messages[1].names, ElementsAre("A", "B"));
  EXPECT_EQ(messages[2].kind, DeviceMessageKind::kBlock);
  EXPECT_EQ(messages[2].block, 1);
  EXPECT_EQ(messages[2].data, data);
  EXPECT_EQ(messages[3].line, "junk");
  EXPECT_EQ(messages[4].kind, DeviceMessageKind::kGotoApp);
  EXPECT_EQ(reader.pending(), 0u);
}

} // namespace
} // namespace vela::link
