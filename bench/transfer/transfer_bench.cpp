// Whole transfers between vela-update and vela-bootsim over loopback.
//
// At --pace 100 the ideal time is one timer period between blocks (1024 x 100 ms for 1 MiB); the
// counters report the measured time as a ratio of that and the overhead per block. At
// --pace 0 the link runs as fast as acknowledgements come back; the counter is MB/s.
// The time measured is the transfer itself, from the first block to the last
// acknowledgement, as vela-update reports it in its "done" event.
//
// The reference for --pace 0 is a plain lock-step exchange over loopback between two
// processes, nothing but blocking send and recv of a block frame's size (1036 bytes) and an
// acknowledgement's (10 bytes) with Nagle off: what any program that waits for each answer
// cannot beat on this machine. UnpacedTransfer reports its time per block next to the
// updater's, measured in the same run.
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "tests/e2e/cli/child_process.h"

namespace {

using vela::e2e::Child;

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
  // The report goes to a file: a reader woken by every block's line would be timed too.
  const auto report = image.string() + ".json";
  int code = vela::e2e::run_to_file(
      {VELA_UPDATE_PATH, "upgrade", "--device", "127.0.0.1:" + line.substr(colon + 1), "--image",
       image.string(), "--cards", "CPU-A1", "--pace", std::to_string(pace_ms), "--select-pause",
       "0", "--json"},
      report, std::chrono::minutes(5));
  std::ifstream in(report);
  const std::string out((std::istreambuf_iterator<char>(in)), {});
  std::filesystem::remove(report);
  if (code != 0)
    return -1;
  return number_after(out, "seconds");
}

void PacedTransfer(benchmark::State& state) {
  const auto size = static_cast<std::size_t>(state.range(0));
  const int pace = 100;
  auto image = make_image(size);
  const double blocks = static_cast<double>((size + 1023) / 1024);
  // Block 1 goes at the start of the measured time, each next one a period later.
  const double ideal = (blocks - 1) * pace / 1000.0;
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

bool exchange(int fd, void* in, std::size_t in_size, const void* out, std::size_t out_size) {
  for (std::size_t got = 0; got < in_size;) {
    ssize_t n = recv(fd, static_cast<char*>(in) + got, in_size - got, 0);
    if (n <= 0)
      return false;
    got += static_cast<std::size_t>(n);
  }
  return out_size == 0 || send(fd, out, out_size, 0) == static_cast<ssize_t>(out_size);
}

void no_delay(int fd) {
  int one = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

// Seconds per block of the lock-step exchange, `blocks` round trips; negative on failure.
double lockstep_seconds_per_block(int blocks) {
  constexpr std::size_t kFrame = 1036, kAck = 10;
  int listener = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener, 1) != 0 ||
      getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    close(listener);
    return -1;
  }
  pid_t device = fork();
  if (device == 0) {
    int fd = accept(listener, nullptr, nullptr);
    no_delay(fd);
    char frame[kFrame];
    const char ack[kAck] = {'~', 'A', 'D', 'a', 't', 'a', 0, 1, '\r', '\n'};
    while (exchange(fd, frame, kFrame, ack, kAck)) {
    }
    _exit(0);
  }
  close(listener);
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  double seconds = -1;
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
    no_delay(fd);
    char frame[kFrame] = {'!', 'A', 'D', 'a', 't', 'a'};
    char ack[kAck];
    auto start = std::chrono::steady_clock::now();
    int done = 0;
    while (done < blocks && send(fd, frame, kFrame, 0) == static_cast<ssize_t>(kFrame) &&
           exchange(fd, ack, kAck, nullptr, 0)) {
      ++done;
    }
    if (done == blocks)
      seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                blocks;
  }
  close(fd);
  waitpid(device, nullptr, 0);
  return seconds;
}

void LockstepReference(benchmark::State& state) {
  const int blocks = static_cast<int>(state.range(0));
  double per_block = 0;
  for (auto _ : state) {
    per_block = lockstep_seconds_per_block(blocks);
    if (per_block < 0) {
      state.SkipWithError("loopback exchange failed");
      return;
    }
    state.SetIterationTime(per_block * blocks);
  }
  state.counters["us_per_block"] = per_block * 1e6;
}
BENCHMARK(LockstepReference)->Arg(1025)->Iterations(5)->UseManualTime()->Unit(
    benchmark::kMillisecond);

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Each transfer is followed by a lock-step exchange of as many blocks, so that both see the
// same load; the machine is shared, so the counters are medians over the pairs.
void UnpacedTransfer(benchmark::State& state) {
  const auto size = static_cast<std::size_t>(state.range(0));
  const int blocks = static_cast<int>((size + 1023) / 1024);
  auto image = make_image(size);
  std::vector<double> per_block, reference, ratio;
  for (auto _ : state) {
    double seconds = one_transfer(image, 0);
    double lockstep = lockstep_seconds_per_block(blocks);
    if (seconds <= 0 || lockstep <= 0) {
      state.SkipWithError("transfer failed");
      return;
    }
    state.SetIterationTime(seconds);
    per_block.push_back(seconds / blocks);
    reference.push_back(lockstep);
    ratio.push_back(per_block.back() / lockstep);
  }
  state.counters["MB_per_s"] = static_cast<double>(size) / (median(per_block) * blocks) / 1e6;
  state.counters["us_per_block"] = median(per_block) * 1e6;
  state.counters["lockstep_us_per_block"] = median(reference) * 1e6;
  state.counters["ratio_to_lockstep"] = median(ratio);
}
BENCHMARK(UnpacedTransfer)
    ->Arg(1048577)
    ->Iterations(11)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
