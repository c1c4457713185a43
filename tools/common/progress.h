// Progress of a transfer on a terminal: bar, percent, bytes per second and time left.
//
//   vela::tools::ProgressLine line(stderr, "10.0.0.5:5000", total_bytes);
//   line.update(done_bytes);   // redraws at most every 100 ms, in place with '\r'
//   line.finish();             // final state and a line feed
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

namespace vela::tools {

// "1.5 MB", "980 B": decimal units, one decimal.
std::string format_bytes(double bytes);
// "0:07", "12:03", "1:02:03"; "--:--" when unknown.
std::string format_duration(double seconds);

// The whole line for done of total bytes after elapsed seconds, fitted into width columns.
std::string format_progress(const std::string& label, std::int64_t done, std::int64_t total,
                            double elapsed_seconds, int width);

class ProgressLine {
public:
  ProgressLine(std::FILE* out, std::string label, std::int64_t total);
  void update(std::int64_t done);
  void finish();

private:
  void draw(std::int64_t done);
  std::FILE* out_;
  std::string label_;
  std::int64_t total_;
  int width_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point last_draw_{};
  std::int64_t last_done_ = -1;
  std::size_t last_width_ = 0;
};

} // namespace vela::tools
