#include "tools/vela-update/device_client.h"

#include <algorithm>
#include <cstdio>
#include <thread>

#include "link/device_list.h"
#include "link/texts.h"
#include "tools/common/console.h"

#ifdef _WIN32
#include "link/system_code_page.h"
#endif

namespace vela::tools {
namespace {

link::LeadBytePredicate lead_bytes() {
#ifdef _WIN32
  return link::IsSystemAnsiLeadByte;
#else
  return link::IsCp936LeadByte;
#endif
}

// The receive log names the device's address; a host name gives 0.0.0.0 there.
link::Ipv4Endpoint log_address(const Endpoint& endpoint) {
  link::Ipv4Endpoint out;
  out.port = endpoint.port;
  unsigned a, b, c, d;
  char tail;
  if (std::sscanf(endpoint.host.c_str(), "%u.%u.%u.%u%c", &a, &b, &c, &d, &tail) == 4 && a < 256 &&
      b < 256 && c < 256 && d < 256) {
    out.octets = {std::uint8_t(a), std::uint8_t(b), std::uint8_t(c), std::uint8_t(d)};
  }
  return out;
}

std::string join(const std::vector<std::string>& names) {
  std::string out;
  for (const auto& n : names)
    out += (out.empty() ? "" : ",") + n;
  return out;
}

ExitCode refusal_code(link::StartResult result) {
  return result == link::StartResult::kNoImage ? ExitCode::kImageRefused : ExitCode::kCardRejected;
}

} // namespace

DeviceClient::DeviceClient(const UpdateOptions& options, const Endpoint& device, Reporter& reporter)
    : options_(options), endpoint_(device), label_(format_endpoint(device)), reporter_(reporter),
      session_(model_, *this, lead_bytes()), from_(log_address(device)) {
  session_.transfer().SetPauseAfterSelect(std::chrono::milliseconds(options_.select_pause_ms));
}

DeviceResult DeviceClient::run() {
  auto start = Clock::now();
  ExitCode code = ExitCode::kSuccess;
  switch (options_.command) {
  case Command::list:
    code = list();
    break;
  case Command::upgrade:
    code = upgrade();
    break;
  case Command::goto_app:
    code = goto_app();
    break;
  }
  socket_.close();
  DeviceResult result;
  result.device = label_;
  result.code = code;
  result.message = code == ExitCode::kSuccess && message_.empty() ? "done" : message_;
  result.blocks = session_.transfer().BlockCount();
  result.retries = resends_total_;
  result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  return result;
}

ExitCode DeviceClient::list() {
  std::string error;
  ExitCode code = open_link(error);
  if (code != ExitCode::kSuccess)
    return fail(code, error);
  reporter_.list(label_, rows());
  return ExitCode::kSuccess;
}

ExitCode DeviceClient::upgrade() {
  link::ImageLoad load = session_.transfer().image().LoadFile(options_.image_path);
  if (load.status != link::ImageLoadStatus::kLoaded) {
    std::string text = load.message;
    if (load.status == link::ImageLoadStatus::kUnreadable &&
        text.find(options_.image_path) == std::string::npos) {
      text += options_.image_path;
    }
    return fail(ExitCode::kImageRefused, text);
  }
  std::string error;
  ExitCode code = open_link(error);
  if (code != ExitCode::kSuccess)
    return fail(code, error);
  code = check_cards();
  if (code == ExitCode::kSuccess)
    code = start_transfer();
  if (code == ExitCode::kSuccess)
    code = run_transfer();
  return code;
}

ExitCode DeviceClient::goto_app() {
  std::string error;
  ExitCode code = connect(error);
  if (code != ExitCode::kSuccess)
    return fail(code, error);
  session_.transfer().GotoApplication();
  if (send_failed_)
    return fail(ExitCode::kLinkClosed, "the device closed the link");
  message_ = "application started";
  emit({.kind = EventKind::done, .text = message_});
  return ExitCode::kSuccess;
}

ExitCode DeviceClient::connect(std::string& error) {
  socket_ = Socket::connect_tcp(endpoint_, options_.connect_timeout_ms, &error);
  if (!socket_.valid())
    return ExitCode::kCannotConnect;
  assembler_.Reset();
  send_failed_ = false;
  emit({.kind = EventKind::connected});
  return ExitCode::kSuccess;
}

// Announcements have no end marker. They are collected until what the command needs is
// there (every card named for an upgrade, --expect-cards cards for a list) and the device
// has then been quiet for --announce-wait; an upgrade goes on as soon as its cards are
// announced. Waiting for the needed announcements is bounded by --connect-timeout: they
// are part of opening the link, whatever the acknowledgement timeout of the blocks is.
ExitCode DeviceClient::open_link(std::string& error) {
  model_.Clear();
  ExitCode code = connect(error);
  if (code != ExitCode::kSuccess)
    return code;
  session_.Query();
  const auto needed_until =
      Clock::now() + std::chrono::milliseconds(options_.connect_timeout_ms);
  for (;;) {
    if (stop_requested()) {
      error = "interrupted";
      return ExitCode::kFailure;
    }
    if (options_.command == Command::upgrade && named_cards_announced())
      break;
    const bool needed = model_.RowCount() == 0 || cards_announced() < options_.expect_cards;
    int wait = options_.announce_wait_ms;
    if (needed) {
      auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(needed_until - Clock::now());
      if (left.count() <= 0) {
        if (model_.RowCount() > 0)
          break; // what has come is listed; the caller checks the cards
        error = "the device announced nothing within " +
                std::to_string(options_.connect_timeout_ms) + " ms";
        return ExitCode::kCannotConnect;
      }
      wait = static_cast<int>(std::min<long long>(left.count(), 200));
    }
    Pump result = pump(wait);
    if (result == Pump::closed) {
      if (model_.RowCount() > 0)
        break;
      error = "the device closed the link before announcing";
      return ExitCode::kLinkClosed;
    }
    if (result == Pump::timeout && !needed)
      break;
  }
  return ExitCode::kSuccess;
}

int DeviceClient::cards_announced() const {
  int cards = 0;
  for (int r = 0; r < model_.RowCount(); ++r)
    cards += model_.Text(r, link::Column::kCardName) != link::kMainBoardName ? 1 : 0;
  return cards;
}

bool DeviceClient::named_cards_announced() const {
  for (const auto& card : options_.cards) {
    bool found = false;
    for (int r = 0; r < model_.RowCount() && !found; ++r)
      found = model_.Text(r, link::Column::kCardName) == card;
    if (!found)
      return false;
  }
  return true;
}

ExitCode DeviceClient::check_cards() {
  std::vector<std::string> names;
  for (int r = 0; r < model_.RowCount(); ++r)
    names.push_back(model_.Text(r, link::Column::kCardName));
  for (const auto& card : options_.cards) {
    if (std::find(names.begin(), names.end(), card) == names.end()) {
      return fail(ExitCode::kCardRejected,
                  "no card \"" + card + "\" on the device (announced: " + join(names) + ")");
    }
  }
  if (!link::CardsOfOneType(options_.cards)) {
    return fail(ExitCode::kCardRejected, std::string(link::text::kSameTypeBoard));
  }
  return ExitCode::kSuccess;
}

ExitCode DeviceClient::start_transfer() {
  link::StartResult result =
      session_.transfer().StartUpgrade(true, model_.RowCount() > 0, options_.cards);
  if (result != link::StartResult::kStarted)
    return fail(refusal_code(result), message_);
  if (send_failed_)
    return ExitCode::kLinkClosed; // the transfer loop reconnects
  return ExitCode::kSuccess;
}

ExitCode DeviceClient::run_transfer() {
  link::Transfer& transfer = session_.transfer();
  while (!transfer.Completed()) {
    if (stop_requested())
      return fail(ExitCode::kFailure, "interrupted");
    auto now = Clock::now();
    if (send_failed_) {
      if (ExitCode code = reconnect(); code != ExitCode::kSuccess)
        return code;
      continue;
    }
    if (timer_running_ && now >= timer_due_) {
      if (ExitCode code = send_due_block(); code != ExitCode::kSuccess)
        return code;
      continue;
    }
    if (awaiting_ack_ && now - last_frame_ >= std::chrono::milliseconds(options_.ack_timeout_ms)) {
      if (resends_of_block_ >= options_.retries)
        return give_up();
      resend_after_silence();
      continue;
    }
    Pump result = pump(wait_budget_ms(now));
    if (result == Pump::closed && !transfer.Completed()) {
      if (ExitCode code = reconnect(); code != ExitCode::kSuccess)
        return code;
    }
    // The next block goes out before the last one's progress is reported, so that the
    // device works on it while the report is written.
    if (timer_running_ && Clock::now() >= timer_due_) {
      if (ExitCode code = send_due_block(); code != ExitCode::kSuccess)
        return code;
    }
    note_progress();
  }
  emit({.kind = EventKind::done,
        .text = message_,
        .total = transfer.ImageSize(),
        .seconds = std::chrono::duration<double>(Clock::now() - first_frame_).count()});
  return ExitCode::kSuccess;
}

ExitCode DeviceClient::send_due_block() {
  // A device that never answers the block in flight rightly must not keep the tool
  // resending for ever: wrong answers count against --retries as silence does.
  const link::Transfer& transfer = session_.transfer();
  if (transfer.SendPermit() && transfer.CurrentBlock() == last_sent_block_ &&
      resends_of_block_ >= options_.retries) {
    return give_up();
  }
  timer_due_ += std::chrono::milliseconds(options_.pace_ms);
  if (options_.pace_ms == 0 || timer_due_ < Clock::now()) {
    timer_due_ = Clock::now() + std::chrono::milliseconds(options_.pace_ms);
  }
  session_.transfer().OnSendTimerTick();
  // A tick without permission sends nothing; stopping here keeps --pace 0 from spinning.
  if (!session_.transfer().SendPermit())
    timer_running_ = false;
  return ExitCode::kSuccess;
}

ExitCode DeviceClient::give_up() {
  return fail(ExitCode::kAckTimeout, "no acknowledgement of block " +
                                         std::to_string(session_.transfer().CurrentBlock()) +
                                         " after " + std::to_string(options_.retries) + " resends");
}

void DeviceClient::resend_after_silence() {
  awaiting_ack_ = false;
  resend_reason_ = "no acknowledgement within " + std::to_string(options_.ack_timeout_ms) + " ms";
  session_.transfer().ResendCurrentBlock();
}

// Reports acknowledged blocks; a new block in flight restarts the resend counts.
void DeviceClient::note_progress() {
  const link::Transfer& transfer = session_.transfer();
  std::int32_t acknowledged = std::min(transfer.CurrentBlock() - 1, transfer.BlockCount());
  if (acknowledged <= last_acknowledged_)
    return;
  last_acknowledged_ = acknowledged;
  resends_of_block_ = 0;
  if (transfer.CurrentBlock() > last_sent_block_)
    awaiting_ack_ = false;
  std::int64_t bytes =
      std::min<std::int64_t>(std::int64_t(acknowledged) * link::kBlockSize, transfer.ImageSize());
  emit({.kind = EventKind::block,
        .block = acknowledged,
        .blocks = transfer.BlockCount(),
        .bytes = bytes,
        .total = transfer.ImageSize()});
}

// A device that closed the link may have restarted and forgotten the selection, and
// blocks sent to it then would be stored for no card. So the link is opened as at the
// start: query, check the cards, select, pause, and the image goes again from block 1.
ExitCode DeviceClient::reconnect() {
  socket_.close();
  for (int attempt = 1; attempt <= options_.reconnects && !stop_requested(); ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(options_.reconnect_delay_ms));
    std::string error;
    if (open_link(error) != ExitCode::kSuccess) {
      socket_.close();
      emit({.kind = EventKind::note,
            .text = "reconnecting (" + std::to_string(attempt) + "/" +
                    std::to_string(options_.reconnects) + "): " + error});
      continue;
    }
    if (ExitCode code = check_cards(); code != ExitCode::kSuccess)
      return code;
    emit({.kind = EventKind::note, .text = "reconnected: selecting again, from block 1"});
    restart_tracking();
    if (ExitCode code = start_transfer(); code != ExitCode::kLinkClosed)
      return code;
    socket_.close(); // closed again during the select message: try once more
  }
  if (stop_requested())
    return fail(ExitCode::kFailure, "interrupted");
  return fail(ExitCode::kLinkClosed, "the device closed the link");
}

