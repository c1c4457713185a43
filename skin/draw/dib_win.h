#pragma once
// A 32-bit top-down DIB section selected into its own memory DC: the bridge between the
// portable rasters and GDI. Its pixels are a Raster, so the portable primitives draw on it and
// GDI blits from and to it.
#include <windows.h>

#include "skin/data/raster.h"

namespace vela::skin {

class DibSection {
public:
  DibSection() = default;
  // A surface of the given size, black; empty (no handles) when the size is not positive or
  // beyond the raster limits, or when GDI refuses.
  DibSection(int width, int height);
  ~DibSection();
  DibSection(DibSection&& other) noexcept;
  DibSection& operator=(DibSection&& other) noexcept;
  DibSection(const DibSection&) = delete;
  DibSection& operator=(const DibSection&) = delete;

  // A surface holding a copy of `raster` (the `source` part of it, when given).
  static DibSection CopyOf(const Raster& raster);
  static DibSection CopyOf(const Raster& raster, const Rect& source);

  bool Empty() const { return dc_ == nullptr; }
  HDC Dc() const { return dc_; }
  HBITMAP Handle() const { return bitmap_; }
  Raster View() const { return view_; }

private:
  void Release();

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  Raster view_;
};

// Copies `raster` to `dc` with its top-left corner at (x, y), one pixel for one pixel. The
// view's memory must span stride x height pixels from its first pixel (a Bitmap, a DIB
// section or a view of whole rows of one); copy a narrower view to a Bitmap first.
void BlitRaster(HDC dc, int x, int y, const Raster& raster);

// Reads the `area` of `dc` (logical coordinates) into a new bitmap. Empty when the area has no
// area or the DC cannot be read.
Bitmap CaptureDc(HDC dc, const Rect& area);

// Sets a stretch mode on a DC for the lifetime of the object, then puts the previous one back.
class StretchModeScope {
public:
  StretchModeScope(HDC dc, int mode) : dc_(dc), previous_(SetStretchBltMode(dc, mode)) {}
  ~StretchModeScope() {
    if (previous_ != 0)
      SetStretchBltMode(dc_, previous_);
  }
  StretchModeScope(const StretchModeScope&) = delete;
  StretchModeScope& operator=(const StretchModeScope&) = delete;

private:
  HDC dc_;
  int previous_;
};

} // namespace vela::skin
