// The block transfer: start an upgrade, send one block per arming, advance or resend on
// each acknowledgement, report progress and completion. Everything outside the state
// machine is a port the caller supplies.
//
//   class Window : public TransferPorts { ... };   // timer, socket, progress bar, log, boxes
//   Transfer transfer(window);
//   transfer.image().LoadFile(path);
//   transfer.StartUpgrade(/*file_chosen=*/true, list_model);  // select, pause, arm block 1
//   // the send timer's tick:        transfer.OnSendTimerTick();
//   // each "~AData" acknowledgement: transfer.OnAcknowledgement(n);
//
// Pacing is the caller's: the GUI's timer ticks every 100 ms; a caller may call
// OnSendTimerTick as soon as StartSendTimer is called. ResendCurrentBlock re-arms the
// block in flight (the command-line tool's acknowledgement timeout) the same way a wrong
// acknowledgement does. Steady-state sending and acknowledging allocate nothing.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "link/firmware_image.h"
#include "link/list_model.h"
#include "link/protocol.h"

namespace vela::link {

class TransferPorts {
public:
  virtual ~TransferPorts() = default;
  // The block sender's timer (100 ms in the GUI): started to arm, stopped after a send.
  virtual void StartSendTimer() = 0;
  virtual void StopSendTimer() = 0;
  // A block frame, sent as it is and not logged.
  virtual void SendFrame(std::span<const std::uint8_t> frame) = 0;
  // A text message of the link (ANSI bytes ending in CR LF); the caller logs it.
  virtual void SendCommand(std::string_view message) = 0;
  // The progress bar counts bytes: range 0..maximum; positions are clamped into it.
  virtual void SetProgressRange(std::int32_t maximum) = 0;
  virtual void SetProgressPosition(std::int32_t position) = 0;
  // A UTF-8 log line.
  virtual void AppendLog(std::string_view line) = 0;
  // A message box with an OK button (UTF-8 text).
  virtual void ShowMessage(std::string_view text) = 0;
  // The pauses of the start (2000 ms after the select message, 50 ms after arming).
  virtual void Pause(std::chrono::milliseconds duration) = 0;
  // "........" and "Upgrade" buttons; a caller without buttons ignores them.
  virtual void SetLoadEnabled(bool) {}
  virtual void SetSendEnabled(bool) {}
};

enum class StartResult {
  kStarted,
  kNoImage,       // text::kSelectBinaryFile (no file chosen, or the image is empty)
  kNoRows,        // text::kNoCardFound
  kNoTickedRow,   // text::kSelectCard
  kTooManyCards,  // text::kTooManyCards
  kSelectTooLong, // text::kSelectTooLong
};

inline constexpr std::chrono::milliseconds kSendTimerPeriod{100};
inline constexpr std::chrono::milliseconds kPauseAfterSelect{2000};
inline constexpr std::chrono::milliseconds kPauseAfterArming{50};

class Transfer {
public:
  explicit Transfer(TransferPorts& ports) : ports_(ports) {}

  FirmwareImage& image() { return image_; }
  const FirmwareImage& image() const { return image_; }

  // "Upgrade": checks, select message with the ticked cards, pause, arm block 1. Every
  // refusal shows its message and sends nothing. `file_chosen` is whether the file field
  // holds a path.
  StartResult StartUpgrade(bool file_chosen, const ListModel& list);
  // The same with the card names given directly (the command-line tool); `have_rows` stands
  // for a non-empty list.
  StartResult StartUpgrade(bool file_chosen, bool have_rows, std::span<const std::string> cards);

  // The pause between the select message and block 1; the window keeps the default, the
  // command-line tool may shorten or lengthen it for devices that need another time.
  void SetPauseAfterSelect(std::chrono::milliseconds pause) { pause_after_select_ = pause; }
  std::chrono::milliseconds PauseAfterSelect() const { return pause_after_select_; }

  // The send timer's tick: sends the current block's frame once per arming.
  void OnSendTimerTick();
  // An acknowledgement, whenever one arrives, whether or not an upgrade runs; ignored until
  // the first upgrade has started.
  void OnAcknowledgement(std::int32_t block);
  // Re-arms the block in flight, as a wrong acknowledgement does (nothing once complete).
  void ResendCurrentBlock();
  // The link is closed: the sender's timer stops; the next upgrade starts from block 1.
  void Stop();
  // "Application": "!GotoApp:\r\n".
  void GotoApplication();

  std::int32_t ImageSize() const { return image_.size(); }
  std::int32_t BlockCount() const { return image_.block_count(); }
  std::int32_t CurrentBlock() const { return current_block_; }
  bool SendPermit() const { return send_permit_; }
  const std::vector<std::string>& SelectedCards() const { return selected_cards_; }
  // True from the acknowledgement of the last block until the next start.
  bool Completed() const { return completed_; }

private:
  StartResult Start(bool file_chosen, bool have_rows, std::span<const std::string> cards,
                    int card_count);
  StartResult Refuse(StartResult result);
  void Arm();
  bool CurrentBlockInImage() const;
  void SetProgress(std::int64_t position);
  void Advance(std::int32_t block);
  void LogBlockAcknowledged(std::int32_t block);

  TransferPorts& ports_;
  FirmwareImage image_;
  std::int32_t current_block_ = 0;
  bool send_permit_ = false;
  bool completed_ = false;
  std::chrono::milliseconds pause_after_select_ = kPauseAfterSelect;
  std::vector<std::string> selected_cards_;
  BlockFrameBuffer frame_{};
  std::array<char, 64> log_line_{};
};

} // namespace vela::link
