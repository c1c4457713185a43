// Push and speed buttons of a skinned form: their looks as mouse, keyboard and state messages
// arrive, the hot control passing between buttons, bare-window buttons, and unskinning.
#include "skin/controls/button_looks.h"
#include "skin/controls/skin_buttons.h"
#include "skin/controls/skin_messages.h"
#include "skin/forms/skin_manager.h"
#include "tests/win/skin_frame/frame_fixture.h"
#include "ui/speed_button.h"
#include "ui/std_controls.h"

namespace vela::skin::test {
namespace {

constexpr int kNormal = 1, kPressed = 2, kDisabled = 3, kHot = 4;

class ButtonSkinTest : public SkinnedFormTest {
protected:
  void SetUp() override {
    SkinnedFormTest::SetUp();
    CreateForm();
    first = AddButton(L"First", 10);
    second = AddButton(L"Second", 110);
    edit = new ui::TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 150, 100, 22);
    speed = new ui::TSpeedButton(form);
    speed->SetParent(form);
    speed->SetBounds(220, 10, 90, 28);
    speed->SetCaption(L"Speed");
    speed->SetFlat(true);
    speed->OnClick = [this](ui::TObject*) { ++speedClicks; };
  }

  ui::TButton* AddButton(const std::wstring& caption, int left) {
    auto* button = new ui::TButton(form);
    button->SetParent(form);
    button->SetBounds(left, 10, 90, 28);
    button->SetCaption(caption);
    button->OnClick = [this, button](ui::TObject*) { clicked.push_back(button); };
    return button;
  }

  TSkinButton* SkinnerOf(ui::TWinControl* control) const {
    return dynamic_cast<TSkinButton*>(Skinner()->FindControlSkinner(control->Handle()));
  }
  TSkinSpeedButton* SpeedSkinner() const {
    for (int i = 0; i < Skinner()->ControlSkinnerCount(); ++i)
      if (Skinner()->ControlSkinner(i)->GraphicControl() == speed)
        return dynamic_cast<TSkinSpeedButton*>(Skinner()->ControlSkinner(i));
    return nullptr;
  }

  // Sends a message to the button's window and lets it paint what the message changed.
  int LookAfter(ui::TWinControl* button, UINT msg, WPARAM wParam = 0, LPARAM lParam = MAKELPARAM(5, 5)) {
    SendMessageW(button->Handle(), msg, wParam, lParam);
    UpdateWindow(button->Handle());
    return SkinnerOf(button)->CurrentLook();
  }
  void FocusElsewhere() {
    SetFocus(edit->Handle());
    PumpMessages();
  }

