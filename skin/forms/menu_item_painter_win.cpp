#include "skin/forms/menu_item_painter.h"

#include "skin/data/skin_text_win.h"
#include "skin/draw/primitives.h"
#include "skin/draw/stretch.h"
#include "skin/forms/skin_manager.h"
#include "skin/forms/win_skin_pop_menu.h"
#include "ui/bitmap.h"
#include "ui/control.h"
#include "ui/core/shortcut.h"
#include "ui/graphics.h"
#include "ui/image_list.h"
#include "ui/menus.h"

#include <algorithm>

namespace vela::skin {

namespace {

// The system's check-mark bitmap (an OEM resource of user32).
constexpr WORD kCheckMarkResource = 32760;

constexpr UINT kCaptionMeasure = DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE;
constexpr UINT kCaptionDraw = DT_EXPANDTABS | DT_SINGLELINE;
constexpr int kSeparatorLineDrop = 4;
// How far the items of a popup menu lie inside its window.
constexpr int kPopupFrame = 3;

using TBitmapHandle = ui::TGdiObject<HBITMAP>;

Pixel PixelOf(ColourCode colour) {
  return PixelFromColorRef(ui::ColorToRGB(colour));
}

RECT ToRECT(const Rect& r) {
  return RECT{r.left, r.top, r.right, r.bottom};
}

// A monochrome picture (black marks on white) painted in `colour` where it is black; the rest
// of the destination is kept. Black pixels become the DC's text colour and white ones its
// background colour when a monochrome bitmap is copied to a colour surface, so an AND with
// (black on white) clears the mark's pixels and an OR with (colour on black) fills them.
void DrawMonochromeMark(HDC dc, const Rect& at, HBITMAP mark, COLORREF colour) {
  ui::TGdiObject<HDC> source(CreateCompatibleDC(dc));
  if (!source)
    return;
  const ui::TDCStateSaver sourceState(source.Get());
  const ui::TDCStateSaver targetState(dc);
  SelectObject(source.Get(), mark);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  BitBlt(dc, at.left, at.top, at.Width(), at.Height(), source.Get(), 0, 0, SRCAND);
  SetTextColor(dc, colour);
  SetBkColor(dc, RGB(0, 0, 0));
  BitBlt(dc, at.left, at.top, at.Width(), at.Height(), source.Get(), 0, 0, SRCPAINT);
}

void DrawCheckMark(HDC dc, const Rect& glyph, COLORREF colour) {
  TBitmapHandle check(LoadBitmapW(nullptr, MAKEINTRESOURCEW(kCheckMarkResource)));
  BITMAP info{};
  if (!check || !GetObjectW(check.Get(), sizeof info, &info))
    return;
  DrawMonochromeMark(dc, CheckMarkPlace(glyph, info.bmWidth, info.bmHeight), check.Get(), colour);
}

// The radio item's bullet, drawn by the system in black on white into a glyph-sized mask.
void DrawRadioMark(HDC dc, const Rect& glyph, COLORREF colour) {
  const int w = glyph.Width(), h = glyph.Height();
  TBitmapHandle mask(CreateBitmap(w, h, 1, 1, nullptr));
  ui::TGdiObject<HDC> maskDc(CreateCompatibleDC(dc));
  if (!mask || !maskDc)
    return;
  {
    const ui::TDCStateSaver state(maskDc.Get());
    SelectObject(maskDc.Get(), mask.Get());
    RECT all{0, 0, w, h};
    PatBlt(maskDc.Get(), 0, 0, w, h, WHITENESS);
    DrawFrameControl(maskDc.Get(), &all, DFC_MENU, DFCS_MENUBULLET);
  }
  DrawMonochromeMark(dc, Rect{glyph.left + 1, glyph.top + 1, glyph.right + 1, glyph.bottom + 1},
                     mask.Get(), colour);
}

// The box behind a checked item's image: the checked pattern of button face and highlight,
// with a sunken edge.
void DrawCheckedBox(HDC dc, const Rect& glyph) {
  static const WORD kPattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  TBitmapHandle pattern(CreateBitmap(8, 8, 1, 1, kPattern));
  ui::TGdiObject<HBRUSH> brush(pattern ? CreatePatternBrush(pattern.Get()) : nullptr);
  RECT box = ToRECT(glyph);
  if (brush) {
    // A monochrome pattern brush paints its set bits in the background colour.
    const ui::TDCStateSaver state(dc);
    SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
    SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    FillRect(dc, &box, brush.Get());
  }
  DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
}

void DrawGlyph(HDC dc, const Rect& glyph, const MenuItemContent& item) {
  if (glyph.Empty())
    return;
  if (item.HasImage()) {
    if (item.checked)
      DrawCheckedBox(dc, glyph);
    ui::TCanvas canvas;
    ui::TCanvasBinding binding(canvas, dc);
    item.images->Draw(&canvas, glyph.left, glyph.top, item.imageIndex, item.enabled);
  } else if (item.checked) {
    const COLORREF colour = GetSysColor(COLOR_BTNTEXT);
    if (item.radio)
      DrawRadioMark(dc, glyph, colour);
    else
      DrawCheckMark(dc, glyph, colour);
  }
}

// The caption as the measuring sees it: a blank stands in for an empty text and for a lone
// ampersand, which would otherwise measure nothing.
std::wstring MeasuredText(const std::wstring& caption) {
  return caption.empty() || caption == L"&" ? caption + L" " : caption;
}

void ClearPixels(const Raster& view, const MenuBackground& background, ColourCode fill) {
  FillPixels(view, view.Bounds(), PixelOf(fill));
  if (!background.pixels.Empty())
    CopyPixels(view, 0, 0, background.pixels,
               Rect{background.offsetX, background.offsetY, background.offsetX + view.width,
                    background.offsetY + view.height});
}

// An off-screen surface of the item's size, copied to the target in one blit.
class TItemSurface {
public:
  explicit TItemSurface(const RECT& rect) : rect_(rect) {
    bitmap_.SetSize(std::max<int>(rect.right - rect.left, 0),
                    std::max<int>(rect.bottom - rect.top, 0));
  }
  bool Empty() const { return bitmap_.Empty(); }
  Raster View() const { return bitmap_.View(); }
  HDC Dc() { return bitmap_.Dc(); }
  Rect Bounds() const { return Rect{0, 0, bitmap_.Width(), bitmap_.Height()}; }
  void CopyTo(HDC dc) {
    GdiFlush();
    BitBlt(dc, rect_.left, rect_.top, bitmap_.Width(), bitmap_.Height(), bitmap_.Dc(), 0, 0,
           SRCCOPY);
  }

private:
  RECT rect_;
  ui::TBitmap bitmap_;
};

bool SkinHasMenuItem(const TSkinElements& skin) {
  return skin.MenuItem && !skin.MenuItem->Bitmap.Empty();
}

} // namespace

ui::TGdiObject<HFONT> MenuFont(bool bold) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    return ui::TGdiObject<HFONT>(nullptr);
  if (bold)
    metrics.lfMenuFont.lfWeight = FW_BOLD;
  return ui::TGdiObject<HFONT>(CreateFontIndirectW(&metrics.lfMenuFont));
}

