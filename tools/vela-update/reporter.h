// What vela-update tells its user: events of each device's run, as human-readable lines, a
// progress bar on a terminal, or one JSON object per event. Reporters are shared by the
// jobs of a bulk run and serialise their output.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "tools/common/progress.h"
#include "tools/vela-update/exit_codes.h"

namespace vela::tools {

struct BoardRow {
  std::string device, card, hardware, software;
};

enum class EventKind { connected, announced, selected, block, retry, done, error, note };

struct Event {
  EventKind kind = EventKind::note;
  std::string device{}; // "HOST:PORT"
  std::string text{};   // message, reason, card list
  BoardRow row{};       // announced
  std::int32_t block = 0, blocks = 0;
  std::int64_t bytes = 0, total = 0;  // block: progress in bytes
  int attempt = 0;                    // retry
  ExitCode code = ExitCode::kSuccess; // error
  double seconds = 0;                 // done: from the first block to the last acknowledgement
};

struct DeviceResult {
  std::string device;
  ExitCode code = ExitCode::kSuccess;
  std::string message;
  std::int32_t blocks = 0;
  int retries = 0;
  double seconds = 0;
};

class Reporter {
public:
  virtual ~Reporter() = default;
  virtual void emit(const Event& event) = 0;
  // The rows of one device (the list command).
  virtual void list(const std::string& device, const std::vector<BoardRow>& rows) = 0;
  // One line per device at the end of a bulk run.
  virtual void summary(const std::vector<DeviceResult>& results) = 0;
  // Writes out what is held back (the JSON block lines); called when the link is quiet.
  virtual void flush() {}
};

// json: one object per line on out. Otherwise lines on out, with a progress bar on a
// terminal when only one device runs.
std::unique_ptr<Reporter> make_reporter(bool json, bool progress_bar, std::FILE* out);

// The table of the list command, columns padded to their widest text.
std::string format_table(const std::vector<BoardRow>& rows);

} // namespace vela::tools
