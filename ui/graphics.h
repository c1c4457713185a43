#pragma once
// Colours, fonts, brushes, pens and canvases.
//
// TColor is the program's colour code: 0x00BBGGRR for an explicit colour, or 0xFF000000 + n
// for the Windows system colour n (clBtnFace), resolved when used (ColorToRGB).
//
// A TCanvas draws on a device context it borrows; the font, brush and pen it selects are put
// back when the handle is released (SetHandle(nullptr)) or the canvas goes away.
//
//   TCanvas canvas;
//   canvas.SetHandle(dc);
//   canvas.Brush()->SetColor(clBtnFace);
//   canvas.FillRect(rect);
//   canvas.Font()->SetColor(clWindowText);
//   canvas.TextOut(4, 4, L"Connect");
//   canvas.SetHandle(nullptr);
#include "skin/data/colours.h"
#include "ui/core/classes.h"
#include "ui/core/props.h"

#include <windows.h>
#include "ui/win_names.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>

namespace vela::ui {

// The skin engine's colour code (skin/data/colours.h) under the framework's name, with the
// colour constants (clBtnFace, clNone, ...) of the one table there.
using TColor = vela::skin::ColourCode;
using namespace vela::skin::colour_names;

// Colour names accepted wherever a colour property is written as text.
const TIdentMap& ColorIdents();
// The COLORREF to paint with: a system colour as the system has it now.
COLORREF ColorToRGB(TColor color);

namespace detail {
inline std::atomic<long> liveGdiObjects{0};
} // namespace detail

// The number of GDI objects TGdiObject owns right now, over the whole process: every font,
// brush, pen, bitmap, memory DC and region of the framework and the skin engine is held by one.
// Tests and benchmarks compare it before and after work that must not leak (the system's own
// count is not available everywhere).
inline long LiveGdiObjects() { return detail::liveGdiObjects.load(std::memory_order_relaxed); }

// Owns one GDI object and deletes it when replaced or destroyed: DeleteDC for a memory DC
// (HDC; never one from GetDC), DeleteObject for everything else. The one owner of GDI handles
// in this program, so that LiveGdiObjects() sees them all.
template <class H>
class TGdiObject {
public:
  TGdiObject() = default;
  explicit TGdiObject(H handle) { Reset(handle); }
  ~TGdiObject() { Reset(); }
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;
  TGdiObject(TGdiObject&& o) noexcept : handle_(std::exchange(o.handle_, nullptr)) {}
  TGdiObject& operator=(TGdiObject&& o) noexcept {
    if (this != &o) {
      Reset();
      handle_ = std::exchange(o.handle_, nullptr);
    }
    return *this;
  }
  H Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Gives the object up (to the system, say, as SetWindowRgn takes a region): it is no longer
  // deleted or counted here.
  H Release() {
    if (handle_) detail::liveGdiObjects.fetch_sub(1, std::memory_order_relaxed);
    return std::exchange(handle_, nullptr);
  }
  void Reset(H handle = nullptr) {
    if (handle == handle_) return;
    if (handle_) {
      if constexpr (std::is_same_v<H, HDC>) DeleteDC(handle_);
      else DeleteObject(handle_);
      detail::liveGdiObjects.fetch_sub(1, std::memory_order_relaxed);
    }
    handle_ = handle;
    if (handle_) detail::liveGdiObjects.fetch_add(1, std::memory_order_relaxed);
  }

private:
  H handle_ = nullptr;
};

// Puts back everything selected into a DC and its saved state on scope exit.
class TDCStateSaver {
public:
  explicit TDCStateSaver(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~TDCStateSaver() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  TDCStateSaver(const TDCStateSaver&) = delete;
  TDCStateSaver& operator=(const TDCStateSaver&) = delete;

private:
  HDC dc_;
  int saved_;
};

// Sets a stretch mode (COLORONCOLOR, ...) on a DC and puts the previous one back on scope exit.
class TStretchModeSaver {
public:
  TStretchModeSaver(HDC dc, int mode) : dc_(dc), previous_(SetStretchBltMode(dc, mode)) {}
  ~TStretchModeSaver() {
    if (previous_ != 0) SetStretchBltMode(dc_, previous_);
  }
  TStretchModeSaver(const TStretchModeSaver&) = delete;
  TStretchModeSaver& operator=(const TStretchModeSaver&) = delete;

private:
  HDC dc_;
  int previous_;
};

enum TFontStyle : std::uint32_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = std::uint32_t;

// A graphics object whose changes are announced through OnChange.
class TGraphicsObject : public TPersistent {
  VELA_CLASS_INFO
public:
  TNotifyEvent OnChange;

protected:
  void Changed();
};

class TFont : public TGraphicsObject {
  VELA_CLASS_INFO
public:
  TFont();
  // The font handle, created when first asked for and recreated after a change.
  HFONT Handle() const;

