// Status bars, group boxes, panels, progress bars and track bars of a skinned form: which
// skinner the walk gives each, what they paint against the default skin, the track bar's thumb
// states, and unskinning.
#include "skin/controls/panel_geometry.h"
#include "skin/controls/skin_box.h"
#include "skin/controls/skin_buttons.h"
#include "skin/controls/skin_group_box.h"
#include "skin/controls/skin_messages.h"
#include "skin/controls/skin_obj_image.h"
#include "skin/controls/skin_progress.h"
#include "skin/controls/skin_status_bar.h"
#include "skin/controls/skin_track_bar.h"
#include "tests/win/skin_frame/frame_fixture.h"
#include "ui/bitmap.h"
#include "ui/com_controls.h"
#include "ui/core/props.h"
#include "ui/std_controls.h"

#include <commctrl.h>

namespace vela::skin::test {
namespace {

class PanelSkinTest : public SkinnedFormTest {
protected:
  void SetUp() override {
    SkinnedFormTest::SetUp();
    CreateForm();
    panel = new ui::TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 360, 40);
    panel->SetColor(ui::clWindow);
    group = new ui::TGroupBox(form);
    group->SetParent(form);
    group->SetBounds(10, 45, 200, 70);
    group->SetCaption(L"Firmware");
    inGroup = new ui::TButton(form);
    inGroup->SetParent(group);
    inGroup->SetBounds(10, 25, 80, 25);
    progress = new ui::TProgressBar(form);
    progress->SetParent(form);
    progress->SetBounds(10, 125, 278, 17);
    track = new ui::TTrackBar(form);
    track->SetParent(form);
    track->SetBounds(220, 45, 130, 40);
    status = new ui::TStatusBar(form);
    status->SetParent(form);
    for (const wchar_t* text : {L"Connected", L"", L"tail"}) {
      auto* p = static_cast<ui::TStatusPanel*>(status->Panels()->AddItem());
      p->SetText(text);
      p->SetWidth(text[0] == L't' ? 0 : 120);
    }
    PumpMessages();
  }

  template <class T>
  T* SkinnerFor(ui::TWinControl* control) const {
    return dynamic_cast<T*>(Skinner()->FindControlSkinner(control->Handle()));
  }
  int ListIndex(const TSkinControl* skinner) const {
    for (int i = 0; i < Skinner()->ControlSkinnerCount(); ++i)
      if (Skinner()->ControlSkinner(i) == skinner)
        return i;
    return -1;
  }

