// Connecting, closing, losing and regaining the link.
#include "app/ansi_text.h"
#include "app/form1.h"
#include "app/texts.h"
#include "ui/application.h"
#include "ui/core/text.h"

namespace vela::app {
namespace {

constexpr int kGiveUpAfterFailedTicks = 6;
constexpr DWORD kFailedTickPauseMs = 1000;

std::string ConnectedStatus() {
  return std::string(text::kConnected) + std::string(text::kConnectedBinding) +
         std::string(text::kConnectedTcp) + std::string(text::kConnectedClient);
}

link::Ipv4Endpoint EndpointOf(const sockaddr_in& a) {
  link::Ipv4Endpoint e;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(&a.sin_addr.s_addr);
  for (int i = 0; i < 4; ++i) e.octets[std::size_t(i)] = bytes[i];
  e.port = ntohs(a.sin_port);
  return e;
}

} // namespace

void TForm1::BtnConnectClick(ui::TObject*) {
  if (EditHostPort->Text().empty() || EditHostIP->Text().empty()) {
    ui::ShowMessage(ui::Utf8ToWide(text::kAddressOrPortEmpty));
    return;
  }
  SetPanel(0, text::kConnecting);
  ui::Application->ProcessMessages();

  // A port text that is not an integer ends the connect here with an error box.
  int port = ui::StrToInt(EditHostPort->Text());
  link_.LocalAddress = MakeSocketAddress("0.0.0.0", kLocalPort);
  link_.RemoteAddress = MakeSocketAddress(WideToAnsi(EditHostIP->Text()).c_str(), u_short(port & 0xFFFF));

  if (!link_.OpenLink(Handle())) {
    ClearPanels();
    rows_.Clear();
    SetPanel(0, text::kSocketFailed);
    return;
  }
  ShowConnectedControls();
  if constexpr (kBuiltLinkMode.UseStream && kBuiltLinkMode.IsServer) {
    link_.ResetClientCount();
    SetPanel(1, std::string(text::kClientCountPrefix) + "0" + std::string(text::kClientCountSuffix));
  }
  SetPanel(0, ConnectedStatus());
  session_->Query();
  reconnectAttempts_ = 0;
  ui::Application->ProcessMessages();
  reconnectArmed_ = true;
}

void TForm1::BtnCloseClick(ui::TObject*) {
  link_.CloseLink();
  rows_.Clear();
  ShowDisconnectedControls();
  TimAutoConn->SetEnabled(false);
  session_->transfer().Stop();
  edLoadFile->SetText(L"");
  MemoReceive->Lines()->Clear();
  LoadProgressBar->SetPosition(0);
  ClearPanels();
  SetPanel(0, text::kSocketClosed);
}

void TForm1::ResetToDisconnected() {
  ShowDisconnectedControls();
  rows_.Clear();
  MemoReceive->Lines()->Clear();
  edLoadFile->SetText(L"");
  LoadProgressBar->SetPosition(0);
  ClearPanels();
  SetPanel(0, text::kSocketFailed);
}

void TForm1::LinkClosedByPeer() {
  if (reconnectArmed_) {
    TimAutoConn->SetEnabled(true);
    return;
  }
  link_.CloseLink();
  ResetToDisconnected();
}

void TForm1::TimAutoConnTimer(ui::TObject*) {
  if (reconnectAttempts_ > kGiveUpAfterFailedTicks) {
    ClearPanels();
    ResetToDisconnected();
    rows_.Clear();
    SetPanel(0, text::kSocketFailed);
    TimAutoConn->SetEnabled(false);
    reconnectArmed_ = false;
    return;
  }
  link_.CloseMainSocket();
  if (link_.OpenLink(Handle())) {
    // Silently back: nothing is sent, and the list, the log and the controls stay.
    TimAutoConn->SetEnabled(false);
    reconnectArmed_ = false;
    reconnectAttempts_ = 0;
    return;
  }
  link_.OpenLink(Handle());
  ++reconnectAttempts_;
  Sleep(kFailedTickPauseMs);
}

void TForm1::SendCommand(std::string_view message) {
  if (link_.SendText(message) == SendOutcome::NoClient)
    ui::Application->MessageBox(ui::Utf8ToWide(text::kNoClient), ui::Utf8ToWide(text::kNoClientCaption), MB_OK);
  AppendLogLine(ui::Utf8ToWide(text::kLogSendPrefix) + EditHostIP->Text() +
                ui::Utf8ToWide(text::kLogAddressSeparator) + EditHostPort->Text() +
                ui::Utf8ToWide(text::kLogBracketEnd) + AnsiToWide(message));
}

void TForm1::LinkChunkReceived(std::span<const std::uint8_t> chunk, const sockaddr_in& from) {
  session_->Receive(chunk, EndpointOf(from));
}

} // namespace vela::app
