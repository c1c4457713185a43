#include "skin/draw/dib_win.h"

#include <utility>

#include "skin/draw/stretch.h"

namespace vela::skin {

namespace {

BITMAPINFO TopDownInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height; // negative: the first row in memory is the top row
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

} // namespace

DibSection::DibSection(int width, int height) {
  if (width <= 0 || height <= 0 || !RasterSizeAllowed(width, height))
    return;
  const BITMAPINFO info = TopDownInfo(width, height);
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap_ == nullptr || bits == nullptr) {
    Release();
    return;
  }
  dc_ = CreateCompatibleDC(nullptr);
  if (dc_ == nullptr) {
    Release();
    return;
  }
  previous_ = SelectObject(dc_, bitmap_);
  view_ = Raster{static_cast<Pixel*>(bits), width, height, width};
}

DibSection::~DibSection() {
  Release();
}

DibSection::DibSection(DibSection&& other) noexcept
    : dc_(std::exchange(other.dc_, nullptr)), bitmap_(std::exchange(other.bitmap_, nullptr)),
      previous_(std::exchange(other.previous_, nullptr)), view_(std::exchange(other.view_, {})) {}

DibSection& DibSection::operator=(DibSection&& other) noexcept {
  if (this != &other) {
    Release();
    dc_ = std::exchange(other.dc_, nullptr);
    bitmap_ = std::exchange(other.bitmap_, nullptr);
    previous_ = std::exchange(other.previous_, nullptr);
    view_ = std::exchange(other.view_, {});
  }
  return *this;
}

void DibSection::Release() {
  if (dc_ != nullptr) {
    if (previous_ != nullptr)
      SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  if (bitmap_ != nullptr)
    DeleteObject(bitmap_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  previous_ = nullptr;
  view_ = Raster{};
}

DibSection DibSection::CopyOf(const Raster& raster) {
  return CopyOf(raster, raster.Bounds());
}

DibSection DibSection::CopyOf(const Raster& raster, const Rect& source) {
  if (source.Empty())
    return DibSection{};
  DibSection dib(source.Width(), source.Height());
  if (!dib.Empty()) {
    GdiFlush(); // GDI may still be writing to the section's memory
    CopyPixels(dib.View(), 0, 0, raster, source);
  }
  return dib;
}

void BlitRaster(HDC dc, int x, int y, const Raster& raster) {
  if (raster.Empty())
    return;
  // The rows are `stride` pixels apart, so the DIB is described as `stride` wide and only its
  // first `width` columns are copied. The whole height is copied, which sidesteps the
  // bottom-up convention of the source row parameter.
  const BITMAPINFO info = TopDownInfo(raster.stride, raster.height);
  StretchDIBits(dc, x, y, raster.width, raster.height, 0, 0, raster.width, raster.height,
                raster.pixels, &info, DIB_RGB_COLORS, SRCCOPY);
}

Bitmap CaptureDc(HDC dc, const Rect& area) {
  Bitmap out;
  if (area.Empty())
    return out;
  DibSection dib(area.Width(), area.Height());
  if (dib.Empty())
    return out;
  if (!BitBlt(dib.Dc(), 0, 0, area.Width(), area.Height(), dc, area.left, area.top, SRCCOPY)) {
    return out;
  }
  GdiFlush();
  out = CopyToBitmap(dib.View(), dib.View().Bounds());
  // GDI may leave values in the fourth byte; rasters keep it 0.
  const Raster view = out.View();
  for (int y = 0; y < view.height; ++y) {
    for (Pixel* p = view.Row(y); p != view.Row(y) + view.width; ++p)
      *p &= 0x00FFFFFFu;
  }
  return out;
}

} // namespace vela::skin