void DeviceClient::restart_tracking() {
  timer_running_ = false;
  awaiting_ack_ = false;
  last_sent_block_ = 0;
  last_acknowledged_ = 0;
  resends_of_block_ = 0;
  resend_reason_.clear();
  copies_ = {};
  answered_ = {};
}

DeviceClient::Pump DeviceClient::pump(int wait_ms) {
  std::size_t got = 0;
  IoStatus status = socket_.receive(buffer_.data(), buffer_.size(), got, wait_ms);
  if (status == IoStatus::timeout) {
    reporter_.flush();
    return Pump::timeout;
  }
  if (status != IoStatus::ok)
    return Pump::closed;
  assembler_.Append(std::span<const std::uint8_t>(buffer_.data(), got),
                    [this](std::span<const std::uint8_t> chunk) { deliver(chunk); });
  return Pump::data;
}

void DeviceClient::deliver(std::span<const std::uint8_t> chunk) {
  try {
    session_.Receive(chunk, from_);
  } catch (const link::AnnouncementError& error) {
    // The window shows this in an error box and goes on; so does the tool.
    emit({.kind = EventKind::note, .text = std::string("announcement ignored: ") + error.what()});
  }
}

int DeviceClient::wait_budget_ms(Clock::time_point now) const {
  using std::chrono::duration_cast;
  using us = std::chrono::microseconds;
  us budget = std::chrono::milliseconds(200);
  if (timer_running_)
    budget = std::min(budget, duration_cast<us>(timer_due_ - now));
  if (awaiting_ack_) {
    auto deadline = last_frame_ + std::chrono::milliseconds(options_.ack_timeout_ms);
    budget = std::min(budget, duration_cast<us>(deadline - now));
  }
  // Round up so that a due time a fraction of a millisecond away is not polled in a loop.
  return static_cast<int>(std::max<long long>((budget.count() + 999) / 1000, 0));
}

