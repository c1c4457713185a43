// The main window against a bootloader on 127.0.0.1: start state, connecting, the list and its
// tick rule, upgrades, losing and regaining the link, closing. Real windows, real sockets, the
// window's real description; message boxes are answered by a watcher and recorded.
#include <gtest/gtest.h>
#include <winsock2.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/form1.h"
#include "app/texts.h"
#include "link/texts.h"
#include "skin/forms/skin_manager.h"
#include "skin/forms/skin_messages.h"
#include "tests/win/app/fake_bootloader.h"
#include "tests/win/app/window_watch.h"
#include "ui/application.h"
#include "ui/bitmap.h"
#include "ui/core/text.h"

namespace vela::app {
namespace {

using testing::DialogWatcher;
using testing::FakeBootloader;
using testing::PumpFor;
using testing::PumpUntil;
using ui::Utf8ToWide;

constexpr char kThreeBoards[] =
    "!Name \"Rack A\",HW2.0,SW3.1\r\n!Card CPU01,HW1.0,SW1.5\r\n!Card IO-16,HW1.1,SW2.0\r\n";

std::wstring W(std::string_view utf8) { return Utf8ToWide(utf8); }

std::wstring TempFile(const wchar_t* name) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  return std::wstring(dir) + name;
}

std::vector<std::uint8_t> WriteImage(const std::wstring& path, std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  std::mt19937 random{unsigned(size)};
  for (auto& b : bytes) b = std::uint8_t(random());
  std::ofstream(std::filesystem::path(path), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bytes;
}

std::string Ack(int block) {
  auto a = link::BuildAcknowledgement(std::uint16_t(block));
  return std::string(a.begin(), a.end());
}

// What the screen shows of a rectangle (screen coordinates).
skin::Bitmap Screen(const RECT& r) {
  HDC screen = GetDC(nullptr);
  skin::Bitmap pixels = ui::CaptureDc(screen, skin::Rect{r.left, r.top, r.right, r.bottom});
  ReleaseDC(nullptr, screen);
  return pixels;
}

// Whether two captures agree where both have pixels: a control anchored to the window's edges
// changes size with the frame around it, and what matters is how its top-left part is painted.
bool SamePixels(const skin::Bitmap& a, const skin::Bitmap& b) {
  const int width = std::min(a.Width(), b.Width()), height = std::min(a.Height(), b.Height());
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (a.At(x, y) != b.At(x, y))
        return false;
  return true;
}

// Saves a screen capture as a BMP file for people to look at: in $VELA_ARTIFACT_DIR when it is
// set, else in the temporary directory.
void SaveShot(const skin::Bitmap& pixels, const wchar_t* name) {
  ui::TBitmap bitmap;
  bitmap.CopyFrom(pixels.View());
  const std::vector<std::uint8_t> bytes = bitmap.SaveToBytes();
  wchar_t dir[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"VELA_ARTIFACT_DIR", dir, MAX_PATH))
    GetTempPathW(MAX_PATH, dir);
  const std::filesystem::path path = std::filesystem::path(dir) / name;
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  std::printf("saved %ls\n", path.c_str());
}

// A container whose child fills it (a panel holding the list) shows no more than a border line
// of its own, which may well look the same with and without the skin.
bool CoveredByAChild(ui::TControl* control) {
  auto* container = dynamic_cast<ui::TWinControl*>(control);
  for (int i = 0; container && i < container->ControlCount(); ++i) {
    ui::TControl* child = container->Controls(i);
    if (child->Visible() && child->Width() >= control->Width() - 4 && child->Height() >= control->Height() - 4)
      return true;
  }
  return false;
}

// Where a control lies on the screen.
RECT ScreenRect(ui::TControl* control) {
  const POINT topLeft = control->ClientToScreen(POINT{0, 0});
  return RECT{topLeft.x, topLeft.y, topLeft.x + control->Width(), topLeft.y + control->Height()};
}

class MainWindow : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    ui::Application->Initialize();
    ui::Application->SetTitle(W(text::kAppTitle));
  }

  // The window carries its skin: every test runs against the skinned frame, as the operator
  // sees it. The skin manager goes with each test's window.
  void SetUp() override {
    form = new TForm1(ui::Application);
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return SendMessageW(form->Handle(), skin::SKM_ISSKINNED, 0, 0) == 1; }, 30000))
        << "the window was not skinned";
    PumpFor(50);
  }

  void TearDown() override {
    delete form;
    skin::FreeSkinManager();
    PumpFor(20);
  }

  std::wstring Panel(int i) { return form->StatusBar1->NativePanelText(i); }
  int Rows() { return form->ListView1->Items()->Count(); }
  std::wstring Cell(int row, int column) {
    ui::TListItem* item = form->ListView1->Items()->Item(row);
    return column == 0 ? item->Caption() : item->SubItems()->Strings(column - 1);
  }
  std::vector<std::wstring> Log() {
    std::vector<std::wstring> lines;
    for (int i = 0; i < form->MemoReceive->Lines()->Count(); ++i)
      lines.push_back(form->MemoReceive->Lines()->Strings(i));
    return lines;
  }
  bool LogHas(const std::wstring& line) {
    auto lines = Log();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  int Progress() { return int(SendMessageW(form->LoadProgressBar->Handle(), PBM_GETPOS, 0, 0)); }
  int ProgressMax() { return int(SendMessageW(form->LoadProgressBar->Handle(), PBM_GETRANGE, FALSE, 0)); }

  bool Connected() { return form->BtnClose->Visible() && !form->BtnConnect->Visible(); }
  bool Disconnected() {
    return form->BtnConnect->Visible() && !form->BtnClose->Visible() && !form->BtnSend->Enabled() &&
           !form->BtnReset->Enabled() && !form->BtnLoad->Enabled() && form->EditHostIP->Enabled() &&
           form->EditHostPort->Enabled();
  }

  void Type(const std::string& ip, const std::string& port) {
    form->EditHostIP->SetText(Utf8ToWide(ip));
    form->EditHostPort->SetText(Utf8ToWide(port));
  }

  // Presses and releases the mouse over a speed button: its parent routes both to it, and an
  // exception from the handler is reported the way a real click's would be.
  void Press(ui::TSpeedButton* button) {
    HWND parent = button->Parent()->Handle();
    LPARAM at = MAKELPARAM(button->Left() + button->Width() / 2, button->Top() + button->Height() / 2);
    SendMessageW(parent, WM_MOUSEMOVE, 0, at);
    SendMessageW(parent, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(parent, WM_LBUTTONUP, 0, at);
  }

  // Connects to the device and waits for its three rows.
  void ConnectTo(FakeBootloader& device) {
    device.SetAnnouncement(kThreeBoards);
    Type("127.0.0.1", std::to_string(device.Port()));
    Press(form->BtnConnect);
    ASSERT_TRUE(PumpUntil([&] { return Rows() == 3; })) << "rows: " << Rows();
  }

  // Ticks a row the way a press on its tick box does: the control toggles, then the rule runs.
  void PressTickBox(int row) {
    ui::TListItem* item = form->ListView1->Items()->Item(row);
    item->SetChecked(!item->Checked());
    RECT r{LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(form->ListView1->Handle(), LVM_GETITEMRECT, WPARAM(row), LPARAM(&r));
    form->ListView1MouseDown(form->ListView1, ui::TMouseButton::mbLeft, 0, r.left + 8,
                             (r.top + r.bottom) / 2);
  }

  void PickImage(const std::wstring& path) {
    watch.fileToPick = path;
    form->BtnLoadClick(form->BtnLoad);
  }

  DialogWatcher watch;
  TForm1* form = nullptr;
};

TEST_F(MainWindow, StartsDisconnectedWithEveryControlOfTheDescription) {
  EXPECT_EQ(form->Caption(), L"Vela System Firmware Update Tool");
  EXPECT_EQ(form->ClientWidth(), 730);
  EXPECT_EQ(form->ClientHeight(), 485);
  // The skin's frame replaced the system caption without changing the client area.
  EXPECT_EQ(GetWindowLongPtrW(form->Handle(), GWL_STYLE) & WS_CAPTION, 0);
  EXPECT_EQ(form->Font()->Name(), L"MS Sans Serif");
  EXPECT_EQ(form->Font()->Height(), -11);
  EXPECT_TRUE(Disconnected());
  EXPECT_EQ(form->BtnClose->Left(), form->BtnConnect->Left());
  EXPECT_EQ(form->Label1->Caption(), L"Local Host IP\xFF1A");
  EXPECT_EQ(form->Label2->Caption(), L"Local Host Port\xFF1A");
  EXPECT_EQ(form->Label5->Caption(), L"File Load\xFF1A");
  EXPECT_EQ(form->Label3->Caption(), L"\x5185\x5BB9\x56DE\x663E\xFF1A");
  EXPECT_EQ(form->BtnLoad->Caption(), L"........");
  EXPECT_EQ(form->BtnConnect->Caption(), L"Connect");
  EXPECT_EQ(form->BtnReset->Caption(), L"Application");
  EXPECT_EQ(form->BtnSend->Caption(), L"Upgrade");
  for (ui::TSpeedButton* b : {form->BtnConnect, form->BtnClose, form->BtnReset, form->BtnSend}) {
    EXPECT_EQ(b->Glyph()->Width(), 32) << b->Name();
    EXPECT_EQ(b->Glyph()->Height(), 32) << b->Name();
    EXPECT_TRUE(b->Flat()) << b->Name();
  }
  EXPECT_FALSE(form->MemoReceive->Visible());
  EXPECT_FALSE(form->Label3->Visible());
  EXPECT_EQ(form->MemoReceive->ScrollBars(), ui::TScrollStyle::ssVertical);
  EXPECT_TRUE(form->edLoadFile->Enabled());
  EXPECT_EQ(Progress(), 0);

  ASSERT_EQ(form->StatusBar1->Panels()->Count(), 3);
  EXPECT_EQ(form->StatusBar1->Panels()->Items(0)->Width(), 350);
  EXPECT_EQ(form->StatusBar1->Panels()->Items(1)->Width(), 350);
  EXPECT_EQ(form->StatusBar1->Panels()->Items(2)->Width(), 0);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Panel(i), L"");

  const std::vector<std::pair<std::wstring, int>> columns = {
      {L"", 25}, {L"Device Name", 180}, {L"Card Name ", 180}, {L"Hardware Version", 150}, {L"Software Version", 150}};
  ASSERT_EQ(form->ListView1->Columns()->Count(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(form->ListView1->Columns()->Items(i)->Caption(), columns[std::size_t(i)].first);
    EXPECT_EQ(form->ListView1->Columns()->Items(i)->Width(), columns[std::size_t(i)].second);
  }
  EXPECT_TRUE(form->ListView1->Checkboxes());
  EXPECT_EQ(Rows(), 0);

  EXPECT_FALSE(form->TimSendBinData->Enabled());
  EXPECT_EQ(form->TimSendBinData->Interval(), 100u);
  EXPECT_FALSE(form->TimAutoConn->Enabled());
  EXPECT_EQ(form->TimAutoConn->Interval(), 1000u);
  EXPECT_FALSE(form->ReconnectArmed());
}

TEST_F(MainWindow, ConnectWithAnEmptyFieldOnlyShowsTheMessage) {
  Type("127.0.0.1", "");
  form->BtnConnectClick(form->BtnConnect);
  Type("", "5000");
  form->BtnConnectClick(form->BtnConnect);
  ASSERT_EQ(watch.boxes.size(), 2u);
  for (const auto& box : watch.boxes) {
    EXPECT_EQ(box.text, W(text::kAddressOrPortEmpty));
    EXPECT_EQ(box.caption, W(text::kAppTitle));
    EXPECT_FALSE(box.hasIcon);
  }
  EXPECT_EQ(Panel(0), L"");
  EXPECT_TRUE(Disconnected());
}

TEST_F(MainWindow, PortThatIsNotAnIntegerEndsTheConnectWithAnErrorBox) {
  Type("127.0.0.1", "50x0");
  Press(form->BtnConnect);
  ASSERT_EQ(watch.boxes.size(), 1u);
  EXPECT_NE(watch.boxes[0].text.find(L"50x0"), std::wstring::npos) << watch.boxes[0].text;
  EXPECT_EQ(Panel(0), W(text::kConnecting));
  EXPECT_TRUE(Disconnected());
}

TEST_F(MainWindow, RefusedConnectionStaysDisconnected) {
  FakeBootloader device;
  int port = device.Listen();
  device.StopListening();
  Type("127.0.0.1", std::to_string(port));
  form->BtnConnectClick(form->BtnConnect);
  EXPECT_EQ(Panel(0), W(text::kSocketFailed));
  EXPECT_EQ(Panel(1), L"");
  EXPECT_EQ(Rows(), 0);
  EXPECT_TRUE(Disconnected());
  EXPECT_FALSE(form->ReconnectArmed());
}

TEST_F(MainWindow, ConnectQueriesTheDeviceAndListsItsBoards) {
  FakeBootloader device;
  device.Listen();
  ConnectTo(device);
  EXPECT_EQ(device.Texts(), std::vector<std::string>{"!Bootloader:\r\n"});
  EXPECT_TRUE(Connected());
  EXPECT_TRUE(form->BtnSend->Enabled() && form->BtnReset->Enabled() && form->BtnLoad->Enabled());
  EXPECT_FALSE(form->EditHostIP->Enabled() || form->EditHostPort->Enabled());
  EXPECT_TRUE(form->ReconnectArmed());
  EXPECT_EQ(Panel(0), L"Successful connection\xFF01---Binding Ports---TCP---Client");
  std::wstring port = std::to_wstring(device.Port());
  EXPECT_EQ(Panel(1), L"Received Data from IP:127.0.0.1,Port:" + port);

  const std::vector<std::vector<std::wstring>> rows = {
      {L"", L"Rack A", L"Main", L"HW2.0", L"SW3.1"},
      {L"", L"Rack A", L"CPU01", L"HW1.0", L"SW1.5"},
      {L"", L"Rack A", L"IO-16", L"HW1.1", L"SW2.0"}};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 5; ++c) EXPECT_EQ(Cell(r, c), rows[std::size_t(r)][std::size_t(c)]) << r << "," << c;

  std::wstring sent = L"\x3010Send to 127.0.0.1: " + port + L"\x3011\xFF1A!Bootloader:";
  std::wstring received = L"\x3010Receive from 127.0.0.1: " + port + L"\x3011\xFF1A!Name \"Rack A\"";
  auto log = Log();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[0], sent);
  EXPECT_EQ(log[2].substr(0, received.size()), received) << log[2];

  form->BtnResetClick(form->BtnReset);
  ASSERT_TRUE(PumpUntil([&] { return device.Texts().size() == 2; }));
  EXPECT_EQ(device.Texts()[1], "!GotoApp:\r\n");
  form->BtnCloseClick(form->BtnClose);
}

