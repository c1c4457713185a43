// Ports that record what the link core asks of its caller, for tests.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "link/session.h"

namespace vela::link::testing {

class RecordingPorts : public SessionPorts {
public:
  void StartSendTimer() override { timer_running = true; }
  void StopSendTimer() override { timer_running = false; }
  void SendFrame(std::span<const std::uint8_t> frame) override {
    frames.emplace_back(frame.begin(), frame.end());
  }
  void SendCommand(std::string_view message) override { commands.emplace_back(message); }
  void SetProgressRange(std::int32_t maximum) override { progress_max = maximum; }
  void SetProgressPosition(std::int32_t position) override { progress.push_back(position); }
  void AppendLog(std::string_view line) override { log.emplace_back(line); }
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  void Pause(std::chrono::milliseconds duration) override { pauses.push_back(duration.count()); }
  void SetLoadEnabled(bool enabled) override { load_enabled = enabled; }
  void SetSendEnabled(bool enabled) override { send_enabled = enabled; }
  void SetTrafficStatus(std::string_view text) override { status = text; }
  void AppendReceiveLog(std::string_view own, std::string_view wire) override {
    log.push_back(std::string(own) + std::string(wire));
  }

  bool timer_running = false;
  std::vector<std::vector<std::uint8_t>> frames;
  std::vector<std::string> commands;
  std::int32_t progress_max = -1;
  std::vector<std::int32_t> progress;
  std::vector<std::string> log;
  std::vector<std::string> messages;
  std::vector<long long> pauses;
  bool load_enabled = true;
  bool send_enabled = true;
  std::string status;
};

inline std::vector<std::uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

inline std::vector<std::uint8_t> PatternImage(std::size_t size) {
  std::vector<std::uint8_t> image(size);
  for (std::size_t i = 0; i < size; ++i)
    image[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
  return image;
}

} // namespace vela::link::testing
