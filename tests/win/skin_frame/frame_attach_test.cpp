// Attaching a frame skinner to a form or a bare window, the messages it answers and passes on,
// and letting the window go exactly as it was.
#include "tests/win/skin_frame/frame_fixture.h"

#include "skin/forms/skin_manager.h"
#include "skin/forms/skin_messages.h"
#include "ui/application.h"
#include "ui/graphics.h"

#include <algorithm>
#include <vector>

namespace vela::skin::test {
namespace {

constexpr UINT kLinkEvent = 1106;
constexpr UINT kAcceptedLinkEvent = 1107;

// What the form's own message method saw, installed before the skinner takes it over.
struct FormRecorder {
  explicit FormRecorder(ui::TForm* form) : saved(form->WindowProc) {
    form->WindowProc = [this](ui::TMessage& m) {
      seen.push_back(m);
      saved(m);
    };
  }
  bool Saw(UINT msg, WPARAM wParam = ~WPARAM(0)) const {
    return std::any_of(seen.begin(), seen.end(), [&](const ui::TMessage& m) {
      return m.Msg == msg && (wParam == ~WPARAM(0) || m.WParam == wParam);
    });
  }
  ui::TWndMethod saved;
  std::vector<ui::TMessage> seen;
};

// How a window looks from outside, to compare before skinning and after letting go.
struct WindowSnapshot {
  LONG_PTR proc, style, exStyle;
  LONG clientWidth, clientHeight;
  int regionKind;
  HMENU menu;
  bool operator==(const WindowSnapshot&) const = default;
};

WindowSnapshot Snapshot(HWND w) {
  RECT c{};
  GetClientRect(w, &c);
  HRGN probe = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetWindowRgn(w, probe);
  DeleteObject(probe);
  return WindowSnapshot{GetWindowLongPtrW(w, GWLP_WNDPROC),
                        GetWindowLongPtrW(w, GWL_STYLE),
                        GetWindowLongPtrW(w, GWL_EXSTYLE),
                        c.right,
                        c.bottom,
                        kind,
                        GetMenu(w)};
}

POINT ScreenOf(HWND w, int frameX, int frameY) {
  RECT r{};
  GetWindowRect(w, &r);
  return POINT{r.left + frameX, r.top + frameY};
}

LPARAM PointParam(POINT p) {
  return MAKELPARAM(p.x, p.y);
}

using FrameAttach = SkinnedFormTest;

TEST_F(FrameAttach, SkinnedFormAnswersIsSkinnedAndStillGetsItsSocketMessages) {
  CreateForm();
  FormRecorder recorder(form);
  EXPECT_EQ(SendMessageW(Window(), SKM_ISSKINNED, 0, 0), 0);
  Skin();
  recorder.seen.clear();
  EXPECT_EQ(SendMessageW(Window(), SKM_ISSKINNED, 0, 0), 1);
  SendMessageW(Window(), kLinkEvent, 0, 1 /* FD_READ */);
  SendMessageW(Window(), kAcceptedLinkEvent, 0, 32 /* FD_CLOSE */);
  EXPECT_TRUE(recorder.Saw(kLinkEvent));
  EXPECT_TRUE(recorder.Saw(kAcceptedLinkEvent));
  // The skinner's own question never reaches the form.
  EXPECT_FALSE(recorder.Saw(SKM_ISSKINNED));
}

TEST_F(FrameAttach, TheFrameIsTheSkinsAndTheClientAreaKeepsItsSize) {
  CreateForm();
  RECT before{};
  GetClientRect(Window(), &before);
  Skin();
  const TSkinElements& e = Elements();
  const int left = e.Left.Bitmap.Width() / e.Left.FrameCount;
  const int top = e.Top.Bitmap.Height() / e.Top.FrameCount;
  const int right = e.Right.Bitmap.Width() / e.Right.FrameCount;
  const int bottom = e.Bottom.Bitmap.Height() / e.Bottom.FrameCount;
  RECT window{}, client{};
  GetWindowRect(Window(), &window);
  GetClientRect(Window(), &client);
  POINT origin{0, 0};
  ClientToScreen(Window(), &origin);
  EXPECT_EQ(origin.x - window.left, left);
  EXPECT_EQ(origin.y - window.top, top);
  EXPECT_EQ(window.right - window.left, client.right + left + right);
  EXPECT_EQ(window.bottom - window.top, client.bottom + top + bottom);
  EXPECT_EQ(client.right, before.right);
  EXPECT_EQ(client.bottom, before.bottom);
  EXPECT_EQ(GetWindowLongPtrW(Window(), GWL_STYLE) & WS_CAPTION, 0);
  EXPECT_EQ(form->Color(), e.Colours.ButtonFace);
}

TEST_F(FrameAttach, UnskinningRestoresTheWindowExactly) {
  CreateForm();
  const WindowSnapshot before = Snapshot(Window());
  const ui::TColor colour = form->Color();
  FormRecorder recorder(form);
  Skin();
  EXPECT_NE(Snapshot(Window()), before);
  Skinner()->DetachFrame();
  delete Skinner();
  PumpMessages();
  EXPECT_EQ(Snapshot(Window()), before);
  EXPECT_EQ(form->Color(), colour);
  EXPECT_EQ(SendMessageW(Window(), SKM_ISSKINNED, 0, 0), 0);
  // The form's message method is its own again: the recorder installed before sees messages.
  recorder.seen.clear();
  SendMessageW(Window(), kLinkEvent, 0, 0);
  EXPECT_TRUE(recorder.Saw(kLinkEvent));
}

TEST_F(FrameAttach, FreeingTheSkinnerWithoutUnskinningPutsBothProceduresBack) {
  CreateForm();
  const LONG_PTR proc = GetWindowLongPtrW(Window(), GWLP_WNDPROC);
  FormRecorder recorder(form);
  Skin();
  ASSERT_NE(GetWindowLongPtrW(Window(), GWLP_WNDPROC), proc);
  delete Skinner(); // as when the form frees what it owns
  EXPECT_EQ(GetWindowLongPtrW(Window(), GWLP_WNDPROC), proc);
  EXPECT_EQ(SendMessageW(Window(), SKM_ISSKINNED, 0, 0), 0);
  SendMessageW(Window(), kLinkEvent, 0, 0);
  EXPECT_TRUE(recorder.Saw(kLinkEvent));
}

TEST_F(FrameAttach, AHandlerInstalledOverTheSkinnersKeepsWorkingAfterTheSkinnerIsGone) {
  CreateForm();
  FormRecorder below(form);
  Skin();
  FormRecorder above(form); // wraps the skinner's hook, which cannot be taken out any more
  delete Skinner();
  SendMessageW(Window(), kLinkEvent, 0, 0);
  EXPECT_TRUE(above.Saw(kLinkEvent));
  EXPECT_TRUE(below.Saw(kLinkEvent));
}

TEST_F(FrameAttach, HitTestGivesTheCaptionAboveTheClientArea) {
  CreateForm();
  Skin();
  RECT window{};
  GetWindowRect(Window(), &window);
  const int w = window.right - window.left;
  // The middle of the caption, away from the title's buttons.
  EXPECT_EQ(SendMessageW(Window(), WM_NCHITTEST, 0, PointParam(ScreenOf(Window(), w / 2, 12))),
            HTCAPTION);
  EXPECT_EQ(SendMessageW(Window(), WM_NCHITTEST, 0, PointParam(ScreenOf(Window(), w / 2, 100))),
            HTCLIENT);
  // The bottom-right corner of a sizeable window stays the system's.
  const LRESULT corner =
      SendMessageW(Window(), WM_NCHITTEST, 0,
                   PointParam(ScreenOf(Window(), w - 1, window.bottom - window.top - 1)));
  EXPECT_EQ(corner, HTBOTTOMRIGHT);
}

TEST_F(FrameAttach, ReleasingTheCloseButtonPostsTheCloseCommand) {
  CreateForm();
  FormRecorder recorder(form);
  Skin();
  WatchClose();
  RECT window{};
  GetWindowRect(Window(), &window);
  // The default skin's close button: Align 1, 34 from the right edge, 4 down, 30 x 22 cells.
  const POINT onClose = ScreenOf(Window(), window.right - window.left - 34 + 15, 4 + 11);
  SendMessageW(Window(), WM_NCLBUTTONDOWN, HTCAPTION, PointParam(onClose));
  SendMessageW(Window(), WM_NCLBUTTONUP, HTCAPTION, PointParam(onClose));
  ASSERT_TRUE(PumpUntil([&] { return closeAsked; }));
  EXPECT_TRUE(recorder.Saw(WM_SYSCOMMAND, SC_CLOSE));
}

TEST_F(FrameAttach, APressReleasedOutsideEveryButtonDoesNothing) {
  CreateForm();
  Skin();
  WatchClose();
  RECT window{};
  GetWindowRect(Window(), &window);
  const int w = window.right - window.left;
  SendMessageW(Window(), WM_NCLBUTTONDOWN, HTCAPTION,
               PointParam(ScreenOf(Window(), w - 34 + 15, 15)));
  SendMessageW(Window(), WM_NCLBUTTONUP, HTCAPTION, PointParam(ScreenOf(Window(), w / 2, 200)));
  PostMessageW(Window(), WM_NULL, 0, 0);
  PumpMessages();
  EXPECT_FALSE(closeAsked);
}

TEST_F(FrameAttach, SystemMenuCommandsComeBackAsSystemCommands) {
  CreateForm();
  FormRecorder recorder(form);
  Skin();
  WatchClose();
  SendMessageW(Window(), WM_COMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(PumpUntil([&] { return closeAsked; }));
  EXPECT_TRUE(recorder.Saw(WM_SYSCOMMAND, SC_CLOSE));
}

TEST_F(FrameAttach, TheRegionIsRebuiltOnlyWhenTheSizeChanges) {
  CreateForm();
  Skin();
  HRGN first = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(Window(), first), ERROR);
  RECT box{};
  GetRgnBox(first, &box);
  RECT window{};
  GetWindowRect(Window(), &window);
  EXPECT_EQ(box.right, window.right - window.left);
  EXPECT_EQ(box.bottom, window.bottom - window.top);
  // The default skin's top corners are transparent.
  EXPECT_FALSE(PtInRegion(first, 0, 0));
  EXPECT_TRUE(PtInRegion(first, 60, 10));

  // A move keeps the size: the same region stays in force.
  SetWindowPos(Window(), nullptr, window.left + 10, window.top + 5, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER);
  HRGN second = CreateRectRgn(0, 0, 0, 0);
  GetWindowRgn(Window(), second);
  EXPECT_TRUE(EqualRgn(first, second));
  // A new size cuts a new one.
  SetWindowPos(Window(), nullptr, 0, 0, 500, 320, SWP_NOMOVE | SWP_NOZORDER);
  HRGN third = CreateRectRgn(0, 0, 0, 0);
  GetWindowRgn(Window(), third);
  GetRgnBox(third, &box);
  EXPECT_EQ(box.right, 500);
  EXPECT_EQ(box.bottom, 320);
  for (HRGN r : {first, second, third})
    DeleteObject(r);
}

TEST_F(FrameAttach, AWindowWithoutTheSkinsMainMenuSwitchKeepsTheSystemFrame) {
  CreateForm();
  data->SetSkinControls(data->SkinControls() & ~SkinControlBit(xcMainMenu));
  const LONG_PTR style = GetWindowLongPtrW(Window(), GWL_STYLE);
  RECT client{};
  GetClientRect(Window(), &client);
  Skin();
  EXPECT_EQ(SendMessageW(Window(), SKM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(GetWindowLongPtrW(Window(), GWL_STYLE), style);
  EXPECT_EQ(form->Color(), Elements().Colours.ButtonFace);
  RECT after{};
  GetClientRect(Window(), &after);
  EXPECT_EQ(after.right, client.right);
  EXPECT_EQ(after.bottom, client.bottom);
}

TEST_F(FrameAttach, RepaintsResizesAndSkinCyclesLeaveNoGdiObjectBehind) {
  CreateForm();
  Skin();
  SendMessageW(Window(), WM_NCPAINT, 1, 0); // the first paint makes the frame's surface
  const long before = ui::LiveGdiObjects();
  for (int i = 0; i < 50; ++i)
    SendMessageW(Window(), WM_NCPAINT, 1, 0);
  for (int i = 0; i < 10; ++i)
    SetWindowPos(Window(), nullptr, 0, 0, 420 + i * 7, 300 + i * 5, SWP_NOMOVE | SWP_NOZORDER);
  SetWindowPos(Window(), nullptr, 0, 0, 420, 300, SWP_NOMOVE | SWP_NOZORDER);
  for (int cycle = 0; cycle < 3; ++cycle) {
    Skinner()->DetachFrame();
    delete Skinner();
    Skin();
    SendMessageW(Window(), WM_NCPAINT, 1, 0);
  }
  EXPECT_EQ(ui::LiveGdiObjects(), before);
}

// ---- a window without a form object

LRESULT CALLBACK BareProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kLinkEvent)
    return 77;
  return DefWindowProcW(w, msg, wParam, lParam);
}

class BareWindow : public SkinnedFormTest {
protected:
  void MakeBare() {
    CreateForm(); // carries the skin data and the manager
    WNDCLASSW wc{};
    wc.lpfnWndProc = BareProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VelaBareFrameTest";
    wc.style = CS_DBLCLKS;
    RegisterClassW(&wc);
    bare = CreateWindowExW(0, L"VelaBareFrameTest", L"Bare", WS_OVERLAPPEDWINDOW, 200, 150, 320,
                           240, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(bare, SW_SHOW);
    PumpMessages();
  }
  void SkinBare() {
    SkinManager->Active = true;
    SkinManager->AttachWindow(bare);
    ASSERT_TRUE(PumpUntil([&] {
      TWinSkinForm* s = SkinManager->FindFormSkinner(bare);
      return s && s->LifeState() == 1;
    }));
  }
  void TearDown() override {
    if (bare && IsWindow(bare))
      DestroyWindow(bare);
    SkinnedFormTest::TearDown();
  }
  HWND bare = nullptr;
};

TEST_F(BareWindow, IsSkinnedWithoutAFormAndPassesItsOwnMessagesOn) {
  MakeBare();
  const WindowSnapshot before = Snapshot(bare);
  SkinBare();
  TWinSkinForm* skinner = SkinManager->FindFormSkinner(bare);
  EXPECT_EQ(skinner->Form(), nullptr);
  EXPECT_EQ(SendMessageW(bare, SKM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(SendMessageW(bare, kLinkEvent, 0, 0), 77);
  RECT client{};
  GetClientRect(bare, &client);
  EXPECT_EQ(client.right, before.clientWidth);
  EXPECT_EQ(client.bottom, before.clientHeight);
  skinner->DetachFrame();
  SkinManager->RemoveFormSkinner(bare);
  delete skinner;
  EXPECT_EQ(Snapshot(bare), before);
}

TEST_F(BareWindow, DestroyingASkinnedWindowReleasesItAndMarksTheSkinnerDestroyed) {
  MakeBare();
  SkinBare();
  TWinSkinForm* skinner = SkinManager->FindFormSkinner(bare);
  DestroyWindow(bare);
  EXPECT_EQ(skinner->LifeState(), 6);
  bare = nullptr;
  // The manager frees skinners of destroyed windows.
  SkinManager->PurgeDestroyedForms();
  const auto& left = SkinManager->FormSkinners();
  EXPECT_EQ(std::find(left.begin(), left.end(), skinner), left.end());
}

TEST_F(BareWindow, AProcedureInstalledAfterTheSkinnerSurvivesUnskinning) {
  MakeBare();
  SkinBare();
  TWinSkinForm* skinner = SkinManager->FindFormSkinner(bare);
  static WNDPROC below = nullptr;
  below = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(bare, GWLP_WNDPROC));
  WNDPROC above = [](HWND w, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (msg == kAcceptedLinkEvent)
      return 5;
    return CallWindowProcW(below, w, msg, wParam, lParam);
  };
  SetWindowLongPtrW(bare, GWLP_WNDPROC, LONG_PTR(above));
  skinner->DetachFrame();
  SkinManager->RemoveFormSkinner(bare);
  delete skinner;
  // Ours could not be taken out of the chain, so it keeps forwarding to the original.
  EXPECT_EQ(GetWindowLongPtrW(bare, GWLP_WNDPROC), LONG_PTR(above));
  EXPECT_EQ(SendMessageW(bare, kAcceptedLinkEvent, 0, 0), 5);
  EXPECT_EQ(SendMessageW(bare, kLinkEvent, 0, 0), 77);
  EXPECT_EQ(SendMessageW(bare, SKM_ISSKINNED, 0, 0), 0);
  // Skinning it again takes the forwarder up where it stands, under the later procedure.
  SkinBare();
  EXPECT_EQ(SendMessageW(bare, SKM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(SendMessageW(bare, kAcceptedLinkEvent, 0, 0), 5);
  EXPECT_EQ(SendMessageW(bare, kLinkEvent, 0, 0), 77);
  DestroyWindow(bare); // the record goes with the window
  bare = nullptr;
}

TEST_F(BareWindow, AnMdiFrameIsRecognisedAndItsClientWindowGivenBack) {
  MakeBare();
  CLIENTCREATESTRUCT ccs{};
  HWND client =
      CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0,
                      0, 200, 150, bare, nullptr, GetModuleHandleW(nullptr), &ccs);
  ASSERT_NE(client, nullptr);
  const LONG_PTR clientProc = GetWindowLongPtrW(client, GWLP_WNDPROC);
  SkinBare();
  TWinSkinForm* skinner = SkinManager->FindFormSkinner(bare);
  EXPECT_EQ(skinner->MdiKind(), 1);
  EXPECT_EQ(SkinManager->MdiClientWindow, client);
  EXPECT_NE(GetWindowLongPtrW(client, GWLP_WNDPROC), clientProc);
  // Without the option that keeps them, the client loses its scroll bars when its frame is
  // computed.
  SetWindowPos(client, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(GetWindowLongPtrW(client, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), 0);
  skinner->DetachFrame();
  SkinManager->RemoveFormSkinner(bare);
  delete skinner;
  EXPECT_EQ(GetWindowLongPtrW(client, GWLP_WNDPROC), clientProc);
}

} // namespace
} // namespace vela::skin::test
