// WindowProc: replacing and restoring it, the framework's notifications, and exceptions that
// must not leave a window procedure.
#include "tests/win/ui/ui_test_util.h"
#include "ui/form.h"
#include "ui/speed_button.h"
#include "ui/std_controls.h"
#include "ui/timer.h"

#include <gtest/gtest.h>

namespace vela::ui::test {
namespace {

class WindowProcTakeover : public ::testing::Test {
protected:
  void SetUp() override {
    Application->Initialize();
    form = new TForm(nullptr);
    form->SetBounds(20, 20, 300, 200);
    edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 120, 21);
    form->HandleNeeded();
  }
  void TearDown() override { delete form; }
  TForm* form = nullptr;
  TEdit* edit = nullptr;
};

TEST_F(WindowProcTakeover, ReplacedProcedureSeesNativeMessagesAndNotificationsInOrder) {
  MessageRecorder rec(edit, {WM_ENABLE, WM_SETTEXT, CM_ENABLEDCHANGED, CM_VISIBLECHANGED, CM_TEXTCHANGED});
  edit->SetEnabled(false);
  edit->SetVisible(false);
  edit->SetText(L"192.168.1.10");
  edit->SetVisible(true);
  edit->SetEnabled(true);
  const std::vector<UINT> expected = {WM_ENABLE,         CM_ENABLEDCHANGED, CM_VISIBLECHANGED, WM_SETTEXT,
                                      CM_TEXTCHANGED,    CM_VISIBLECHANGED, WM_ENABLE,         CM_ENABLEDCHANGED};
  EXPECT_EQ(rec.seen, expected);
  // Forwarded messages still did their native work.
  EXPECT_TRUE(IsWindowEnabled(edit->Handle()));
  EXPECT_EQ(edit->Text(), L"192.168.1.10");
}

TEST_F(WindowProcTakeover, RestoredProcedureNoLongerPassesThroughTheTakeover) {
  MessageRecorder rec(edit, {CM_ENABLEDCHANGED, CM_MOUSEENTER});
  edit->Perform(CM_MOUSEENTER);
  rec.Detach();
  edit->SetEnabled(false);
  edit->Perform(CM_MOUSEENTER);
  EXPECT_EQ(rec.seen, (std::vector<UINT>{CM_MOUSEENTER}));
  EXPECT_FALSE(IsWindowEnabled(edit->Handle()));
}

TEST_F(WindowProcTakeover, ATakeoverThatConsumesAMessageKeepsItFromTheControl) {
  TWndMethod saved = edit->WindowProc;
  edit->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_SETTEXT) {
      m.Result = TRUE; // consumed: the native edit never sees it
      return;
    }
    saved(m);
  };
  SetWindowTextW(edit->Handle(), L"ignored");
  edit->WindowProc = saved;
  EXPECT_EQ(edit->Text(), L"");
  SetWindowTextW(edit->Handle(), L"kept");
  EXPECT_EQ(edit->Text(), L"kept");
}

