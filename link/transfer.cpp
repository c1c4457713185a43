#include "link/transfer.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "link/device_list.h"
#include "link/texts.h"

namespace vela::link {

StartResult Transfer::StartUpgrade(bool file_chosen, const ListModel& list) {
  // A selection too large to send is counted, not copied.
  const int ticked = TickedRowCount(list);
  std::vector<std::string> names;
  if (ticked <= static_cast<int>(kMaxSelectedCards))
    names = TickedCardNames(list);
  return Start(file_chosen, list.RowCount() > 0, names, ticked);
}

StartResult Transfer::StartUpgrade(bool file_chosen, bool have_rows,
                                   std::span<const std::string> cards) {
  return Start(file_chosen, have_rows, cards, static_cast<int>(cards.size()));
}

StartResult Transfer::Start(bool file_chosen, bool have_rows, std::span<const std::string> cards,
                            int card_count) {
  // A chosen file whose image is empty (a cancelled or refused load) is refused with the file
  // button enabled: the operator is told to pick a file, so the button to do it must work.
  if (file_chosen)
    ports_.SetLoadEnabled(image_.empty());
  ports_.SetProgressRange(image_.size());
  ports_.SetProgressPosition(0);
  if (!file_chosen || image_.empty())
    return Refuse(StartResult::kNoImage);
  if (!have_rows)
    return Refuse(StartResult::kNoRows);
  if (card_count == 0)
    return Refuse(StartResult::kNoTickedRow);
  if (card_count > static_cast<int>(kMaxSelectedCards))
    return Refuse(StartResult::kTooManyCards);
  const std::string select = BuildSelectMessage(cards);
  if (select.size() > kSendBufferSize)
    return Refuse(StartResult::kSelectTooLong);

  selected_cards_.assign(cards.begin(), cards.end());
  completed_ = false;
  ports_.SetSendEnabled(false);
  ports_.SendCommand(select);
  ports_.Pause(pause_after_select_);
  current_block_ = 1;
  Arm();
  SetProgress(1);
  ports_.Pause(kPauseAfterArming);
  return StartResult::kStarted;
}

StartResult Transfer::Refuse(StartResult result) {
  switch (result) {
  case StartResult::kNoImage:
    ports_.ShowMessage(text::kSelectBinaryFile);
    break;
  case StartResult::kNoRows:
    ports_.ShowMessage(text::kNoCardFound);
    break;
  case StartResult::kNoTickedRow:
    ports_.ShowMessage(text::kSelectCard);
    break;
  case StartResult::kTooManyCards:
    ports_.ShowMessage(text::kTooManyCards);
    break;
  case StartResult::kSelectTooLong:
    ports_.ShowMessage(text::kSelectTooLong);
    break;
  case StartResult::kStarted:
    break;
  }
  return result;
}

void Transfer::OnSendTimerTick() {
  if (!send_permit_)
    return;
  // A resend armed by a wrong acknowledgement during the last block can still be pending when
  // the last block's own acknowledgement completes the transfer: there is nothing left to send,
  // and a frame past the image's end would reach the device as data.
  if (!CurrentBlockInImage()) {
    send_permit_ = false;
    ports_.StopSendTimer();
    return;
  }
  const std::size_t size = BuildBlockFrame(image_.bytes(), current_block_, frame_);
  ports_.SendFrame(std::span<const std::uint8_t>(frame_.data(), size));
  send_permit_ = false;
  ports_.StopSendTimer();
}

void Transfer::OnAcknowledgement(std::int32_t block) {
  // Before the first upgrade the current block is 0, and an acknowledgement carrying 0 would
  // otherwise count as the awaited one and send the image without a select message.
  if (current_block_ == 0) return;
  if (block == current_block_) {
    Advance(block);
    return;
  }
  if (CurrentBlockInImage())
    Arm();
  SetProgress(std::int64_t(current_block_ - 1) * std::int64_t(kBlockSize));
}

void Transfer::Advance(std::int32_t block) {
  current_block_ = block + 1;
  if (CurrentBlockInImage())
    Arm();
  SetProgress(std::int64_t(block) * std::int64_t(kBlockSize));
  if (block == BlockCount()) {
    completed_ = true;
    ports_.AppendLog(text::kLogUpgradeSuccess);
    ports_.SetProgressPosition(image_.size());
    ports_.SetLoadEnabled(true);
    ports_.SetSendEnabled(true);
    ports_.ShowMessage(text::kUpgradeSuccess);
  } else if (block < BlockCount()) {
    LogBlockAcknowledged(block);
  }
}

void Transfer::ResendCurrentBlock() {
  if (CurrentBlockInImage())
    Arm();
}

void Transfer::Stop() {
  ports_.StopSendTimer();
}

void Transfer::GotoApplication() {
  ports_.SendCommand(kGotoAppCommand);
}

void Transfer::Arm() {
  send_permit_ = true;
  ports_.StartSendTimer();
}

bool Transfer::CurrentBlockInImage() const {
  return current_block_ >= 1 && current_block_ <= BlockCount();
}

void Transfer::SetProgress(std::int64_t position) {
  ports_.SetProgressPosition(
      static_cast<std::int32_t>(std::clamp<std::int64_t>(position, 0, image_.size())));
}

void Transfer::LogBlockAcknowledged(std::int32_t block) {
  // Built in a member buffer: this runs for every block and must not allocate.
  char* out = log_line_.data();
  char* const end = out + log_line_.size();
  out = std::copy(text::kLogBlockPrefix.begin(), text::kLogBlockPrefix.end(), out);
  out = std::to_chars(out, end, block).ptr;
  out = std::copy(text::kLogBlockSuffix.begin(), text::kLogBlockSuffix.end(), out);
  ports_.AppendLog(
      std::string_view(log_line_.data(), static_cast<std::size_t>(out - log_line_.data())));
}

} // namespace vela::link
