#include "app/form1.h"

#include "app/ansi_text.h"
#include "app/texts.h"
#include "link/system_code_page.h"
#include "ui/application.h"
#include "ui/core/text.h"

namespace vela::app {
namespace {

// Shared icons belong to the system, which frees them; nothing to release here.
HICON LoadWindowIcon(int widthMetric, int heightMetric) {
  return HICON(LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, GetSystemMetrics(widthMetric),
                          GetSystemMetrics(heightMetric), LR_SHARED));
}

} // namespace

const ui::TClassInfo& TForm1::StaticClassInfo() {
  static const ui::TClassInfo info = ui::MakeClassInfo<TForm1>("TForm1", &ui::TForm::StaticClassInfo(), {});
  return info;
}

TForm1::TForm1(ui::TComponent* owner) : ui::TForm(owner) {
  BindControls();
  BindHandlers();
  ReadDescription();
}

// The window may be freed with the link still open (the program ending while reconnecting);
// the endpoint closes its sockets itself, and no timer may fire into a half-destroyed form.
TForm1::~TForm1() {
  if (TimSendBinData) TimSendBinData->SetEnabled(false);
  if (TimAutoConn) TimAutoConn->SetEnabled(false);
  Destroying();
}

void TForm1::BindControls() {
  BindField("Panel3", Panel3);
  BindField("Label1", Label1);
  BindField("EditHostIP", EditHostIP);
  BindField("Label2", Label2);
  BindField("EditHostPort", EditHostPort);
  BindField("BtnConnect", BtnConnect);
  BindField("BtnReset", BtnReset);
  BindField("BtnClose", BtnClose);
  BindField("Panel4", Panel4);
  BindField("ListView1", ListView1);
  BindField("Panel2", Panel2);
  BindField("GroupBox1", GroupBox1);
  BindField("Label5", Label5);
  BindField("edLoadFile", edLoadFile);
  BindField("BtnLoad", BtnLoad);
  BindField("BtnSend", BtnSend);
  BindField("LoadProgressBar", LoadProgressBar);
  BindField("MemoReceive", MemoReceive);
  BindField("Label3", Label3);
  BindField("StatusBar1", StatusBar1);
  BindField("TimSendBinData", TimSendBinData);
  BindField("TimAutoConn", TimAutoConn);
  BindField("OpenBinDialog", OpenBinDialog);
  BindField("SkinData1", SkinData1);
}

void TForm1::BindHandlers() {
  BindMethod("FormCreate", &TForm1::FormCreate);
  BindMethod("FormShow", &TForm1::FormShow);
  BindMethod("FormClose", &TForm1::FormClose);
  BindMethod("BtnConnectClick", &TForm1::BtnConnectClick);
  BindMethod("BtnCloseClick", &TForm1::BtnCloseClick);
  BindMethod("BtnLoadClick", &TForm1::BtnLoadClick);
  BindMethod("BtnSendClick", &TForm1::BtnSendClick);
  BindMethod("BtnResetClick", &TForm1::BtnResetClick);
  BindMethod("TimSendBinDataTimer", &TForm1::TimSendBinDataTimer);
  BindMethod("TimAutoConnTimer", &TForm1::TimAutoConnTimer);
  BindMethod("ListView1MouseDown", &TForm1::ListView1MouseDown);
  BindMethod("ListView1Click", &TForm1::ListView1Click);
}

void TForm1::FormCreate(ui::TObject*) {
  reconnectArmed_ = false;
  reconnectAttempts_ = 0;
  rows_.Attach(ListView1);
  // A fresh session starts the transfer at zero and forgets the last device name.
  session_ = std::make_unique<link::UpdateSession>(rows_, static_cast<link::SessionPorts&>(*this),
                                                    link::IsSystemAnsiLeadByte);
  MemoReceive->SetScrollBars(ui::TScrollStyle::ssVertical);
  link_.FreeAcceptedSlot();
  SetIcon(LoadWindowIcon(SM_CXICON, SM_CYICON));
}

// The caption shows the icon's own small picture rather than the large one scaled down.
void TForm1::HandleCreated() {
  ui::TForm::HandleCreated();
  SendMessageW(HandleIfAllocated(), WM_SETICON, ICON_SMALL, LPARAM(LoadWindowIcon(SM_CXSMICON, SM_CYSMICON)));
}

void TForm1::FormShow(ui::TObject*) {
  BtnClose->Hide();
  BtnLoad->SetEnabled(false);
  BtnClose->SetLeft(BtnConnect->Left());
}

void TForm1::FormClose(ui::TObject*, ui::TCloseAction&) {
  if (BtnClose->Visible()) link_.CloseLink();
}

void TForm1::ListView1Click(ui::TObject*) {}

// Socket notifications are taken ahead of everything else and not passed on.
void TForm1::WndProc(ui::TMessage& message) {
  if (link_.HandleLinkMessage(message.Msg, message.LParam)) {
    message.Result = 0;
    return;
  }
  ui::TForm::WndProc(message);
}

void TForm1::ShowConnectedControls() {
  BtnConnect->Hide();
  BtnClose->Show();
  BtnSend->SetEnabled(true);
  BtnReset->SetEnabled(true);
  BtnLoad->SetEnabled(true);
  EditHostIP->SetEnabled(false);
  EditHostPort->SetEnabled(false);
}

void TForm1::ShowDisconnectedControls() {
  BtnConnect->Show();
  BtnClose->Hide();
  BtnSend->SetEnabled(false);
  BtnReset->SetEnabled(false);
  BtnLoad->SetEnabled(false);
  EditHostIP->SetEnabled(true);
  EditHostPort->SetEnabled(true);
}

void TForm1::ClearPanels() {
  for (int i = 0; i < StatusBar1->Panels()->Count(); ++i) StatusBar1->Panels()->Items(i)->SetText(L"");
}

void TForm1::SetPanel(int index, std::string_view utf8) {
  StatusBar1->Panels()->Items(index)->SetText(ui::Utf8ToWide(utf8));
}

void TForm1::AppendLogLine(const std::wstring& line) { MemoReceive->Lines()->Add(line); }

// ---- the link core's view of the window ---------------------------------------------------

void TForm1::StartSendTimer() { TimSendBinData->SetEnabled(true); }
void TForm1::StopSendTimer() { TimSendBinData->SetEnabled(false); }
void TForm1::SendFrame(std::span<const std::uint8_t> frame) { link_.SendFrame(frame); }

void TForm1::SetProgressRange(std::int32_t maximum) {
  LoadProgressBar->SetMin(0);
  LoadProgressBar->SetMax(maximum);
  LoadProgressBar->SetStep(1);
}

void TForm1::SetProgressPosition(std::int32_t position) { LoadProgressBar->SetPosition(position); }
void TForm1::AppendLog(std::string_view line) { AppendLogLine(ui::Utf8ToWide(line)); }
void TForm1::ShowMessage(std::string_view text) { ui::ShowMessage(ui::Utf8ToWide(text)); }

// The pauses of an upgrade block the window on purpose: the device needs them.
void TForm1::Pause(std::chrono::milliseconds duration) { Sleep(DWORD(duration.count())); }

void TForm1::SetLoadEnabled(bool enabled) { BtnLoad->SetEnabled(enabled); }
void TForm1::SetSendEnabled(bool enabled) { BtnSend->SetEnabled(enabled); }
void TForm1::SetTrafficStatus(std::string_view text) { SetPanel(1, text); }

void TForm1::AppendReceiveLog(std::string_view ownText, std::string_view wireText) {
  AppendLogLine(ui::Utf8ToWide(ownText) + AnsiToWide(wireText));
}

} // namespace vela::app
