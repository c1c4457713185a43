// Skinned scroll bars: the overlay laid over a native bar, and the skinners that keep the
// overlays of a scrolling window in place.
#include "skin/controls/skin_scrollbar.h"

#include "skin/controls/skin_messages.h"
#include "skin/controls/skin_paint.h"
#include "skin/draw/primitives_win.h"
#include "ui/core/props.h"
#include "ui/core/text.h"

#include <windowsx.h>

#include <algorithm>

namespace vela::skin {

namespace {

bool HasArrowStrip(const TSkinElements* e) {
  return e && e->Scrollbar && !e->Scrollbar->Bitmap.Empty();
}

bool Usable(const std::unique_ptr<TDataSkinObject>& element) {
  return element && !element->Bitmap.Empty();
}

void DrawTrackOrThumb(HDC dc, const Rect& target, const TDataSkinObject& element, int cell,
                      int cellCount, bool transparent, bool tile) {
  if (target.right <= target.left || target.bottom <= target.top)
    return;
  DrawSkinRect(dc, target, element.Bitmap.View(), element.GetMargins(), cell, std::max(1, cellCount),
               transparent, tile, false);
}

} // namespace

// ---- TWScrollbar

const ui::TClassInfo& TWScrollbar::StaticClassInfo() {
  static const ui::TClassInfo info =
      ui::MakeClassInfo<TWScrollbar>("TWScrollbar", &ui::TCustomControl::StaticClassInfo(), {});
  return info;
}

TWScrollbar::TWScrollbar(ui::TComponent* owner) : ui::TCustomControl(owner) {
  arrowSize_ = GetSystemMetrics(SM_CXHSCROLL);
}

TWScrollbar::~TWScrollbar() {
  Destroying();
}

void TWScrollbar::CreateParams(ui::TCreateParams& params) {
  ui::TCustomControl::CreateParams(params);
  // Shown by Place once there is a native bar to cover.
  params.style &= ~DWORD(WS_VISIBLE);
}

void TWScrollbar::BindControl(TSkinControl* skinner, ui::TWinControl* control, TScrollbarKind kind) {
  if (control)
    Bind(skinner, control->Handle(), control, kind);
}

void TWScrollbar::BindWindow(TSkinControl* skinner, HWND window, TScrollbarKind kind) {
  Bind(skinner, window, nullptr, kind);
}

void TWScrollbar::Bind(TSkinControl* skinner, HWND window, ui::TWinControl* control, TScrollbarKind kind) {
  skinner_ = skinner;
  scrolled_ = window;
  kind_ = kind;
  if (kind == sbkControl) {
    scrollControl_ = control;
    const std::string orientation = control ? ui::AsciiLowerCase(ui::GetEnumProp(control, "Kind")) : std::string();
    vertical_ = orientation.empty() ? (GetWindowLongPtrW(window, GWL_STYLE) & SBS_VERT) != 0
                                    : orientation != "sbhorizontal";
  } else {
    vertical_ = kind == sbkVertical;
  }
  SetParentWindow(GetParent(window));
  Place();
}

bool TWScrollbar::ReadBar(TNativeBar& bar) const {
  if (!scrolled_)
    return false;
  if (kind_ != sbkControl) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    if (!GetScrollBarInfo(scrolled_, kind_ == sbkVertical ? OBJID_VSCROLL : OBJID_HSCROLL, &info))
      return false;
    bar.screenRect = info.rcScrollBar;
    bar.thumb = ThumbSpan{info.xyThumbTop, info.xyThumbBottom};
    bar.visible = !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE) && !IsRectEmpty(&info.rcScrollBar);
    bar.enabled = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
    return true;
  }
  // A scroll bar control is all bar: its thumb follows from its scroll state.
  RECT r{};
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  if (!GetClientRect(scrolled_, &r) || !GetScrollInfo(scrolled_, SB_CTL, &info))
    return false;
  MapWindowPoints(scrolled_, nullptr, reinterpret_cast<POINT*>(&r), 2);
  const ScrollState state{info.nMin, info.nMax, int(info.nPage), info.nPos, info.nTrackPos};
  const int length = vertical_ ? r.bottom - r.top : r.right - r.left;
  bar.screenRect = r;
  bar.thumb = ThumbFor(state, state.Pos, length, arrowSize_);
  bar.visible = IsWindowVisible(scrolled_) && !IsRectEmpty(&r);
  bar.enabled = IsWindowEnabled(scrolled_) != FALSE;
  return true;
}

