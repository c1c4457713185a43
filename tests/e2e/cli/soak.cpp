// A fault soak of vela-update against vela-bootsim: seeded sessions, each with a random image
// and a random mix of the simulator's faults, each ending with the image intact at the
// simulator or with the exit code documented for the fault injected.
//
//   cli_soak --sessions 300 --seed 1 [--work DIR] [--limit SECONDS] [--verbose]
//            [--update PATH --bootsim PATH]   (other builds of the two programs)
//
// Session i draws everything from the seed and i, so one failing session can be run again
// alone with --first i --sessions 1. Prints one summary line; exits 1 when any session hung,
// crashed, arrived corrupt or ended with another exit code than expected.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/cli/child_process.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// SIGINT or SIGTERM ends the soak after the session running, with its summary.
volatile std::sig_atomic_t g_stop = 0;
extern "C" void on_stop(int) {
  g_stop = 1;
}

struct Session {
  std::size_t size = 0;
  std::vector<std::string> sim_args;    // after the program and the port
  std::vector<std::string> update_args; // after the device and the image
  int expected = 0;
  std::string faults; // a short description for the failure report
};

class Draw {
public:
  explicit Draw(std::uint64_t seed) : random_(seed) {}
  bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
  int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
  // Spread evenly over the orders of magnitude: most images small, some near the limit.
  std::size_t log_uniform(std::size_t lo, std::size_t hi) {
    double x = std::uniform_real_distribution<double>(std::log(double(lo)),
                                                      std::log(double(hi) + 1))(random_);
    return std::clamp<std::size_t>(static_cast<std::size_t>(std::exp(x)), lo, hi);
  }
  std::mt19937_64& engine() { return random_; }

private:
  std::mt19937_64 random_;
};

constexpr std::size_t kMaxImage = 1048577;

std::size_t draw_size(Draw& d) {
  static const std::size_t edges[] = {1, 1023, 1024, 1025, 2048, 1048576, kMaxImage};
  if (d.chance(0.1))
    return edges[d.between(0, 6)];
  if (d.chance(0.25))
    return d.log_uniform(1, 1024) * 1024; // whole blocks only
  return d.log_uniform(1, kMaxImage);
}

void add(std::vector<std::string>& args, std::initializer_list<std::string> words) {
  args.insert(args.end(), words);
}

// The draw. Faults that only cost frames are mixed freely; faults that cost waiting
// (dropped or delayed acknowledgements) are kept few per session so that a session stays
// well under a second. About one session in eight is meant to fail with a known code.
Session draw_session(std::uint64_t seed, std::uint64_t index) {
  Draw d(seed * 1000003u + index);
  Session s;
  s.size = draw_size(d);
  const int blocks = static_cast<int>((s.size + 1023) / 1024);
  auto& sim = s.sim_args;
  auto& up = s.update_args;
  std::string& f = s.faults;
  add(up, {"--cards", "CPU-A1", "--pace", "0", "--select-pause", "0", "--announce-wait", "20",
           "--ack-timeout", "40", "--retries", "40", "--reconnect-delay", "10", "--reconnects",
           "60", "--connect-timeout", "5000"});
  auto fault = [&](std::initializer_list<std::string> words, const std::string& mark) {
    add(sim, words);
    f += " " + mark;
  };
  if (d.chance(0.25)) {
    int k = d.between(2, 20);
    fault({"--wrong-ack-every", std::to_string(k)}, "wrong/" + std::to_string(k));
  }
  if (d.chance(0.25)) {
    int k = d.between(1, 20);
    fault({"--dup-ack-every", std::to_string(k)}, "dup/" + std::to_string(k));
    if (d.chance(0.5))
      fault({"--dup-ack-gap", std::to_string(d.between(1, 2))}, "gap");
  }
  if (d.chance(0.2)) {
    int n = d.between(1, blocks);
    fault({"--drop-ack-at", std::to_string(n)}, "drop@" + std::to_string(n));
  }
  if (d.chance(0.15)) {
    double rate = std::min(0.2, 4.0 / blocks);
    fault({"--seed", std::to_string(d.between(0, 1 << 30)), "--drop-ack-rate",
           std::to_string(rate)},
          "drop%");
  }
  if (blocks <= 64 && d.chance(0.15)) {
    int ms = d.between(1, 3);
    fault({"--ack-delay", std::to_string(ms)}, "delay" + std::to_string(ms));
  }
  if (d.chance(0.2))
    fault({"--split-writes"}, "split");
  if (d.chance(0.3))
    fault({"--merge"}, "merge");
  bool closes = false;
  if (d.chance(0.25)) {
    int n = d.between(1, blocks + 2);
    closes = n <= blocks;
    fault({"--close-after-block", std::to_string(n)}, "close@" + std::to_string(n));
    if (d.chance(0.5)) {
      int ms = d.between(10, 150);
      fault({"--refuse-for", std::to_string(ms)}, "refuse" + std::to_string(ms));
    }
    if (d.chance(0.5))
      fault({"--forget-on-close"}, "forget");
  }
  // The failures with a known code.
  if (d.chance(0.125)) {
    switch (d.between(0, 4)) {
    case 0:
      add(sim, {"--drop-ack-rate", "1"});
      add(up, {"--retries", "2", "--ack-timeout", "15"});
      f += " mute";
      s.expected = 6;
      break;
    case 1:
      add(sim, {"--wrong-ack-every", "1"});
      add(up, {"--retries", "3"});
      f += " always-wrong";
      s.expected = 6;
      break;
    case 2:
      add(up, {"--cards", "CPU-Z9"});
      f += " no-such-card";
      s.expected = 4;
      break;
    case 3:
      if (closes) {
        add(up, {"--reconnects", "0"});
        f += " no-reconnects";
        s.expected = 7;
      }
      break;
    case 4:
      if (closes) {
        // Two attempts 10 ms apart against a refusal of 2 s.
        add(sim, {"--refuse-for", "2000"});
        add(up, {"--reconnects", "2"});
        f += " refused-too-long";
        s.expected = 7;
      }
      break;
    }
  }
  return s;
}