TEST_F(MainWindow, TickRuleRefusesACardOfAnotherType) {
  FakeBootloader device;
  device.Listen();
  ConnectTo(device);
  PressTickBox(1); // CPU01: a first tick is always accepted
  PressTickBox(0); // Main: "Ma" is not "CP"
  ASSERT_EQ(watch.Texts(), std::vector<std::wstring>{W(link::text::kSameTypeBoard)});
  EXPECT_EQ(watch.boxes[0].caption, W(text::kAppTitle));
  EXPECT_TRUE(form->ListView1->Items()->Item(1)->Checked());
  EXPECT_FALSE(form->ListView1->Items()->Item(0)->Checked());
  EXPECT_FALSE(form->ListView1->Items()->Item(2)->Checked());
  form->BtnCloseClick(form->BtnClose);
}

TEST_F(MainWindow, CloseButtonEmptiesTheWindowAndClosesTheLink) {
  FakeBootloader device;
  device.Listen();
  ConnectTo(device);
  std::wstring path = TempFile(L"vela-close-test.bin");
  WriteImage(path, 3000);
  PickImage(path);
  EXPECT_EQ(form->edLoadFile->Text(), path);
  Press(form->BtnClose);
  EXPECT_EQ(Panel(0), W(text::kSocketClosed));
  EXPECT_EQ(Panel(1), L"");
  EXPECT_EQ(Panel(2), L"");
  EXPECT_EQ(form->edLoadFile->Text(), L"");
  EXPECT_TRUE(Log().empty());
  EXPECT_EQ(Rows(), 0);
  EXPECT_TRUE(Disconnected());
  EXPECT_TRUE(PumpUntil([&] { return !device.Connected(); }));
}

