#include "ui/bitmap.h"

#include "skin/data/bmp.h"
#include "ui/core/stream.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vela::ui {

using vela::skin::Pixel;
using vela::skin::Raster;
using vela::skin::Rect;

const TClassInfo& TBitmap::StaticClassInfo() {
  using P = PropsOf<TBitmap>;
  static const TClassInfo info = MakeClassInfo<TBitmap>(
      "TBitmap", &TGraphicsObject::StaticClassInfo(),
      {P::Int("Height", &TBitmap::Height, &TBitmap::SetHeight),
       P::Bool("Transparent", &TBitmap::Transparent, &TBitmap::SetTransparent),
       P::Int("TransparentColor", &TBitmap::TransparentColor, &TBitmap::SetTransparentColor, &ColorIdents()),
       P::Int("Width", &TBitmap::Width, &TBitmap::SetWidth)});
  return info;
}

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  delete canvas_; // puts back what it selected into the DC
  canvas_ = nullptr;
  FreeHandles();
}

void TBitmap::FreeHandles() {
  // The DC outlives the bitmap in it, so that a canvas keeps its handle across SetSize.
  if (dc_ && oldBitmap_) SelectObject(dc_.Get(), oldBitmap_);
  oldBitmap_ = nullptr;
  bitmap_.Reset();
  bits_ = nullptr;
  width_ = height_ = 0;
}

void TBitmap::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  if (!vela::skin::RasterSizeAllowed(width, height))
    throw EOutOfResources("Bitmap size " + std::to_string(width) + " x " + std::to_string(height) +
                          " is beyond the limits");
  FreeHandles();
  if (width > 0 && height > 0) {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height; // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    TGdiObject<HBITMAP> dib(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits) throw EOutOfResources("Cannot create a bitmap of " + std::to_string(width) + " x " +
                                             std::to_string(height));
    bitmap_ = std::move(dib);
    bits_ = static_cast<Pixel*>(bits);
    width_ = width;
    height_ = height;
    std::memset(bits_, 0, std::size_t(width) * std::size_t(height) * sizeof(Pixel));
    if (dc_) oldBitmap_ = SelectObject(dc_.Get(), bitmap_.Get());
  }
  Changed();
}

HDC TBitmap::Dc() {
  if (!dc_) {
    dc_.Reset(CreateCompatibleDC(nullptr));
    if (!dc_) throw EOutOfResources("Cannot create a memory DC");
    if (bitmap_) oldBitmap_ = SelectObject(dc_.Get(), bitmap_.Get());
  }
  return dc_.Get();
}

TCanvas* TBitmap::Canvas() {
  HDC dc = Dc();
  if (!canvas_) canvas_ = new TCanvas();
  if (canvas_->Handle() != dc) canvas_->SetHandle(dc);
  return canvas_;
}

Raster TBitmap::View() const {
  if (!bits_) return Raster{};
  GdiFlush();
  return Raster{bits_, width_, height_, width_};
}

void TBitmap::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Changed();
}

TColor TBitmap::TransparentColor() const {
  if (transparentColor_ != clDefault) return transparentColor_;
  if (Empty()) return clDefault;
  Raster r = View();
  return TColor(vela::skin::ColorRefFromPixel(r.At(0, height_ - 1) & 0xFFFFFF));
}

void TBitmap::SetTransparentColor(TColor color) {
  if (color == transparentColor_) return;
  transparentColor_ = color;
  Changed();
}

void TBitmap::CopyFrom(const Raster& pixels) { CopyFrom(pixels, pixels.Bounds()); }

void TBitmap::CopyFrom(const Raster& pixels, const Rect& source) {
  if (source.Empty()) {
    SetSize(0, 0);
    return;
  }
  SetSize(source.Width(), source.Height());
  const Raster r = View();
  const int left = std::max(source.left, 0), right = std::min(source.right, pixels.Empty() ? 0 : pixels.width);
  for (int y = 0; y < r.height; ++y) {
    Pixel* out = r.Row(y);
    std::fill(out, out + r.width, Pixel(0));
    const int sy = source.top + y;
    if (pixels.Empty() || sy < 0 || sy >= pixels.height) continue;
    const Pixel* in = pixels.Row(sy);
    for (int x = left; x < right; ++x) out[x - source.left] = in[x] & 0xFFFFFF;
  }
  Changed();
}

void TBitmap::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TBitmap*>(source)) {
    if (other == this) return;
    if (other->Empty()) {
      SetSize(0, 0);
    } else {
      CopyFrom(other->View());
    }
    transparent_ = other->transparent_;
    transparentColor_ = other->transparentColor_;
    Changed();
    return;
  }
  if (!source) {
    SetSize(0, 0);
    return;
  }
  TGraphicsObject::Assign(source);
}

namespace {

[[noreturn]] void Bad(const char* why) { throw EReadError(std::string("Invalid bitmap: ") + why); }

} // namespace