std::vector<char> random_bytes(std::size_t size, std::uint64_t seed) {
  std::vector<char> bytes(size);
  std::mt19937_64 random(seed);
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    std::uint64_t v = random();
    std::copy_n(reinterpret_cast<const char*>(&v), 8, bytes.begin() + static_cast<long>(i));
  }
  for (; i < size; ++i)
    bytes[i] = static_cast<char>(random());
  return bytes;
}

std::vector<char> read_all(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

struct Totals {
  int sessions = 0, identical = 0, hangs = 0, corrupt = 0, crashes = 0, unexpected = 0;
  std::map<int, int> codes;
};

std::string join(const std::vector<std::string>& words) {
  std::string out;
  for (const auto& w : words)
    out += (out.empty() ? "" : " ") + w;
  return out;
}

struct Config {
  std::uint64_t seed = 1;
  std::uint64_t first = 0;
  int sessions = 100;
  int limit_s = 60;
  fs::path work;
  bool verbose = false;
  std::string update = VELA_UPDATE_PATH;
  std::string bootsim = VELA_BOOTSIM_PATH;
};

// One session; returns false (and says why on stderr) when it did not end as it should.
bool run_session(const Config& c, std::uint64_t index, Totals& t) {
  Session s = draw_session(c.seed, index);
  const fs::path image = c.work / "image.bin";
  const fs::path received = c.work / "received.bin";
  const fs::path sim_log = c.work / "sim.log";
  const fs::path update_log = c.work / "update.log";
  fs::remove(received);
  const std::vector<char> bytes = random_bytes(s.size, c.seed ^ (index * 0x9E3779B97F4A7C15ull));
  std::ofstream(image, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));

  std::vector<std::string> sim_argv = {c.bootsim, "--port", "0",          "--quiet",
                                       "--card",  "CPU-A1,H1,S1", "--card", "IO-X,H2,S2",
                                       "--out",   received.string()};
  sim_argv.insert(sim_argv.end(), s.sim_args.begin(), s.sim_args.end());
  vela::e2e::Child sim(sim_argv, sim_log.string());
  const std::string line = sim.read_line(std::chrono::seconds(30));
  const auto colon = line.rfind(':');
  std::vector<std::string> up_argv = {c.update, "upgrade", "--device",
                                      "127.0.0.1:" + (colon == std::string::npos
                                                          ? std::string("0")
                                                          : line.substr(colon + 1)),
                                      "--image", image.string()};
  up_argv.insert(up_argv.end(), s.update_args.begin(), s.update_args.end());

  const int code =
      vela::e2e::run_to_file(up_argv, update_log.string(), std::chrono::seconds(c.limit_s));
  const int sim_code = sim.stop();
  ++t.sessions;
  ++t.codes[code];
  std::string problem;
  if (colon == std::string::npos) {
    problem = "the simulator did not start";
  } else if (code == -1) {
    ++t.hangs;
    problem = "hang";
  } else if (code >= 1000 || sim_code != 0) {
    ++t.crashes;
    problem = "crash (updater " + std::to_string(code) + ", simulator " +
              std::to_string(sim_code) + ")";
  } else if (code != s.expected) {
    ++t.unexpected;
    problem = "exit code " + std::to_string(code) + ", expected " + std::to_string(s.expected);
  } else if (code == 0) {
    if (read_all(received) == bytes) {
      ++t.identical;
    } else {
      ++t.corrupt;
      problem = "corrupt: " + std::to_string(fs::exists(received) ? fs::file_size(received) : 0) +
                " bytes received";
    }
  }
  if (c.verbose || !problem.empty()) {
    std::fprintf(stderr, "session %llu: %zu bytes,%s -> %d%s%s\n",
                 static_cast<unsigned long long>(index), s.size,
                 s.faults.empty() ? " no faults" : s.faults.c_str(), code,
                 problem.empty() ? "" : ": ", problem.c_str());
  }
  if (problem.empty())
    return true;
  std::fprintf(stderr, "  vela-bootsim %s\n  vela-update %s\n", join(s.sim_args).c_str(),
               join(s.update_args).c_str());
  std::ifstream log(update_log);
  std::string text((std::istreambuf_iterator<char>(log)), {});
  if (text.size() > 2000)
    text = "..." + text.substr(text.size() - 2000);
  std::fprintf(stderr, "%s\n", text.c_str());
  return false;
}

