// Canvases, panel bevels, image lists, reflected colours, track bars, file filters and timers
// read from a description.
#include "tests/win/ui/ui_test_util.h"
#include "ui/bitmap.h"
#include "ui/com_controls.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/std_controls.h"
#include "ui/timer.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace vela::ui::test {
namespace {

TEST(Canvases, ReleasingTheHandlePutsBackWhatTheCanvasSelected) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
  HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
  HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Font()->SetHeight(-20); // a new font handle while selected
    canvas.Brush()->SetColor(clRed);
    canvas.Pen()->SetWidth(3);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), canvas.Font()->Handle());
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), canvas.Brush()->Handle());
    canvas.SetHandle(nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    canvas.SetHandle(dc); // destroyed while holding the DC
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
  DeleteDC(dc);
}

TEST(Canvases, PanelPaintsALoweredInnerBevelAndItsFace) {
  Application->Initialize();
  TForm form(nullptr);
  form.SetBounds(100, 100, 200, 120);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetBounds(0, 0, 150, 55);
  panel->SetBevelOuter(TBevelCut::bvNone);
  panel->SetBevelInner(TBevelCut::bvLowered);
  panel->SetColor(0x00C0C0C0);
  form.Show();
  RedrawWindow(panel->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  HDC dc = GetDC(panel->Handle());
  COLORREF topLeft = GetPixel(dc, 0, 0);
  COLORREF bottomRight = GetPixel(dc, 149, 54);
  COLORREF face = GetPixel(dc, 75, 27);
  ReleaseDC(panel->Handle(), dc);
  EXPECT_EQ(topLeft, GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(bottomRight, GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(face, COLORREF(0xC0C0C0));
  // An aligned child stays inside the bevel.
  auto* inner = new TPanel(&form);
  inner->SetParent(panel);
  inner->SetAlign(TAlign::alClient);
  EXPECT_EQ(inner->BoundsRect().left, 1);
  EXPECT_EQ(inner->BoundsRect().bottom, 54);
}

TEST(GdiObjects, TheLiveCountFollowsEveryOwner) {
  const long base = LiveGdiObjects();
  {
    TGdiObject<HBRUSH> brush(CreateSolidBrush(RGB(1, 2, 3)));
    EXPECT_EQ(LiveGdiObjects(), base + 1);
    TGdiObject<HBRUSH> moved(std::move(brush));
    EXPECT_EQ(LiveGdiObjects(), base + 1) << "a move hands the object over";
    HBRUSH kept = moved.Get();
    moved.Reset(kept);
    EXPECT_NE(GetObjectType(kept), 0u) << "taking the same handle again must not delete it";
    EXPECT_EQ(LiveGdiObjects(), base + 1);
    HBRUSH given = moved.Release();
    EXPECT_EQ(LiveGdiObjects(), base) << "a released object is the caller's";
    DeleteObject(given);
  }
  HDC memory = nullptr;
  {
    TGdiObject<HDC> dc(CreateCompatibleDC(nullptr));
    memory = dc.Get();
    EXPECT_EQ(GetObjectType(memory), DWORD(OBJ_MEMDC));
    EXPECT_EQ(LiveGdiObjects(), base + 1);
  }
  EXPECT_EQ(GetObjectType(memory), 0u) << "the memory DC is deleted with its owner";
  {
    TBitmap bitmap;
    bitmap.SetSize(20, 10);
    bitmap.Canvas()->Brush()->SetColor(clRed);
    bitmap.Canvas()->FillRect(RECT{0, 0, 20, 10});
    bitmap.Canvas()->TextOut(0, 0, L"x");
    EXPECT_GE(LiveGdiObjects(), base + 4) << "the DIB, its DC, the canvas's brush and font at least";
    bitmap.SetSize(30, 30);
    bitmap.SetSize(0, 0);
  }
  EXPECT_EQ(LiveGdiObjects(), base);
}

TEST(GdiObjects, RepaintsAndResizesOfAFormLeaveNoObjectBehind) {
  Application->Initialize();
  TForm form(nullptr);
  form.SetBounds(40, 40, 240, 160);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetAlign(TAlign::alClient);
  panel->SetCaption(L"Status");
  panel->SetDoubleBuffered(true); // paints through a buffer bitmap and memory DC
  auto* label = new TLabel(&form);
  label->SetParent(panel);
  label->SetCaption(L"Connected");
  form.Show();
  const auto resizeAndPaint = [&](int i) {
    form.SetBounds(40, 40, 240 + i % 7, 160 + i % 5);
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  };
  // Brushes and fonts are made when first needed; the first round makes them all.
  resizeAndPaint(1);
  const long settled = LiveGdiObjects();
  for (int i = 0; i < 100; ++i) resizeAndPaint(i);
  EXPECT_EQ(LiveGdiObjects(), settled);
}

TEST(Colours, TheNamedSystemColoursAreTheSystemsOwn) {
  const std::pair<TColor, int> named[] = {
      {clScrollBar, COLOR_SCROLLBAR}, {clBackground, COLOR_BACKGROUND},
      {clActiveCaption, COLOR_ACTIVECAPTION}, {clInactiveCaption, COLOR_INACTIVECAPTION},
      {clMenu, COLOR_MENU}, {clWindow, COLOR_WINDOW}, {clWindowFrame, COLOR_WINDOWFRAME},
      {clMenuText, COLOR_MENUTEXT}, {clWindowText, COLOR_WINDOWTEXT}, {clCaptionText, COLOR_CAPTIONTEXT},
      {clActiveBorder, COLOR_ACTIVEBORDER}, {clInactiveBorder, COLOR_INACTIVEBORDER},
      {clAppWorkSpace, COLOR_APPWORKSPACE}, {clHighlight, COLOR_HIGHLIGHT},
      {clHighlightText, COLOR_HIGHLIGHTTEXT}, {clBtnFace, COLOR_BTNFACE}, {clBtnShadow, COLOR_BTNSHADOW},
      {clGrayText, COLOR_GRAYTEXT}, {clBtnText, COLOR_BTNTEXT},
      {clInactiveCaptionText, COLOR_INACTIVECAPTIONTEXT}, {clBtnHighlight, COLOR_BTNHIGHLIGHT},
      {cl3DDkShadow, COLOR_3DDKSHADOW}, {cl3DLight, COLOR_3DLIGHT}, {clInfoText, COLOR_INFOTEXT},
      {clInfoBk, COLOR_INFOBK}};
  for (const auto& [code, index] : named) {
    EXPECT_EQ(code, vela::skin::SystemColour(index)) << index;
    EXPECT_EQ(ColorToRGB(code), GetSysColor(index)) << index;
  }
  EXPECT_EQ(ColorToRGB(clTeal), COLORREF(RGB(0, 0x80, 0x80)));
  EXPECT_EQ(ColorToRGB(vela::skin::RgbColour(1, 2, 3)), COLORREF(RGB(1, 2, 3)));
}

TEST(ImageLists, AStripBecomesImagesDrawnByIndex) {
  TBitmap strip;
  strip.SetSize(32, 16);
  auto r = strip.View();
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x) r.At(x, y) = x < 16 ? 0x00FF00 : 0x0000FF;
  r.At(20, 5) = 0xFF00FF; // transparent in the second image
  TImageList images(nullptr);
  EXPECT_EQ(images.AddMasked(strip, clFuchsia), 0);
  EXPECT_EQ(images.Count(), 2);
  TBitmap target;
  target.SetSize(16, 16);
  target.Canvas()->Brush()->SetColor(clWhite);
  target.Canvas()->FillRect(RECT{0, 0, 16, 16});
  images.Draw(target.Canvas(), 0, 0, 1);
  GdiFlush();
  EXPECT_EQ(target.View().At(0, 0), 0x0000FFu);
  EXPECT_EQ(target.View().At(4, 5), 0xFFFFFFu); // the masked pixel shows what was there
  images.SetSize(8, 8);
  EXPECT_EQ(images.Count(), 0);
}

TEST(ReflectedMessages, AnEditAnswersItsOwnColourRequest) {
  Application->Initialize();
  TForm form(nullptr);
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  edit->SetColor(0x0000FF);
  edit->Font()->SetColor(0x00FF00);
  HDC dc = GetDC(edit->Handle());
  auto brush = HBRUSH(SendMessageW(form.Handle(), WM_CTLCOLOREDIT, WPARAM(dc), LPARAM(edit->Handle())));
  COLORREF back = GetBkColor(dc);
  COLORREF text = GetTextColor(dc);
  ReleaseDC(edit->Handle(), dc);
  LOGBRUSH lb{};
  ASSERT_TRUE(GetObjectW(brush, sizeof lb, &lb));
  EXPECT_EQ(lb.lbColor, COLORREF(0x0000FF));
  EXPECT_EQ(back, COLORREF(0x0000FF));
  EXPECT_EQ(text, COLORREF(0x00FF00));
}

TEST(ReflectedMessages, TrackBarMovesAreReportedThroughItsParent) {
  Application->Initialize();
  TForm form(nullptr);
  auto* track = new TTrackBar(&form);
  track->SetParent(&form);
  track->SetMax(20);
  track->SetPosition(5);
  int changes = 0;
  track->OnChange = [&](TObject*) { ++changes; };
  SendMessageW(track->Handle(), TBM_SETPOS, TRUE, 12);
  SendMessageW(form.Handle(), WM_HSCROLL, TB_THUMBPOSITION, LPARAM(track->Handle()));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(track->Position(), 12);
  EXPECT_EQ(GetOrdProp(track, "Position"), 12);
}

TEST(StatusBars, OwnerDrawnPanelsArePaintedByOnDrawPanel) {
  Application->Initialize();
  TForm form(nullptr);
  form.SetBounds(150, 150, 300, 120);
  auto* bar = new TStatusBar(&form);
  bar->SetParent(&form);
  bar->SetSizeGrip(false);
  bar->Panels()->Add()->SetWidth(100);
  TStatusPanel* drawn = bar->Panels()->Add();
  drawn->SetWidth(100);
  drawn->SetStyle(TStatusPanelStyle::psOwnerDraw);
  std::vector<TStatusPanel*> asked;
  RECT where{};
  bar->OnDrawPanel = [&](TCustomStatusBar* sender, TStatusPanel* panel, const RECT& rect) {
    asked.push_back(panel);
    where = rect;
    sender->Canvas()->Brush()->SetColor(clRed);
    sender->Canvas()->FillRect(rect);
  };
  form.Show();
  RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked.back(), drawn);
  HDC dc = GetDC(bar->Handle());
  COLORREF inside = GetPixel(dc, (where.left + where.right) / 2, (where.top + where.bottom) / 2);
  ReleaseDC(bar->Handle(), dc);
  EXPECT_GE(where.left, 100);
  EXPECT_EQ(inside, COLORREF(0x0000FF));
}

TEST(ReflectedMessages, UpDownStepsTheNumberInItsEdit) {
  Application->Initialize();
  TForm form(nullptr);
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  auto* arrows = new TUpDown(&form);
  arrows->SetParent(&form);
  arrows->SetMax(10);
  arrows->SetIncrement(2);
  arrows->SetAssociate(edit);
  arrows->SetPosition(4);
  arrows->HandleNeeded();
  EXPECT_EQ(edit->Text(), L"4");
  int changes = 0;
  arrows->OnChange = [&](TObject*) { ++changes; };
  // What a click on the upper arrow does: the control moves and tells its parent.
  SendMessageW(arrows->Handle(), UDM_SETPOS32, 0, 6);
  SendMessageW(form.Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 6), LPARAM(arrows->Handle()));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(arrows->Position(), 6);
  arrows->SetPosition(50);
  EXPECT_EQ(arrows->Position(), 10);
  delete edit; // the association goes with the edit
  EXPECT_EQ(arrows->Associate(), nullptr);
}

