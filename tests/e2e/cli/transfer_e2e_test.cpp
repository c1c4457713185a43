// vela-update against vela-bootsim over loopback: images arrive byte for byte, whatever
// their size and whatever the device does wrong.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "tests/e2e/cli/cli_fixture.h"

namespace vela::e2e {
namespace {

class ImageSizeTest : public CliTest, public ::testing::WithParamInterface<std::size_t> {};

// The simulator writes its file on a short last block, or, for an image of whole blocks,
// when the connection closes: either way the file is complete while it still runs.
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
  EXPECT_TRUE(file_becomes(sim.received, read_file(image))) << read_text(sim.log);
  EXPECT_EQ(stop_and_read(sim), read_file(image));
}

INSTANTIATE_TEST_SUITE_P(Sizes, ImageSizeTest,
                         ::testing::Values(1, 1023, 1024, 1025, 2048, 1048576, 1048577));

// The device repeats some acknowledgements, each one a moment after the first (the delay
// lets the repeat arrive after the next block has gone out). A repeat may ask for one
// resend; the answers to that resend must not ask for more.
class RepeatedAcknowledgementTest : public CliTest, public ::testing::WithParamInterface<int> {};

TEST_P(RepeatedAcknowledgementTest, CostAtMostOneFrameEach) {
  Simulator sim = start_simulator({"--dup-ack-every", std::to_string(GetParam()), "--ack-delay",
                                   "1", "--dup-ack-gap", "2"});
  auto image = write_image(100 * 1024);
  RunResult run = fast_upgrade(sim, image);
  ASSERT_EQ(run.exit_code, 0) << run.out << run.err;
  EXPECT_EQ(stop_and_read(sim), read_file(image));
  const std::string log = read_text(sim.log);
  const int frames = count(log, "vela-bootsim: block ");
  const int repeats = count(log, "acknowledged twice");
  EXPECT_GT(repeats, 0);
  EXPECT_LE(frames, 100 + repeats) << run.out;
}

INSTANTIATE_TEST_SUITE_P(Periods, RepeatedAcknowledgementTest, ::testing::Values(1, 3, 50));

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

// The refusal lasts far longer than the first attempt takes to come, and the attempts
// (100, one every 50 ms) far longer than the refusal.
TEST_F(TransferTest, ReconnectsAfterRefusalsAndSelectsAgain) {
  Simulator sim = start_simulator({"--close-after-block", "3", "--refuse-for", "1500"});
  auto image = write_image(8000);
  RunResult run =
      fast_upgrade(sim, image, {"--reconnect-delay", "50", "--reconnects", "100"});
  EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
  EXPECT_EQ(count(run.out, "\"event\":\"connected\""), 2) << run.out;
  EXPECT_GE(count(run.out, "reconnecting (1/100)"), 1) << "the first attempt meets a refusal";
  EXPECT_EQ(count(run.out, "\"event\":\"selected\""), 2) << run.out;
  EXPECT_EQ(stop_and_read(sim), read_file(image));
  EXPECT_EQ(count(read_text(sim.log), "select: CPU-A1"), 2);
}

// A device that restarts when the link closes keeps nothing: the image must go again, to
// a new selection, from block 1.
TEST_F(TransferTest, ADeviceThatForgetsOnCloseReceivesTheWholeImageAgain) {
  Simulator sim = start_simulator({"--close-after-block", "3", "--forget-on-close"});
  auto image = write_image(6 * 1024);
  RunResult run = fast_upgrade(sim, image, {"--reconnect-delay", "10"});
  EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
  EXPECT_EQ(stop_and_read(sim), read_file(image));
  const std::string log = read_text(sim.log);
  EXPECT_EQ(count(log, "no card selected"), 0) << log;
  EXPECT_EQ(count(log, "vela-bootsim: block 1:"), 2) << log;
}

// After reconnecting, the cards named must still be there: another device, without the
// card, takes the address while the first one refuses connections.
TEST_F(TransferTest, ACardGoneAfterReconnectingEndsWithItsExitCode) {
  Simulator first = start_simulator({"--close-after-block", "2", "--refuse-for", "60000"});
  std::vector<std::string> args = {"upgrade", "--device", first.endpoint(), "--image",
                                   write_image(5000).string(), "--cards", "CPU-A1", "--pace", "0",
                                   "--select-pause", "0", "--reconnect-delay", "10",
                                   "--reconnects", "1000", "--json"};
  std::vector<std::string> argv = {VELA_UPDATE_PATH};
  argv.insert(argv.end(), args.begin(), args.end());
  Child updater(argv, (dir_ / "update.err").string());
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (read_text(first.log).find("refusing connections") == std::string::npos &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_NE(read_text(first.log).find("refusing connections"), std::string::npos)
      << read_text(dir_ / "update.err");
  Child other({VELA_BOOTSIM_PATH, "--port", std::to_string(first.port), "--card", "IO-X,H2,S2"},
              (dir_ / "other.log").string());
  ASSERT_NE(other.read_line(std::chrono::seconds(10)), "") << read_text(dir_ / "other.log");
  std::string out;
  for (std::string line; (line = updater.read_line(std::chrono::seconds(30))) != "";)
    out += line + "\n";
  EXPECT_NE(out.find("on the device (announced: Main,IO-X)"), std::string::npos) << out;
  EXPECT_NE(out.find("\"exit_code\":4"), std::string::npos) << out;
  EXPECT_EQ(count(read_text(dir_ / "other.log"), "select:"), 0);
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
              "--cards", "CPU-A1", "--pace", "0", "--select-pause", "0"});
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
                          "--select-pause", "0", "--json"});
  EXPECT_EQ(run.exit_code, 3) << run.out << run.err;
  EXPECT_EQ(count(run.out, "\"event\":\"summary\""), 2);
  EXPECT_EQ(stop_and_read(good), read_file(image));
}

} // namespace
} // namespace vela::e2e