void TWScrollbar::Place() {
  TNativeBar bar;
  const TSkinElements* elements = skinner_ && skinner_->Host() ? skinner_->Host()->SkinElements() : nullptr;
  // Without the arrow strip there is nothing to show, and the native bar stays in view; a
  // window without a parent (a pop-up list) has no sibling to lay an overlay over its bars.
  if (!ParentWindow() || !ReadBar(bar) || !bar.visible || !IsWindowVisible(scrolled_) ||
      !HasArrowStrip(elements)) {
    HideBar();
    return;
  }
  RECT inScrolled = bar.screenRect;
  MapWindowPoints(nullptr, scrolled_, reinterpret_cast<POINT*>(&inScrolled), 2);
  barRect_ = inScrolled;
  screenOrigin_ = POINT{bar.screenRect.left, bar.screenRect.top};
  const int width = bar.screenRect.right - bar.screenRect.left;
  const int height = bar.screenRect.bottom - bar.screenRect.top;
  trackLength_ = vertical_ ? height : width;
  RECT inParent = bar.screenRect;
  MapWindowPoints(nullptr, ParentWindow(), reinterpret_cast<POINT*>(&inParent), 2);

  HWND window = nullptr;
  try {
    window = Handle();
  } catch (...) {
    // Placing runs inside the scrolled window's messages: an overlay that cannot get a
    // window leaves the native bar in view.
    shown_ = false;
    return;
  }
  shown_ = true;
  constexpr UINT kFlags = SWP_NOREDRAW | SWP_NOACTIVATE | SWP_SHOWWINDOW;
  if (kind_ == sbkControl) {
    SetWindowPos(window, HWND_TOP, inParent.left, inParent.top, width, height, kFlags);
  } else {
    // Directly above the scrolled window: above it, but below whatever lay above it.
    HWND previous = GetWindow(scrolled_, GW_HWNDPREV);
    SetWindowPos(window, previous ? previous : HWND_TOP, inParent.left, inParent.top, width, height,
                 previous == window ? kFlags | SWP_NOZORDER : kFlags);
    MoveWindow(window, inParent.left, inParent.top, width, height, TRUE);
  }
  // Showing without redrawing leaves the overlay to paint itself with the bar it now covers.
  InvalidateRect(window, nullptr, FALSE);
}

void TWScrollbar::HideBar() {
  if (HWND window = HandleIfAllocated())
    ShowWindow(window, SW_HIDE);
  shown_ = false;
}

ScrollPart TWScrollbar::HitPart(int along) const {
  TNativeBar bar;
  const ThumbSpan thumb = ReadBar(bar) ? bar.thumb : ThumbSpan{arrowSize_, arrowSize_};
  return skin::HitPart(along, trackLength_, arrowSize_, thumb);
}

LPARAM TWScrollbar::TargetPoint(LPARAM overlayPoint) const {
  if (kind_ == sbkControl)
    return overlayPoint; // the overlay covers the control's client area exactly
  return MAKELPARAM(GET_X_LPARAM(overlayPoint) + screenOrigin_.x, GET_Y_LPARAM(overlayPoint) + screenOrigin_.y);
}

void TWScrollbar::WndProc(ui::TMessage& m) {
  switch (m.Msg) {
  case WM_ERASEBKGND:
    m.Result = 1;
    return;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    ui::TCustomControl::WndProc(m);
    Press(m);
    return;
  case WM_LBUTTONUP:
    ui::TCustomControl::WndProc(m);
    Release(m);
    return;
  default:
    ui::TCustomControl::WndProc(m);
  }
}