void TBitmap::LoadFromBytes(const std::uint8_t* data, std::size_t size) {
  // The one BMP reader of the program: it checks every size against the data before reading.
  const vela::skin::Bitmap decoded = vela::skin::DecodeBmp({data, size});
  if (decoded.Empty()) Bad("the data is not a readable BMP file");
  CopyFrom(decoded.View());
}

void TBitmap::LoadFromStream(TStream& stream) {
  std::int64_t left = stream.Size() - stream.Position();
  if (left <= 0) Bad("no data");
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(left));
  stream.ReadBuffer(bytes.data(), bytes.size());
  LoadFromBytes(bytes.data(), bytes.size());
}

void TBitmap::LoadFromFile(const std::wstring& path) {
  TMemoryStream stream;
  stream.LoadFromFile(path);
  LoadFromBytes(stream.Memory(), std::size_t(stream.Size()));
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const wchar_t* name) {
  const TGdiObject<HBITMAP> loaded(HBITMAP(LoadImageW(instance, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!loaded) throw EReadError(L"Bitmap resource " + std::wstring(name) + L" not found");
  BITMAP bm{};
  GetObjectW(loaded.Get(), sizeof bm, &bm);
  SetSize(bm.bmWidth, bm.bmHeight);
  const TGdiObject<HDC> src(CreateCompatibleDC(nullptr));
  if (!src) throw EOutOfResources("Cannot create a memory DC");
  HGDIOBJ old = SelectObject(src.Get(), loaded.Get());
  BitBlt(Dc(), 0, 0, bm.bmWidth, bm.bmHeight, src.Get(), 0, 0, SRCCOPY);
  SelectObject(src.Get(), old);
  Changed();
}

std::vector<std::uint8_t> TBitmap::SaveToBytes() const {
  std::size_t pixelBytes = std::size_t(width_) * std::size_t(height_) * 4;
  std::vector<std::uint8_t> out(14 + 40 + pixelBytes, 0);
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = std::uint8_t(v >> (8 * i));
  };
  out[0] = 'B';
  out[1] = 'M';
  put32(2, std::uint32_t(out.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, std::uint32_t(width_));
  put32(22, std::uint32_t(-height_)); // top-down, like the bitmap itself
  out[26] = 1;
  out[28] = 32;
  put32(34, std::uint32_t(pixelBytes));
  if (bits_) {
    GdiFlush();
    std::memcpy(out.data() + 54, bits_, pixelBytes);
  }
  return out;
}

void TBitmap::SaveToStream(TStream& stream) const {
  auto bytes = SaveToBytes();
  stream.WriteBuffer(bytes.data(), bytes.size());
}

void TBitmap::DefineProperties(TFiler& filer) {
  filer.DefineBinaryProperty("Data", [this](TStream& stream) {
    std::int32_t n = stream.ReadInt32();
    if (n <= 0) {
      SetSize(0, 0);
      return;
    }
    if (n > stream.Size() - stream.Position()) Bad("stored length exceeds the data");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(n));
    stream.ReadBuffer(bytes.data(), bytes.size());
    LoadFromBytes(bytes.data(), bytes.size());
  });
}

void BlitRaster(HDC dc, int x, int y, const Raster& raster) {
  if (raster.Empty()) return;
  // The rows are `stride` pixels apart, so the DIB is described as `stride` wide and only its
  // first `width` columns are copied. The whole height is copied, which sidesteps the
  // bottom-up convention of the source row parameter.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = raster.stride;
  info.bmiHeader.biHeight = -raster.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  StretchDIBits(dc, x, y, raster.width, raster.height, 0, 0, raster.width, raster.height, raster.pixels, &info,
                DIB_RGB_COLORS, SRCCOPY);
}

vela::skin::Bitmap CaptureDc(HDC dc, const Rect& area) {
  vela::skin::Bitmap out;
  if (area.Empty() || !vela::skin::RasterSizeAllowed(area.Width(), area.Height())) return out;
  try {
    TBitmap surface;
    surface.SetSize(area.Width(), area.Height());
    if (!BitBlt(surface.Dc(), 0, 0, area.Width(), area.Height(), dc, area.left, area.top, SRCCOPY)) return out;
    const Raster view = surface.View();
    out.Resize(view.width, view.height);
    // GDI may leave values in the fourth byte; rasters keep it 0.
    for (int y = 0; y < view.height; ++y)
      for (int x = 0; x < view.width; ++x) out.At(x, y) = view.At(x, y) & 0xFFFFFF;
  } catch (const EOutOfResources&) {
    out.Clear();
  }
  return out;
}

vela::skin::Bitmap CaptureWindow(HWND window) {
  RECT r{};
  if (!GetWindowRect(window, &r)) return {};
  HDC dc = GetWindowDC(window);
  if (!dc) return {};
  vela::skin::Bitmap shot = CaptureDc(dc, Rect{0, 0, r.right - r.left, r.bottom - r.top});
  ReleaseDC(window, dc);
  return shot;
}

} // namespace vela::ui