TEST_F(MainWindow, UpgradeChecksFileRowsAndTicksBeforeSendingAnything) {
  FakeBootloader device;
  device.Listen();
  ConnectTo(device);
  form->BtnSendClick(form->BtnSend); // no file
  std::wstring path = TempFile(L"vela-check-test.bin");
  WriteImage(path, 100);
  PickImage(path);
  form->BtnSendClick(form->BtnSend); // nothing ticked
  PressTickBox(1);
  watch.fileToPick.clear();
  form->BtnLoadClick(form->BtnLoad); // cancelled: the old path stays, the image counts as empty
  EXPECT_EQ(form->edLoadFile->Text(), path);
  EXPECT_EQ(form->Session().transfer().ImageSize(), 0);
  form->BtnSendClick(form->BtnSend);
  EXPECT_EQ(watch.Texts(), (std::vector<std::wstring>{W(link::text::kSelectBinaryFile), W(link::text::kSelectCard),
                                                      W(link::text::kSelectBinaryFile)}));
  EXPECT_EQ(watch.fileDialogs, 2);
  EXPECT_EQ(device.Texts().size(), 1u);
  // Told to pick a file, the operator can: the file button is enabled again.
  EXPECT_TRUE(form->BtnLoad->Enabled());
  form->BtnCloseClick(form->BtnClose);
}