void TWScrollbar::Press(ui::TMessage& m) {
  const LPARAM point = TargetPoint(m.LParam);
  GetCursorPos(&pressCursor_);
  TNativeBar bar;
  if (ReadBar(bar))
    pressThumbStart_ = bar.thumb.Start;
  if (kind_ == sbkControl) {
    pressedPart_ = int(HitPart(vertical_ ? GET_Y_LPARAM(m.LParam) : GET_X_LPARAM(m.LParam)));
    Invalidate();
  }
  tracking_ = true;
  const std::weak_ptr<void> alive = AliveToken();
  HWND target = scrolled_;
  ReleaseCapture();
  // The system's scroll loop runs inside this call until the button is released; meanwhile
  // the scrolled window's scroll messages reach the skinner, which repaints this overlay.
  if (kind_ == sbkControl)
    SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, point);
  else
    SendMessageW(target, WM_NCLBUTTONDOWN, kind_ == sbkHorizontal ? HTHSCROLL : HTVSCROLL, point);
  if (alive.expired())
    return; // the overlay went while the loop ran (its window was unskinned)
  tracking_ = false;
  ReleaseCapture();
  Invalidate();
}

void TWScrollbar::Release(ui::TMessage& m) {
  const LPARAM point = TargetPoint(m.LParam);
  tracking_ = false;
  ReleaseCapture();
  if (kind_ == sbkControl) {
    PostMessageW(scrolled_, WM_LBUTTONUP, MK_LBUTTON, point);
    Invalidate();
  } else {
    PostMessageW(scrolled_, WM_NCLBUTTONUP, kind_ == sbkHorizontal ? HTHSCROLL : HTVSCROLL, point);
  }
}

void TWScrollbar::Paint() {
  HDC dc = Canvas()->Handle();
  RECT client{};
  GetClientRect(Handle(), &client);
  TNativeBar bar;
  try {
    if (!ReadBar(bar) || !bar.visible || !PaintBar(bar, client.right, client.bottom))
      return;
  } catch (...) {
    return; // a bar that cannot be painted now is painted at the next chance
  }
  BitBlt(dc, 0, 0, client.right, client.bottom, buffer_.Dc(), 0, 0, SRCCOPY);
}

bool TWScrollbar::PaintBar(const TNativeBar& bar, int width, int height) {
  const TSkinElements* e = skinner_ && skinner_->Host() ? skinner_->Host()->SkinElements() : nullptr;
  if (!HasArrowStrip(e) || width <= 0 || height <= 0)
    return false;
  const Raster arrows = e->Scrollbar->Bitmap.View();
  trackLength_ = vertical_ ? height : width;
  ThumbSpan thumb = bar.thumb;
  if (tracking_ && pressedPart_ == int(ScrollPart::ThumbTrack) && kind_ != sbkControl) {
    // The thumb follows the cursor while the system tracks it.
    POINT cursor{};
    GetCursorPos(&cursor);
    const ThumbSpan pressed{pressThumbStart_, pressThumbStart_ + (bar.thumb.End - bar.thumb.Start)};
    thumb = DragThumb(pressed, vertical_ ? pressCursor_.y : pressCursor_.x, vertical_ ? cursor.y : cursor.x,
                      trackLength_, arrowSize_);
  }
  paintedThumb_ = thumb;
  const ScrollBarLayout layout =
      LayoutScrollBar(width, height, vertical_, arrowSize_, arrows.height, thumb, bar.enabled);
  const ScrollBarCells cells =
      CellsForScrollBar(vertical_, bar.enabled, tracking_, ScrollPart(pressedPart_));
  paintedCells_ = cells;
  paintedWithThumb_ = layout.HasThumb;

  if (buffer_.Width() != width || buffer_.Height() != height)
    buffer_.SetSize(width, height);
  HDC back = buffer_.Dc();
  SetStretchBltMode(back, COLORONCOLOR);
  FillWithColour(back, RECT{0, 0, width, height}, ui::ColorToRGB(e->Colours.ButtonFace));

  // The horizontal elements' settings serve both orientations.
  const bool tile = e->HorzScroll && e->HorzScroll->Tile != 0;
  const auto& track = vertical_ ? e->VertScroll : e->HorzScroll;
  if (Usable(track))
    DrawTrackOrThumb(back, layout.Track, *track, cells.Track, kScrollTrackCells, track->Trans == 1, tile);
  DrawStretchedCell(back, layout.FirstArrow, arrows, true, kScrollArrowCells, cells.FirstArrow);
  DrawStretchedCell(back, layout.SecondArrow, arrows, true, kScrollArrowCells, cells.SecondArrow);
  const auto& thumbElement = vertical_ ? e->VertScrollThumb : e->HorzScrollThumb;
  if (layout.HasThumb && Usable(thumbElement)) {
    const TDataSkinObject* settings = e->HorzScrollThumb ? e->HorzScrollThumb.get() : thumbElement.get();
    DrawTrackOrThumb(back, layout.Thumb, *thumbElement, cells.Thumb, settings->FrameCount,
                     settings->Trans == 1, false);
  }
  return true;
}

