// The tab skinners: tab and page controls over their native painting, and tab sets painted
// whole.
#include "skin/controls/skin_tabs.h"

#include "skin/controls/button_layout.h"
#include "skin/controls/skin_paint.h"

#include "skin/data/transforms.h"
#include "skin/draw/primitives.h"
#include "skin/draw/primitives_win.h"
#include "skin/draw/stretch.h"
#include "ui/core/props.h"
#include "ui/core/strings.h"
#include "ui/win_control.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace vela::skin {

namespace {

// Captions are read up to this many characters.
constexpr int kTabTextLength = 80;

const TDataSkinBorder* UsableTabs(const TSkinElements* elements) {
  if (!elements || !elements->Tabs || elements->Tabs->Bitmap.Empty())
    return nullptr;
  return elements->Tabs.get();
}

struct TabItem {
  std::wstring text;
  int image = -1;
};

TabItem ReadTabItem(HWND window, int index) {
  wchar_t text[kTabTextLength + 1] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = text;
  item.cchTextMax = kTabTextLength;
  item.iImage = -1;
  SendMessageW(window, TCM_GETITEMW, WPARAM(index), LPARAM(&item));
  return TabItem{text, item.iImage};
}

// A caption in `box` of the buffer on a transparent background, one line, centred vertically.
void DrawCaptionIn(HDC dc, RECT box, const std::wstring& text, COLORREF colour, UINT align) {
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(dc, colour);
  DrawTextW(dc, text.c_str(), int(text.size()), &box,
            align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}

void DrawCentredText(HDC dc, const Rect& r, const std::wstring& text, COLORREF colour) {
  DrawCaptionIn(dc, RECT{r.left, r.top, r.right, r.bottom}, text, colour, DT_CENTER);
}

// The item's image and caption side by side, centred together in `r` (the caption alone
// when the item has no image).
void DrawImageText(HDC dc, const Rect& r, const TabItem& item, HIMAGELIST images, COLORREF colour) {
  int imageWidth = 0, imageHeight = 0;
  if (!images || item.image < 0 || !ImageList_GetIconSize(images, &imageWidth, &imageHeight)) {
    DrawCentredText(dc, r, item.text, colour);
    return;
  }
  SIZE extent{};
  GetTextExtentPoint32W(dc, item.text.c_str(), int(item.text.size()), &extent);
  const int start = r.left + ImageTextStart(1, r.Width(), extent.cx, imageWidth);
  ImageList_Draw(images, item.image, dc, start, r.top + (r.Height() - imageHeight) / 2,
                 ILD_TRANSPARENT);
  DrawCaptionIn(dc, RECT{start + imageWidth, r.top, r.right, r.bottom}, item.text, colour, DT_LEFT);
}

void FillBuffer(HDC dc, int width, int height, ui::TColor colour) {
  FillWithColour(dc, RECT{0, 0, width, height}, ui::ColorToRGB(colour));
}

// Draws cell `cell` of the tab strip into the buffer with the element's margins and settings.
void DrawTabCell(ui::TBitmap& buffer, const Rect& target, const Bitmap& image,
                 const TDataSkinObject& element, int cell) {
  DrawSkinRect(buffer.View(), target, image.View(), element.GetMargins(), cell,
               std::max(1, int(element.FrameCount)), element.Trans == 1, element.Tile != 0, false);
}

// The control's own look comes back with its next paint.
void RepaintNatively(HWND window) {
  if (window && IsWindow(window))
    InvalidateRect(window, nullptr, TRUE);
}

COLORREF TabTextColour(const TDataSkinObject& element, bool focused) {
  return ui::ColorToRGB(focused ? element.MouseOverColour2 : element.NormalColour2);
}

} // namespace

// ---- TSkinTab

const ui::TClassInfo& TSkinTab::StaticClassInfo() {
  static const ui::TClassInfo info =
      ui::MakeClassInfo<TSkinTab>("TSkinTab", &TSkinControl::StaticClassInfo(), {});
  return info;
}

TSkinTab::TSkinTab(ui::TComponent* owner) : TSkinControl(owner) {}

TSkinTab::~TSkinTab() {
  Destroying();
}

void TSkinTab::AttachHandle(HWND window, TSkinHost* host, ui::TCanvas* canvas) {
  TSkinControl::AttachHandle(window, host, canvas);
  if (!Attached())
    return;
  BuildImages();
  SkinArrows();
}

void TSkinTab::SkinArrows() {
  if (!Arrows() && Attached())
    CarryArrows(FindWindowExW(Handle(), nullptr, UPDOWN_CLASSW, nullptr), false, false);
}

void TSkinTab::Unskin() {
  TSkinControl::Unskin();
  RepaintNatively(Handle());
}

void TSkinTab::Refresh() {
  BuildImages();
  TSkinControl::Refresh();
}

void TSkinTab::BuildImages() {
  side_ = TabSideFromStyle(std::uint32_t(GetWindowLongPtrW(Handle(), GWL_STYLE)));
  tabImage_.Clear();
  borderImage_.Clear();
  const TDataSkinBorder* tabs = UsableTabs(Elements());
  if (!tabs)
    return;
  tabImage_ = tabs->Bitmap;
  borderImage_ = tabs->Bitmap2;
  switch (side_) {
  case TabSide::Top:
    break;
  case TabSide::Bottom:
    FlipBitmap(tabImage_);
    FlipBitmap(borderImage_);
    break;
  case TabSide::Left:
    RotateBitmapLeft(borderImage_);
    break;
  case TabSide::Right:
    RotateBitmapRight(borderImage_);
    break;
  }
}

ui::TColor TSkinTab::ParentColour() const {
  if (auto* control = dynamic_cast<ui::TWinControl*>(Owner()); control && control->Parent())
    return control->Parent()->Color();
  return FaceColour();
}

void TSkinTab::Draw(HDC dc, const RECT& rect) {
  SkinArrows();
  const TDataSkinBorder* tabs = UsableTabs(Elements());
  if (!tabs || tabImage_.Empty())
    return;
  HWND window = Handle();
  RECT display = rect;
  SendMessageW(window, TCM_ADJUSTRECT, FALSE, LPARAM(&display));
  const Rect whole{rect.left, rect.top, rect.right, rect.bottom};
  const Rect pane = TabPaneRect(Rect{display.left, display.top, display.right, display.bottom});
  const Rect strip = TabStripRect(whole, pane, side_);
  const Rect bounds = TabBufferBounds(strip, side_);
  cells_.clear();
  if (!bounds.Empty()) {
    strip_.SetSize(bounds.Width(), bounds.Height());
    HDC back = strip_.Dc();
    FillBuffer(back, bounds.Width(), bounds.Height(), ParentColour());
    HGDIOBJ oldFont =
        SelectObject(back, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    const int count = int(SendMessageW(window, TCM_GETITEMCOUNT, 0, 0));
    const int focus = int(SendMessageW(window, TCM_GETCURFOCUS, 0, 0));
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(window, TCM_GETIMAGELIST, 0, 0));
    for (int i = 0; i < count; ++i) {
      RECT item{};
      SendMessageW(window, TCM_GETITEMRECT, WPARAM(i), LPARAM(&item));
      const Rect target =
          TabRectInBuffer(Rect{item.left, item.top, item.right, item.bottom}, strip, side_);
      const int cell = TabCell(i == focus);
      cells_.push_back(cell);
      DrawTabCell(strip_, target, tabImage_, *tabs, cell);
      DrawImageText(back, target, ReadTabItem(window, i), images, TabTextColour(*tabs, i == focus));
    }
    SelectObject(back, oldFont);
    const int saved = SaveDC(dc);
    // The arrows of a tab row too long for the control paint themselves.
    if (HWND arrows = FindWindowExW(window, nullptr, UPDOWN_CLASSW, nullptr);
        arrows && IsWindowVisible(arrows)) {
      RECT a{};
      GetWindowRect(arrows, &a);
      MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&a), 2);
      ExcludeClipRect(dc, a.left, a.top, a.right, a.bottom);
    }
    if (IsVerticalSide(side_)) {
      Bitmap turned = CopyToBitmap(strip_.View(), bounds);
      side_ == TabSide::Left ? RotateBitmapLeft(turned) : RotateBitmapRight(turned);
      ui::BlitRaster(dc, strip.left, strip.top, turned.View());
    } else {
      ui::BlitRaster(dc, strip.left, strip.top, strip_.View());
    }
    RestoreDC(dc, saved);
  }
  if (!borderImage_.Empty())
    DrawSkinFrame(dc, pane, borderImage_.View(), TabBorderMargins(side_), 1, 1, false);
}