ExitCode DeviceClient::fail(ExitCode code, const std::string& message) {
  message_ = message;
  emit({.kind = EventKind::error, .text = message, .code = code});
  return code;
}

void DeviceClient::emit(Event event) {
  // The list command prints its rows once, as a table or one JSON object.
  if (options_.command == Command::list &&
      (event.kind == EventKind::connected || event.kind == EventKind::announced)) {
    return;
  }
  event.device = label_;
  reporter_.emit(event);
}

std::vector<BoardRow> DeviceClient::rows() const {
  std::vector<BoardRow> out;
  for (const auto& row : model_.rows()) {
    out.push_back({row.text(link::Column::kDeviceName), row.text(link::Column::kCardName),
                   row.text(link::Column::kHardwareVersion),
                   row.text(link::Column::kSoftwareVersion)});
  }
  return out;
}

void DeviceClient::StartSendTimer() {
  if (timer_running_)
    return; // a running timer keeps its rhythm, as a window timer does
  timer_running_ = true;
  auto now = Clock::now();
  timer_due_ = now + std::chrono::milliseconds(options_.pace_ms);
}

void DeviceClient::StopSendTimer() {
  timer_running_ = false;
}

void DeviceClient::SendFrame(std::span<const std::uint8_t> frame) {
  std::int32_t block = session_.transfer().CurrentBlock();
  if (copies_.block == block) {
    ++copies_.count;
  } else {
    copies_ = {block, 1};
  }
  if (block == last_sent_block_) {
    ++resends_of_block_;
    ++resends_total_;
    emit({.kind = EventKind::retry,
          .text = resend_reason_.empty() ? "acknowledgement of another block" : resend_reason_,
          .block = block,
          .attempt = resends_of_block_});
  }
  resend_reason_.clear();
  last_sent_block_ = block;
  awaiting_ack_ = true;
  last_frame_ = Clock::now();
  if (first_frame_ == Clock::time_point{})
    first_frame_ = last_frame_;
  if (!socket_.send_all(frame.data(), frame.size()))
    send_failed_ = true;
}

