#include "tools/common/progress.h"

#include <algorithm>
#include <cmath>

#include "tools/common/console.h"

namespace vela::tools {

std::string format_bytes(double bytes) {
  static const char* const units[] = {"B", "kB", "MB", "GB"};
  int unit = 0;
  while (bytes >= 1000.0 && unit < 3) {
    bytes /= 1000.0;
    ++unit;
  }
  char buffer[32];
  if (unit == 0) {
    std::snprintf(buffer, sizeof buffer, "%.0f B", bytes);
  } else {
    std::snprintf(buffer, sizeof buffer, "%.1f %s", bytes, units[unit]);
  }
  return buffer;
}

std::string format_duration(double seconds) {
  if (!std::isfinite(seconds) || seconds < 0 || seconds > 359999)
    return "--:--";
  long total = std::lround(seconds);
  long h = total / 3600, m = (total / 60) % 60, s = total % 60;
  char buffer[32];
  if (h > 0) {
    std::snprintf(buffer, sizeof buffer, "%ld:%02ld:%02ld", h, m, s);
  } else {
    std::snprintf(buffer, sizeof buffer, "%ld:%02ld", m, s);
  }
  return buffer;
}

std::string format_progress(const std::string& label, std::int64_t done, std::int64_t total,
                            double elapsed_seconds, int width) {
  done = std::clamp<std::int64_t>(done, 0, std::max<std::int64_t>(total, 0));
  double fraction = total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 1.0;
  // The first moments of a run say nothing about its rate.
  bool measured = elapsed_seconds >= 0.25;
  double rate = measured ? static_cast<double>(done) / elapsed_seconds : 0.0;
  double left = rate > 0 ? static_cast<double>(total - done) / rate : NAN;
  char tail[96];
  std::snprintf(tail, sizeof tail, " %3d%%  %s/s  ETA %s",
                static_cast<int>(std::floor(fraction * 100.0)),
                measured ? format_bytes(rate).c_str() : "--", format_duration(left).c_str());
  std::string head = label.empty() ? std::string() : label + " ";
  int bar = width - static_cast<int>(head.size() + std::string(tail).size()) - 2;
  if (bar < 5) {
    return head + std::string(tail).substr(1);
  }
  bar = std::min(bar, 40);
  int filled = static_cast<int>(std::floor(fraction * bar));
  return head + "[" + std::string(static_cast<std::size_t>(filled), '#') +
         std::string(static_cast<std::size_t>(bar - filled), '-') + "]" + tail;
}

ProgressLine::ProgressLine(std::FILE* out, std::string label, std::int64_t total)
    : out_(out), label_(std::move(label)), total_(total), width_(terminal_width(out) - 1),
      start_(std::chrono::steady_clock::now()) {}

void ProgressLine::update(std::int64_t done) {
  auto now = std::chrono::steady_clock::now();
  if (done == last_done_ || now - last_draw_ < std::chrono::milliseconds(100))
    return;
  last_draw_ = now;
  draw(done);
}

void ProgressLine::finish() {
  draw(total_);
  std::fputc('\n', out_);
  std::fflush(out_);
}

void ProgressLine::draw(std::int64_t done) {
  last_done_ = done;
  double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  std::string line = format_progress(label_, done, total_, elapsed, width_);
  // Blanks rather than an escape sequence wipe a longer previous line on every console.
  std::size_t shown = line.size();
  if (shown < last_width_)
    line.append(last_width_ - shown, ' ');
  last_width_ = shown;
  std::fprintf(out_, "\r%s", line.c_str());
  std::fflush(out_);
}

} // namespace vela::tools
