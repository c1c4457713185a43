#pragma once
// Bitmaps: a 32-bit top-down DIB section, the program's one GDI surface. GDI draws on it
// through its Canvas (or straight on its Dc()); portable code (the skin primitives) works on
// the same pixels through a raster view.
//
//   TBitmap bmp;
//   bmp.SetSize(32, 32);
//   bmp.Canvas()->FillRect({0, 0, 32, 32});
//   vela::skin::Raster r = bmp.View();    // r.At(x, y) is 0x00RRGGBB
//   BlitRaster(windowDc, 10, 10, r);      // any raster onto any DC
//
// In a description a bitmap is stored as binary data "Data": a 32-bit little-endian length
// followed by that many bytes of a BMP file.
#include "skin/data/raster.h"
#include "ui/graphics.h"

#include <windows.h>
#include "ui/win_names.h"

#include <cstdint>
#include <vector>

namespace vela::ui {

class TStream;

class TBitmap : public TGraphicsObject {
  VELA_CLASS_INFO
public:
  TBitmap();
  ~TBitmap() override;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  // Resizes to a new blank (black) bitmap; 0 x 0 empties it. Throws EOutOfResources beyond
  // the raster size limits or when GDI refuses.
  void SetSize(int width, int height);
  void SetWidth(int width) { SetSize(width, height_); }
  void SetHeight(int height) { SetSize(width_, height); }

  HBITMAP Handle() const { return bitmap_.Get(); }
  // A memory DC with this bitmap selected, created on first use; it stays valid across
  // SetSize. Drawing on it needs no canvas (and selects no font, brush or pen).
  HDC Dc();
  // A canvas on Dc(); created on first use.
  TCanvas* Canvas();
  // The pixels; empty when the bitmap is empty. GDI must have finished drawing (GdiFlush is
  // called here).
  vela::skin::Raster View() const;

  // Transparency for drawing with TransparentBlt-like copies: when TransparentColor is clDefault
  // the colour of the bottom-left pixel is used.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  TColor TransparentColor() const;
  void SetTransparentColor(TColor color);

  void Assign(const TPersistent* source) override;
  // Takes the size and pixels of a raster (the fourth byte of each pixel is cleared), or of the
  // `source` part of it: what of `source` lies outside the raster comes out black.
  void CopyFrom(const vela::skin::Raster& pixels);
  void CopyFrom(const vela::skin::Raster& pixels, const vela::skin::Rect& source);

  // BMP files, read by the skin's decoder (skin/data/bmp.h): 1 to 32 bits per pixel, bottom-up
  // or top-down, BITFIELDS and run-length compression. Throws EReadError for malformed or
  // oversized data, leaving the bitmap as it was.
  void LoadFromStream(TStream& stream);
  void LoadFromBytes(const std::uint8_t* data, std::size_t size);
  void LoadFromFile(const std::wstring& path);
  void LoadFromResourceName(HINSTANCE instance, const wchar_t* name);
  // Writes a 32-bit BMP file.
  void SaveToStream(TStream& stream) const;
  std::vector<std::uint8_t> SaveToBytes() const;

  // "Data": the stored form of a bitmap in a description.
  void DefineProperties(TFiler& filer) override;

private:
  void FreeHandles();
  int width_ = 0;
  int height_ = 0;
  TGdiObject<HBITMAP> bitmap_;
  vela::skin::Pixel* bits_ = nullptr;
  TGdiObject<HDC> dc_;
  HGDIOBJ oldBitmap_ = nullptr;
  TCanvas* canvas_ = nullptr;
  bool transparent_ = false;
  TColor transparentColor_ = clDefault;
};

// Copies `raster` to `dc` with its top-left corner at (x, y), one pixel for one pixel. The
// view's memory must span stride x height pixels from its first pixel (a whole bitmap, or a
// view of whole rows of one); copy a narrower view to a bitmap first.
void BlitRaster(HDC dc, int x, int y, const vela::skin::Raster& raster);

// Reads the `area` of `dc` (logical coordinates) into a new raster bitmap, fourth bytes 0.
// Empty when the area is empty or beyond the raster limits, or GDI cannot read it.
vela::skin::Bitmap CaptureDc(HDC dc, const vela::skin::Rect& area);
// The window's pixels, frame included, read through its window DC; empty as CaptureDc says.
vela::skin::Bitmap CaptureWindow(HWND window);

} // namespace vela::ui