// ---- TSkinTab31

const ui::TClassInfo& TSkinTab31::StaticClassInfo() {
  static const ui::TClassInfo info =
      ui::MakeClassInfo<TSkinTab31>("TSkinTab31", &TSkinControl::StaticClassInfo(), {});
  return info;
}

TSkinTab31::TSkinTab31(ui::TComponent* owner) : TSkinControl(owner) {}

TSkinTab31::~TSkinTab31() {
  Destroying();
}

void TSkinTab31::AttachControl(TSkinHost* host, bool recolour, ui::TCanvas* canvas) {
  const bool wasAttached = Attached();
  TSkinControl::AttachControl(host, recolour, canvas);
  if (!Attached())
    return;
  BuildImage();
  if (ui::TWinControl* scroller = Scroller(); scroller && !wasAttached)
    CarryArrows(scroller->Handle(), false, true);
}

void TSkinTab31::Unskin() {
  TSkinControl::Unskin();
  RepaintNatively(Handle());
}

void TSkinTab31::Refresh() {
  BuildImage();
  TSkinControl::Refresh();
}

void TSkinTab31::BuildImage() {
  flippedTabs_.Clear();
  if (const TDataSkinBorder* tabs = UsableTabs(Elements())) {
    flippedTabs_ = tabs->Bitmap;
    FlipBitmap(flippedTabs_);
  }
}