// ---- the overlays of one window

TScrollOverlays::~TScrollOverlays() {
  Free();
}

void TScrollOverlays::Create(TSkinControl* skinner, ui::TWinControl* control, HWND window) {
  Free();
  horizontal_ = new TWScrollbar(skinner);
  vertical_ = new TWScrollbar(skinner);
  if (control) {
    horizontal_->BindControl(skinner, control, sbkHorizontal);
    vertical_->BindControl(skinner, control, sbkVertical);
  } else {
    horizontal_->BindWindow(skinner, window, sbkHorizontal);
    vertical_->BindWindow(skinner, window, sbkVertical);
  }
}

void TScrollOverlays::Free() {
  // Freeing an overlay uncovers the native bar, which the scrolled window then repaints.
  delete horizontal_;
  horizontal_ = nullptr;
  delete vertical_;
  vertical_ = nullptr;
}

void TScrollOverlays::PlaceBoth() {
  for (TWScrollbar* overlay : {horizontal_, vertical_})
    if (overlay)
      overlay->Place();
}

void TScrollOverlays::PlaceHidden() {
  for (TWScrollbar* overlay : {horizontal_, vertical_})
    if (overlay && !overlay->Shown())
      overlay->Place();
}

void TScrollOverlays::HideBoth() {
  for (TWScrollbar* overlay : {horizontal_, vertical_})
    if (overlay)
      overlay->HideBar();
}

void TScrollOverlays::ScrollReported(UINT msg, WPARAM wParam) {
  TWScrollbar* overlay = msg == WM_HSCROLL ? horizontal_ : vertical_;
  if (!overlay)
    return;
  overlay->SetPressedPart(LOWORD(wParam));
  overlay->Invalidate();
}

void TScrollOverlays::InvalidateShown() {
  for (TWScrollbar* overlay : {horizontal_, vertical_})
    if (overlay && overlay->Shown())
      overlay->Invalidate();
}

void TScrollOverlays::Unskinned(int lifeState) {
  // A window that is gone takes its parent's overlays along only when the parent goes too:
  // hide them, and leave freeing them to the skinner's end.
  if (lifeState == clsWindowDestroyed)
    HideBoth();
  else
    Free();
}

void TScrollOverlays::WindowPainted(HDC dc, COLORREF face) {
  PlaceHidden();
  InvalidateShown();
  FillCorner(dc, face);
}

void TScrollOverlays::FillCorner(HDC dc, COLORREF colour) const {
  if (!horizontal_ || !vertical_ || !horizontal_->Shown() || !vertical_->Shown())
    return;
  const RECT& v = vertical_->BarRect();
  const RECT& h = horizontal_->BarRect();
  const Rect corner = ScrollCorner(Rect{v.left, v.top, v.right, v.bottom}, Rect{h.left, h.top, h.right, h.bottom});
  FillWithColour(dc, RECT{corner.left, corner.top, corner.right, corner.bottom}, colour);
}

