#include "ui/bitmap.h"

#include "skin/data/bmp.h"
#include "ui/core/stream.h"

#include <cstring>
#include <vector>

namespace vela::ui {

using vela::skin::Pixel;
using vela::skin::Raster;

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
  delete canvas_;
  canvas_ = nullptr;
  FreeHandles();
}

void TBitmap::FreeHandles() {
  if (dc_) {
    if (canvas_) canvas_->SetHandle(nullptr);
    SelectObject(dc_, oldBitmap_);
    DeleteDC(dc_);
    dc_ = nullptr;
    oldBitmap_ = nullptr;
  }
  if (bitmap_) DeleteObject(bitmap_);
  bitmap_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
}

void TBitmap::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  if (!vela::skin::RasterSizeAllowed(width, height))
    throw EOutOfResources("Bitmap size " + std::to_string(width) + " x " + std::to_string(height) +
                          " is beyond the limits");
  bool hadCanvas = dc_ != nullptr;
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
    HBITMAP dib = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib || !bits) throw EOutOfResources("Cannot create a bitmap of " + std::to_string(width) + " x " +
                                             std::to_string(height));
    bitmap_ = dib;
    bits_ = static_cast<Pixel*>(bits);
    width_ = width;
    height_ = height;
    std::memset(bits_, 0, std::size_t(width) * std::size_t(height) * sizeof(Pixel));
  }
  if (hadCanvas) Canvas();
  Changed();
}

TCanvas* TBitmap::Canvas() {
  if (!canvas_) canvas_ = new TCanvas();
  if (!dc_) {
    dc_ = CreateCompatibleDC(nullptr);
    if (!dc_) throw EOutOfResources("Cannot create a memory DC");
    if (bitmap_) oldBitmap_ = SelectObject(dc_, bitmap_);
    else oldBitmap_ = nullptr;
  }
  if (canvas_->Handle() != dc_) canvas_->SetHandle(dc_);
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

void TBitmap::CopyFrom(const Raster& pixels) {
  SetSize(pixels.width, pixels.height);
  Raster r = View();
  for (int y = 0; y < r.height; ++y)
    for (int x = 0; x < r.width; ++x) r.At(x, y) = pixels.At(x, y) & 0xFFFFFF;
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
  HBITMAP loaded = HBITMAP(LoadImageW(instance, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!loaded) throw EReadError(L"Bitmap resource " + std::wstring(name) + L" not found");
  BITMAP bm{};
  GetObjectW(loaded, sizeof bm, &bm);
  SetSize(bm.bmWidth, bm.bmHeight);
  HDC src = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(src, loaded);
  BitBlt(Canvas()->Handle(), 0, 0, bm.bmWidth, bm.bmHeight, src, 0, 0, SRCCOPY);
  SelectObject(src, old);
  DeleteDC(src);
  DeleteObject(loaded);
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

} // namespace vela::ui
