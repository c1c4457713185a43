#pragma once
// Pixel rasters shared by the skin data, the drawing primitives and the framework's bitmaps.
//
// A pixel is 32-bit BGRX in memory order (blue in the lowest byte), which read as a
// little-endian uint32_t is 0x00RRGGBB: the layout of a 32-bit top-down DIB section. The
// fourth byte is not alpha; writers keep it 0 and readers ignore it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vela::skin {

using Pixel = std::uint32_t;

// The skin engine's colours are COLORREFs (0x00BBGGRR); pixels are 0x00RRGGBB.
constexpr Pixel PixelFromColorRef(std::uint32_t colorref) {
  return ((colorref & 0xFFu) << 16) | (colorref & 0xFF00u) | ((colorref >> 16) & 0xFFu);
}
constexpr std::uint32_t ColorRefFromPixel(Pixel p) {
  return ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
}
constexpr Pixel MakePixel(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return (Pixel(r) << 16) | (Pixel(g) << 8) | Pixel(b);
}
constexpr std::uint8_t PixelRed(Pixel p) { return std::uint8_t(p >> 16); }
constexpr std::uint8_t PixelGreen(Pixel p) { return std::uint8_t(p >> 8); }
constexpr std::uint8_t PixelBlue(Pixel p) { return std::uint8_t(p); }

// Magenta marks the transparent pixels of every skin image.
constexpr Pixel kMagenta = 0x00FF00FF;

// Both dimensions of every raster the engine creates stay within these, so that no input can
// make it allocate without bound.
constexpr int kMaxRasterSide = 16384;
constexpr std::int64_t kMaxRasterPixels = std::int64_t(1) << 24;

constexpr bool RasterSizeAllowed(std::int64_t width, std::int64_t height) {
  return width >= 0 && height >= 0 && width <= kMaxRasterSide && height <= kMaxRasterSide &&
         width * height <= kMaxRasterPixels;
}

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool Empty() const { return right <= left || bottom <= top; }
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

// A borrowed view of pixels: rows are `stride` pixels apart, top row first. It does not own
// the memory; a Bitmap, a DIB section or a test array does.
struct Raster {
  Pixel* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0; // in pixels

  bool Empty() const { return pixels == nullptr || width <= 0 || height <= 0; }
  Pixel* Row(int y) const { return pixels + std::ptrdiff_t(y) * stride; }
  Pixel& At(int x, int y) const { return Row(y)[x]; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  Rect Bounds() const { return Rect{0, 0, width, height}; }
};

// An owned raster. Empty (0 x 0) stands for "no image", which is how a missing or unreadable
// skin bitmap is represented.
class Bitmap {
public:
  Bitmap() = default;
  Bitmap(int width, int height, Pixel fill = 0) { Resize(width, height, fill); }

  // Returns false, leaving the bitmap empty, when the size is beyond the engine's limits.
  bool Resize(int width, int height, Pixel fill = 0) {
    if (!RasterSizeAllowed(width, height) || width == 0 || height == 0) {
      Clear();
      return width == 0 || height == 0 ? RasterSizeAllowed(width, height) : false;
    }
    pixels_.assign(std::size_t(width) * std::size_t(height), fill);
    width_ = width;
    height_ = height;
    return true;
  }
  void Clear() {
    pixels_.clear();
    pixels_.shrink_to_fit();
    width_ = height_ = 0;
  }

  bool Empty() const { return width_ == 0 || height_ == 0; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  Raster View() { return Raster{pixels_.data(), width_, height_, width_}; }
  Raster View() const { return Raster{const_cast<Pixel*>(pixels_.data()), width_, height_, width_}; }
  Pixel& At(int x, int y) { return pixels_[std::size_t(y) * width_ + x]; }
  Pixel At(int x, int y) const { return pixels_[std::size_t(y) * width_ + x]; }
  const std::vector<Pixel>& Pixels() const { return pixels_; }

  friend bool operator==(const Bitmap& a, const Bitmap& b) {
    return a.width_ == b.width_ && a.height_ == b.height_ && a.pixels_ == b.pixels_;
  }

private:
  std::vector<Pixel> pixels_;
  int width_ = 0;
  int height_ = 0;
};

} // namespace vela::skin