// ---- TSkinScrollbar

namespace {

// What the skinners of framework and bare scrolling windows do alike after the window's own
// processing; false for the messages they leave to the base.
bool FollowScrolling(TScrollOverlays& overlays, const ui::TMessage& m) {
  switch (m.Msg) {
  case WM_WINDOWPOSCHANGED:
    overlays.PlaceBoth();
    return true;
  case WM_HSCROLL:
  case WM_VSCROLL:
    // Only the window's own bars: a scroll bar control among its children reports itself.
    if (m.LParam == 0)
      overlays.ScrollReported(m.Msg, m.WParam);
    return true;
  case WM_MOUSEWHEEL:
    overlays.InvalidateShown();
    return true;
  default:
    return false;
  }
}

// Fills the corner between the bars on the window's own DC.
void FillCornerNow(const TScrollOverlays& overlays, HWND window, ui::TColor face) {
  if (HDC dc = GetWindowDC(window)) {
    overlays.FillCorner(dc, ui::ColorToRGB(face));
    ReleaseDC(window, dc);
  }
}

ui::TColor FaceOf(const TSkinControl& skinner) {
  const TSkinElements* e = skinner.Host() ? skinner.Host()->SkinElements() : nullptr;
  return e ? e->Colours.ButtonFace : ui::clBtnFace;
}

} // namespace

const ui::TClassInfo& TSkinScrollbar::StaticClassInfo() {
  static const ui::TClassInfo info =
      ui::MakeClassInfo<TSkinScrollbar>("TSkinScrollbar", &TSkinControl::StaticClassInfo(), {});
  return info;
}

TSkinScrollbar::TSkinScrollbar(ui::TComponent* owner) : TSkinControl(owner) {}

TSkinScrollbar::~TSkinScrollbar() {
  Destroying();
  overlays_.Free();
}

void TSkinScrollbar::AttachScrolling(TSkinHost* host, ui::TCanvas* canvas) {
  if (Attached())
    return;
  AttachControl(host, false, canvas);
  if (!Attached())
    return;
  overlays_.Create(this, Control(), Handle());
  if (!IsWindowVisible(Handle()))
    overlays_.HideBoth();
}

void TSkinScrollbar::Unskin() {
  TSkinControl::Unskin();
  overlays_.Unskinned(LifeState());
}

void TSkinScrollbar::AfterMessage(ui::TMessage& m) {
  if (FollowScrolling(overlays_, m))
    return;
  switch (m.Msg) {
  case WM_SIZE:
    Repaint();
    break;
  case WM_NCPAINT:
    overlays_.PlaceBoth();
    FillCornerNow(overlays_, Handle(), FaceOf(*this));
    break;
  case ui::CM_VISIBLECHANGED:
    if (m.WParam == 0)
      overlays_.HideBoth();
    else
      overlays_.PlaceBoth();
    break;
  case SKM_ENABLE:
    // Switched off, the native bars show; switched on again, the next paint brings the
    // overlays back.
    TSkinControl::AfterMessage(m);
    if (m.WParam == 0)
      overlays_.HideBoth();
    break;
  default:
    TSkinControl::AfterMessage(m);
  }
}

void TSkinScrollbar::Draw(HDC dc, const RECT&) {
  overlays_.WindowPainted(dc, ui::ColorToRGB(FaceOf(*this)));
}

// ---- TSkinScrollbarH

const ui::TClassInfo& TSkinScrollbarH::StaticClassInfo() {
  static const ui::TClassInfo info =
      ui::MakeClassInfo<TSkinScrollbarH>("TSkinScrollbarH", &TSkinControl::StaticClassInfo(), {});
  return info;
}

TSkinScrollbarH::TSkinScrollbarH(ui::TComponent* owner) : TSkinControl(owner) {}

