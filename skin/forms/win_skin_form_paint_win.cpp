// The frame skinner's geometry and painting: frame metrics, caption buttons, the composed
// frame, the title and the window region.
//
// The whole frame is composed in one window-sized bitmap (frameBitmap) and reaches the screen
// in four copies, one per side, so that it never flickers through its pieces. Its top strip is
// the caption bitmap: the region's top piece is cut from it.
#include "skin/data/skin_text_win.h"
#include "skin/draw/primitives.h"
#include "skin/draw/primitives_win.h"
#include "skin/draw/region_win.h"
#include "skin/forms/skin_data.h"
#include "skin/forms/skin_manager.h"
#include "skin/forms/skin_messages.h"
#include "skin/forms/win_skin_form_impl.h"
#include "skin/forms/win_skin_menu.h"
#include "ui/form.h"

#include <algorithm>

namespace vela::skin {

namespace {

using TImpl = TWinSkinForm::TImpl;

using TRegion = ui::TGdiObject<HRGN>;

// Which element strips their cells how: the top and bottom strips stack them.
enum class Side { Left, Right, Top, Bottom };

constexpr bool Stacked(Side side) {
  return side == Side::Top || side == Side::Bottom;
}

// The border, nine-sliced to the rectangle's size, at the rectangle's place on `canvas`.
void PaintBorder(const Raster& canvas, const TDataSkinBorder& border, Side side, const Rect& rect,
                 bool active) {
  if (rect.Width() <= 0 || rect.Height() <= 0 || border.Bitmap.Empty())
    return;
  const int cells = std::max(border.FrameCount, 1);
  DrawSkinRect(canvas, rect, border.Bitmap.View(), border.GetMargins(), BorderCell(active, cells),
               cells, false, border.Tile != 1, Stacked(side));
}

// The border alone in a bitmap of the given size, for cutting the region.
Bitmap ComposeBorder(const TDataSkinBorder& border, Side side, int width, int height, bool active) {
  const int cells = std::max(border.FrameCount, 1);
  return ComposeSkinRect(Rect{0, 0, width, height}, border.Bitmap.View(), border.GetMargins(),
                         Stacked(side), border.Tile != 1, cells, BorderCell(active, cells));
}

// The opaque part of `image` placed at (x, y), or the whole rectangle when the image is empty.
TRegion MaskOrRect(const Raster& image, int x, int y, int width, int height) {
  if (image.Empty())
    return TRegion(CreateRectRgn(x, y, x + width, y + height));
  return RegionFromBitmap(image, x, y, 1, 1, 1, kMagenta);
}

void Unite(const TRegion& target, const TRegion& piece) {
  if (target && piece)
    CombineRgn(target.Get(), target.Get(), piece.Get(), RGN_OR);
}

} // namespace

// ---- metrics and caption objects

void TImpl::UpdateFrameMetrics() {
  if (!skinData || skinData->SkinEmpty())
    return;
  const TSkinElements& e = skinData->Elements();
  frame = FrameWidthsFromBorders(e.Left, e.Top, e.Right, e.Bottom, border);
  if (border == BorderKind::None)
    menuBarHeight = 0;
  BuildCaptionObjects();
}

void TImpl::DropCaptionObjects() {
  hot = nullptr;
  captionObjects.clear();
  captionValid = false;
}

void TImpl::BuildCaptionObjects() {
  DropCaptionObjects();
  if (!skinData)
    return;
  for (const auto& definition : skinData->Elements().CaptionButtons) {
    Raster image = definition->Bitmap.View();
    int cells = std::max(definition->FrameCount, 1);
    if (IsSystemMenuIcon(definition->Action) && definition->Bitmap.Empty()) {
      // A system-menu button whose skin gives no picture shows the window's icon.
      image = iconStrip.View();
      cells = 1;
      if (ui::TBitmap* fallback = skinData->DefaultIcon();
          fallback && fallback->Empty() && !iconBitmap.Empty())
        fallback->CopyFrom(iconBitmap.View());
    }
    captionObjects.push_back(std::make_unique<TWinSysButton>(*this, *definition, image, cells));
  }
}

void TImpl::BuildIconBitmap() {
  const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
  iconSize = cx;
  iconBitmap.SetSize(cx, cy);
  const Raster pixels = iconBitmap.View();
  for (int y = 0; y < pixels.height; ++y)
    std::fill_n(pixels.Row(y), pixels.width, kMagenta);

  icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
  if (!icon)
    icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
  if (smallIcon)
    DestroyIcon(smallIcon);
  smallIcon = nullptr;
  if (icon) {
    smallIcon = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE));
    DrawIconEx(iconBitmap.Canvas()->Handle(), 0, 0, smallIcon ? smallIcon : icon, cx, cy, 0,
               nullptr, DI_NORMAL);
  } else if (skinData) {
    // No icon of its own: the default icon of the skin, or of the last main-form skin that
    // has one.
    const ui::TBitmap* source = skinData->DefaultIcon();
    if ((!source || source->Empty()) && SkinManager) {
      for (TSkinData* data : SkinManager->SkinDataList())
        if (data->SkinFormtype() == TSkinFormType::sfMainform && data->DefaultIcon() &&
            !data->DefaultIcon()->Empty())
          source = data->DefaultIcon();
    }
    if (source && !source->Empty())
      iconBitmap.CopyFrom(source->View());
  }
  const Raster done = iconBitmap.View();
  iconStrip.Resize(done.width, done.height);
  for (int y = 0; y < done.height; ++y)
    std::copy_n(done.Row(y), done.width, iconStrip.View().Row(y));
}

