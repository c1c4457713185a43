// Edits of a skinned form (framed over their native border, the frame following focus, the
// mouse and the enabled state), and the fillers of a bare window: its edit, its size grip and
// a dialog nested in it.
#include "skin/controls/skin_box.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_messages.h"
#include "skin/forms/skin_manager.h"
#include "tests/win/skin_frame/frame_fixture.h"
#include "ui/bitmap.h"
#include "ui/graphics.h"
#include "ui/std_controls.h"

#include <functional>

namespace vela::skin::test {
namespace {

class EditSkinTest : public SkinnedFormTest {
protected:
  void SetUp() override {
    SkinnedFormTest::SetUp();
    CreateForm();
    first = AddEdit(10);
    second = AddEdit(50);
    plain = AddEdit(90);
  }
  ui::TEdit* AddEdit(int top) {
    auto* edit = new ui::TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, top, 160, 22);
    edit->SetText(L"10.0.0.1");
    return edit;
  }
  TSkinEdit* SkinnerOf(ui::TWinControl* edit) const {
    return dynamic_cast<TSkinEdit*>(Skinner()->FindControlSkinner(edit->Handle()));
  }
  // The outer and inner frame pixels half way along the top edge.
  std::pair<Pixel, Pixel> FrameOf(ui::TWinControl* edit) const {
    const Bitmap shot = CaptureWindow(edit->Handle());
    return {shot.At(shot.Width() / 2, 0), shot.At(shot.Width() / 2, 1)};
  }
  EditFrame LookAfter(ui::TWinControl* edit, UINT msg, WPARAM wParam = 0, LPARAM lParam = MAKELPARAM(5, 5)) {
    SendMessageW(edit->Handle(), msg, wParam, lParam);
    UpdateWindow(edit->Handle());
    return SkinnerOf(edit)->LastLook().Frame;
  }
  ui::TEdit* first = nullptr;
  ui::TEdit* second = nullptr;
  ui::TEdit* plain = nullptr;
};

constexpr EditFrame kNormal{EditFrameColour::Shadow, EditFrameColour::White};
constexpr EditFrame kLit{EditFrameColour::Hilight, EditFrameColour::White};
constexpr EditFrame kDisabled{EditFrameColour::Shadow, EditFrameColour::Face};

TEST_F(EditSkinTest, EditsAreTakenOverThroughTheirWindowProcedures) {
  Skin();
  TSkinEdit* skinner = SkinnerOf(first);
  ASSERT_NE(skinner, nullptr);
  EXPECT_EQ(skinner->Control(), nullptr) << "attached by handle, not through WindowProc";
  EXPECT_EQ(skinner->Owner(), first) << "owned by its edit";
  EXPECT_EQ(SendMessageW(first->Handle(), SKM_ISSKINNED, 0, 0), 1);
}

TEST_F(EditSkinTest, TheClassMapKeepsEditsNative) {
  data->Skin3rd()->Insert(0, L"TEdit=nil");
  Skin();
  EXPECT_EQ(SkinnerOf(first), nullptr);
}

TEST_F(EditSkinTest, EditsNeedTheirSwitch) {
  data->SetSkinControls(data->SkinControls() & ~SkinControlBit(xcEdit));
  Skin();
  EXPECT_EQ(SkinnerOf(first), nullptr);
}

TEST_F(EditSkinTest, FrameFollowsFocusMouseAndEnabled) {
  Skin();
  SetFocus(second->Handle());
  PumpMessages();
  const HWND edit = first->Handle();
  auto send = [edit](UINT msg) { return [edit, msg] { SendMessageW(edit, msg, 0, MAKELPARAM(5, 5)); }; };
  struct Step {
    const char* what;
    std::function<void()> act;
    EditFrame look;
  };
  const Step steps[] = {
      {"at rest", send(WM_PAINT), kNormal},
      {"focused", [edit] { SetFocus(edit); }, kLit},
      {"focus elsewhere", [this] { SetFocus(second->Handle()); }, kNormal},
      {"mouse over", send(WM_MOUSEMOVE), kLit},
      {"mouse left", send(WM_MOUSELEAVE), kNormal},
      {"mouse over again", send(WM_MOUSEMOVE), kLit},
      {"the framework says the mouse left", send(ui::CM_MOUSELEAVE), kNormal},
      {"disabled", [this] { first->SetEnabled(false); }, kDisabled},
      {"disabled, mouse over", send(WM_MOUSEMOVE), kDisabled},
      {"enabled, mouse gone", [this, edit] { first->SetEnabled(true); SendMessageW(edit, WM_MOUSELEAVE, 0, 0); }, kNormal},
  };
  for (const Step& step : steps) {
    step.act();
    PumpMessages();
    UpdateWindow(edit);
    EXPECT_EQ(SkinnerOf(first)->LastLook().Frame, step.look) << step.what;
  }
}

TEST_F(EditSkinTest, FramePixelsAreTheSkinsColours) {
  Skin();
  SetFocus(second->Handle());
  PumpMessages();
  LookAfter(first, WM_PAINT);
  EXPECT_EQ(FrameOf(first), std::make_pair(Rgb(Elements().Colours.ButtonShadow), Pixel(0xFFFFFF)));
  SetFocus(first->Handle());
  UpdateWindow(first->Handle());
  EXPECT_EQ(FrameOf(first).first, Rgb(Elements().Colours.Hilight));
  first->SetEnabled(false);
  PumpMessages();
  UpdateWindow(first->Handle());
  EXPECT_EQ(FrameOf(first), std::make_pair(Rgb(Elements().Colours.ButtonShadow), Rgb(Elements().Colours.ButtonFace)));
}

TEST_F(EditSkinTest, TheHotLookPassesFromEditToEdit) {
  Skin();
  SetFocus(second->Handle());
  PumpMessages();
  EXPECT_EQ(LookAfter(first, WM_MOUSEMOVE), kLit);
  EXPECT_EQ(Skinner()->HotControl(), SkinnerOf(first));
  EXPECT_EQ(LookAfter(plain, WM_MOUSEMOVE), kLit);
  EXPECT_FALSE(SkinnerOf(first)->Hot()) << "the first edit was not told that the mouse left";
  UpdateWindow(first->Handle());
  EXPECT_EQ(SkinnerOf(first)->LastLook().Frame, kNormal);
  EXPECT_EQ(LookAfter(plain, WM_MOUSELEAVE), kNormal);
  EXPECT_EQ(Skinner()->HotControl(), nullptr);
}

TEST_F(EditSkinTest, TheFrameSurvivesAFrameOnlyRepaint) {
  Skin();
  SetFocus(second->Handle());
  PumpMessages();
  RedrawWindow(first->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(FrameOf(first).first, Rgb(Elements().Colours.ButtonShadow));
  SetWindowPos(first->Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  PumpMessages();
  EXPECT_EQ(FrameOf(first).first, Rgb(Elements().Colours.ButtonShadow));
}

TEST_F(EditSkinTest, AnEditWithoutBorderGetsNoFrame) {
  SetWindowLongPtrW(plain->Handle(), GWL_EXSTYLE, GetWindowLongPtrW(plain->Handle(), GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
  SetWindowPos(plain->Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Skin();
  SetFocus(second->Handle());
  PumpMessages();
  EXPECT_EQ(LookAfter(first, WM_PAINT), kNormal);
  SendMessageW(plain->Handle(), WM_PAINT, 0, 0);
  EXPECT_FALSE(SkinnerOf(plain)->LastLook().Painted);
  EXPECT_TRUE(SkinnerOf(first)->LastLook().Painted);
}

TEST_F(EditSkinTest, SkinEnableAndUnskinningGiveTheNativeBorderBack) {
  SetFocus(second->Handle());
  PumpMessages();
  Redraw(first->Handle());
  const Bitmap before = CaptureWindow(first->Handle());
  const LONG_PTR proc = GetWindowLongPtrW(first->Handle(), GWLP_WNDPROC);
  Skin();
  SetFocus(second->Handle());
  PumpMessages();
  ASSERT_NE(FrameOf(first).first, before.At(before.Width() / 2, 0)) << "the skin frame looks native";
  SendMessageW(first->Handle(), SKM_ENABLE, 0, 0);
  Redraw(first->Handle());
  EXPECT_EQ(FrameOf(first).first, before.At(before.Width() / 2, 0)) << "SKM_ENABLE 0 paints natively";
  SendMessageW(first->Handle(), SKM_ENABLE, 1, 0);
  EXPECT_EQ(FrameOf(first).first, Rgb(Elements().Colours.ButtonShadow)) << "SKM_ENABLE 1 repaints at once";

  Skinner()->DetachFrame();
  EXPECT_EQ(GetWindowLongPtrW(first->Handle(), GWLP_WNDPROC), proc);
  EXPECT_EQ(first->ComponentCount(), 0);
  Redraw(first->Handle());
  const Bitmap after = CaptureWindow(first->Handle());
  for (int y = 0; y < after.Height(); ++y)
    for (int x = 0; x < after.Width(); ++x)
      ASSERT_EQ(after.At(x, y), before.At(x, y)) << "at " << x << "," << y;
}

TEST_F(EditSkinTest, PrintingFramesWithTheDcsBrushInsideAndTheShadowOutside) {
  Skin();
  RECT r{};
  GetWindowRect(first->Handle(), &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  ui::TBitmap page;
  page.SetSize(w, h);
  HDC dc = page.Dc();
  const ui::TGdiObject<HBRUSH> red(CreateSolidBrush(RGB(220, 0, 0)));
  HGDIOBJ old = SelectObject(dc, red.Get());
  SendMessageW(first->Handle(), WM_PRINT, WPARAM(dc), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
  SelectObject(dc, old);
  const Raster printed = page.View();
  EXPECT_EQ(printed.At(w / 2, 0) & 0xFFFFFF, Rgb(Elements().Colours.ButtonShadow));
  EXPECT_EQ(printed.At(w / 2, 1) & 0xFFFFFF, Pixel(0xDC0000));
  EXPECT_EQ(printed.At(1, h / 2) & 0xFFFFFF, Pixel(0xDC0000)) << "the edit's printing clipped the frame";
}

// The manager tells the form's skinner of a grip made inside it; the skinner hands it over.
TEST_F(EditSkinTest, ASizeGripMadeInASkinnedFormIsFilledWithTheFaceColour) {
  Skin();
  HWND grip = CreateWindowExW(0, L"ScrollBar", L"", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 330, 170, 16, 16,
                              Window(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(grip, nullptr);
  EXPECT_EQ(Skinner()->SizeGrip(), grip);
  ASSERT_NE(dynamic_cast<TSkinSizer*>(Skinner()->FindControlSkinner(grip)), nullptr);
  RedrawWindow(grip, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const Bitmap shot = CaptureWindow(grip);
  EXPECT_EQ(shot.At(shot.Width() - 3, shot.Height() - 3), Rgb(Elements().Colours.ButtonFace));
}

// ---- a window without a framework form

LRESULT CALLBACK BareProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, msg, wParam, lParam);
}

class BareFillerTest : public EditSkinTest {
protected:
  void SetUp() override {
    EditSkinTest::SetUp();
    bare = CreateBareWindow(L"VelaBareFillers", BareProc, RECT{500, 100, 820, 320},
                            GetSysColorBrush(COLOR_WINDOW));
    ASSERT_NE(bare, nullptr);
    edit = CreateBareChild(bare, L"EDIT", L"text", 0, RECT{10, 10, 130, 32}, 101, WS_EX_CLIENTEDGE);
    grip = CreateBareChild(bare, L"SCROLLBAR", L"", SBS_SIZEGRIP, RECT{280, 160, 296, 176}, 102);
    dialog =
        CreateBareChild(bare, L"#32770", L"", 0, RECT{10, 60, 210, 140}, 103, WS_EX_CONTROLPARENT);
    ASSERT_TRUE(edit && grip && dialog);
    procs = {GetWindowLongPtrW(edit, GWLP_WNDPROC), GetWindowLongPtrW(grip, GWLP_WNDPROC),
             GetWindowLongPtrW(dialog, GWLP_WNDPROC)};
    Skin(); // the form's skin data brings up the manager
    ASSERT_TRUE(SkinBareWindow(bare));
  }
  void TearDown() override {
    if (IsWindow(bare))
      DestroyWindow(bare);
    EditSkinTest::TearDown();
  }
  TWinSkinForm* BareSkinner() const { return SkinManager->FindFormSkinner(bare); }
  HWND bare = nullptr, edit = nullptr, grip = nullptr, dialog = nullptr;
  std::vector<LONG_PTR> procs;
};

TEST_F(BareFillerTest, EditGripAndNestedDialogGetTheirSkinners) {
  EXPECT_NE(dynamic_cast<TSkinEdit*>(BareSkinner()->FindControlSkinner(edit)), nullptr);
  EXPECT_NE(dynamic_cast<TSkinSizer*>(BareSkinner()->FindControlSkinner(grip)), nullptr);
  EXPECT_NE(dynamic_cast<TSkinBoxH*>(BareSkinner()->FindControlSkinner(dialog)), nullptr);
  const Pixel face = Rgb(Elements().Colours.ButtonFace);
  RedrawWindow(bare, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const Bitmap gripShot = CaptureWindow(grip);
  for (int y = 0; y < gripShot.Height(); ++y)
    for (int x = 0; x < gripShot.Width(); ++x)
      ASSERT_EQ(gripShot.At(x, y), face) << "grip at " << x << "," << y;
  const Bitmap dialogShot = CaptureWindow(dialog);
  EXPECT_EQ(dialogShot.At(dialogShot.Width() / 2, dialogShot.Height() / 2), face);
  const Bitmap editShot = CaptureWindow(edit);
  EXPECT_EQ(editShot.At(editShot.Width() / 2, 0), Rgb(Elements().Colours.ButtonShadow));
}

TEST_F(BareFillerTest, UnskinningPutsEveryWindowProcedureBack) {
  BareSkinner()->DetachFrame();
  EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), procs[0]);
  EXPECT_EQ(GetWindowLongPtrW(grip, GWLP_WNDPROC), procs[1]);
  EXPECT_EQ(GetWindowLongPtrW(dialog, GWLP_WNDPROC), procs[2]);
  for (HWND w : {edit, grip, dialog})
    EXPECT_EQ(SendMessageW(w, SKM_ISSKINNED, 0, 0), 0);
}

} // namespace
} // namespace vela::skin::test
