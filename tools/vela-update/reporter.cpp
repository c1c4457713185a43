#include "tools/vela-update/reporter.h"

#include <algorithm>
#include <chrono>
#include <map>

#include "tools/common/json.h"

namespace vela::tools {
namespace {

const char* event_name(EventKind kind) {
  switch (kind) {
  case EventKind::connected:
    return "connected";
  case EventKind::announced:
    return "announced";
  case EventKind::selected:
    return "selected";
  case EventKind::block:
    return "block";
  case EventKind::retry:
    return "retry";
  case EventKind::done:
    return "done";
  case EventKind::error:
    return "error";
  case EventKind::note:
    return "note";
  }
  return "note";
}

std::string row_json(const BoardRow& row) {
  return JsonObject()
      .add("device_name", row.device)
      .add("card", row.card)
      .add("hardware", row.hardware)
      .add("software", row.software)
      .str();
}

class JsonReporter final : public Reporter {
public:
  explicit JsonReporter(std::FILE* out) : out_(out) {}

  void emit(const Event& e) override {
    JsonObject o;
    o.add("event", event_name(e.kind)).add("device", e.device);
    switch (e.kind) {
    case EventKind::announced:
      o.add_raw("row", row_json(e.row));
      break;
    case EventKind::selected:
      o.add("cards", e.text);
      break;
    case EventKind::block:
      o.add("block", e.block).add("blocks", e.blocks);
      o.add("bytes", static_cast<long long>(e.bytes)).add("total", static_cast<long long>(e.total));
      break;
    case EventKind::retry:
      o.add("block", e.block).add("attempt", e.attempt).add("reason", e.text);
      break;
    case EventKind::error:
      o.add("exit_code", as_int(e.code)).add("message", e.text);
      break;
    case EventKind::done:
      if (!e.text.empty())
        o.add("message", e.text);
      if (e.total > 0)
        o.add("bytes", static_cast<long long>(e.total)).add("seconds", e.seconds);
      break;
    case EventKind::note:
      if (!e.text.empty())
        o.add("message", e.text);
      break;
    case EventKind::connected:
      break;
    }
    print(o.str(), e.kind != EventKind::block);
  }

  void flush() override {
    std::lock_guard lock(mutex_);
    std::fflush(out_);
  }

  void list(const std::string& device, const std::vector<BoardRow>& rows) override {
    std::vector<std::string> items;
    for (const auto& row : rows)
      items.push_back(row_json(row));
    print(JsonObject()
              .add("event", "list")
              .add("device", device)
              .add_raw("rows", json_array(items))
              .str());
  }

  void summary(const std::vector<DeviceResult>& results) override {
    for (const auto& r : results) {
      print(JsonObject()
                .add("event", "summary")
                .add("device", r.device)
                .add("exit_code", as_int(r.code))
                .add("message", r.message)
                .add("blocks", r.blocks)
                .add("retries", r.retries)
                .add("seconds", r.seconds)
                .str());
    }
  }

private:
  // At --pace 0 a block line comes every few microseconds, and writing each out at once put
  // a system call between one acknowledgement and the next frame. Block lines are written
  // out at least every 100 ms (and whenever the link is quiet); every other line at once.
  void print(const std::string& line, bool at_once = true) {
    std::lock_guard lock(mutex_);
    std::fprintf(out_, "%s\n", line.c_str());
    const auto now = std::chrono::steady_clock::now();
    if (at_once || now - last_flush_ >= std::chrono::milliseconds(100)) {
      std::fflush(out_);
      last_flush_ = now;
    }
  }
  std::FILE* out_;
  std::mutex mutex_;
  std::chrono::steady_clock::time_point last_flush_{};
};

class TextReporter final : public Reporter {
public:
  TextReporter(std::FILE* out, bool progress_bar) : out_(out), progress_bar_(progress_bar) {}