void DeviceClient::SendCommand(std::string_view message) {
  if (!socket_.send_all(message.data(), message.size()))
    send_failed_ = true;
  if (message.substr(0, link::kSelectPrefix.size()) == link::kSelectPrefix) {
    emit({.kind = EventKind::selected, .text = join(options_.cards)});
  }
  if (options_.verbose) {
    std::string_view text = message.substr(0, message.find(link::kLineEnd));
    emit({.kind = EventKind::note, .text = "sent " + std::string(text)});
  }
}

void DeviceClient::SetProgressRange(std::int32_t maximum) {
  progress_max_ = maximum;
}

void DeviceClient::SetProgressPosition(std::int32_t) {}

void DeviceClient::AppendLog(std::string_view line) {
  if (options_.verbose)
    emit({.kind = EventKind::note, .text = std::string(line)});
}

void DeviceClient::ShowMessage(std::string_view text) {
  // The success box is reported by run_transfer once the last block has been counted.
  message_ = std::string(text);
}

void DeviceClient::Pause(std::chrono::milliseconds duration) {
  std::this_thread::sleep_for(duration);
}

void DeviceClient::SetTrafficStatus(std::string_view) {}

void DeviceClient::AppendReceiveLog(std::string_view own_text, std::string_view wire_text) {
  if (!options_.verbose)
    return;
  std::string text(own_text);
  text += wire_text.substr(0, wire_text.find(link::kLineEnd));
  emit({.kind = EventKind::note, .text = text});
}

