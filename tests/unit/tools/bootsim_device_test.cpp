// The simulated device: its answers, its image and each fault, without sockets.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tools/vela-bootsim/device.h"
#include "tools/vela-bootsim/sim_options.h"

namespace vela::tools {
namespace {

using link::DeviceMessage;
using link::DeviceMessageKind;

DeviceMessage block(std::uint16_t n, std::size_t size, std::uint8_t fill = 0) {
  DeviceMessage m;
  m.kind = DeviceMessageKind::kBlock;
  m.block = n;
  m.data.assign(size, fill ? fill : static_cast<std::uint8_t>(n));
  return m;
}

DeviceMessage text(DeviceMessageKind kind, std::vector<std::string> names = {}) {
  DeviceMessage m;
  m.kind = kind;
  m.names = std::move(names);
  return m;
}

std::string ack(std::uint16_t n) {
  return std::string("~AData") + char(n >> 8) + char(n & 0xFF) + "\r\n";
}

SimulatedDevice make(FaultPlan plan = {}) {
  DeviceIdentity id;
  id.device = {"Dev 1", "HW1", "SW1"};
  id.cards = {{"CPU-A1", "H", "S"}, {"A,\"B\"", "H", ""}};
  return SimulatedDevice(id, plan, nullptr);
}

TEST(SimulatedDeviceTest, AnnouncesDeviceAndCardsWithQuotedFields) {
  SimulatedDevice device = make();
  Reply reply = device.handle(text(DeviceMessageKind::kQuery));
  ASSERT_EQ(reply.writes.size(), 3u);
  EXPECT_EQ(reply.writes[0], "!Name:\"Dev 1\",HW1,SW1\r\n");
  EXPECT_EQ(reply.writes[1], "!Card:CPU-A1,H,S\r\n");
  EXPECT_EQ(reply.writes[2], "!Card:\"A,\"\"B\"\"\",H,\"\"\r\n");

  FaultPlan merged;
  merged.merge = true;
  Reply one = make(merged).handle(text(DeviceMessageKind::kQuery));
  ASSERT_EQ(one.writes.size(), 1u);
  EXPECT_EQ(one.writes[0], reply.writes[0] + reply.writes[1] + reply.writes[2]);
}

TEST(SimulatedDeviceTest, AcknowledgesEachBlockAndReassemblesTheImage) {
  SimulatedDevice device = make();
  device.handle(text(DeviceMessageKind::kSelect, {"CPU-A1"}));
  EXPECT_EQ(device.selected(), "CPU-A1");
  Reply second = device.handle(block(2, 476));
  EXPECT_EQ(second.writes, std::vector<std::string>{ack(2)});
  EXPECT_TRUE(second.image_ended) << "a short block ends the transfer";
  Reply first = device.handle(block(1, 1024));
  EXPECT_FALSE(first.image_ended);
  ASSERT_EQ(device.image().size(), 1500u);
  EXPECT_EQ(device.image().bytes()[1023], 1);
  EXPECT_EQ(device.image().bytes()[1024], 2);
  // Block 256 is acknowledged with the number bytes 0x01 0x00.
  EXPECT_EQ(device.handle(block(256, 1024)).writes[0], std::string("~AData\x01\x00\r\n", 10));

  device.handle(text(DeviceMessageKind::kSelect, {"CPU-A1"}));
  EXPECT_EQ(device.image().size(), 0u) << "a new selection starts a new image";
}

TEST(SimulatedDeviceTest, WrongAndDuplicatedAcknowledgementsFollowTheirPeriod) {
  FaultPlan plan;
  plan.wrong_ack_every = 2;
  plan.dup_ack_every = 3;
  SimulatedDevice device = make(plan);
  EXPECT_EQ(device.handle(block(1, 1024)).writes, std::vector<std::string>{ack(1)});
  auto wrong = device.handle(block(2, 1024)).writes;
  ASSERT_EQ(wrong.size(), 1u);
  EXPECT_NE(wrong[0], ack(2));
  EXPECT_EQ(wrong[0].substr(0, 6), "~AData");
  EXPECT_EQ(device.handle(block(3, 1024)).writes, (std::vector<std::string>{ack(3), ack(3)}));
  EXPECT_EQ(device.acks_sent(), 4);
}

TEST(SimulatedDeviceTest, DropAndCloseHappenOnceAtTheirBlock) {
  FaultPlan plan;
  plan.drop_ack_at = 2;
  plan.close_after_block = 3;
  plan.ack_delay_ms = 40;
  SimulatedDevice device = make(plan);
  device.handle(text(DeviceMessageKind::kSelect, {"CPU-A1"}));
  EXPECT_EQ(device.handle(block(1, 1024)).delay_ms, 40);
  EXPECT_TRUE(device.handle(block(2, 1024)).writes.empty());
  EXPECT_EQ(device.handle(block(2, 1024)).writes, std::vector<std::string>{ack(2)});
  Reply closing = device.handle(block(3, 1024));
  EXPECT_TRUE(closing.close);
  EXPECT_TRUE(closing.writes.empty());
  device.on_disconnect();
  Reply again = device.handle(block(3, 1024));
  EXPECT_FALSE(again.close);
  EXPECT_EQ(again.writes, std::vector<std::string>{ack(3)});
  EXPECT_EQ(device.image().size(), 3072u) << "the image survives the closed connection";
}

// A device that restarts when the link closes has no selection afterwards: blocks are
// still acknowledged but their data is kept nowhere, until a new select message.
TEST(SimulatedDeviceTest, ForgettingOnCloseLosesTheSelectionAndTheImage) {
  FaultPlan plan;
  plan.forget_on_close = true;
  SimulatedDevice device = make(plan);
  EXPECT_EQ(device.handle(block(1, 1024)).writes, std::vector<std::string>{ack(1)});
  EXPECT_EQ(device.image().size(), 0u) << "no selection: nothing stored";
  device.handle(text(DeviceMessageKind::kSelect, {"CPU-A1"}));
  device.handle(block(1, 1024));
  device.handle(block(2, 1024));
  device.on_disconnect();
  EXPECT_EQ(device.selected(), "");
  EXPECT_EQ(device.image().size(), 0u);
  Reply orphan = device.handle(block(3, 10));
  EXPECT_EQ(orphan.writes, std::vector<std::string>{ack(3)});
  EXPECT_FALSE(orphan.image_ended) << "a block for nobody ends no transfer";
  EXPECT_FALSE(device.image().dirty());
  device.handle(text(DeviceMessageKind::kSelect, {"CPU-A1"}));
  device.handle(block(1, 7));
  EXPECT_EQ(device.image().size(), 7u);
}

TEST(SimulatedDeviceTest, RandomDropsAreRepeatableForASeed) {
  auto drops = [](std::uint32_t seed) {
    FaultPlan plan;
    plan.seed = seed;
    plan.drop_ack_rate = 0.3;
    SimulatedDevice device = make(plan);
    std::string pattern;
    for (int n = 1; n <= 64; ++n)
      pattern += device.handle(block(n, 8)).writes.empty() ? 'x' : '.';
    return pattern;
  };
  EXPECT_EQ(drops(5), drops(5));
  EXPECT_NE(drops(5), drops(6));
  EXPECT_NE(drops(5).find('x'), std::string::npos);
  EXPECT_NE(drops(5).find('.'), std::string::npos);
}

TEST(ReceivedImageTest, WritesTheWholeFileAndClearsDirty) {
  auto path = std::filesystem::temp_directory_path() / "vela-received-image-test.bin";
  ReceivedImage image;
  std::vector<std::uint8_t> data(10, 0xAB);
  image.store(2, data);
  EXPECT_TRUE(image.dirty());
  std::string error;
  ASSERT_TRUE(image.write_to(path.string(), error)) << error;
  EXPECT_FALSE(image.dirty());
  EXPECT_EQ(std::filesystem::file_size(path), 1034u) << "an unsent first block reads as zeros";
  EXPECT_FALSE(std::filesystem::exists(path.string() + ".part"));
  EXPECT_FALSE(image.write_to((path / "no" / "dir").string(), error));
  std::filesystem::remove(path);
}

TEST(SimOptionsTest, ParsesIdentityAndFaultsAndRejectsBadValues) {
  SimOptions options;
  std::string error;
  const char* argv[] = {"--port",          "0",    "--card", "\"A,B\",1,2", "--seed", "9",
                        "--drop-ack-rate", "0.25", "--merge"};
  ASSERT_EQ(parse_sim_options(9, argv, options, error), ParseOutcome::ok) << error;
  ASSERT_EQ(options.identity.cards.size(), 1u);
  EXPECT_EQ(options.identity.cards[0][0], "A,B");
  EXPECT_EQ(options.faults.seed, 9u);
  EXPECT_DOUBLE_EQ(options.faults.drop_ack_rate, 0.25);
  EXPECT_TRUE(options.faults.merge);

  const char* no_port[] = {"--udp"};
  EXPECT_EQ(parse_sim_options(1, no_port, options, error), ParseOutcome::error);
  const char* two_fields[] = {"--port", "1", "--card", "A,B"};
  EXPECT_EQ(parse_sim_options(4, two_fields, options, error), ParseOutcome::error);
  const char* bad_rate[] = {"--port", "1", "--drop-ack-rate", "1.5"};
  EXPECT_EQ(parse_sim_options(4, bad_rate, options, error), ParseOutcome::error);
}

} // namespace
} // namespace vela::tools