TSkinScrollbarH::~TSkinScrollbarH() {
  Destroying();
  overlays_.Free();
}

void TSkinScrollbarH::AttachHandle(HWND window, TSkinHost* host, ui::TCanvas* canvas) {
  if (Attached())
    return;
  TSkinControl::AttachHandle(window, host, canvas);
  if (Attached())
    overlays_.Create(this, nullptr, window);
}

void TSkinScrollbarH::Unskin() {
  TSkinControl::Unskin();
  overlays_.Unskinned(LifeState());
}

bool TSkinScrollbarH::BeforeMessage(ui::TMessage& m) {
  if (overlays_.Vertical() && Handle() && !IsWindowVisible(Handle()))
    overlays_.Vertical()->HideBar();
  return TSkinControl::BeforeMessage(m);
}

void TSkinScrollbarH::AfterMessage(ui::TMessage& m) {
  if (FollowScrolling(overlays_, m))
    return;
  switch (m.Msg) {
  case WM_SIZE:
  case WM_NCPAINT:
    overlays_.PlaceBoth();
    FillCornerNow(overlays_, Handle(), FaceOf(*this));
    Repaint();
    break;
  default:
    TSkinControl::AfterMessage(m);
  }
}

void TSkinScrollbarH::Draw(HDC dc, const RECT&) {
  overlays_.WindowPainted(dc, ui::ColorToRGB(FaceOf(*this)));
}

// ---- TSkinScControl

const ui::TClassInfo& TSkinScControl::StaticClassInfo() {
  static const ui::TClassInfo info =
      ui::MakeClassInfo<TSkinScControl>("TSkinScControl", &TSkinControl::StaticClassInfo(), {});
  return info;
}

TSkinScControl::TSkinScControl(ui::TComponent* owner) : TSkinControl(owner) {}

TSkinScControl::~TSkinScControl() {
  Destroying();
  FreeOverlay();
}

void TSkinScControl::CreateOverlay() {
  FreeOverlay();
  overlay_ = new TWScrollbar(this);
  if (Control())
    overlay_->BindControl(this, Control(), sbkControl);
  else
    overlay_->BindWindow(this, Handle(), sbkControl);
}

void TSkinScControl::FreeOverlay() {
  delete overlay_;
  overlay_ = nullptr;
}

void TSkinScControl::AttachControl(TSkinHost* host, bool recolour, ui::TCanvas* canvas) {
  if (Attached())
    return;
  TSkinControl::AttachControl(host, recolour, canvas);
  if (Attached())
    CreateOverlay();
}

void TSkinScControl::AttachHandle(HWND window, TSkinHost* host, ui::TCanvas* canvas) {
  if (Attached())
    return;
  TSkinControl::AttachHandle(window, host, canvas);
  if (Attached())
    CreateOverlay();
}

void TSkinScControl::Unskin() {
  TSkinControl::Unskin();
  if (LifeState() == clsWindowDestroyed) {
    if (overlay_)
      overlay_->HideBar();
  } else {
    FreeOverlay();
  }
}

void TSkinScControl::AfterMessage(ui::TMessage& m) {
  switch (m.Msg) {
  case WM_NCPAINT:
  case WM_WINDOWPOSCHANGED:
    if (overlay_)
      overlay_->Place();
    break;
  case SBM_SETSCROLLINFO:
  case SBM_SETPOS:
  case SBM_SETRANGE:
  case SBM_SETRANGEREDRAW:
  case SBM_ENABLE_ARROWS:
  case WM_ENABLE:
    if (overlay_)
      overlay_->Invalidate();
    break;
  case ui::CM_VISIBLECHANGED:
    if (overlay_ && m.WParam == 0)
      overlay_->HideBar();
    break;
  default:
    TSkinControl::AfterMessage(m);
  }
}

void TSkinScControl::Draw(HDC, const RECT&) {
  if (overlay_ && overlay_->Shown())
    overlay_->Invalidate();
}

} // namespace vela::skin