  ui::TPanel* panel = nullptr;
  ui::TGroupBox* group = nullptr;
  ui::TButton* inGroup = nullptr;
  ui::TProgressBar* progress = nullptr;
  ui::TTrackBar* track = nullptr;
  ui::TStatusBar* status = nullptr;
};

TEST_F(PanelSkinTest, TheWalkGivesEachKindItsSkinner) {
  auto* tagged = new ui::TProgressBar(form);
  tagged->SetParent(form);
  tagged->SetBounds(10, 150, 100, 10);
  tagged->SetTag(199); // 199 mod 100 is the skin data's DisableTag, 99
  ASSERT_TRUE(status->SizeGrip());
  Skin();
  EXPECT_NE(SkinnerFor<TSkinStatusBar>(status), nullptr);
  EXPECT_NE(SkinnerFor<TSkinGroupBox>(group), nullptr);
  EXPECT_NE(SkinnerFor<TSkinBox>(panel), nullptr);
  EXPECT_NE(SkinnerFor<TSkinProgress>(progress), nullptr);
  EXPECT_NE(SkinnerFor<TSkinTrackBar>(track), nullptr);
  EXPECT_EQ(Skinner()->FindControlSkinner(tagged->Handle()), nullptr);
  EXPECT_NE(SkinnerFor<TSkinButton>(inGroup), nullptr) << "the group box's children are walked";
  EXPECT_FALSE(status->SizeGrip()) << "the walk switches the bar's grip off";
  EXPECT_EQ(panel->Color(), Elements().Colours.ButtonFace) << "a panel takes the skin's face colour";
  EXPECT_EQ(group->Color(), Elements().Colours.ButtonFace);
  // A panel keeps its own messages; the others answer that they are skinned.
  EXPECT_EQ(SendMessageW(panel->Handle(), SKM_ISSKINNED, 0, 0), 0);
  EXPECT_EQ(SendMessageW(progress->Handle(), SKM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(SendMessageW(status->Handle(), SKM_ISSKINNED, 0, 0), 1);
}

TEST_F(PanelSkinTest, SwitchesAndTheClassMapDecide) {
  data->SetSkinControls(data->SkinControls() & ~SkinControlBit(xcButton) & ~SkinControlBit(xcStatusBar));
  data->Skin3rd()->Insert(0, L"TProgressBar=nil");
  Skin();
  EXPECT_EQ(Skinner()->FindControlSkinner(track->Handle()), nullptr) << "a track bar needs xcButton";
  EXPECT_EQ(Skinner()->FindControlSkinner(status->Handle()), nullptr);
  EXPECT_TRUE(status->SizeGrip()) << "an unskinned bar keeps its grip";
  EXPECT_EQ(Skinner()->FindControlSkinner(progress->Handle()), nullptr);
  EXPECT_NE(SkinnerFor<TSkinGroupBox>(group), nullptr);
}

TEST_F(PanelSkinTest, ARadioGroupSkinsItsChildrenFirst) {
  data->Skin3rd()->Insert(0, L"TGroupBox=radiogroup");
  Skin();
  auto* radio = SkinnerFor<TSkinRadioButton>(inGroup);
  auto* box = SkinnerFor<TSkinGroupBox>(group);
  ASSERT_NE(radio, nullptr) << "every child of a radio group is a radio button";
  ASSERT_NE(box, nullptr);
  EXPECT_LT(ListIndex(radio), ListIndex(box));
}

TEST_F(PanelSkinTest, ACheckGroupAndAContainerMapTheirChildren) {
  data->Skin3rd()->Insert(0, L"TGroupBox=checkgroup");
  data->Skin3rd()->Insert(0, L"TPanel=container");
  auto* inPanel = new ui::TButton(form);
  inPanel->SetParent(panel);
  inPanel->SetBounds(5, 5, 60, 25);
  data->Skin3rd()->Insert(0, L"TButton=checkbox");
  Skin();
  EXPECT_NE(SkinnerFor<TSkinCheckBox>(inGroup), nullptr);
  EXPECT_NE(SkinnerFor<TSkinGroupBox>(group), nullptr);
  EXPECT_EQ(Skinner()->FindControlSkinner(panel->Handle()), nullptr) << "a container is not skinned itself";
  EXPECT_NE(SkinnerFor<TSkinCheckBox>(inPanel), nullptr) << "its child is mapped by its class";
}

// ---- pixels

TEST_F(PanelSkinTest, StatusPanelsAreTheEdgeCells) {
  Skin();
  ASSERT_NE(Elements().StatusBarEdges, nullptr);
  const TDataSkinObject& edges = *Elements().StatusBarEdges;
  Redraw(status->Handle());
  const Bitmap shot = CaptureWindow(status->Handle());
  const Raster strip = edges.Bitmap.View();
  const int cellWidth = edges.CellWidth();
  ASSERT_GT(edges.LeftWidth * edges.TopHeight, 0);
  for (int panelIndex = 0; panelIndex < 3; ++panelIndex) {
    RECT r{};
    ASSERT_TRUE(SendMessageW(status->Handle(), SB_GETRECT, panelIndex, LPARAM(&r)));
    for (int y = 0; y < edges.TopHeight; ++y)
      for (int x = 0; x < edges.LeftWidth; ++x)
        ASSERT_EQ(shot.At(r.left + x, r.top + y), strip.At(x, y) & 0xFFFFFF)
            << "panel " << panelIndex << " at " << x << "," << y << " (lowered: cell 1)";
  }
  // The last panel, 0 wide, reaches the right edge: its bottom-right corner is the cell's.
  const int w = shot.Width();
  RECT last{};
  SendMessageW(status->Handle(), SB_GETRECT, 2, LPARAM(&last));
  EXPECT_EQ(shot.At(w - 1, last.bottom - 1), strip.At(cellWidth - 1, strip.height - 1) & 0xFFFFFF);
  const auto* skinner = SkinnerFor<TSkinStatusBar>(status);
  ASSERT_EQ(skinner->PaintedPanels().size(), 3u);
  EXPECT_EQ(skinner->PaintedPanels()[2].right, w);
}

TEST_F(PanelSkinTest, ABarThatKeepsItsGripShowsTheSkinsGripCell) {
  status->SetTag(199); // the walk leaves it alone; it is attached here with its grip on
  Skin();
  ASSERT_TRUE(status->SizeGrip());
  auto* skinner = new TSkinStatusBar(status);
  skinner->AttachControl(Skinner(), false, nullptr);
  ASSERT_NE(Elements().ExtraImages, nullptr);
  const TDataSkinObject& extra = *Elements().ExtraImages;
  Redraw(status->Handle());
  const Bitmap shot = CaptureWindow(status->Handle());
  const int cw = extra.CellWidth(), ch = extra.Bitmap.Height();
  const Rect grip = SizeGripRect(shot.Width(), shot.Height(), cw, ch);
  const Raster strip = extra.Bitmap.View();
  int compared = 0;
  for (int y = 0; y < ch; ++y)
    for (int x = 0; x < cw; ++x) {
      const Pixel expected = strip.At(4 * cw + x, y) & 0xFFFFFF;
      if (expected == kMagenta || grip.left + x < 0 || grip.top + y < 0)
        continue;
      ASSERT_EQ(shot.At(grip.left + x, grip.top + y), expected) << "at " << x << "," << y << " of cell 5";
      ++compared;
    }
  EXPECT_GT(compared, 0);
}

TEST_F(PanelSkinTest, OwnerDrawnPanelsPaintOverTheSkin) {
  auto* owned = static_cast<ui::TStatusPanel*>(status->Panels()->Items(1));
  owned->SetStyle(ui::TStatusPanelStyle::psOwnerDraw);
  std::vector<RECT> asked;
  status->OnDrawPanel = [&](ui::TCustomStatusBar* bar, ui::TStatusPanel* p, const RECT& r) {
    if (p != owned)
      return;
    asked.push_back(r);
    bar->Canvas()->Brush()->SetColor(RGB(200, 10, 20));
    bar->Canvas()->FillRect(r);
  };
  Skin();
  asked.clear();
  Redraw(status->Handle());
  ASSERT_FALSE(asked.empty()) << "the bar's OnDrawPanel was not called";
  RECT native{};
  SendMessageW(status->Handle(), SB_GETRECT, 1, LPARAM(&native));
  const RECT& last = asked.back();
  EXPECT_EQ(last.left, native.left + 1);
  EXPECT_EQ(last.top, native.top + 1);
  EXPECT_EQ(last.right, native.right - 1);
  EXPECT_EQ(last.bottom, native.bottom - 1);
  const Bitmap shot = CaptureWindow(status->Handle());
  EXPECT_EQ(shot.At((native.left + native.right) / 2, (native.top + native.bottom) / 2), Pixel(0xC80A14))
      << "the skin painted over the owner-drawn panel";
}

TEST_F(PanelSkinTest, ASimpleBarIsOnePanelOverTheWholeBar) {
  status->SetSimplePanel(true);
  status->SetSimpleText(L"");
  Skin();
  Redraw(status->Handle());
  const auto* skinner = SkinnerFor<TSkinStatusBar>(status);
  ASSERT_NE(skinner, nullptr);
  ASSERT_EQ(skinner->PaintedPanels().size(), 1u);
  RECT r{};
  GetClientRect(status->Handle(), &r);
  EXPECT_TRUE(EqualRect(&skinner->PaintedPanels()[0], &r));
  const TDataSkinObject& edges = *Elements().StatusBarEdges;
  const Bitmap shot = CaptureWindow(status->Handle());
  EXPECT_EQ(shot.At(r.right - 1, r.bottom - 1),
            edges.Bitmap.View().At(edges.CellWidth() - 1, edges.Bitmap.Height() - 1) & 0xFFFFFF)
      << "cell 1 reaches the bar's corner";
}

TEST_F(PanelSkinTest, ProgressIsTheComposedProgressCellsAtZeroHalfAndMaximum) {
  Skin();
  ASSERT_NE(Elements().Progress, nullptr);
  const TDataSkinBorder& element = *Elements().Progress;
  for (int position : {0, 50, 100}) {
    progress->SetPosition(position);
    Redraw(progress->Handle());
    const Bitmap shot = CaptureWindow(progress->Handle());
    ProgressState state{shot.Width(), shot.Height(), position, 100, false, Rgb(Elements().Colours.ButtonFace)};
    const Bitmap expected = ComposeProgress(state, element);
    ASSERT_EQ(expected.Width(), shot.Width());
    for (int y = 0; y < shot.Height(); ++y)
      for (int x = 0; x < shot.Width(); ++x)
        ASSERT_EQ(shot.At(x, y), expected.At(x, y)) << "position " << position << " at " << x << "," << y;
  }
  // At the maximum the middle of the bar is the filled cell's middle.
  const Raster strip = element.Bitmap.View();
  const int cellWidth = strip.width / 2;
  const Bitmap shot = CaptureWindow(progress->Handle());
  EXPECT_EQ(shot.At(shot.Width() / 2, shot.Height() / 2),
            strip.At(cellWidth + cellWidth / 2, strip.height / 2) & 0xFFFFFF);
}

TEST_F(PanelSkinTest, ProgressWithAMinimumFillsFromTheMinimum) {
  Skin();
  ASSERT_NE(Elements().Progress, nullptr);
  progress->SetMin(50);
  progress->SetMax(150);
  progress->SetPosition(100);
  Redraw(progress->Handle());
  const Bitmap shot = CaptureWindow(progress->Handle());
  // Half of the range, as the system fills it: 50 of 100, not 100 of 150.
  ProgressState state{shot.Width(), shot.Height(), 50, 100, false, Rgb(Elements().Colours.ButtonFace)};
  const Bitmap expected = ComposeProgress(state, *Elements().Progress);
  ASSERT_EQ(expected.Width(), shot.Width());
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x)
      ASSERT_EQ(shot.At(x, y), expected.At(x, y)) << "at " << x << "," << y;
}

TEST_F(PanelSkinTest, GroupBoxFrameIsTheShadowColourOverAWipedBorder) {
  Skin();
  Redraw(group->Handle());
  const Bitmap shot = CaptureWindow(group->Handle());
  HDC dc = GetDC(group->Handle());
  HGDIOBJ old = SelectObject(dc, group->Font()->Handle());
  SIZE zero{};
  GetTextExtentPoint32A(dc, "0", 1, &zero);
  SelectObject(dc, old);
  ReleaseDC(group->Handle(), dc);
  const int top = GroupBoxFrameTop(zero.cy), w = shot.Width(), h = shot.Height();
  const Pixel shadow = Rgb(Elements().Colours.ButtonShadow), face = Rgb(Elements().Colours.ButtonFace);
  EXPECT_EQ(shot.At(w - 20, top), shadow) << "top line, right of the caption";
  EXPECT_EQ(shot.At(1, h / 2), shadow) << "left line";
  EXPECT_EQ(shot.At(w - 2, h / 2), shadow) << "right line";
  EXPECT_EQ(shot.At(w / 2, h - 2), shadow) << "bottom line";
  // Nothing of the native etched border remains beside the skin's lines.
  for (int y = top + 1; y < top + 4; ++y)
    EXPECT_EQ(shot.At(w - 20, y), face) << "row " << y;
  EXPECT_EQ(shot.At(0, h / 2), face);
  EXPECT_EQ(shot.At(w / 2, h - 1), face);
  EXPECT_EQ(SkinnerFor<TSkinGroupBox>(group)->PaintedCaption(), L"Firmware");
}

TEST_F(PanelSkinTest, TrackBarThumbFollowsHoverPressAndEnable) {
  Skin();
  auto* skinner = SkinnerFor<TSkinTrackBar>(track);
  ASSERT_NE(skinner, nullptr);
  HWND bar = track->Handle();
  Redraw(bar);
  ASSERT_EQ(skinner->ThumbCell(), 2) << "the bar sent no custom-draw notification for its thumb";
  RECT thumb{};
  SendMessageW(bar, TBM_GETTHUMBRECT, 0, LPARAM(&thumb));
  const LPARAM onThumb = MAKELPARAM((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2);
  const LPARAM offThumb = MAKELPARAM(thumb.right + 30, 2);
  const struct {
    const char* what;
    UINT msg;
    WPARAM wParam;
    LPARAM at;
    int cell;
  } steps[] = {
      {"the mouse beside the thumb", WM_MOUSEMOVE, 0, offThumb, 2},
      {"over the thumb", WM_MOUSEMOVE, 0, onThumb, 3},
      {"pressed on the thumb", WM_LBUTTONDOWN, MK_LBUTTON, onThumb, 4},
      {"released", WM_LBUTTONUP, 0, onThumb, 3},
      {"the mouse left", WM_MOUSELEAVE, 0, 0, 2},
      {"pressed beside the thumb", WM_LBUTTONDOWN, MK_LBUTTON, offThumb, 2},
      {"released beside it", WM_LBUTTONUP, 0, offThumb, 2},
  };
  for (const auto& step : steps) {
    SendMessageW(bar, step.msg, step.wParam, step.at);
    UpdateWindow(bar);
    EXPECT_EQ(skinner->ThumbCell(), step.cell) << step.what;
  }
  track->SetEnabled(false);
  PumpMessages();
  Redraw(bar);
  EXPECT_EQ(skinner->ThumbCell(), 5);

  // The thumb's middle is its cell's middle (the cell is stretched over the thumb).
  track->SetEnabled(true);
  PumpMessages();
  Redraw(bar);
  const TDataSkinObject* element = Elements().TrackbarThumbElement(TrackbarThumb::Horz);
  ASSERT_NE(element, nullptr);
  const Raster strip = element->Bitmap.View();
  const int cw = element->CellWidth();
  SendMessageW(bar, TBM_GETTHUMBRECT, 0, LPARAM(&thumb)); // the press beside it moved the thumb
  const Bitmap shot = CaptureWindow(bar);
  EXPECT_EQ(shot.At((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2),
            strip.At(cw + cw / 2, strip.height / 2) & 0xFFFFFF);
}

// ---- unskinning

struct Snapshot {
  HWND window;
  Bitmap pixels;
};

TEST_F(PanelSkinTest, UnskinningGivesEveryControlBackExactly) {
  std::vector<ui::TWinControl*> controls{panel, group, progress, track, status};
  progress->SetPosition(40);
  // The group's button has a look of its own that focus changes; these pixels are the group's.
  inGroup->SetVisible(false);
  PumpMessages();
  std::vector<Bitmap> before;
  for (ui::TWinControl* c : controls) {
    Redraw(c->Handle());
    before.push_back(CaptureWindow(c->Handle()));
  }
  const LONG_PTR progressProc = GetWindowLongPtrW(progress->Handle(), GWLP_WNDPROC);
  Skin();
  Redraw(progress->Handle());
  EXPECT_NE(CaptureWindow(progress->Handle()).At(1, 1), before[2].At(1, 1)) << "the progress bar was not skinned";

  Skinner()->DetachFrame();
  EXPECT_EQ(Skinner()->ControlSkinnerCount(), 0);
  EXPECT_TRUE(status->SizeGrip()) << "the grip is back";
  EXPECT_EQ(panel->Color(), ui::clWindow);
  for (std::size_t i = 0; i < controls.size(); ++i) {
    ui::TWinControl* c = controls[i];
    EXPECT_EQ(c->ComponentCount(), 0) << c->ClassName() << ": the skinner was not freed";
    EXPECT_EQ(SendMessageW(c->Handle(), SKM_ISSKINNED, 0, 0), 0) << c->ClassName();
    Redraw(c->Handle());
    const Bitmap after = CaptureWindow(c->Handle());
    ASSERT_EQ(after.Width(), before[i].Width()) << c->ClassName();
    ASSERT_EQ(after.Height(), before[i].Height()) << c->ClassName();
    for (int y = 0; y < after.Height(); ++y)
      for (int x = 0; x < after.Width(); ++x)
        ASSERT_EQ(after.At(x, y), before[i].At(x, y)) << c->ClassName() << " at " << x << "," << y;
  }
  EXPECT_EQ(GetWindowLongPtrW(progress->Handle(), GWLP_WNDPROC), progressProc);
}

TEST_F(PanelSkinTest, SkinEnableTurnsTheProgressSkinOffAndOn) {
  Skin();
  progress->SetPosition(100);
  Redraw(progress->Handle());
  const Pixel skinned = CaptureWindow(progress->Handle()).At(1, 1);
  SendMessageW(progress->Handle(), SKM_ENABLE, 0, 0);
  Redraw(progress->Handle());
  EXPECT_NE(CaptureWindow(progress->Handle()).At(1, 1), skinned) << "still skinned after SKM_ENABLE 0";
  SendMessageW(progress->Handle(), SKM_ENABLE, 1, 0);
  UpdateWindow(progress->Handle());
  EXPECT_EQ(CaptureWindow(progress->Handle()).At(1, 1), skinned);
}

// ---- a control that draws its own check glyphs

class TRzDBCheckBox : public ui::TCustomControl {
  VELA_CLASS_INFO
public:
  explicit TRzDBCheckBox(ui::TComponent* owner) : ui::TCustomControl(owner) {}
  ui::TBitmap* CustomGlyphs() { return &glyphs_; }
  int TransparentColor() const { return transparent_; }
  void SetTransparentColor(int value) { transparent_ = value; }
  bool UseCustomGlyphs() const { return use_; }
  void SetUseCustomGlyphs(bool value) {
    use_ = value;
    switches.push_back(value);
  }
  std::vector<bool> switches;

private:
  ui::TBitmap glyphs_;
  int transparent_ = 0;
  bool use_ = false;
};

const ui::TClassInfo& TRzDBCheckBox::StaticClassInfo() {
  using P = ui::PropsOf<TRzDBCheckBox>;
  static const ui::TClassInfo info = ui::MakeClassInfo<TRzDBCheckBox>(
      "TRzDBCheckBox", &ui::TCustomControl::StaticClassInfo(),
      {P::Owned<ui::TBitmap>("CustomGlyphs", &TRzDBCheckBox::CustomGlyphs),
       P::Int("transparentcolor", &TRzDBCheckBox::TransparentColor, &TRzDBCheckBox::SetTransparentColor),
       P::Bool("UseCustomGlyphs", &TRzDBCheckBox::UseCustomGlyphs, &TRzDBCheckBox::SetUseCustomGlyphs)});
  return info;
}

TEST_F(PanelSkinTest, ASelfDrawingCheckBoxIsHandedTheSkinsGlyphStrip) {
  auto* box = new TRzDBCheckBox(form);
  box->SetParent(form);
  box->SetBounds(220, 130, 100, 20);
  Skin();
  auto* skinner = dynamic_cast<TSkinObjImage*>(Skinner()->FindControlSkinner(box->Handle()));
  ASSERT_NE(skinner, nullptr);
  EXPECT_EQ(skinner->GlyphMode(), 1);
  const TDataSkinButton& buttons = Elements().Buttons;
  const int cellWidth = buttons.CheckBitmap.Width() / buttons.CheckButtonFrame;
  ASSERT_EQ(box->CustomGlyphs()->Width(), 9 * cellWidth);
  // Target 6 is source cell 2 (checked).
  const Raster glyphs = box->CustomGlyphs()->View();
  const Raster check = buttons.CheckBitmap.View();
  for (int y = 0; y < check.height; ++y)
    for (int x = 0; x < cellWidth; ++x)
      ASSERT_EQ(glyphs.At(6 * cellWidth + x, y) & 0xFFFFFF, check.At(2 * cellWidth + x, y) & 0xFFFFFF);
  EXPECT_EQ(box->TransparentColor(), 0xFF00FF);
  EXPECT_EQ(box->switches, (std::vector<bool>{false, true})) << "off and on, so the control reloads";
  EXPECT_EQ(SendMessageW(box->Handle(), SKM_ISSKINNED, 0, 0), 0) << "its messages stay its own";
  Skinner()->DetachFrame();
  EXPECT_FALSE(box->UseCustomGlyphs());
}

} // namespace
} // namespace vela::skin::test