TEST_F(MainWindow, UpgradeOf1500BytesAtTheRealPace) {
  FakeBootloader device;
  device.Listen();
  ConnectTo(device);
  std::wstring path = TempFile(L"vela-1500.bin");
  auto image = WriteImage(path, 1500);
  PickImage(path);
  PressTickBox(1);
  form->BtnSendClick(form->BtnSend);
  ASSERT_TRUE(PumpUntil([&] { return !watch.boxes.empty(); }, 10000));
  EXPECT_EQ(watch.boxes[0].text, W(link::text::kUpgradeSuccess));
  EXPECT_EQ(device.Texts()[1], "!Select:CPU01\r\n");
  EXPECT_EQ(device.FrameBlocks(), (std::vector<int>{1, 2}));
  EXPECT_EQ(device.FrameLengths(), (std::vector<int>{1024, 476}));
  EXPECT_EQ(device.Image(), image);
  EXPECT_TRUE(LogHas(L"\x6307\x4EE4\x5E8F\x5217\x53F7:1*\x53D1\x9001\x6210\x529F\xFF01"));
  EXPECT_TRUE(LogHas(L"\x677F\x5361\x7A0B\x5E8F\x5347\x7EA7\x6210\x529F\xFF01"));
  EXPECT_EQ(Progress(), 1500);
  EXPECT_EQ(ProgressMax(), 1500);
  EXPECT_TRUE(form->BtnLoad->Enabled() && form->BtnSend->Enabled());
  form->BtnCloseClick(form->BtnClose);
}