ui::TWinControl* TSkinTab31::Scroller() const {
  // The tab set's arrows are its first component, a windowed control of the tab set's family.
  const ui::TComponent* owner = Owner();
  if (!owner || owner->ComponentCount() == 0)
    return nullptr;
  auto* arrows = dynamic_cast<ui::TWinControl*>(owner->Components(0));
  return arrows && arrows->InheritsFrom("TTabScroller") ? arrows : nullptr;
}

bool TSkinTab31::ArrowsVisible() const {
  const ui::TWinControl* arrows = Scroller();
  return arrows && arrows->HandleAllocated() && IsWindowVisible(arrows->HandleIfAllocated());
}

bool TSkinTab31::BeforeMessage(ui::TMessage& m) {
  switch (m.Msg) {
  case WM_PAINT: {
    // Painted whole here; after a BeginPaint the control's own painting finds nothing left.
    const bool began = !m.WParam;
    PaintMessage(m, [this](HDC dc) { PaintWindow(dc); });
    return began;
  }
  case WM_ERASEBKGND:
    m.Result = 1;
    return false;
  default:
    return TSkinControl::BeforeMessage(m);
  }
}

void TSkinTab31::AfterMessage(ui::TMessage& m) {
  if (m.Msg == WM_PAINT)
    return;
  TSkinControl::AfterMessage(m);
}

void TSkinTab31::Draw(HDC dc, const RECT& rect) {
  const TDataSkinBorder* tabs = UsableTabs(Elements());
  auto* control = Control();
  if (!tabs || flippedTabs_.Empty() || !control)
    return;
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0)
    return;
  buffer_.SetSize(w, h);
  HDC back = buffer_.Dc();
  FillBuffer(back, w, h, FaceColour());
  HGDIOBJ oldFont = SelectObject(back, control->Font()->Handle());
  std::vector<std::wstring> captions;
  std::vector<int> widths;
  if (auto* lines = ui::GetObjectProp<ui::TStrings>(control, "Tabs"))
    for (int i = 0; i < lines->Count(); ++i) {
      captions.push_back(lines->Get(i));
      SIZE extent{};
      GetTextExtentPoint32W(back, captions.back().c_str(), int(captions.back().size()), &extent);
      widths.push_back(extent.cx);
    }
  const int first = int(ui::GetOrdProp(control, "FirstIndex"));
  const int selected = int(ui::GetOrdProp(control, "TabIndex"));
  rects_ = TabSetTabRects(widths, first, int(ui::GetOrdProp(control, "StartMargin")),
                          int(ui::GetOrdProp(control, "EndMargin")), w, h, ArrowsVisible());
  cells_.clear();
  for (std::size_t i = 0; i < rects_.size(); ++i) {
    const int index = first + int(i);
    const bool isSelected = index == selected;
    cells_.push_back(TabCell(isSelected));
    DrawTabCell(buffer_, rects_[i], flippedTabs_, *tabs, cells_.back());
    DrawCentredText(back, rects_[i], captions[std::size_t(index)],
                    TabTextColour(*tabs, isSelected));
  }
  SelectObject(back, oldFont);
  BitBlt(dc, rect.left, rect.top, w, h, back, 0, 0, SRCCOPY);
}

} // namespace vela::skin
