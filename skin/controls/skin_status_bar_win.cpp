#include "skin/controls/skin_status_bar.h"

#include "skin/controls/panel_geometry.h"
#include "skin/controls/skin_paint.h"
#include "skin/draw/primitives_win.h"
#include "ui/com_controls.h"
#include "ui/core/collection.h"
#include "ui/core/props.h"
#include "ui/win_control.h"

#include <commctrl.h>

namespace vela::skin {

namespace {

PanelBevel BevelOf(const ui::TObject* panel) {
  const std::string bevel = ui::GetEnumProp(panel, "Bevel");
  return bevel == "pbRaised" ? PanelBevel::Raised : bevel == "pbNone" ? PanelBevel::None : PanelBevel::Lowered;
}

PanelAlign AlignOf(const ui::TObject* panel) {
  const std::string align = ui::GetEnumProp(panel, "Alignment");
  return align == "taRightJustify" ? PanelAlign::Right : align == "taCenter" ? PanelAlign::Center : PanelAlign::Left;
}

UINT TextFlag(PanelAlign align) {
  return align == PanelAlign::Right ? DT_RIGHT : align == PanelAlign::Center ? DT_CENTER : DT_LEFT;
}

// Two pixels of air at the left and the right of a panel's text.
RECT TextRect(RECT r) {
  r.left += 2;
  r.right -= 2;
  return r;
}

// An empty text still takes a line of the font's height.
std::wstring ShownText(std::wstring text) {
  return text.empty() ? std::wstring(L" ") : text;
}

} // namespace

const ui::TClassInfo& TSkinStatusBar::StaticClassInfo() {
  static const ui::TClassInfo info =
      ui::MakeClassInfo<TSkinStatusBar>("TSkinStatusBar", &TSkinControl::StaticClassInfo(), {});
  return info;
}

TSkinStatusBar::TSkinStatusBar(ui::TComponent* owner)
    : TSkinControl(owner), hadSizeGrip_(owner && ui::GetOrdProp(owner, "SizeGrip") != 0) {}

void TSkinStatusBar::Unskin() {
  TSkinControl::Unskin();
  const int life = LifeState();
  ui::TComponent* bar = Owner();
  if (!hadSizeGrip_ || !bar || life == clsFormUnskinning || life == clsWindowDestroyed)
    return;
  // A bar going away with its form gets no new window.
  if (bar->HasState(ui::csDestroying) || (bar->Owner() && bar->Owner()->HasState(ui::csDestroying)))
    return;
  hadSizeGrip_ = false;
  // The grip makes the bar recreate its window: the bar is given its messages back first.
  ReleaseHook();
  ui::SetPropValue(Owner(), "SizeGrip", L"True");
}

void TSkinStatusBar::DrawPanelBackground(HDC dc, const RECT& r, int cell) const {
  const TSkinElements* elements = Elements();
  if (elements && elements->StatusBarEdges && !elements->StatusBarEdges->Bitmap.Empty()) {
    const TDataSkinObject& edges = *elements->StatusBarEdges;
    DrawSkinRect(dc, Rect{r.left, r.top, r.right, r.bottom}, edges.Bitmap.View(), edges.GetMargins(), cell,
                 3, false, edges.Tile != 0, false);
    return;
  }
  // Without the element a panel keeps a classic one-pixel edge.
  RECT edge = r;
  if (cell == StatusPanelCell(PanelBevel::Lowered))
    DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
  else if (cell == StatusPanelCell(PanelBevel::Raised))
    DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
}

void TSkinStatusBar::Draw(HDC dc, const RECT& rect) {
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  ui::TWinControl* bar = Control();
  if (!bar || w <= 0 || h <= 0)
    return;
  ReadWindowState();
  if (buffer_.Width() != w || buffer_.Height() != h)
    buffer_.SetSize(w, h);
  HDC back = buffer_.Dc();
  const RECT all{0, 0, w, h};
  FillSkinColor(back, all);

  if (auto* font = ui::GetObjectProp<ui::TFont>(bar, "Font"))
    font_.Assign(font);
  font_.SetStyle(0);
  const ui::TDCStateSaver saved(back);
  SelectObject(back, font_.Handle());
  const TSkinElements* elements = Elements();
  COLORREF text = ui::ColorToRGB(font_.Color());
  if (elements && elements->StatusBarEdges)
    text = ui::ColorToRGB(elements->StatusBarEdges->NormalColour2);
  SetTextColor(back, text);

  painted_.clear();
  const HWND window = Handle();
  auto* panels = ui::GetObjectProp<ui::TCollection>(bar, "Panels");
  if (ui::GetOrdProp(bar, "SimplePanel") != 0 || !panels || panels->Count() == 0) {
    DrawPanelBackground(back, all, 1);
    DrawCaption(back, TextRect(all), DT_LEFT, true, ShownText(ui::GetStrProp(bar, "SimpleText")));
    painted_.push_back(all);
  } else {
    const bool rtl = ui::GetEnumProp(bar, "BiDiMode") == "bdRightToLeft";
    for (int i = 0; i < panels->Count(); ++i) {
      const ui::TCollectionItem* panel = panels->Item(i);
      RECT native{};
      if (!SendMessageW(window, SB_GETRECT, WPARAM(i), LPARAM(&native)))
        continue;
      const Rect r = StatusPanelRect(Rect{native.left, native.top, native.right, native.bottom},
                                     i == panels->Count() - 1, w);
      const RECT pr{r.left, r.top, r.right, r.bottom};
      DrawPanelBackground(back, pr, StatusPanelCell(BevelOf(panel)));
      if (ui::GetEnumProp(panel, "Style") != "psOwnerDraw")
        DrawCaption(back, TextRect(pr), TextFlag(PanelTextAlign(AlignOf(panel), rtl)), true,
                    ShownText(ui::GetStrProp(panel, "Text")));
      painted_.push_back(pr);
    }
  }

  if ((GetWindowLongPtrW(window, GWL_STYLE) & SBARS_SIZEGRIP) && elements && elements->ExtraImages &&
      elements->ExtraImages->FrameCount > 0) {
    const TDataSkinObject& extra = *elements->ExtraImages;
    const Rect grip = SizeGripRect(w, h, extra.CellWidth(), extra.Bitmap.Height());
    DrawStretchedCell(back, grip, extra.Bitmap.View(), true, extra.FrameCount, 5);
  }
  BitBlt(dc, rect.left, rect.top, w, h, back, 0, 0, SRCCOPY);
  CallOwnerDraw(dc);
}

void TSkinStatusBar::CallOwnerDraw(HDC dc) const {
  auto* bar = dynamic_cast<ui::TCustomStatusBar*>(Control());
  if (!bar || !bar->OnDrawPanel)
    return;
  for (int i = 0; i < bar->Panels()->Count(); ++i) {
    RECT r{};
    if (!SendMessageW(Handle(), SB_GETRECT, WPARAM(i), LPARAM(&r)))
      continue;
    InflateRect(&r, -1, -1);
    bar->Canvas()->SetHandle(dc);
    bar->Canvas()->Font()->Assign(bar->Font());
    try {
      bar->OnDrawPanel(bar, bar->Panels()->Items(i), r);
    } catch (...) {
      bar->Canvas()->SetHandle(nullptr);
      throw;
    }
    bar->Canvas()->SetHandle(nullptr);
  }
}

} // namespace vela::skin