TEST_F(MainWindow, UpgradeOfAFullImageArrivesByteForByte) {
  FakeBootloader device;
  device.Listen();
  ConnectTo(device);
  std::wstring path = TempFile(L"vela-full.bin");
  auto image = WriteImage(path, 1048577);
  PickImage(path);
  PressTickBox(1);
  form->TimSendBinData->SetInterval(1); // the real 100 ms would take 102 s for 1025 blocks
  form->BtnSendClick(form->BtnSend);
  ASSERT_TRUE(PumpUntil([&] { return !watch.boxes.empty(); }, 120000))
      << "frames: " << device.FrameCount();
  EXPECT_EQ(watch.boxes[0].text, W(link::text::kUpgradeSuccess));
  EXPECT_EQ(device.FrameCount(), 1025u);
  EXPECT_EQ(device.FrameLengths().back(), 1);
  EXPECT_TRUE(device.Image() == image);
  EXPECT_EQ(Progress(), 1048577);
  form->BtnCloseClick(form->BtnClose);
}

TEST_F(MainWindow, AcknowledgementsMoveTheProgressAndWrongOnesResendTheBlock) {
  FakeBootloader device;
  device.SetAutoAck(false);
  device.Listen();
  ConnectTo(device);
  std::wstring path = TempFile(L"vela-acks.bin");
  WriteImage(path, 2500);
  PickImage(path);
  PressTickBox(0);
  form->BtnSendClick(form->BtnSend);
  EXPECT_EQ(Progress(), 1);
  EXPECT_EQ(ProgressMax(), 2500);
  EXPECT_FALSE(form->BtnSend->Enabled());
  ASSERT_TRUE(PumpUntil([&] { return device.FrameCount() == 1; }));

  device.Send(Ack(1));
  ASSERT_TRUE(PumpUntil([&] { return device.FrameCount() == 2; }));
  EXPECT_EQ(Progress(), 1024);
  device.Send(Ack(7)); // wrong: block 2 again
  ASSERT_TRUE(PumpUntil([&] { return device.FrameCount() == 3; }));
  device.Send(Ack(1)); // repeated: block 2 again
  ASSERT_TRUE(PumpUntil([&] { return device.FrameCount() == 4; }));
  EXPECT_EQ(device.FrameBlocks(), (std::vector<int>{1, 2, 2, 2}));
  EXPECT_EQ(Progress(), 1024);

  device.Send(Ack(2));
  ASSERT_TRUE(PumpUntil([&] { return device.FrameCount() == 5; }));
  EXPECT_EQ(Progress(), 2048);
  device.Send(Ack(3));
  ASSERT_TRUE(PumpUntil([&] { return !watch.boxes.empty(); }));
  EXPECT_EQ(watch.boxes[0].text, W(link::text::kUpgradeSuccess));
  EXPECT_EQ(Progress(), 2500);
  device.Send(Ack(3)); // the last block again: nothing more goes out
  PumpFor(400);
  EXPECT_EQ(device.FrameCount(), 5u);
  form->BtnCloseClick(form->BtnClose);
}