TEST_F(WindowProcTakeover, ParentsHandEveryReflectedMessageToTheChildItNames) {
  MessageRecorder rec(edit, {CN_COMMAND, CN_NOTIFY, CN_HSCROLL, CN_VSCROLL, CN_CTLCOLOREDIT, CN_CTLCOLORSTATIC,
                             CN_CTLCOLORBTN, CN_CTLCOLORLISTBOX, CN_DRAWITEM, CN_MEASUREITEM});
  HWND parent = form->Handle();
  HWND child = edit->Handle();
  SetWindowLongPtrW(child, GWLP_ID, 77);
  const auto byHandle = reinterpret_cast<LPARAM>(child);
  HDC dc = GetDC(child);
  SendMessageW(parent, WM_COMMAND, MAKEWPARAM(77, 0x7FF0), byHandle);
  NMHDR header{child, 77, UINT(-1000)};
  SendMessageW(parent, WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&header));
  SendMessageW(parent, WM_HSCROLL, SB_LINEUP, byHandle);
  SendMessageW(parent, WM_VSCROLL, SB_LINEDOWN, byHandle);
  for (UINT colour : {WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC, WM_CTLCOLORBTN, WM_CTLCOLORLISTBOX})
    SendMessageW(parent, colour, reinterpret_cast<WPARAM>(dc), byHandle);
  DRAWITEMSTRUCT draw{};
  draw.CtlType = ODT_BUTTON;
  draw.hwndItem = child;
  draw.hDC = dc;
  SendMessageW(parent, WM_DRAWITEM, 77, reinterpret_cast<LPARAM>(&draw));
  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_LISTBOX;
  measure.CtlID = 77;
  SendMessageW(parent, WM_MEASUREITEM, 77, reinterpret_cast<LPARAM>(&measure));
  // Menu items belong to no child control.
  draw.CtlType = ODT_MENU;
  SendMessageW(parent, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
  measure.CtlType = ODT_MENU;
  SendMessageW(parent, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
  ReleaseDC(child, dc);
  const std::vector<UINT> expected = {CN_COMMAND,        CN_NOTIFY,      CN_HSCROLL,         CN_VSCROLL,
                                      CN_CTLCOLOREDIT,   CN_CTLCOLORSTATIC, CN_CTLCOLORBTN, CN_CTLCOLORLISTBOX,
                                      CN_DRAWITEM,       CN_MEASUREITEM};
  EXPECT_EQ(rec.seen, expected);
}

TEST_F(WindowProcTakeover, WindowIsAttachedUntilItIsDestroyed) {
  HWND h = edit->Handle();
  EXPECT_EQ(TWinControl::FromHandle(h), edit);
  wchar_t cls[64] = {};
  GetClassNameW(h, cls, 64);
  EXPECT_STREQ(cls, L"TEdit.UnicodeClass");
  DestroyWindow(h);
  EXPECT_FALSE(edit->HandleAllocated());
  EXPECT_EQ(TWinControl::FromHandle(h), nullptr);
  edit->SetText(L"again"); // the window comes back on demand with the text
  EXPECT_NE(edit->Handle(), nullptr);
  EXPECT_EQ(edit->Text(), L"again");
}

TEST(HandlersThatFreeTheirControl, NothingOfTheControlIsTouchedAfterwards) {
  Application->Initialize();
  TForm form(nullptr);
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  HWND window = edit->Handle();
  edit->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { delete edit; };
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(form.ControlCount(), 0);

  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetBounds(0, 0, 100, 50);
  auto* button = new TSpeedButton(&form);
  button->SetParent(panel);
  button->SetBounds(0, 0, 40, 20);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  button->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { delete button; };
  SendMessageW(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(panel->ControlCount(), 0);
  EXPECT_NE(GetCapture(), panel->Handle()); // the capture went with the button
}

class ErrorsInHandlers : public ::testing::Test {
protected:
  void SetUp() override {
    Application->Initialize();
    Application->OnException = [this](TObject* sender, const std::exception& e) {
      senders.push_back(sender);
      messages.push_back(e.what());
    };
  }
  void TearDown() override { Application->OnException = nullptr; }
  std::vector<TObject*> senders;
  std::vector<std::string> messages;
};

TEST_F(ErrorsInHandlers, ExceptionFromAClickHandlerReachesTheApplicationNotTheCaller) {
  TForm form(nullptr);
  auto* button = new TButton(&form);
  button->SetParent(&form);
  button->OnClick = [](TObject*) { StrToInt(L"50x0"); };
  int after = 0;
  button->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++after; };
  // The click arrives through the window procedure; nothing may escape SendMessage.
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "'50x0' is not a valid integer value");
  // The window keeps working afterwards.
  int before = after;
  SendMessageW(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(after, before + 1);
}

TEST_F(ErrorsInHandlers, ExceptionFromATimerTickReachesTheApplication) {
  TTimer timer(nullptr);
  int ticks = 0;
  timer.SetInterval(10);
  timer.OnTimer = [&](TObject*) {
    if (++ticks == 1) throw EInvalidOperation("tick failed");
  };
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }));
  timer.SetEnabled(false);
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages[0], "tick failed");
  EXPECT_EQ(senders[0], &timer);
}

} // namespace
} // namespace vela::ui::test
