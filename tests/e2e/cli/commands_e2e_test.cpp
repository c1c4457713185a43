// The list and goto-app commands, and every refusal with its exit code.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "tests/e2e/cli/cli_fixture.h"

namespace vela::e2e {
namespace {

using CommandTest = CliTest;

TEST_F(CommandTest, ListShowsQuotedNamesIntactWhetherMergedOrNot) {
  for (bool merge : {false, true}) {
    SCOPED_TRACE(merge ? "merged" : "one write each");
    std::vector<std::string> extra = {"--card", "\"Net, \"\"fast\"\"\",H 3,S3"};
    if (merge)
      extra.push_back("--merge");
    Simulator sim = start_simulator(extra);
    RunResult run = update({"list", "--device", sim.endpoint(), "--json", "--expect-cards", "4",
                            "--announce-wait", "50"});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_NE(run.out.find("{\"device_name\":\"Dev 1\",\"card\":\"Main\",\"hardware\":\"HW1.0\""),
              std::string::npos)
        << run.out;
    EXPECT_NE(
        run.out.find("\"card\":\"Net, \\\"fast\\\"\",\"hardware\":\"H 3\",\"software\":\"S3\""),
        std::string::npos)
        << run.out;
    EXPECT_EQ(count(run.out, "\n"), 1) << "one object: " << run.out;
    EXPECT_EQ(count(run.out, "\"event\":\"list\""), 1);
    EXPECT_EQ(count(run.out, "\"device_name\":\"Dev 1\""), 5);
  }
}

TEST_F(CommandTest, ListPrintsATable) {
  Simulator sim = start_simulator();
  RunResult run = update(
      {"list", "--host", "127.0.0.1", "--port", std::to_string(sim.port), "--expect-cards", "3",
       "--announce-wait", "50"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("Device Name  Card Name  Hardware Version  Software Version\n"
                         "Dev 1        Main       HW1.0             SW1.0\n"
                         "Dev 1        CPU-A1     H1                S1\n"),
            std::string::npos)
      << run.out;
}

TEST_F(CommandTest, GotoAppReachesTheDevice) {
  Simulator sim = start_simulator();
  RunResult run = update({"goto-app", "--device", sim.endpoint()});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  // The updater is done once the command is sent; the simulator logs it when it has read it.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (read_text(sim.log).find("goto-app") == std::string::npos &&
         std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  sim.process->stop();
  EXPECT_NE(read_text(sim.log).find("goto-app"), std::string::npos);
}

TEST_F(CommandTest, RefusalsHaveTheirOwnExitCodes) {
  Simulator sim = start_simulator();
  auto good = write_image(100);
  auto empty = write_image(0);
  auto too_large = write_image(1048578);
  struct Case {
    std::vector<std::string> args;
    int code;
    std::string says;
  };
  const std::string dev = sim.endpoint();
  // The quiet time only ends the wait when a named card is missing.
  const std::vector<std::string> base = {"--pace",          "0", "--select-pause", "0",
                                         "--announce-wait", "50"};
  std::vector<Case> cases = {
      {{}, 2, "name a command"},
      {{"list"}, 2, "name a device"},
      {{"list", "--device", dev, "--bogus"}, 2, "unknown option --bogus (try --help)"},
      {{"list", "--device", dev, "--pace=x"}, 2, "--pace needs a whole number"},
      {{"upgrade", "--device", dev, "--cards", "CPU-A1"}, 2, "--image"},
      {{"list", "--device", "127.0.0.1:1"}, 3, "cannot connect"},
      {{"upgrade", "--device", dev, "--image", good.string(), "--cards", "CPU-Z9"},
       4,
       "no card \"CPU-Z9\""},
      {{"upgrade", "--device", dev, "--image", good.string(), "--cards", "CPU-A1,IO-X"},
       4,
       "Please select the same type of board！"},
      {{"upgrade", "--device", dev, "--image", empty.string(), "--cards", "CPU-A1"}, 5, "empty"},
      {{"upgrade", "--device", dev, "--image", too_large.string(), "--cards", "CPU-A1"},
       5,
       "too large"},
      {{"upgrade", "--device", dev, "--image", (dir_ / "missing.bin").string(), "--cards",
        "CPU-A1"},
       5,
       "missing.bin"},
  };
  for (auto& c : cases) {
    std::vector<std::string> args = c.args;
    if (!args.empty() && args[0] == "upgrade")
      args.insert(args.end(), base.begin(), base.end());
    RunResult run = update(args);
    std::string shown = args.empty() ? "(none)" : args[0] + " " + (args.size() > 2 ? args[2] : "");
    EXPECT_EQ(run.exit_code, c.code) << shown << "\n" << run.out << run.err;
    EXPECT_NE((run.out + run.err).find(c.says), std::string::npos) << shown << "\n"
                                                                   << run.out << run.err;
  }
  // Refused upgrades send nothing: the device never saw a selection or a block.
  sim.process->stop();
  std::string log = read_text(sim.log);
  EXPECT_EQ(log.find("select:"), std::string::npos) << log;
  EXPECT_EQ(log.find("block "), std::string::npos) << log;
}

TEST_F(CommandTest, UdpSimulatorAnswersTheSenderOfEachDatagram) {
  Simulator sim = start_simulator({"--udp"});
  int s = socket(AF_INET, SOCK_DGRAM, 0);
  ASSERT_GE(s, 0);
  timeval timeout{2, 0};
  setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(static_cast<std::uint16_t>(sim.port));
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  auto send = [&](const std::string& bytes) {
    sendto(s, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
  };
  auto receive = [&] {
    char buffer[2048];
    ssize_t n = recv(s, buffer, sizeof buffer, 0);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
  };
  send("!Bootloader:\r\n");
  EXPECT_EQ(receive(), "!Name:\"Dev 1\",HW1.0,SW1.0\r\n");
  EXPECT_EQ(receive(), "!Card:CPU-A1,H1,S1\r\n");
  receive();
  receive();
  send("!Select:CPU-A1\r\n");
  send(std::string("!AData\x00\x01\x00\x03"
                   "abc\r\n",
                   15));
  EXPECT_EQ(receive(), std::string("~AData\x00\x01\r\n", 10));
  close(s);
  EXPECT_EQ(stop_and_read(sim), (std::vector<std::uint8_t>{'a', 'b', 'c'}));
}

// A usage error is one line naming the problem, not the whole help text.
TEST_F(CommandTest, UsageErrorsAreOneLineAndEveryToolHasAVersion) {
  RunResult bad = update({"upgrade", "--device", "h:1", "--image"});
  EXPECT_EQ(bad.exit_code, 2);
  EXPECT_EQ(bad.err, "vela-update: option --image needs a value (try --help)\n");
  EXPECT_TRUE(bad.out.empty());
  RunResult sim_bad = run_program({VELA_BOOTSIM_PATH, "--port", "0", "--seed", "-1"});
  EXPECT_EQ(sim_bad.exit_code, 2);
  EXPECT_EQ(count(sim_bad.err, "\n"), 1) << sim_bad.err;
  EXPECT_NE(sim_bad.err.find("(try --help)"), std::string::npos) << sim_bad.err;
  for (const char* program : {VELA_UPDATE_PATH, VELA_BOOTSIM_PATH}) {
    RunResult version = run_program({program, "--version"});
    EXPECT_EQ(version.exit_code, 0) << program;
    EXPECT_EQ(version.out.rfind(std::filesystem::path(program).filename().string() + " ", 0), 0u)
        << version.out;
    EXPECT_EQ(count(version.out, "\n"), 1) << version.out;
  }
}

TEST_F(CommandTest, HelpListsTheExitCodes) {
  RunResult run = update({"--help"});
  EXPECT_EQ(run.exit_code, 0);
  for (const char* line :
       {"  0  success", "  2  usage error", "  3  cannot connect", "  4  no such card",
        "  5  image refused", "  6  no right acknowledgement", "  7  link closed by the device"}) {
    EXPECT_NE(run.out.find(line), std::string::npos) << line;
  }
}

} // namespace
} // namespace vela::e2e