// Half way through an upgrade, every control the operator sees looks different once the skin
// is switched off, and the same again once it is back on: each is painted from the skin, and
// switching the skin off and on loses nothing. The two looks are saved for people to compare.
TEST_F(MainWindow, HalfWayThroughAnUpgradeEveryControlIsPaintedFromTheSkin) {
  FakeBootloader device;
  device.SetAutoAck(false);
  device.Listen();
  ConnectTo(device);
  std::wstring path = TempFile(L"vela-half.bin");
  WriteImage(path, 4096);
  PickImage(path);
  PressTickBox(0);
  form->BtnSendClick(form->BtnSend);
  ASSERT_TRUE(PumpUntil([&] { return device.FrameCount() == 1; }));
  device.Send(Ack(1));
  ASSERT_TRUE(PumpUntil([&] { return device.FrameCount() == 2; }));
  device.Send(Ack(2));
  ASSERT_TRUE(PumpUntil([&] { return Progress() == 2048; }));

  // Nothing hot, no caret: the looks compared are the resting ones.
  SetCursorPos(0, 0);
  SetFocus(form->ListView1->Handle());
  std::vector<ui::TControl*> controls;
  for (int i = 0; i < form->ComponentCount(); ++i) {
    auto* control = dynamic_cast<ui::TControl*>(form->Components(i));
    if (control && control->Visible() && control->Width() > 0 && control->Height() > 0 &&
        control->ClassName() != "TLabel" && !CoveredByAChild(control))
      controls.push_back(control);
  }
  ASSERT_GE(controls.size(), 10u);
  RECT frame{};
  GetWindowRect(form->Handle(), &frame);
  auto capture = [&] {
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(100);
    std::vector<skin::Bitmap> looks;
    for (ui::TControl* control : controls)
      looks.push_back(Screen(ScreenRect(control)));
    return looks;
  };
  const std::vector<skin::Bitmap> skinned = capture();
  SaveShot(Screen(frame), L"main-window-skinned.bmp");

  auto switchSkin = [&](bool on) {
    form->SkinData1->SetActive(on);
    return PumpUntil([&] { return (SendMessageW(form->Handle(), skin::SKM_ISSKINNED, 0, 0) == 1) == on; });
  };
  ASSERT_TRUE(switchSkin(false));
  GetWindowRect(form->Handle(), &frame);
  const std::vector<skin::Bitmap> plain = capture();
  SaveShot(Screen(frame), L"main-window-unskinned.bmp");
  ASSERT_TRUE(switchSkin(true));
  const std::vector<skin::Bitmap> again = capture();

  for (std::size_t i = 0; i < controls.size(); ++i) {
    EXPECT_FALSE(SamePixels(skinned[i], plain[i])) << controls[i]->Name() << " looks the same without the skin";
    EXPECT_TRUE(SamePixels(skinned[i], again[i])) << controls[i]->Name() << " looks different after skin off and on";
  }
  EXPECT_EQ(Progress(), 2048);
  device.Send(Ack(3));
  device.Send(Ack(4));
  ASSERT_TRUE(PumpUntil([&] { return !watch.boxes.empty(); }));
  EXPECT_EQ(watch.boxes[0].text, W(link::text::kUpgradeSuccess));
  form->BtnCloseClick(form->BtnClose);
}

