#include "ui/graphics.h"

#include "ui/bitmap.h"

#include <algorithm>

namespace vela::ui {

const TIdentMap& ColorIdents() {
  static const TIdentMap map = {
      {"clScrollBar", clScrollBar}, {"clBackground", clBackground}, {"clActiveCaption", clActiveCaption},
      {"clInactiveCaption", clInactiveCaption}, {"clMenu", clMenu}, {"clWindow", clWindow},
      {"clWindowFrame", clWindowFrame}, {"clMenuText", clMenuText}, {"clWindowText", clWindowText},
      {"clCaptionText", clCaptionText}, {"clActiveBorder", clActiveBorder},
      {"clInactiveBorder", clInactiveBorder}, {"clAppWorkSpace", clAppWorkSpace},
      {"clHighlight", clHighlight}, {"clHighlightText", clHighlightText}, {"clBtnFace", clBtnFace},
      {"clBtnShadow", clBtnShadow}, {"clGrayText", clGrayText}, {"clBtnText", clBtnText},
      {"clInactiveCaptionText", clInactiveCaptionText}, {"clBtnHighlight", clBtnHighlight},
      {"cl3DDkShadow", cl3DDkShadow}, {"cl3DLight", cl3DLight}, {"clInfoText", clInfoText},
      {"clInfoBk", clInfoBk}, {"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen},
      {"clOlive", clOlive}, {"clNavy", clNavy}, {"clPurple", clPurple}, {"clTeal", clTeal},
      {"clGray", clGray}, {"clSilver", clSilver}, {"clRed", clRed}, {"clLime", clLime},
      {"clYellow", clYellow}, {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua},
      {"clWhite", clWhite}, {"clNone", clNone}, {"clDefault", clDefault},
  };
  return map;
}

COLORREF ColorToRGB(TColor color) {
  if (vela::skin::IsSystemColour(color)) return GetSysColor(vela::skin::SystemColourIndex(color));
  return COLORREF(color) & 0xFFFFFF;
}

const TClassInfo& TGraphicsObject::StaticClassInfo() {
  static const TClassInfo info =
      MakeClassInfo<TGraphicsObject>("TGraphicsObject", &TPersistent::StaticClassInfo(), {});
  return info;
}

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

// ---- TFont

const TClassInfo& TFont::StaticClassInfo() {
  using P = PropsOf<TFont>;
  static const TClassInfo info = MakeClassInfo<TFont>(
      "TFont", &TGraphicsObject::StaticClassInfo(),
      {P::Int("Charset", &TFont::Charset, &TFont::SetCharset),
       P::Int("Color", &TFont::Color, &TFont::SetColor, &ColorIdents()),
       P::Int("Height", &TFont::Height, &TFont::SetHeight),
       P::Str("Name", &TFont::Name, &TFont::SetName),
       P::Int("Size", &TFont::Size, &TFont::SetSize),
       P::Set("Style", &TFont::Style, &TFont::SetStyle, {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"})});
  return info;
}

TFont::TFont() = default;

namespace {

int ScreenDpi() {
  HDC dc = GetDC(nullptr);
  int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : 96;
}

} // namespace

HFONT TFont::Handle() const {
  if (!handle_) {
    LOGFONTW lf{};
    lf.lfHeight = height_;
    lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style_ & fsItalic) ? 1 : 0;
    lf.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (style_ & fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = BYTE(charset_);
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
    handle_.Reset(CreateFontIndirectW(&lf));
  }
  return handle_.Get();
}

void TFont::Reset() {
  // The old handle lives until listeners (a canvas) have selected the new one.
  TGdiObject<HFONT> old(std::move(handle_));
  Changed();
}

void TFont::SetName(const std::wstring& name) {
  if (name == name_ || name.empty()) return;
  name_ = name;
  Reset();
}

void TFont::SetHeight(int height) {
  if (height == height_) return;
  height_ = height;
  Reset();
}

int TFont::Size() const { return -MulDiv(height_, 72, ScreenDpi()); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, ScreenDpi(), 72)); }

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed(); // the handle does not depend on the colour
}

void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  Reset();
}

void TFont::SetCharset(int charset) {
  if (charset == charset_) return;
  charset_ = charset;
  Reset();
}

void TFont::Assign(const TPersistent* source) {
  if (auto* f = dynamic_cast<const TFont*>(source)) {
    if (f == this) return;
    bool same = name_ == f->name_ && height_ == f->height_ && style_ == f->style_ && charset_ == f->charset_;
    bool sameColor = color_ == f->color_;
    name_ = f->name_;
    height_ = f->height_;
    style_ = f->style_;
    charset_ = f->charset_;
    color_ = f->color_;
    TGdiObject<HFONT> old;
    if (!same) old = std::move(handle_);
    if (!same || !sameColor) Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

void TFont::AssignHandle(HFONT font) {
  LOGFONTW lf{};
  if (!font || !GetObjectW(font, sizeof lf, &lf)) return;
  name_ = lf.lfFaceName;
  height_ = lf.lfHeight;
  style_ = (lf.lfWeight >= FW_BOLD ? TFontStyles(fsBold) : 0u) | (lf.lfItalic ? TFontStyles(fsItalic) : 0u) |
           (lf.lfUnderline ? TFontStyles(fsUnderline) : 0u) | (lf.lfStrikeOut ? TFontStyles(fsStrikeOut) : 0u);
  charset_ = lf.lfCharSet;
  Reset();
}

// ---- TBrush, TPen

const TClassInfo& TBrush::StaticClassInfo() {
  using P = PropsOf<TBrush>;
  static const TClassInfo info = MakeClassInfo<TBrush>(
      "TBrush", &TGraphicsObject::StaticClassInfo(),
      {P::Int("Color", &TBrush::Color, &TBrush::SetColor, &ColorIdents()),
       P::Enum<TBrushStyle>("Style", &TBrush::Style, &TBrush::SetStyle, {"bsSolid", "bsClear"})});
  return info;
}

HBRUSH TBrush::Handle() const {
  if (!handle_) {
    if (style_ == TBrushStyle::bsClear) {
      LOGBRUSH lb{BS_NULL, 0, 0};
      handle_.Reset(CreateBrushIndirect(&lb));
    } else {
      handle_.Reset(CreateSolidBrush(ColorToRGB(color_)));
    }
  }
  return handle_.Get();
}

void TBrush::SetColor(TColor color) {
  if (color == color_ && style_ == TBrushStyle::bsSolid) return;
  color_ = color;
  style_ = TBrushStyle::bsSolid;
  TGdiObject<HBRUSH> old(std::move(handle_));
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == style_) return;
  style_ = style;
  TGdiObject<HBRUSH> old(std::move(handle_));
  Changed();
}

void TBrush::Assign(const TPersistent* source) {
  if (auto* b = dynamic_cast<const TBrush*>(source)) {
    color_ = b->color_;
    style_ = b->style_;
    TGdiObject<HBRUSH> old(std::move(handle_));
    Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

const TClassInfo& TPen::StaticClassInfo() {
  using P = PropsOf<TPen>;
  static const TClassInfo info =
      MakeClassInfo<TPen>("TPen", &TGraphicsObject::StaticClassInfo(),
                          {P::Int("Color", &TPen::Color, &TPen::SetColor, &ColorIdents()),
                           P::Int("Width", &TPen::Width, &TPen::SetWidth)});
  return info;
}

HPEN TPen::Handle() const {
  if (!handle_) handle_.Reset(CreatePen(PS_SOLID, width_, ColorToRGB(color_)));
  return handle_.Get();
}

void TPen::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  TGdiObject<HPEN> old(std::move(handle_));
  Changed();
}

void TPen::SetWidth(int width) {
  if (width == width_ || width < 0) return;
  width_ = width;
  TGdiObject<HPEN> old(std::move(handle_));
  Changed();
}

void TPen::Assign(const TPersistent* source) {
  if (auto* p = dynamic_cast<const TPen*>(source)) {
    color_ = p->color_;
    width_ = p->width_;
    TGdiObject<HPEN> old(std::move(handle_));
    Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

// ---- TCanvas

const TClassInfo& TCanvas::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TCanvas>("TCanvas", &TPersistent::StaticClassInfo(), {});
  return info;
}

TCanvas::TCanvas() {
  // A changed font, brush or pen is selected again at once, before the old handle goes.
  auto reselect = [this](TObject*) {
    if (dc_) SelectObjects();
  };
  font_.OnChange = reselect;
  brush_.OnChange = reselect;
  pen_.OnChange = reselect;
}

TCanvas::~TCanvas() { SetHandle(nullptr); }

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  if (dc_) DeselectObjects();
  dc_ = dc;
  if (dc_) SelectObjects();
}

void TCanvas::SelectObjects() {
  HGDIOBJ f = SelectObject(dc_, font_.Handle());
  HGDIOBJ b = SelectObject(dc_, brush_.Handle());
  HGDIOBJ p = SelectObject(dc_, pen_.Handle());
  if (!oldFont_) oldFont_ = f;
  if (!oldBrush_) oldBrush_ = b;
  if (!oldPen_) oldPen_ = p;
  SetTextColor(dc_, ColorToRGB(font_.Color()));
  if (brush_.Style() == TBrushStyle::bsClear) {
    SetBkMode(dc_, TRANSPARENT);
  } else {
    SetBkMode(dc_, OPAQUE);
    SetBkColor(dc_, ColorToRGB(brush_.Color()));
  }
}

void TCanvas::DeselectObjects() {
  if (oldFont_) SelectObject(dc_, oldFont_);
  if (oldBrush_) SelectObject(dc_, oldBrush_);
  if (oldPen_) SelectObject(dc_, oldPen_);
  oldFont_ = oldBrush_ = oldPen_ = nullptr;
}

void TCanvas::FillRect(const RECT& rect) {
  if (dc_) ::FillRect(dc_, &rect, brush_.Handle());
}

void TCanvas::FrameRect(const RECT& rect) {
  if (dc_) ::FrameRect(dc_, &rect, brush_.Handle());
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  if (dc_) ::Rectangle(dc_, left, top, right, bottom);
}

void TCanvas::MoveTo(int x, int y) {
  if (dc_) MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  if (dc_) ::LineTo(dc_, x, y);
}

void TCanvas::TextOut(int x, int y, const std::wstring& text) {
  if (dc_) TextOutW(dc_, x, y, text.c_str(), int(text.size()));
}

void TCanvas::TextRect(const RECT& rect, int x, int y, const std::wstring& text) {
  if (dc_) ExtTextOutW(dc_, x, y, ETO_CLIPPED | (brush_.Style() == TBrushStyle::bsClear ? 0 : ETO_OPAQUE),
                       &rect, text.c_str(), UINT(text.size()), nullptr);
}

int TCanvas::DrawText(const std::wstring& text, RECT& rect, UINT format) {
  return dc_ ? DrawTextW(dc_, text.c_str(), int(text.size()), &rect, format) : 0;
}

SIZE TCanvas::TextExtent(const std::wstring& text) {
  SIZE size{0, 0};
  if (dc_) {
    GetTextExtentPoint32W(dc_, text.c_str(), int(text.size()), &size);
  } else {
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font_.Handle());
    GetTextExtentPoint32W(screen, text.c_str(), int(text.size()), &size);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
  }
  return size;
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  if (!dc_ || bitmap.Empty()) return;
  HDC src = const_cast<TBitmap&>(bitmap).Canvas()->Handle();
  if (bitmap.Transparent()) {
    TransparentBlt(dc_, x, y, bitmap.Width(), bitmap.Height(), src, 0, 0, bitmap.Width(), bitmap.Height(),
                   ColorToRGB(bitmap.TransparentColor()));
  } else {
    BitBlt(dc_, x, y, bitmap.Width(), bitmap.Height(), src, 0, 0, SRCCOPY);
  }
}

void TCanvas::StretchDraw(const RECT& rect, const TBitmap& bitmap) {
  if (!dc_ || bitmap.Empty()) return;
  HDC src = const_cast<TBitmap&>(bitmap).Canvas()->Handle();
  int oldMode = SetStretchBltMode(dc_, COLORONCOLOR);
  StretchBlt(dc_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, src, 0, 0,
             bitmap.Width(), bitmap.Height(), SRCCOPY);
  SetStretchBltMode(dc_, oldMode);
}

COLORREF TCanvas::Pixel(int x, int y) const { return dc_ ? GetPixel(dc_, x, y) : CLR_INVALID; }

void TCanvas::SetPixel(int x, int y, TColor color) {
  if (dc_) ::SetPixel(dc_, x, y, ColorToRGB(color));
}

} // namespace vela::ui