CaptionState TImpl::CurrentCaptionState() const {
  CaptionState s;
  s.systemMenu = (captionFlags & cfSystemMenu) != 0;
  s.maximizeBox = (captionFlags & cfMaximizeBox) != 0;
  s.minimizeBox = (captionFlags & cfMinimizeBox) != 0;
  s.maximized = show == ShowState::Maximized;
  s.active = active;
  s.dialogClass = dialogClass;
  s.border = border;
  s.mdiChildMaximized = MdiChildActiveAndMaximized();
  s.menuBarHeight = menuBarHeight;
  return s;
}

bool TImpl::IsCaptionButtonVisible(std::size_t index) {
  TWinSysButton& button = *captionObjects.at(index);
  const HWND target = window;
  button.Visible = CaptionButtonShown(button.Definition(), CurrentCaptionState(), [target, index] {
    return SendMessageW(target, SKM_BUTTONVISIBLE, WPARAM(index), 0) > 0;
  });
  return button.Visible;
}

void TImpl::LayoutCaptionButtons(const Rect& title, int width) {
  CaptionGeometry geometry;
  geometry.windowWidth = width;
  geometry.title = title;
  geometry.frame = frame;
  geometry.menuBarHeight = menuBarHeight;
  const auto* menuBar = skinData->Elements().MenuBar.get();
  geometry.menuBarLeftWidth = menuBar ? menuBar->LeftWidth : 0;
  geometry.rightToLeft = rightToLeft;
  std::vector<CaptionButtonBox> boxes;
  std::vector<int> aligns;
  for (std::size_t i = 0; i < captionObjects.size(); ++i) {
    TWinSysButton& button = *captionObjects[i];
    if (!IsCaptionButtonVisible(i) || button.Image().Empty())
      continue;
    button.Bounds = LayoutCaptionButton(button.Definition(),
                                        CellExtent(button.Image().width, button.CellCount()),
                                        button.Image().height, geometry);
    boxes.push_back({button.Bounds, true, button.Definition().Action});
    aligns.push_back(button.Definition().Align);
  }
  if (const int clip = ButtonClip(boxes, aligns); clip > 0)
    buttonClip = clip;
}

TWinSysButton* TImpl::HitCaptionButton(Point framePoint) {
  std::vector<CaptionButtonBox> boxes;
  boxes.reserve(captionObjects.size());
  for (const auto& button : captionObjects)
    boxes.push_back({button->Bounds, button->Visible, button->Definition().Action});
  const int hit = skin::HitCaptionButton(boxes, framePoint);
  return hit < 0 ? nullptr : captionObjects[std::size_t(hit)].get();
}

Point TImpl::ScreenToFrame(POINT screen) const {
  ScreenToClient(window, &screen);
  return ClientToFrame(Point{screen.x, screen.y}, frame, menuBarHeight,
                       show == ShowState::Minimized);
}

