// Shared set-up of the whole-program tests: a simulator per test, vela-update runs, images
// written to a private directory and compared byte for byte.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/cli/child_process.h"

namespace vela::e2e {

struct Simulator {
  std::unique_ptr<Child> process;
  int port = 0;
  std::filesystem::path received; // --out
  std::filesystem::path log;      // its standard error
  std::string endpoint() const { return "127.0.0.1:" + std::to_string(port); }
};

class CliTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // A simulator announcing "Dev 1" with the cards CPU-A1, CPU-B1 and IO-X (plus extra).
  Simulator start_simulator(const std::vector<std::string>& extra = {});
  // vela-update with the arguments given.
  RunResult update(const std::vector<std::string>& args);
  // upgrade of `image` to CPU-A1 at --pace 0 without the select pause, plus extra.
  RunResult fast_upgrade(const Simulator& sim, const std::filesystem::path& image,
                         const std::vector<std::string>& extra = {});

  std::filesystem::path write_image(std::size_t size, unsigned seed = 1);
  static std::vector<std::uint8_t> read_file(const std::filesystem::path& path);
  // Stops the simulator (it writes its image on exit) and returns what it received.
  std::vector<std::uint8_t> stop_and_read(Simulator& sim);
  // Waits (up to 30 s) until the simulator's file holds `expected`; false if it never does.
  static bool file_becomes(const std::filesystem::path& path,
                           const std::vector<std::uint8_t>& expected);
  static std::string read_text(const std::filesystem::path& path);
  static int count(const std::string& text, const std::string& needle);

  std::filesystem::path dir_;
  int sims_ = 0;
};

} // namespace vela::e2e