  void emit(const Event& e) override {
    std::lock_guard lock(mutex_);
    switch (e.kind) {
    case EventKind::connected:
      line(e.device, "connected");
      break;
    case EventKind::announced:
      line(e.device, "announced " + e.row.device + " / " + e.row.card + " (hardware " +
                         e.row.hardware + ", software " + e.row.software + ")");
      break;
    case EventKind::selected:
      line(e.device, "selected " + e.text);
      break;
    case EventKind::block:
      block(e);
      break;
    case EventKind::retry:
      line(e.device, "block " + std::to_string(e.block) + ": " + e.text + ", resending (" +
                         std::to_string(e.attempt) + ")");
      break;
    case EventKind::done:
      end_progress();
      line(e.device, e.total > 0 ? e.text + " (" + format_bytes(double(e.total)) + " in " +
                                       format_duration(e.seconds) + ")"
                                 : e.text);
      break;
    case EventKind::error:
      end_progress();
      std::fprintf(stderr, "%s: error: %s\n", e.device.c_str(), e.text.c_str());
      std::fflush(stderr);
      break;
    case EventKind::note:
      line(e.device, e.text);
      break;
    }
  }

  void list(const std::string& device, const std::vector<BoardRow>& rows) override {
    std::lock_guard lock(mutex_);
    std::fprintf(out_, "%s\n%s", device.c_str(), format_table(rows).c_str());
    std::fflush(out_);
  }

  void summary(const std::vector<DeviceResult>& results) override {
    std::lock_guard lock(mutex_);
    std::fprintf(out_, "summary:\n");
    for (const auto& r : results) {
      std::fprintf(out_, "  %-21s %-6s exit %d  %d blocks  %d retries  %.1f s  %s\n",
                   r.device.c_str(), r.code == ExitCode::kSuccess ? "ok" : "FAILED", as_int(r.code),
                   r.blocks, r.retries, r.seconds, r.message.c_str());
    }
    std::fflush(out_);
  }

private:
  void line(const std::string& device, const std::string& text) {
    if (progress_) {
      // Keep the bar below the message: end the bar line, print, redraw on the next block.
      std::fputc('\n', out_);
      progress_.reset();
    }
    std::fprintf(out_, "%s: %s\n", device.c_str(), text.c_str());
    std::fflush(out_);
  }

  void block(const Event& e) {
    if (progress_bar_) {
      if (!progress_) {
        progress_ = std::make_unique<ProgressLine>(out_, e.device, e.total);
      }
      progress_->update(e.bytes);
      return;
    }
    // Without a terminal, one line per tenth of the image is enough to follow a run.
    int tenth = e.total > 0 ? static_cast<int>(e.bytes * 10 / e.total) : 10;
    int& last = last_tenth_[e.device];
    if (tenth > last || e.block == 1) {
      last = tenth;
      std::fprintf(out_, "%s: block %d/%d (%d%%)\n", e.device.c_str(), e.block, e.blocks,
                   tenth * 10);
      std::fflush(out_);
    }
  }

  void end_progress() {
    if (!progress_)
      return;
    progress_->finish();
    progress_.reset();
  }

  std::FILE* out_;
  bool progress_bar_;
  std::mutex mutex_;
  std::unique_ptr<ProgressLine> progress_;
  std::map<std::string, int> last_tenth_;
};

} // namespace

std::string format_table(const std::vector<BoardRow>& rows) {
  std::vector<BoardRow> all;
  all.push_back({"Device Name", "Card Name", "Hardware Version", "Software Version"});
  all.insert(all.end(), rows.begin(), rows.end());
  std::size_t w[3] = {0, 0, 0};
  for (const auto& r : all) {
    w[0] = std::max(w[0], r.device.size());
    w[1] = std::max(w[1], r.card.size());
    w[2] = std::max(w[2], r.hardware.size());
  }
  auto pad = [](const std::string& s, std::size_t width) {
    return s + std::string(width - s.size() + 2, ' ');
  };
  std::string out;
  for (const auto& r : all) {
    out += pad(r.device, w[0]) + pad(r.card, w[1]) + pad(r.hardware, w[2]) + r.software + "\n";
  }
  return out;
}

std::unique_ptr<Reporter> make_reporter(bool json, bool progress_bar, std::FILE* out) {
  if (json)
    return std::make_unique<JsonReporter>(out);
  return std::make_unique<TextReporter>(out, progress_bar);
}

} // namespace vela::tools