std::wstring TImpl::WindowTitle() const {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(std::size_t(std::max(length, 0)) + 1, L'\0');
  text.resize(std::size_t(GetWindowTextW(window, text.data(), int(text.size()))));
  return text;
}

// ---- fitting the window

void TImpl::FitWindowToFrame(bool keepClient) {
  if (show == ShowState::Maximized) {
    RefreshFrame();
    return;
  }
  // The client area keeps exactly the size it had when the window was taken over (or has now,
  // when re-skinning), whatever the system frame measured.
  if (keepClient)
    GetClientRect(window, &clientRect);
  Size size =
      SkinWindowSize(Size{clientRect.right - clientRect.left, clientRect.bottom - clientRect.top},
                     frame, menuBarHeight);
  if (dialogClass && !keepClient) {
    measuredTitle = WindowTitle();
    HDC dc = GetWindowDC(window);
    HGDIOBJ old =
        SelectObject(dc, captionFont ? captionFont.Get() : GetStockObject(DEFAULT_GUI_FONT));
    RECT box{0, 0, 0, 0};
    DrawSkinText(dc, measuredTitle, box, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    titleWidth = box.right - box.left;
    const TitleLayout layout = TitleLayoutOf(skinData->Elements().Title);
    const DialogWidening widening =
        WidenForTitle(size.cx, layout.textShift, titleWidth, layout.textRightClip);
    if (widening.shift > 0) {
      for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(child, nullptr, r.left + widening.shift, r.top, r.right - r.left,
                     r.bottom - r.top,
                     SWP_NOSENDCHANGING | SWP_NOOWNERZORDER | SWP_NOZORDER | SWP_NOACTIVATE);
      }
    }
    size.cx = widening.width;
  }
  SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy,
               SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE);
}

// ---- painting

void TImpl::PaintFrame(HDC given) {
  if (lifeState != lsSkinned && lifeState != lsReskinning)
    return;
  if (border == BorderKind::None || (mdiKind == mkChild && show != ShowState::Normal) || !skinData)
    return;
  HDC dc = given ? given : GetWindowDC(window);
  if (!dc)
    return;
  RECT wr{};
  if (GetWindowRect(window, &wr)) {
    windowRect = wr;
    const int w = wr.right - wr.left, h = wr.bottom - wr.top;
    frameSize = Size{w, h};
    try {
      if (frameBitmap.Width() != w || frameBitmap.Height() != h)
        frameBitmap.SetSize(w, h);
      const TSkinElements& e = skinData->Elements();
      const Raster canvas = frameBitmap.View();
      PaintBorder(canvas, e.Left, Side::Left, Rect{0, 0, frame.Left, h}, active);
      PaintBorder(canvas, e.Right, Side::Right, Rect{w - frame.Right, 0, w, h}, active);
      PaintBorder(canvas, e.Bottom, Side::Bottom,
                  Rect{frame.Left, h - frame.Bottom, w - frame.Right, h}, active);
      PaintCaptionBar(w);
      const int top = frame.Top + (menuBar ? menuBarHeight : 0);
      if (menuBar && menuBarHeight > 0) {
        menuBar->PaintMenuBar(frameBitmap, Rect{frame.Left, frame.Top, w - frame.Right, top},
                              active);
        PaintMdiChildControls();
      }
      HDC source = frameBitmap.Canvas()->Handle();
      const int sideHeight = h - frame.Top;
      BitBlt(dc, 0, 0, w, top, source, 0, 0, SRCCOPY);
      BitBlt(dc, 0, frame.Top, frame.Left, sideHeight, source, 0, frame.Top, SRCCOPY);
      BitBlt(dc, w - frame.Right, frame.Top, frame.Right, sideHeight, source, w - frame.Right,
             frame.Top, SRCCOPY);
      BitBlt(dc, frame.Left, h - frame.Bottom, w - frame.Left - frame.Right, frame.Bottom, source,
             frame.Left, h - frame.Bottom, SRCCOPY);
    } catch (...) {
      // A broken skin leaves the frame unpainted rather than the window unusable.
    }
  }
  hot = nullptr;
  if (!given)
    ReleaseDC(window, dc);
}

void TImpl::PaintCaptionBar(int width) {
  const TSkinElements& e = skinData->Elements();
  const Rect area{frame.Left, 0, width - frame.Right, frame.Top};
  PaintBorder(frameBitmap.View(), e.Top, Side::Top, area, active);
  PaintTitle(area);
  LayoutCaptionButtons(titleRect, width);
  PaintCaptionButtons();
  captionValid = true;
}

