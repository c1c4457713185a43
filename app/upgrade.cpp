// Loading the image, starting the upgrade, the block sender and the list's tick rule.
#include "app/form1.h"
#include "link/texts.h"
#include "ui/core/text.h"

namespace vela::app {

void TForm1::BtnLoadClick(ui::TObject*) {
  OpenBinDialog->SetFilter(L"Bin File(*.bin)|*.bin");
  link::FirmwareImage& image = session_->transfer().image();
  image.Forget();
  if (!OpenBinDialog->Execute()) return;
  std::wstring path = OpenBinDialog->FileName();
  edLoadFile->SetText(path);
  link::ImageLoad load = image.LoadFile(std::filesystem::path(path));
  switch (load.status) {
  case link::ImageLoadStatus::kLoaded: break;
  // A file that cannot be read is an error of the handler, reported by the default handling.
  case link::ImageLoadStatus::kUnreadable: throw ui::EStreamError(load.message);
  case link::ImageLoadStatus::kTooLarge:
  case link::ImageLoadStatus::kEmpty: ShowMessage(load.message); break;
  }
}

void TForm1::BtnSendClick(ui::TObject*) {
  session_->transfer().StartUpgrade(!edLoadFile->Text().empty(), rows_);
}

void TForm1::BtnResetClick(ui::TObject*) { session_->transfer().GotoApplication(); }

void TForm1::TimSendBinDataTimer(ui::TObject*) { session_->transfer().OnSendTimerTick(); }

void TForm1::ListView1MouseDown(ui::TObject*, ui::TMouseButton, ui::TShiftState, int X, int Y) {
  ui::TListItem* item = ListView1->GetItemAt(X, Y);
  std::optional<int> pressed;
  if (item) pressed = item->Index();
  if (session_->list().ApplyTickRule(pressed)) ShowMessage(link::text::kSameTypeBoard);
}

} // namespace vela::app