  ui::TButton* first = nullptr;
  ui::TButton* second = nullptr;
  ui::TEdit* edit = nullptr;
  ui::TSpeedButton* speed = nullptr;
  std::vector<ui::TButton*> clicked;
  int speedClicks = 0;
};

TEST_F(ButtonSkinTest, FinishingHandsPushAndSpeedButtonsToTheirSkinners) {
  auto* disabledByTag = AddButton(L"Tagged", 10);
  disabledByTag->SetTag(199); // 199 mod 100 is the skin data's DisableTag, 99
  Skin();
  ASSERT_NE(SkinnerOf(first), nullptr);
  ASSERT_NE(SkinnerOf(second), nullptr);
  ASSERT_NE(SpeedSkinner(), nullptr);
  EXPECT_EQ(Skinner()->FindControlSkinner(disabledByTag->Handle()), nullptr);
  EXPECT_EQ(dynamic_cast<TSkinButton*>(Skinner()->FindControlSkinner(edit->Handle())), nullptr)
      << "an edit is no button";
  EXPECT_EQ(SendMessageW(first->Handle(), SKM_ISSKINNED, 0, 0), 1);
  // A second attach changes nothing, and the list keeps one entry per skinner.
  const int count = Skinner()->ControlSkinnerCount();
  SkinnerOf(first)->AttachControl(Skinner(), false, nullptr);
  EXPECT_EQ(Skinner()->ControlSkinnerCount(), count);
}

TEST_F(ButtonSkinTest, TheClassMapAndTheSkinControlEventComeBeforeTheBuiltInRules) {
  // "nil" keeps every push button native although the built-in rule would take it.
  data->Skin3rd()->Insert(0, L"tbutton=nil");
  // The application skins the speed button itself; the walk only lists its skinner.
  TSkinControl* own = nullptr;
  data->OnSkinControl = [&](ui::TComponent*, TSkinData*, ui::TControl*, ui::TControl* control,
                            const std::string& className, ui::TComponent*& skinned) {
    if (control != speed)
      return;
    EXPECT_EQ(className, "TSpeedButton");
    auto* skinner = new TSkinSpeedButton(control);
    skinner->AttachGraphic(Skinner(), nullptr);
    own = skinner;
    skinned = skinner;
  };
  Skin();
  EXPECT_EQ(Skinner()->FindControlSkinner(first->Handle()), nullptr);
  EXPECT_EQ(Skinner()->FindControlSkinner(second->Handle()), nullptr);
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(SpeedSkinner(), own);
  EXPECT_EQ(Skinner()->ControlSkinnerCount(), 2) << "the speed button's and the edit's";
}

TEST_F(ButtonSkinTest, BitmapButtonRanksHotAndFocusAboveDefault) {
  data->Skin3rd()->Insert(0, L"TButton=bitbtn");
  first->SetDefault(true);
  Skin();
  ASSERT_NE(dynamic_cast<TSkinBitButton*>(SkinnerOf(first)), nullptr);
  FocusElsewhere();
  EXPECT_EQ(LookAfter(first, WM_PAINT), 5) << "the Default property gives the default look";
  EXPECT_EQ(LookAfter(first, WM_MOUSEMOVE), kHot);
  EXPECT_EQ(LookAfter(first, WM_LBUTTONDOWN, MK_LBUTTON), kPressed);
  EXPECT_EQ(LookAfter(first, ui::CM_MOUSELEAVE), kHot) << "focused after the press";
  ASSERT_TRUE(clicked.empty());
}

TEST_F(ButtonSkinTest, PushButtonLooksFollowHoverPressReleaseAndEnable) {
  Skin();
  FocusElsewhere();
  ASSERT_EQ(LookAfter(first, WM_PAINT), kNormal);
  EXPECT_EQ(LookAfter(first, WM_MOUSEMOVE), kHot);
  EXPECT_EQ(LookAfter(first, WM_LBUTTONDOWN, MK_LBUTTON), kPressed);
  EXPECT_EQ(SendMessageW(first->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED, 0)
      << "the native button saw the press";
  EXPECT_EQ(GetFocus(), first->Handle());
  EXPECT_EQ(LookAfter(first, WM_LBUTTONUP), kHot);
  ASSERT_EQ(clicked.size(), 1u);
  EXPECT_EQ(clicked[0], first);

  // Pressed, then the mouse leaves and is released elsewhere: no click, not pressed.
  FocusElsewhere();
  EXPECT_EQ(LookAfter(first, WM_LBUTTONDOWN, MK_LBUTTON), kPressed);
  FocusElsewhere();
  EXPECT_EQ(LookAfter(first, ui::CM_MOUSELEAVE), kNormal);
  EXPECT_EQ(LookAfter(first, WM_LBUTTONUP), kNormal);
  EXPECT_EQ(clicked.size(), 1u);

  // Space presses and releases; the click then comes from the button's own key handling.
  EXPECT_EQ(LookAfter(first, WM_KEYDOWN, VK_SPACE, 0), kPressed);
  EXPECT_EQ(LookAfter(first, WM_KEYUP, VK_SPACE, 0xC0000001), kNormal);

  first->SetEnabled(false);
  PumpMessages();
  EXPECT_EQ(LookAfter(first, WM_MOUSEMOVE), kDisabled);
  first->SetEnabled(true);
  PumpMessages();
  EXPECT_EQ(LookAfter(first, WM_PAINT), kHot);
}

TEST_F(ButtonSkinTest, TheHotControlPassesFromButtonToButton) {
  Skin();
  FocusElsewhere();
  EXPECT_EQ(LookAfter(first, WM_MOUSEMOVE), kHot);
  EXPECT_EQ(Skinner()->HotControl(), SkinnerOf(first));
  EXPECT_EQ(LookAfter(second, WM_MOUSEMOVE), kHot);
  EXPECT_EQ(Skinner()->HotControl(), SkinnerOf(second));
  EXPECT_FALSE(SkinnerOf(first)->Hot());
  UpdateWindow(first->Handle());
  EXPECT_EQ(SkinnerOf(first)->CurrentLook(), kNormal);

  // The speed button takes it over as the framework tells it the mouse entered.
  speed->Perform(ui::CM_MOUSEENTER);
  EXPECT_EQ(Skinner()->HotControl(), SpeedSkinner());
  EXPECT_FALSE(SkinnerOf(second)->Hot());
  // Deactivating the window forgets the hot control.
  SendMessageW(Window(), WM_NCACTIVATE, FALSE, 0);
  EXPECT_EQ(Skinner()->HotControl(), nullptr);
}

TEST_F(ButtonSkinTest, SpeedButtonLooksHonourFlatDownAndEnabled) {
  Skin();
  TSkinSpeedButton* skinner = SpeedSkinner();
  ASSERT_NE(skinner, nullptr);
  ASSERT_TRUE(speed->PaintNow());
  EXPECT_EQ(skinner->CurrentLook(), kNormal);
  speed->Perform(ui::CM_MOUSEENTER);
  EXPECT_EQ(skinner->CurrentLook(), kHot);
  speed->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(skinner->CurrentLook(), kPressed);
  speed->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(skinner->CurrentLook(), kHot);
  EXPECT_EQ(speedClicks, 1) << "the speed button keeps its own click";
  speed->Perform(ui::CM_MOUSELEAVE);
  EXPECT_EQ(skinner->CurrentLook(), kNormal);

  speed->SetEnabled(false);
  ASSERT_TRUE(speed->PaintNow());
  EXPECT_EQ(skinner->CurrentLook(), kDisabled);
  speed->SetGroupIndex(1);
  speed->SetAllowAllUp(true);
  speed->SetDown(true);
  ASSERT_TRUE(speed->PaintNow());
  EXPECT_EQ(skinner->CurrentLook(), kPressed) << "Down shows pressed even when disabled";
}

// The corner of a cell keeps its size when the cell is stretched, so the button's corner is the
// cell's corner pixel for pixel (magenta being transparent when the element says so).
void ExpectCornerIsCell(HWND button, const TDataSkinButton& element, int cell) {
  const Bitmap shot = CaptureWindow(button);
  const Raster strip = element.Bitmap.View();
  const int cellWidth = element.CellWidth();
  const int w = std::min(element.LeftWidth, cellWidth), h = std::min(element.TopHeight, strip.height);
  ASSERT_GT(w * h, 0) << "the button element has no corner to compare";
  int compared = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Pixel expected = strip.At((cell - 1) * cellWidth + x, y) & 0xFFFFFF;
      if (element.Trans == 1 && expected == 0xFF00FF)
        continue;
      ASSERT_EQ(shot.At(x, y), expected) << "at " << x << "," << y << " of cell " << cell;
      ++compared;
    }
  EXPECT_GT(compared, 0);
}

TEST_F(ButtonSkinTest, PushButtonPixelsAreTheButtonCells) {
  Skin();
  FocusElsewhere();
  LookAfter(first, WM_PAINT);
  ExpectCornerIsCell(first->Handle(), Elements().Buttons, kNormal);
  LookAfter(first, WM_LBUTTONDOWN, MK_LBUTTON);
  ExpectCornerIsCell(first->Handle(), Elements().Buttons, kPressed);
}

TEST_F(ButtonSkinTest, SkinEnableSwitchesBetweenNativeAndSkinnedPainting) {
  Skin();
  FocusElsewhere();
  LookAfter(first, WM_MOUSEMOVE);
  ASSERT_EQ(LookAfter(first, WM_LBUTTONDOWN, MK_LBUTTON), kPressed);
  SendMessageW(first->Handle(), SKM_ENABLE, 0, 0);
  EXPECT_FALSE(SkinnerOf(first)->SkinOn());
  // Natively the press reaches the button.
  SendMessageW(first->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  SendMessageW(first->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_NE(SendMessageW(first->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
  SendMessageW(first->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  SendMessageW(first->Handle(), SKM_ENABLE, 1, 0);
  EXPECT_TRUE(SkinnerOf(first)->SkinOn());
}

TEST_F(ButtonSkinTest, UnskinningGivesTheButtonsBackExactly) {
  FocusElsewhere();
  RedrawWindow(first->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const Bitmap before = CaptureWindow(first->Handle());
  Skin();
  FocusElsewhere();
  RedrawWindow(first->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_NE(CaptureWindow(first->Handle()).View().At(0, 0), before.View().At(0, 0));

  Skinner()->DetachFrame();
  EXPECT_EQ(Skinner()->ControlSkinnerCount(), 0);
  EXPECT_EQ(first->ComponentCount(), 0) << "the skinner was not freed";
  EXPECT_EQ(speed->ComponentCount(), 0);
  ASSERT_TRUE(speed->PaintNow()); // the speed button paints itself again, through no skinner
  FocusElsewhere();
  RedrawWindow(first->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const Bitmap after = CaptureWindow(first->Handle());
  ASSERT_EQ(after.Width(), before.Width());
  ASSERT_EQ(after.Height(), before.Height());
  for (int y = 0; y < before.Height(); ++y)
    for (int x = 0; x < before.Width(); ++x)
      ASSERT_EQ(after.At(x, y), before.At(x, y)) << "at " << x << "," << y;
  // The native button has its messages back.
  SendMessageW(first->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_NE(SendMessageW(first->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
  SendMessageW(first->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(SendMessageW(first->Handle(), SKM_ISSKINNED, 0, 0), 0);
}

TEST_F(ButtonSkinTest, AButtonMayUnskinItsFormFromItsOwnClick) {
  Skin();
  first->OnClick = [this](ui::TObject*) { Skinner()->DetachFrame(); };
  SendMessageW(first->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(first->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Skinner()->ControlSkinnerCount(), 0);
  EXPECT_EQ(first->ComponentCount(), 0);
  // The button works natively afterwards.
  SendMessageW(first->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_NE(SendMessageW(first->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
  SendMessageW(first->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

TEST_F(ButtonSkinTest, DestroyedButtonWindowUnskinsAndStaysListed) {
  Skin();
  TSkinButton* skinner = SkinnerOf(first);
  ASSERT_NE(skinner, nullptr);
  first->DestroyHandle();
  EXPECT_EQ(skinner->LifeState(), clsWindowDestroyed);
  bool listed = false;
  for (int i = 0; i < Skinner()->ControlSkinnerCount(); ++i)
    listed = listed || Skinner()->ControlSkinner(i) == skinner;
  EXPECT_TRUE(listed);
}

// A window without a framework form: its BUTTON children are skinned through their window
// procedures, and the frame skinner's hot control is the only hand-over they get.
std::vector<WPARAM> commands;

LRESULT CALLBACK BareProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND)
    commands.push_back(wParam);
  return DefWindowProcW(window, msg, wParam, lParam);
}

class BareButtonTest : public ButtonSkinTest {
protected:
  void SetUp() override {
    ButtonSkinTest::SetUp();
    commands.clear();
    bare = CreateBareWindow(L"VelaBareButtons", BareProc, RECT{500, 100, 800, 260});
    ASSERT_NE(bare, nullptr);
    one = CreateBareChild(bare, L"BUTTON", L"One", BS_PUSHBUTTON, RECT{10, 10, 100, 38}, 101);
    two = CreateBareChild(bare, L"BUTTON", L"Two", BS_PUSHBUTTON, RECT{110, 10, 200, 38}, 102);
    check = CreateBareChild(bare, L"BUTTON", L"Check", BS_AUTOCHECKBOX, RECT{10, 60, 100, 80}, 103);
    Skin(); // the form's skin data brings up the manager
    ASSERT_TRUE(SkinBareWindow(bare));
  }
  void TearDown() override {
    if (IsWindow(bare))
      DestroyWindow(bare);
    ButtonSkinTest::TearDown();
  }
  TWinSkinForm* BareSkinner() const { return SkinManager->FindFormSkinner(bare); }
  TSkinButton* Of(HWND button) const {
    return dynamic_cast<TSkinButton*>(BareSkinner()->FindControlSkinner(button));
  }
  HWND bare = nullptr, one = nullptr, two = nullptr, check = nullptr;
};

TEST_F(BareButtonTest, ChildButtonsAreSkinnedThroughTheirWindowProcedures) {
  ASSERT_NE(Of(one), nullptr);
  ASSERT_NE(Of(two), nullptr);
  EXPECT_NE(dynamic_cast<TSkinCheckBox*>(BareSkinner()->FindControlSkinner(check)), nullptr);
  EXPECT_EQ(SendMessageW(one, SKM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(Of(one)->Caption(), L"One");
  SetWindowTextW(one, L"Eins \u00fc");
  EXPECT_EQ(Of(one)->Caption(), L"Eins \u00fc");
}

TEST_F(BareButtonTest, HotControlPassesAndOnlyAReleaseInsideClicks) {
  SendMessageW(one, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(BareSkinner()->HotControl(), Of(one));
  SendMessageW(two, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(BareSkinner()->HotControl(), Of(two));
  EXPECT_FALSE(Of(one)->Hot()) << "the first button was not told that the mouse left";
  EXPECT_TRUE(Of(two)->Hot());

  SendMessageW(two, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(Of(two)->Pressed());
  SendMessageW(two, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_TRUE(PumpUntil([] { return !commands.empty(); })) << "no click reached the parent";
  EXPECT_EQ(LOWORD(commands[0]), 102);

  commands.clear();
  SendMessageW(one, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(one, ui::CM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(Of(one)->Pressed());
  SendMessageW(one, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  PumpMessages();
  EXPECT_TRUE(commands.empty()) << "a press that left the button clicked it";
}

// The mark is the strip's cell, pixel for pixel apart from its transparent magenta.
void ExpectMarkIsCell(HWND box, const Bitmap& strip, int cells, int cell) {
  const int cellWidth = strip.Width() / cells;
  RECT r{};
  GetWindowRect(box, &r);
  const CheckMarkPlacement place = PlaceCheckMark(Rect{0, 0, r.right - r.left, r.bottom - r.top},
                                                  cellWidth, strip.Height(), false, false);
  const Bitmap shot = CaptureWindow(box);
  int compared = 0;
  for (int y = 0; y < strip.Height(); ++y)
    for (int x = 0; x < cellWidth; ++x) {
      const Pixel expected = strip.View().At((cell - 1) * cellWidth + x, y) & 0xFFFFFF;
      if (expected == kMagenta)
        continue;
      ASSERT_EQ(shot.At(place.Image.left + x, place.Image.top + y), expected)
          << "at " << x << "," << y << " of cell " << cell;
      ++compared;
    }
  EXPECT_GT(compared, 0);
}

TEST_F(BareButtonTest, CheckBoxShowsTheMarkCellOfItsState) {
  const TDataSkinButton& element = Elements().Buttons;
  ASSERT_FALSE(element.CheckBitmap.Empty()) << "the default skin has no check strip";
  auto* skinner = dynamic_cast<TSkinCheckMark*>(BareSkinner()->FindControlSkinner(check));
  ASSERT_NE(skinner, nullptr);
  const int cells = element.CheckButtonFrame;
  const int unchecked = CheckMarkCell(CheckState::Unchecked, false, true, false, cells);
  const int checked = CheckMarkCell(CheckState::Checked, false, true, false, cells);
  ASSERT_NE(unchecked, checked);

  RedrawWindow(check, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_EQ(skinner->CurrentCell(), unchecked);
  ExpectMarkIsCell(check, element.CheckBitmap, cells, unchecked);
  SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
  UpdateWindow(check);
  EXPECT_EQ(skinner->CurrentCell(), checked);
  ExpectMarkIsCell(check, element.CheckBitmap, cells, checked);
  EnableWindow(check, FALSE);
  UpdateWindow(check);
  EXPECT_EQ(skinner->CurrentCell(), CheckMarkCell(CheckState::Checked, false, false, false, cells));
}

TEST_F(BareButtonTest, TheHoverCheckTakesTheHotLookFromAButtonTheCursorLeft) {
  SetForegroundWindow(bare);
  SendMessageW(bare, WM_NCACTIVATE, TRUE, 0); // the hover check runs while the window is active
  RECT r{};
  GetWindowRect(one, &r);
  SetCursorPos(r.right + 200, r.bottom + 200); // nowhere near the button
  SendMessageW(one, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  ASSERT_TRUE(Of(one)->Hot());
  EXPECT_TRUE(PumpUntil([&] { return BareSkinner()->HotControl() == nullptr; }));
  EXPECT_FALSE(Of(one)->Hot());
}

TEST_F(BareButtonTest, UnskinningPutsTheWindowProcedureBack) {
  const LONG_PTR skinned = GetWindowLongPtrW(one, GWLP_WNDPROC);
  BareSkinner()->DetachFrame();
  EXPECT_NE(GetWindowLongPtrW(one, GWLP_WNDPROC), skinned);
  EXPECT_EQ(GetPropW(one, L"Vela.SkinControl"), nullptr);
  EXPECT_EQ(SendMessageW(one, SKM_ISSKINNED, 0, 0), 0);
}

} // namespace
} // namespace vela::skin::test