bool parse(int argc, char** argv, Config& c) {
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto next = [&](const char* name) -> const char* {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "cli_soak: %s needs a value\n", name);
        std::exit(2);
      }
      return argv[++i];
    };
    if (a == "--sessions")
      c.sessions = std::atoi(next("--sessions"));
    else if (a == "--seed")
      c.seed = std::strtoull(next("--seed"), nullptr, 10);
    else if (a == "--first")
      c.first = std::strtoull(next("--first"), nullptr, 10);
    else if (a == "--limit")
      c.limit_s = std::atoi(next("--limit"));
    else if (a == "--work")
      c.work = next("--work");
    else if (a == "--update")
      c.update = next("--update");
    else if (a == "--bootsim")
      c.bootsim = next("--bootsim");
    else if (a == "--verbose")
      c.verbose = true;
    else {
      std::fprintf(stderr, "cli_soak: unknown argument %s (see the head of soak.cpp)\n",
                   a.c_str());
      return false;
    }
  }
  return c.sessions > 0 && c.limit_s > 0;
}

} // namespace

int main(int argc, char** argv) {
  Config c;
  if (!parse(argc, argv, c))
    return 2;
  const bool own_work = c.work.empty();
  if (own_work)
    c.work = fs::temp_directory_path() / ("vela-soak-" + std::to_string(getpid()));
  fs::create_directories(c.work);
  signal(SIGPIPE, SIG_IGN);
  signal(SIGINT, on_stop);
  signal(SIGTERM, on_stop);
  Totals t;
  const auto start = Clock::now();
  for (int i = 0; i < c.sessions && !g_stop; ++i)
    run_session(c, c.first + static_cast<std::uint64_t>(i), t);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::string codes;
  for (const auto& [code, n] : t.codes)
    codes += " " + (code == -1 ? std::string("killed") : std::to_string(code)) + ":" +
             std::to_string(n);
  std::printf("soak: %d sessions (seed %llu), %d identical, exit codes%s, %d unexpected, "
              "%d hangs, %d corrupt, %d crashes, %.0f s\n",
              t.sessions, static_cast<unsigned long long>(c.seed), t.identical, codes.c_str(),
              t.unexpected, t.hangs, t.corrupt, t.crashes, seconds);
  if (own_work)
    fs::remove_all(c.work);
  return t.hangs + t.corrupt + t.crashes + t.unexpected == 0 ? 0 : 1;
}
