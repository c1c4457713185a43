#pragma once
// The update tool's one window: connection control, device list, firmware upgrade.
//
// Controls, timers and the dialog come from the window's stored description (the "TFORM1"
// resource) and are bound to the fields below by name, handlers likewise. The link endpoint
// delivers socket notifications (messages 1106 and 1107) through this window's WndProc; the
// protocol itself (receiving chunks, the list rule, the block transfer) is the link core's
// UpdateSession, which reaches the window through the SessionPorts below.
#include <memory>
#include <string>
#include <string_view>

#include "app/link_endpoint.h"
#include "app/list_view_model.h"
#include "link/session.h"
#include "skin/forms/skin_data.h"
#include "ui/com_controls.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/list_view.h"
#include "ui/speed_button.h"
#include "ui/std_controls.h"
#include "ui/timer.h"

namespace vela::app {

class TForm1 : public ui::TForm, private LinkEvents, private link::SessionPorts {
  VELA_CLASS_INFO
public:
  explicit TForm1(ui::TComponent* owner);
  ~TForm1() override;

  ui::TPanel* Panel3 = nullptr;
  ui::TLabel* Label1 = nullptr;
  ui::TEdit* EditHostIP = nullptr;
  ui::TLabel* Label2 = nullptr;
  ui::TEdit* EditHostPort = nullptr;
  ui::TSpeedButton* BtnConnect = nullptr;
  ui::TSpeedButton* BtnReset = nullptr;
  ui::TSpeedButton* BtnClose = nullptr;
  ui::TPanel* Panel4 = nullptr;
  ui::TListView* ListView1 = nullptr;
  ui::TPanel* Panel2 = nullptr;
  ui::TGroupBox* GroupBox1 = nullptr;
  ui::TLabel* Label5 = nullptr;
  ui::TEdit* edLoadFile = nullptr;
  ui::TButton* BtnLoad = nullptr;
  ui::TSpeedButton* BtnSend = nullptr;
  ui::TProgressBar* LoadProgressBar = nullptr;
  ui::TMemo* MemoReceive = nullptr;
  ui::TLabel* Label3 = nullptr;
  ui::TStatusBar* StatusBar1 = nullptr;
  ui::TTimer* TimSendBinData = nullptr;
  ui::TTimer* TimAutoConn = nullptr;
  ui::TOpenDialog* OpenBinDialog = nullptr;
  skin::TSkinData* SkinData1 = nullptr;

  void FormCreate(ui::TObject* Sender);
  void FormShow(ui::TObject* Sender);
  void FormClose(ui::TObject* Sender, ui::TCloseAction& Action);
  void BtnConnectClick(ui::TObject* Sender);
  void BtnCloseClick(ui::TObject* Sender);
  void BtnLoadClick(ui::TObject* Sender);
  void BtnSendClick(ui::TObject* Sender);
  void BtnResetClick(ui::TObject* Sender);
  void TimSendBinDataTimer(ui::TObject* Sender);
  void TimAutoConnTimer(ui::TObject* Sender);
  void ListView1MouseDown(ui::TObject* Sender, ui::TMouseButton Button, ui::TShiftState Shift,
                          int X, int Y);
  // A click on the list does nothing beyond what the control and the tick rule do.
  void ListView1Click(ui::TObject* Sender);

  // Back to Disconnected with "Creating socket failed!!" in panel 0; stops no timer.
  void ResetToDisconnected();
  // Sends one text message of the link (ANSI bytes) and logs it.
  void SendCommand(std::string_view message) override;

  bool ReconnectArmed() const { return reconnectArmed_; }
  int ReconnectAttempts() const { return reconnectAttempts_; }
  link::UpdateSession& Session() { return *session_; }
  BuiltLinkEndpoint& Link() { return link_; }

protected:
  void WndProc(ui::TMessage& message) override;
  void HandleCreated() override;

private:
  void BindControls();
  void BindHandlers();
  void ShowConnectedControls();
  void ShowDisconnectedControls();
  void ClearPanels();
  void SetPanel(int index, std::string_view utf8);
  void AppendLogLine(const std::wstring& line);

  // LinkEvents
  void LinkChunkReceived(std::span<const std::uint8_t> chunk, const sockaddr_in& from) override;
  void LinkClosedByPeer() override;

  // SessionPorts
  void StartSendTimer() override;
  void StopSendTimer() override;
  void SendFrame(std::span<const std::uint8_t> frame) override;
  void SetProgressRange(std::int32_t maximum) override;
  void SetProgressPosition(std::int32_t position) override;
  void AppendLog(std::string_view line) override;
  void ShowMessage(std::string_view text) override;
  void Pause(std::chrono::milliseconds duration) override;
  void SetLoadEnabled(bool enabled) override;
  void SetSendEnabled(bool enabled) override;
  void SetTrafficStatus(std::string_view text) override;
  void AppendReceiveLog(std::string_view ownText, std::string_view wireText) override;

  BuiltLinkEndpoint link_{*this};
  ListViewModel rows_;
  std::unique_ptr<link::UpdateSession> session_;
  bool reconnectArmed_ = false;
  int reconnectAttempts_ = 0;
};

} // namespace vela::app