TEST_F(MainWindow, DeviceThatComesBackIsReconnectedSilentlyAndASecondCloseResets) {
  FakeBootloader device;
  device.Listen();
  ConnectTo(device);
  auto log = Log();
  device.DropConnection();
  ASSERT_TRUE(PumpUntil([&] { return form->TimAutoConn->Enabled(); }));
  ASSERT_TRUE(PumpUntil([&] { return !form->TimAutoConn->Enabled(); }, 5000));
  EXPECT_TRUE(PumpUntil([&] { return device.Connections() == 2; }));
  EXPECT_FALSE(form->ReconnectArmed());
  EXPECT_EQ(Rows(), 3);
  EXPECT_EQ(Log(), log);
  EXPECT_TRUE(Connected());
  EXPECT_EQ(device.Texts().size(), 1u); // nothing sent on reconnecting

  device.DropConnection();
  ASSERT_TRUE(PumpUntil([&] { return Rows() == 0; }));
  EXPECT_EQ(Panel(0), W(text::kSocketFailed));
  EXPECT_TRUE(Disconnected());
  EXPECT_FALSE(form->TimAutoConn->Enabled());
}

TEST_F(MainWindow, DeviceThatNeverComesBackIsGivenUpOnTheEighthTick) {
  FakeBootloader device;
  device.Listen();
  ConnectTo(device);
  // What each reconnection tick finds when it starts.
  struct Tick {
    int attempts, rows;
  };
  std::vector<Tick> ticks;
  form->TimAutoConn->OnTimer = [&](ui::TObject* sender) {
    ticks.push_back({form->ReconnectAttempts(), Rows()});
    form->TimAutoConnTimer(sender);
  };
  device.StopListening();
  ASSERT_TRUE(PumpUntil([&] { return form->TimAutoConn->Enabled(); }));
  ASSERT_TRUE(PumpUntil([&] { return !form->TimAutoConn->Enabled(); }, 30000));
  ASSERT_EQ(ticks.size(), 8u);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(ticks[std::size_t(i)].attempts, i);
    EXPECT_EQ(ticks[std::size_t(i)].rows, 3) << "rows are kept while reconnecting";
  }
  EXPECT_EQ(Panel(0), W(text::kSocketFailed));
  EXPECT_EQ(Rows(), 0);
  EXPECT_TRUE(Disconnected());
  EXPECT_FALSE(form->ReconnectArmed());
}

TEST_F(MainWindow, ClosingTheWindowWhileConnectedClosesTheLink) {
  FakeBootloader device;
  device.Listen();
  ConnectTo(device);
  form->Close();
  EXPECT_TRUE(PumpUntil([&] { return !device.Connected(); }));
  EXPECT_FALSE(form->Link().MainSocketOpen());
}

} // namespace
} // namespace vela::app
