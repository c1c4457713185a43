// Whole transfers between vela-update and vela-bootsim over loopback.
//
// At --pace 100 the ideal time is one timer period per block (1025 x 100 ms for 1 MiB); the
// counters report the measured time as a ratio of that and the overhead per block. At
// --pace 0 the link runs as fast as acknowledgements come back; the counter is MB/s.
// The time measured is the transfer itself, from the first block to the last
// acknowledgement, as vela-update reports it in its "done" event.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "tests/e2e/cli/child_process.h"

namespace {

using vela::e2e::Child;
using vela::e2e::run_program;

std::filesystem::path make_image(std::size_t size) {
  auto path = std::filesystem::temp_directory_path() /
              ("vela-bench-image-" + std::to_string(size) + ".bin");
  std::vector<char> bytes(size);
  std::mt19937 random(size);
  for (auto& b : bytes)
    b = static_cast<char>(random());
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(size));
  return path;
}

double number_after(const std::string& text, const std::string& key) {
  auto at = text.rfind("\"" + key + "\":");
  return at == std::string::npos ? -1.0 : std::stod(text.substr(at + key.size() + 3));
}

// Runs one upgrade and returns its transfer time in seconds (negative on failure).
double one_transfer(const std::filesystem::path& image, int pace_ms) {
  Child sim({VELA_BOOTSIM_PATH, "--port", "0", "--quiet", "--card", "CPU-A1,H,S"}, "/dev/null");
  std::string line = sim.read_line(std::chrono::seconds(10));
  auto colon = line.rfind(':');
  if (colon == std::string::npos)
    return -1;
  auto run = run_program({VELA_UPDATE_PATH, "upgrade", "--device",
                          "127.0.0.1:" + line.substr(colon + 1), "--image", image.string(),
                          "--cards", "CPU-A1", "--pace", std::to_string(pace_ms), "--select-pause",
                          "0", "--announce-wait", "20", "--json"},
                         std::chrono::minutes(5));
  if (run.exit_code != 0)
    return -1;
  return number_after(run.out, "seconds");
}

void PacedTransfer(benchmark::State& state) {
  const auto size = static_cast<std::size_t>(state.range(0));
  const int pace = 100;
  auto image = make_image(size);
  const double blocks = static_cast<double>((size + 1023) / 1024);
  const double ideal = blocks * pace / 1000.0;
  double measured = 0;
  for (auto _ : state) {
    measured = one_transfer(image, pace);
    if (measured < 0) {
      state.SkipWithError("transfer failed");
      return;
    }
    state.SetIterationTime(measured);
  }
  state.counters["ideal_s"] = ideal;
  state.counters["ratio_to_ideal"] = measured / ideal;
  state.counters["overhead_per_block_ms"] = (measured - ideal) * 1000.0 / blocks;
}
BENCHMARK(PacedTransfer)
    ->Arg(64 * 1024)
    ->Arg(1048577)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

void UnpacedTransfer(benchmark::State& state) {
  const auto size = static_cast<std::size_t>(state.range(0));
  auto image = make_image(size);
  double total = 0;
  int runs = 0;
  for (auto _ : state) {
    double seconds = one_transfer(image, 0);
    if (seconds <= 0) {
      state.SkipWithError("transfer failed");
      return;
    }
    state.SetIterationTime(seconds);
    total += seconds;
    ++runs;
  }
  state.counters["MB_per_s"] = static_cast<double>(size) * runs / total / 1e6;
  state.counters["us_per_block"] = total / runs * 1e6 / static_cast<double>((size + 1023) / 1024);
}
BENCHMARK(UnpacedTransfer)
    ->Arg(1048577)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