bool MenuItemContent::HasImage() const {
  return images && imageIndex >= 0 && imageIndex < images->Count();
}

MenuItemContent ContentOf(ui::TMenuItem& item) {
  MenuItemContent c;
  c.caption = item.Caption();
  c.shortcut = ui::ShortCutToText(item.ShortCut());
  c.enabled = item.Enabled();
  c.checked = item.Checked();
  c.radio = item.RadioItem();
  c.isDefault = item.Default();
  if (ui::TMenu* menu = item.GetParentMenu())
    c.images = menu->Images();
  c.imageIndex = item.ImageIndex();
  return c;
}

MenuItemContent ContentOfEntry(HMENU menu, UINT command) {
  MenuItemContent c;
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE | MIIM_FTYPE;
  if (GetMenuItemInfoW(menu, command, FALSE, &info)) {
    c.enabled = (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
    c.checked = (info.fState & MFS_CHECKED) != 0;
    c.isDefault = (info.fState & MFS_DEFAULT) != 0;
    c.radio = (info.fType & MFT_RADIOCHECK) != 0;
    c.rightToLeft = (info.fType & MFT_RIGHTORDER) != 0;
  }
  wchar_t text[80]{};
  const int length = GetMenuStringW(menu, command, text, 80, MF_BYCOMMAND);
  const std::wstring entry(text, std::size_t(std::max(length, 0)));
  const std::size_t tab = entry.find(L'\t');
  c.caption = entry.substr(0, tab);
  if (tab != std::wstring::npos)
    c.shortcut = entry.substr(tab + 1);
  if (c.caption.empty())
    c.caption = L"-";
  return c;
}

MenuBackground ItemBackground(HMENU menu, const RECT& rect) {
  if (menu && TWinSkinPopMenu::Waiting())
    TWinSkinPopMenu::TakeMenu(menu);
  MenuBackground background;
  if (SkinManager)
    background.pixels = SkinManager->PopupBitmapForMenu(menu);
  background.offsetX = rect.left + kPopupFrame;
  background.offsetY = rect.top + kPopupFrame;
  return background;
}

void PaintMenuItemContent(HDC dc, const Rect& rect, const MenuItemContent& item, bool selected,
                          const TSkinElements& skin) {
  const ui::TGdiObject<HFONT> font = MenuFont(item.isDefault);
  const ui::TDCStateSaver state(dc); // gives the font back before it is deleted
  if (font)
    SelectObject(dc, font.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ui::ColorToRGB(MenuItemTextColour(skin.Colours, item.enabled, selected)));

  MenuItemMetrics metrics;
  metrics.glyphSize =
      MenuGlyphSize(item.images ? item.images->Width() : 0, item.images != nullptr, item.checked);
  metrics.elementLeftWidth = SkinHasMenuItem(skin) ? skin.MenuItem->LeftWidth : 0;
  metrics.line = item.IsLine();
  metrics.rightToLeft = item.rightToLeft;
  RECT measured{0, 0, 0, 0};
  if (!metrics.line) {
    DrawSkinText(dc, MeasuredText(item.caption), measured, kCaptionMeasure);
    metrics.captionWidth = measured.right - measured.left;
    metrics.captionHeight = measured.bottom - measured.top;
  }
  const MenuItemGeometry g = LayoutMenuItem(rect, metrics);
  if (metrics.line) {
    RECT line = ToRECT(g.text);
    line.top += kSeparatorLineDrop;
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
  } else {
    {
      // The image list draws through a canvas, which leaves its own colours and mode behind.
      ui::TDCStateSaver saved(dc);
      DrawGlyph(dc, g.glyph, item);
    }
    const UINT align = item.rightToLeft ? DT_RIGHT | DT_RTLREADING : DT_LEFT;
    RECT caption = ToRECT(g.caption);
    DrawSkinText(dc, item.caption, caption, kCaptionDraw | align);
    if (!item.shortcut.empty()) {
      RECT keys = ToRECT(g.shortcut);
      DrawSkinText(dc, item.shortcut, keys,
                   DT_SINGLELINE | DT_NOPREFIX | (item.rightToLeft ? DT_LEFT : DT_RIGHT));
    }
  }
}

void PaintMenuSeparator(const Raster& canvas, const Rect& target, const TDataSkinObject& element) {
  const Raster image = element.Bitmap.View();
  const std::vector<SlicePiece> pieces =
      MenuSeparatorSlices(image.width, image.height, std::max(element.FrameCount, 1),
                          element.LeftWidth, element.RightWidth, target.Width(), target.Height());
  Bitmap composed(target.Width(), target.Height(), kMagenta);
  for (const SlicePiece& piece : pieces)
    StretchCopy(composed.View(), piece.target, image, piece.source);
  DrawTransparent(canvas, target, composed.View(), kMagenta);
}

void PaintPlainMenuItem(HDC dc, const RECT& rect, const MenuItemContent& item, bool selected,
                        const TSkinElements& skin) {
  TItemSurface surface(rect);
  if (surface.Empty())
    return;
  FillPixels(surface.View(), surface.Bounds(),
             PixelOf(selected ? skin.Colours.Hilight : skin.Colours.Menu));
  PaintMenuItemContent(surface.Dc(), surface.Bounds(), item, selected, skin);
  surface.CopyTo(dc);
}

void PaintSkinnedMenuItem(HDC dc, const RECT& rect, const MenuItemContent& item, bool selected,
                          const TSkinElements& skin, const MenuBackground& background) {
  if (!SkinHasMenuItem(skin)) {
    PaintPlainMenuItem(dc, rect, item, selected, skin);
    return;
  }
  TItemSurface surface(rect);
  if (surface.Empty())
    return;
  const TDataSkinObject& element = *skin.MenuItem;
  const Raster view = surface.View();
  ClearPixels(view, background, skin.Colours.Menu);
  if (item.IsLine()) {
    PaintMenuSeparator(view, surface.Bounds(), element);
  } else {
    const int cells = std::max(element.FrameCount, 1);
    DrawSkinRect(view, surface.Bounds(), element.Bitmap.View(), element.GetMargins(),
                 MenuItemCell(selected), cells, element.Trans != 0, element.Tile != 0, false);
    PaintMenuItemContent(surface.Dc(), surface.Bounds(), item, selected, skin);
  }
  surface.CopyTo(dc);
}

} // namespace vela::skin
