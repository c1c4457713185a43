// One device's run of vela-update: connect, query, and list, upgrade or start the
// application. The update link itself (messages, chunk scanning, device list, block
// transfer) is the shared core in link/; this class supplies its ports: the socket, the
// block timer paced by --pace, the progress and the log, and adds what a tool without an
// operator needs: resending on silence, reconnecting, exit codes.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "link/chunk_receiver.h"
#include "link/list_model.h"
#include "link/session.h"
#include "tools/common/socket.h"
#include "tools/vela-update/reporter.h"
#include "tools/vela-update/update_options.h"

namespace vela::tools {

class DeviceClient final : private link::SessionPorts {
public:
  DeviceClient(const UpdateOptions& options, const Endpoint& device, Reporter& reporter);
  DeviceResult run();

private:
  using Clock = std::chrono::steady_clock;
  enum class Pump { data, timeout, closed };

  ExitCode list();
  ExitCode upgrade();
  ExitCode goto_app();

  ExitCode open_link(std::string& error);
  ExitCode connect(std::string& error);
  int cards_announced() const;
  bool named_cards_announced() const;
  ExitCode check_cards();
  ExitCode start_transfer();
  ExitCode run_transfer();
  ExitCode reconnect();
  void restart_tracking();
  ExitCode send_due_block();
  ExitCode give_up();
  void resend_after_silence();
  void note_progress();
  Pump pump(int wait_ms);
  void deliver(std::span<const std::uint8_t> chunk);
  int wait_budget_ms(Clock::time_point now) const;
  ExitCode fail(ExitCode code, const std::string& message);
  void emit(Event event);
  std::vector<BoardRow> rows() const;

  // link::SessionPorts
  void StartSendTimer() override;
  void StopSendTimer() override;
  void SendFrame(std::span<const std::uint8_t> frame) override;
  void SendCommand(std::string_view message) override;
  void SetProgressRange(std::int32_t maximum) override;
  void SetProgressPosition(std::int32_t position) override;
  void AppendLog(std::string_view line) override;
  void ShowMessage(std::string_view text) override;
  void Pause(std::chrono::milliseconds duration) override;
  void SetTrafficStatus(std::string_view text) override;
  void AppendReceiveLog(std::string_view own_text, std::string_view wire_text) override;
  void OnRowAdded(int row) override;
  bool AbsorbAcknowledgement(std::uint16_t block) override;

  const UpdateOptions& options_;
  Endpoint endpoint_;
  std::string label_;
  Reporter& reporter_;
  link::VectorListModel model_;
  link::UpdateSession session_;
  Socket socket_;
  link::ChunkAssembler assembler_;
  link::Ipv4Endpoint from_;
  std::array<std::uint8_t, link::kReceiveBufferSize> buffer_{};

  // The block timer: runs from StartSendTimer to StopSendTimer, ticking every --pace.
  bool timer_running_ = false;
  Clock::time_point timer_due_{};
  // The frame in flight and how long it has waited for its acknowledgement.
  bool awaiting_ack_ = false;
  Clock::time_point last_frame_{};
  std::int32_t last_sent_block_ = 0;
  std::int32_t last_acknowledged_ = 0;
  // Copies sent of the block in flight, and of the block acknowledged last with the answers
  // it has had: answers beyond the first, up to the copies, are absorbed.
  struct Copies {
    std::int32_t block = 0;
    int count = 0;
  } copies_;
  struct Answered {
    std::int32_t block = 0;
    int copies = 0;
    int answers = 0;
    bool resent = false; // a surplus answer has resent the block in flight
  } answered_;
  int resends_of_block_ = 0; // for any reason; more than --retries ends the upgrade
  int resends_total_ = 0;
  std::string resend_reason_;
  bool send_failed_ = false;
  std::int32_t progress_max_ = 0;
  // When the first frame went out: the transfer's time runs from here to the last
  // acknowledgement (the pauses of the start are not part of it).
  Clock::time_point first_frame_{};
  std::string message_; // the last message box text
};

} // namespace vela::tools