void TImpl::PaintTitle(const Rect& area) {
  const TSkinElements& e = skinData->Elements();
  const TitleLayout layout = TitleLayoutOf(e.Title);
  HDC dc = frameBitmap.Canvas()->Handle();
  ui::TDCStateSaver saved(dc);
  SelectObject(dc, captionFont ? captionFont.Get() : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc,
               ui::ColorToRGB(active ? e.Colours.TitleTextActive : e.Colours.TitleTextNoActive));
  const std::wstring text = titleSuffix + WindowTitle() + titlePrefix;
  RECT measured{area.left, area.top, area.right, area.bottom};
  DrawSkinText(dc, text, measured, DT_CALCRECT | DT_NOCLIP);
  TitleWindow placement;
  placement.rightToLeft = rightToLeft;
  placement.popupStyle = (savedStyle & WS_POPUP) != 0;
  placement.buttonClip = buttonClip;
  placement.dialogBorder = border == BorderKind::Dialog;
  titleRect = PlaceTitle(area, measured.right - measured.left, measured.bottom - measured.top,
                         layout, placement);
  if (!e.Title.Bitmap.Empty()) {
    DrawSkinStrip(frameBitmap.View(), Rect{titleRect.left, area.top, titleRect.right, area.bottom},
                  e.Title.Bitmap.View(), Margins{layout.backLeft, 0, layout.backRight, 0},
                  active ? 1 : 2, 2, true, true);
  }
  const Rect inner = TitleTextRect(titleRect, layout);
  RECT box{inner.left, inner.top, inner.right, inner.bottom};
  if (box.right > box.left)
    DrawSkinText(dc, text, box, DT_SINGLELINE | DT_END_ELLIPSIS | (rightToLeft ? DT_RIGHT : 0));
}

void TImpl::PaintCaptionButtons() {
  const Raster canvas = frameBitmap.View();
  for (const auto& button : captionObjects) {
    if (!button->Visible || button->Image().Empty() ||
        button->Definition().Visibility == kMenuBarPlacement)
      continue;
    if (IsSystemMenuIcon(button->Definition().Action) && (smallIcon || icon))
      continue;
    DrawStretchedCell(canvas, button->Bounds, button->Image(), true, button->CellCount(),
                      CaptionButtonCell(active, button->CellCount()));
  }
  // Icons go through GDI, after the raster work on the same pixels.
  HDC dc = frameBitmap.Canvas()->Handle();
  for (const auto& button : captionObjects) {
    if (!button->Visible || button->Image().Empty() ||
        !IsSystemMenuIcon(button->Definition().Action))
      continue;
    if (HICON picture = smallIcon ? smallIcon : icon)
      DrawIconEx(dc, button->Bounds.left, button->Bounds.top, picture, iconSize, iconSize, 0,
                 nullptr, DI_NORMAL);
  }
}

void TImpl::PaintMdiChildControls() {
  if (mdiKind != mkFrame || !MdiChildActiveAndMaximized())
    return;
  // The maximised child shows no caption of its own: its minimise, restore and close buttons
  // sit at the end of the frame's bar (laid out with the caption buttons).
  const Raster canvas = frameBitmap.View();
  for (const auto& button : captionObjects) {
    if (!button->Visible || button->Image().Empty() ||
        button->Definition().Visibility != kMenuBarPlacement)
      continue;
    DrawStretchedCell(canvas, button->Bounds, button->Image(), true, button->CellCount(), 1);
  }
  if (TSkinManage* manager = SkinManager; manager && !manager->MdiMaximized)
    manager->SetMdiMaximized(true);
}

void TImpl::PaintObject(TNCObject& object) {
  if (auto* item = dynamic_cast<TMenuBtn*>(&object)) {
    if (menuBar)
      menuBar->PaintItem(*item);
    return;
  }
  auto* button = dynamic_cast<TWinSysButton*>(&object);
  if (!button || button->Image().Empty())
    return;
  HDC dc = GetWindowDC(window);
  if (!dc)
    return;
  const Rect& r = button->Bounds;
  if (IsSystemMenuIcon(button->Definition().Action) && (smallIcon || icon)) {
    DrawIconEx(dc, r.left, r.top, smallIcon ? smallIcon : icon, iconSize, iconSize, 0, nullptr,
               DI_NORMAL);
  } else {
    DrawStretchedCell(dc, r, button->Image(), true, button->CellCount(),
                      CaptionButtonStateCell(button->State, button->Definition().Visibility));
  }
  ReleaseDC(window, dc);
}

