// vela-update against vela-bootsim over loopback: images arrive byte for byte, whatever
// their size and whatever the device does wrong.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/e2e/cli/cli_fixture.h"

namespace vela::e2e {
namespace {

class ImageSizeTest : public CliTest, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(ImageSizeTest, ArrivesByteForByte) {
  Simulator sim = start_simulator();
  auto image = write_image(GetParam());
  RunResult run = fast_upgrade(sim, image);
  EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
  const int blocks = static_cast<int>((GetParam() + 1023) / 1024);
  EXPECT_NE(
      run.out.find("\"block\":" + std::to_string(blocks) + ",\"blocks\":" + std::to_string(blocks)),
      std::string::npos);
  EXPECT_EQ(count(run.out, "\"event\":\"done\""), 1);
  EXPECT_EQ(stop_and_read(sim), read_file(image));
}

INSTANTIATE_TEST_SUITE_P(Sizes, ImageSizeTest,
                         ::testing::Values(1, 1023, 1024, 1025, 2048, 1048577));

using TransferTest = CliTest;

// The only run at the GUI's own timing: 2000 ms after the select message, 100 ms per block.
TEST_F(TransferTest, DefaultPaceSendsEventsInOrder) {
  Simulator sim = start_simulator();
  auto image = write_image(2500);
  RunResult run = update({"upgrade", "--host", "127.0.0.1", "--port", std::to_string(sim.port),
                          "--image", image.string(), "--cards", "CPU-A1,CPU-B1", "--json"});
  ASSERT_EQ(run.exit_code, 0) << run.out << run.err;
  std::vector<std::string> order = {"\"connected\"", "\"announced\"", "\"selected\"",
                                    "\"block\":1,",  "\"block\":2,",  "\"block\":3,",
                                    "\"done\""};
  std::size_t at = 0;
  for (const auto& step : order) {
    at = run.out.find(step, at);
    ASSERT_NE(at, std::string::npos) << "missing or out of order: " << step << "\n" << run.out;
  }
  EXPECT_EQ(count(run.out, "\"event\":\"announced\""), 4);
  EXPECT_EQ(count(run.out, "\"event\":\"retry\""), 0);
  EXPECT_EQ(stop_and_read(sim), read_file(image));
  EXPECT_NE(read_text(sim.log).find("select: CPU-A1,CPU-B1"), std::string::npos);
}

TEST_F(TransferTest, WrongAcknowledgementsResendTheBlock) {
  Simulator sim = start_simulator({"--wrong-ack-every", "3"});
  auto image = write_image(20000);
  RunResult run = fast_upgrade(sim, image);
  EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
  EXPECT_GT(count(run.out, "\"reason\":\"acknowledgement of another block\""), 0);
  EXPECT_EQ(stop_and_read(sim), read_file(image));
}

// A repeated acknowledgement re-arms the block already due; whether that block goes out a
// second time depends on whether the repeat arrives before or after it was sent, so only the
// outcome is fixed: the transfer completes with the image intact.
TEST_F(TransferTest, DuplicatedAcknowledgementsDoNotDisturbTheTransfer) {
  Simulator sim = start_simulator({"--dup-ack-every", "3"});
  auto image = write_image(20000);
  RunResult run = fast_upgrade(sim, image);
  EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
  EXPECT_EQ(stop_and_read(sim), read_file(image));
  EXPECT_NE(read_text(sim.log).find("acknowledged twice"), std::string::npos);
}

TEST_F(TransferTest, LostAcknowledgementsAreResentAfterTheTimeout) {
  Simulator dropped_once = start_simulator({"--drop-ack-at", "5"});
  auto image = write_image(10000);
  RunResult run = fast_upgrade(dropped_once, image, {"--ack-timeout", "150"});
  EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
  EXPECT_EQ(count(run.out, "\"block\":5,\"attempt\":1,\"reason\":\"no acknowledgement"), 1)
      << run.out;
  EXPECT_EQ(stop_and_read(dropped_once), read_file(image));

  Simulator random_drops = start_simulator({"--seed", "7", "--drop-ack-rate", "0.2"});
  auto big = write_image(40000, 2);
  run = fast_upgrade(random_drops, big, {"--ack-timeout", "60", "--retries", "20"});
  EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
  EXPECT_GT(count(run.out, "\"event\":\"retry\""), 0);
  EXPECT_EQ(stop_and_read(random_drops), read_file(big));
}

TEST_F(TransferTest, SilencePastTheRetriesEndsWithItsExitCode) {
  Simulator sim = start_simulator({"--drop-ack-rate", "1"});
  RunResult run = fast_upgrade(sim, write_image(3000), {"--ack-timeout", "80", "--retries", "2"});
  EXPECT_EQ(run.exit_code, 6) << run.out << run.err;
  EXPECT_EQ(count(run.out, "\"event\":\"retry\""), 2);
  EXPECT_NE(run.out.find("\"exit_code\":6"), std::string::npos);
}

TEST_F(TransferTest, ReconnectsAfterTheDeviceClosesAndResumes) {
  Simulator sim = start_simulator({"--close-after-block", "3", "--refuse-for", "700"});
  auto image = write_image(8000);
  RunResult run = fast_upgrade(sim, image, {"--reconnect-delay", "500"});
  EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
  EXPECT_EQ(count(run.out, "\"event\":\"connected\""), 2) << run.out;
  EXPECT_GE(count(run.out, "reconnecting (1/7)"), 1) << "the first attempt meets a refusal";
  EXPECT_EQ(count(run.out, "\"reason\":\"reconnected\""), 1);
  EXPECT_EQ(stop_and_read(sim), read_file(image));
}

TEST_F(TransferTest, LinkClosedWithoutReconnectingEndsWithItsExitCode) {
  Simulator sim = start_simulator({"--close-after-block", "2"});
  RunResult run = fast_upgrade(sim, write_image(5000), {"--reconnects", "0"});
  EXPECT_EQ(run.exit_code, 7) << run.out << run.err;
}

TEST_F(TransferTest, SplitAndDelayedRepliesStillComplete) {
  Simulator sim = start_simulator({"--split-writes", "--ack-delay", "5"});
  auto image = write_image(6000);
  RunResult run = fast_upgrade(sim, image);
  EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
  EXPECT_EQ(count(run.out, "\"event\":\"announced\""), 4) << run.out;
  EXPECT_EQ(count(run.out, "\"event\":\"retry\""), 0) << run.out;
  EXPECT_EQ(stop_and_read(sim), read_file(image));
}

TEST_F(TransferTest, SeveralDevicesAtOnceEachReceiveTheImage) {
  Simulator a = start_simulator();
  Simulator b = start_simulator({"--wrong-ack-every", "4"});
  auto image = write_image(30000);
  auto list = dir_ / "devices.txt";
  std::ofstream(list) << "# bench\n" << a.endpoint() << "\n\n  " << b.endpoint() << "\r\n";
  RunResult run =
      update({"upgrade", "--devices", list.string(), "--jobs", "2", "--image", image.string(),
              "--cards", "CPU-A1", "--pace", "0", "--select-pause", "0", "--announce-wait", "50"});
  EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
  EXPECT_EQ(count(run.out, " ok "), 2) << run.out;
  EXPECT_EQ(stop_and_read(a), read_file(image));
  EXPECT_EQ(stop_and_read(b), read_file(image));
}

TEST_F(TransferTest, OneFailingDeviceGivesItsExitCodeAndTheOthersFinish) {
  Simulator good = start_simulator();
  auto image = write_image(3000);
  RunResult run = update({"upgrade", "--device", "127.0.0.1:1", "--device", good.endpoint(),
                          "--image", image.string(), "--cards", "CPU-A1", "--pace", "0",
                          "--select-pause", "0", "--announce-wait", "50", "--json"});
  EXPECT_EQ(run.exit_code, 3) << run.out << run.err;
  EXPECT_EQ(count(run.out, "\"event\":\"summary\""), 2);
  EXPECT_EQ(stop_and_read(good), read_file(image));
}

} // namespace
} // namespace vela::e2e
