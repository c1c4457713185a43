#include "tests/e2e/cli/cli_fixture.h"

#include <unistd.h>

#include <chrono>
#include <fstream>
#include <random>
#include <thread>

namespace vela::e2e {

void CliTest::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  for (char& c : name) {
    if (c == '/')
      c = '_';
  }
  dir_ = std::filesystem::temp_directory_path() /
         ("vela-cli-" + name + "-" + std::to_string(getpid()));
  std::filesystem::remove_all(dir_);
  std::filesystem::create_directories(dir_);
}

void CliTest::TearDown() {
  if (!HasFailure())
    std::filesystem::remove_all(dir_);
}

Simulator CliTest::start_simulator(const std::vector<std::string>& extra) {
  Simulator sim;
  int n = ++sims_;
  sim.received = dir_ / ("received-" + std::to_string(n) + ".bin");
  sim.log = dir_ / ("bootsim-" + std::to_string(n) + ".log");
  std::vector<std::string> argv = {VELA_BOOTSIM_PATH,
                                   "--port",
                                   "0",
                                   "--device",
                                   "Dev 1,HW1.0,SW1.0",
                                   "--card",
                                   "CPU-A1,H1,S1",
                                   "--card",
                                   "CPU-B1,H1,S1",
                                   "--card",
                                   "IO-X,H2,S2",
                                   "--out",
                                   sim.received.string()};
  argv.insert(argv.end(), extra.begin(), extra.end());
  sim.process = std::make_unique<Child>(argv, sim.log.string());
  std::string line = sim.process->read_line(std::chrono::seconds(10));
  const std::string prefix = "listening on 127.0.0.1:";
  if (line.rfind(prefix, 0) != 0) {
    ADD_FAILURE() << "simulator did not start: \"" << line << "\"";
    return sim;
  }
  sim.port = std::stoi(line.substr(prefix.size()));
  return sim;
}

RunResult CliTest::update(const std::vector<std::string>& args) {
  std::vector<std::string> argv = {VELA_UPDATE_PATH};
  argv.insert(argv.end(), args.begin(), args.end());
  return run_program(argv);
}

RunResult CliTest::fast_upgrade(const Simulator& sim, const std::filesystem::path& image,
                                const std::vector<std::string>& extra) {
  std::vector<std::string> args = {
      "upgrade", "--device",       sim.endpoint(), "--image", image.string(), "--cards",
      "CPU-A1",  "--pace",         "0",            "--select-pause",        "0",
      "--json"};
  args.insert(args.end(), extra.begin(), extra.end());
  return update(args);
}

std::filesystem::path CliTest::write_image(std::size_t size, unsigned seed) {
  std::vector<char> bytes(size);
  std::mt19937 random(seed);
  for (auto& b : bytes)
    b = static_cast<char>(random());
  // Frames must survive image bytes that look like protocol text.
  if (size > 40)
    std::copy_n("\r\n~AData\x00\x01\r\n!Name:x\r\n", 21, bytes.begin() + 10);
  auto path = dir_ / ("image-" + std::to_string(size) + ".bin");
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(size));
  return path;
}

std::vector<std::uint8_t> CliTest::read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::uint8_t> CliTest::stop_and_read(Simulator& sim) {
  EXPECT_EQ(sim.process->stop(), 0) << "the simulator should end cleanly on SIGTERM";
  return read_file(sim.received);
}

bool CliTest::file_becomes(const std::filesystem::path& path,
                           const std::vector<std::uint8_t>& expected) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (read_file(path) != expected) {
    if (std::chrono::steady_clock::now() >= deadline)
      return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

std::string CliTest::read_text(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

int CliTest::count(const std::string& text, const std::string& needle) {
  int n = 0;
  for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
    ++n;
  return n;
}

} // namespace vela::e2e