// ---- the window region

void TImpl::UpdateRegion() {
  if (lifeState == lsDestroyed || !skinData)
    return;
  RECT wr{};
  if (!GetWindowRect(window, &wr))
    return;
  const int w = wr.right - wr.left, h = wr.bottom - wr.top;
  if (w <= 0 || h <= 0)
    return;
  if (mdiKind == mkChild && show != ShowState::Normal)
    return;
  if (Size{w, h} == regionSize && mdiKind != mkChild && lifeState != lsReskinning)
    return;
  regionSet = false;
  const TSkinElements& e = skinData->Elements();
  const bool anyTransparent =
      e.Left.Trans == 1 || e.Right.Trans == 1 || e.Top.Trans == 1 || e.Bottom.Trans == 1;
  TRegion region;
  if (!anyTransparent) {
    region.Reset(CreateRectRgn(0, 0, w, h));
  } else {
    regionSize = Size{w, h};
    region.Reset(CreateRectRgn(frame.Left, frame.Top, w - frame.Right, h - frame.Bottom));
    if (border != BorderKind::None)
      Unite(region, BorderRegion(w, h));
  }
  if (!region)
    return;
  if (SetWindowRgn(window, region.Get(), TRUE)) {
    region.Release(); // the window owns the region from here on
    regionSet = true;
  }
}

ui::TGdiObject<HRGN> TImpl::BorderRegion(int w, int h) {
  const TSkinElements& e = skinData->Elements();
  const int middle = w - frame.Left - frame.Right;
  TRegion pieces(CreateRectRgn(0, 0, 0, 0));
  auto side = [&](const TDataSkinBorder& b, Side which, int x) {
    if (b.Trans == 1 && h > 1) {
      const Bitmap image =
          ComposeBorder(b, which, which == Side::Left ? frame.Left : frame.Right, h, active);
      return MaskOrRect(image.View(), x, 0, image.Width(), h);
    }
    return TRegion(CreateRectRgn(x, 0, x + (which == Side::Left ? frame.Left : frame.Right), h));
  };
  Unite(pieces, side(e.Left, Side::Left, 0));
  Unite(pieces, side(e.Right, Side::Right, w - frame.Right));

  if (e.Bottom.Trans == 1 && frame.Bottom >= 2 && middle > 0) {
    const Bitmap image = ComposeBorder(e.Bottom, Side::Bottom, middle, frame.Bottom, active);
    Unite(pieces, MaskOrRect(image.View(), frame.Left, h - frame.Bottom, middle, frame.Bottom));
  } else {
    Unite(pieces, TRegion(CreateRectRgn(frame.Left, h - frame.Bottom, w - frame.Right, h)));
  }

  if (e.Top.Trans == 1 && frame.Top > 1 && middle > 0) {
    if (captionValid && frameBitmap.Width() == w && frameBitmap.Height() == h) {
      // The caption as last painted, title and buttons included.
      const Raster whole = frameBitmap.View();
      const Raster caption{whole.Row(0) + frame.Left, middle, frame.Top, whole.stride};
      Unite(pieces, MaskOrRect(caption, frame.Left, 0, middle, frame.Top));
    } else {
      const Bitmap image = ComposeBorder(e.Top, Side::Top, middle, frame.Top, active);
      Unite(pieces, MaskOrRect(image.View(), frame.Left, 0, middle, frame.Top));
    }
  } else {
    Unite(pieces, TRegion(CreateRectRgn(frame.Left, 0, w - frame.Right, frame.Top)));
  }
  return pieces;
}

void TImpl::DropRegion() {
  if (!regionSet)
    return;
  captionValid = false;
  SetWindowRgn(window, nullptr, mdiKind == mkChild);
  regionSet = false;
  // Nothing is in force any more, so the next UpdateRegion must build one whatever the size.
  regionSize = Size{};
}

} // namespace vela::skin