// One block in flight over an ordered stream: every answer to a block's copies arrives
// before any answer to the next block. The first answer advances the transfer; as many more
// as copies were sent answer the extra copies and are absorbed, so that the block now in
// flight is not sent again for them. An answer beyond that (the device repeating itself)
// resends the block in flight once, as the window's timer would coalesce them; an answer
// naming any other block resends it each time, as the window does.
bool DeviceClient::AbsorbAcknowledgement(std::uint16_t block) {
  const link::Transfer& transfer = session_.transfer();
  if (transfer.CurrentBlock() == 0 || transfer.Completed())
    return false;
  if (block == transfer.CurrentBlock()) {
    answered_ = {block, copies_.block == block ? copies_.count : 0, 1, false};
    return false;
  }
  if (block != answered_.block)
    return false;
  if (answered_.answers >= answered_.copies && !answered_.resent) {
    answered_.resent = true;
    return false;
  }
  ++answered_.answers;
  if (options_.verbose) {
    emit({.kind = EventKind::note,
          .text = "repeated acknowledgement of block " + std::to_string(block) + " absorbed"});
  }
  return true;
}

void DeviceClient::OnRowAdded(int row) {
  const auto& r = model_.rows()[static_cast<std::size_t>(row)];
  emit({.kind = EventKind::announced,
        .row = {r.text(link::Column::kDeviceName), r.text(link::Column::kCardName),
                r.text(link::Column::kHardwareVersion), r.text(link::Column::kSoftwareVersion)}});
}

} // namespace vela::tools
