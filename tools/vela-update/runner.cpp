#include "tools/vela-update/runner.h"

#include <atomic>
#include <thread>
#include <vector>

#include "tools/vela-update/device_client.h"

namespace vela::tools {

ExitCode run_devices(const UpdateOptions& options, Reporter& reporter) {
  const std::size_t count = options.devices.size();
  std::vector<DeviceResult> results(count);
  std::atomic<std::size_t> next{0};
  // Each job owns its connection and its transfer state; only the reporter is shared.
  auto job = [&] {
    for (std::size_t i = next++; i < count; i = next++) {
      DeviceClient client(options, options.devices[i], reporter);
      results[i] = client.run();
    }
  };
  std::size_t jobs = std::min<std::size_t>(static_cast<std::size_t>(options.jobs), count);
  if (jobs <= 1) {
    job();
  } else {
    std::vector<std::thread> threads;
    for (std::size_t j = 0; j < jobs; ++j)
      threads.emplace_back(job);
    for (auto& t : threads)
      t.join();
  }
  if (count > 1)
    reporter.summary(results);
  for (const auto& r : results) {
    if (r.code != ExitCode::kSuccess)
      return r.code;
  }
  return ExitCode::kSuccess;
}

} // namespace vela::tools