  std::wstring Name() const { return name_; }
  void SetName(const std::wstring& name);
  // Negative: character height in pixels; positive: cell height.
  int Height() const { return height_; }
  void SetHeight(int height);
  // Points at the screen's resolution (Height = -Size * dpi / 72).
  int Size() const;
  void SetSize(int points);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  int Charset() const { return charset_; }
  void SetCharset(int charset);
  void Assign(const TPersistent* source) override;
  // Takes the look of a font handle (the system's message font, a WM_GETFONT answer).
  void AssignHandle(HFONT font);

private:
  void Reset();
  std::wstring name_ = L"MS Sans Serif";
  int height_ = -11;
  TColor color_ = clWindowText;
  TFontStyles style_ = 0;
  int charset_ = DEFAULT_CHARSET;
  mutable TGdiObject<HFONT> handle_;
};

enum class TBrushStyle { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
  VELA_CLASS_INFO
public:
  HBRUSH Handle() const;
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);
  void Assign(const TPersistent* source) override;

private:
  TColor color_ = clWhite;
  TBrushStyle style_ = TBrushStyle::bsSolid;
  mutable TGdiObject<HBRUSH> handle_;
};

class TPen : public TGraphicsObject {
  VELA_CLASS_INFO
public:
  HPEN Handle() const;
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Width() const { return width_; }
  void SetWidth(int width);
  void Assign(const TPersistent* source) override;

private:
  TColor color_ = clBlack;
  int width_ = 1;
  mutable TGdiObject<HPEN> handle_;
};

class TBitmap;

class TCanvas : public TPersistent {
  VELA_CLASS_INFO
public:
  TCanvas();
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle() const { return dc_; }
  bool HandleAllocated() const { return dc_ != nullptr; }
  // Borrows a DC (nullptr releases it, putting back what the canvas selected).
  void SetHandle(HDC dc);

  TFont* Font() { return &font_; }
  TBrush* Brush() { return &brush_; }
  TPen* Pen() { return &pen_; }

  void FillRect(const RECT& rect);
  void FrameRect(const RECT& rect);
  void Rectangle(int left, int top, int right, int bottom);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void TextOut(int x, int y, const std::wstring& text);
  void TextRect(const RECT& rect, int x, int y, const std::wstring& text);
  // DrawTextW with the canvas's font and colour; returns the text height.
  int DrawText(const std::wstring& text, RECT& rect, UINT format);
  SIZE TextExtent(const std::wstring& text);
  int TextWidth(const std::wstring& text) { return TextExtent(text).cx; }
  int TextHeight(const std::wstring& text) { return TextExtent(text).cy; }
  void Draw(int x, int y, const TBitmap& bitmap);
  void StretchDraw(const RECT& rect, const TBitmap& bitmap);
  COLORREF Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

private:
  void SelectObjects();
  void DeselectObjects();
  HDC dc_ = nullptr;
  TFont font_;
  TBrush brush_;
  TPen pen_;
  HGDIOBJ oldFont_ = nullptr;
  HGDIOBJ oldBrush_ = nullptr;
  HGDIOBJ oldPen_ = nullptr;
};

} // namespace vela::ui