TEST(FileDialogs, FilterTextBecomesTheNativeDoubleNulList) {
  std::wstring native = TOpenDialog::NativeFilter(L"Bin File(*.bin)|*.bin");
  EXPECT_EQ(native, std::wstring(L"Bin File(*.bin)\0*.bin\0\0", 23));
  TOpenDialog dialog(nullptr);
  EXPECT_TRUE(SetPropValue(&dialog, "Filter", L"Bin File(*.bin)|*.bin"));
  EXPECT_TRUE(SetPropValue(&dialog, "Options", L"[ofHideReadOnly,ofFileMustExist]"));
  EXPECT_EQ(dialog.Options(), TOpenOptions(ofHideReadOnly | ofFileMustExist));
}

class TTimerForm : public TForm {
  VELA_CLASS_INFO
public:
  explicit TTimerForm(TComponent* owner) : TForm(owner) {
    BindField("Fast", Fast);
    BindMethod("FastTimer", &TTimerForm::FastTimer);
    ReadDescriptionText("object F: TTimerForm\n"
                        "  object Fast: TTimer\n    Interval = 10\n    OnTimer = FastTimer\n  end\n"
                        "end\n");
  }
  TTimer* Fast = nullptr;
  int ticks = 0;
  void FastTimer(TObject* Sender) {
    if (Sender == Fast) ++ticks;
  }
};

const TClassInfo& TTimerForm::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TTimerForm>("TTimerForm", &TForm::StaticClassInfo(), {});
  return info;
}

TEST(Timers, ATimerReadFromADescriptionTicksItsHandlerUntilStopped) {
  Application->Initialize();
  TTimerForm form(nullptr);
  ASSERT_TRUE(PumpUntil([&] { return form.ticks >= 3; }));
  form.Fast->SetEnabled(false);
  int stopped = form.ticks;
  PumpUntil([] { return false; }, 60);
  EXPECT_EQ(form.ticks, stopped);
  form.Fast->SetEnabled(true);
  form.Fast->SetInterval(0); // no interval, no ticks
  PumpUntil([] { return false; }, 60);
  EXPECT_EQ(form.ticks, stopped);
}

} // namespace
} // namespace vela::ui::test
