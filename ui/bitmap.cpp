#include "ui/bitmap.h"

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

std::uint32_t U32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}
std::uint16_t U16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }

[[noreturn]] void Bad(const char* why) { throw EReadError(std::string("Invalid bitmap: ") + why); }

} // namespace

void TBitmap::LoadFromBytes(const std::uint8_t* data, std::size_t size) {
  // The headers are checked here so that GDI only ever sees consistent, complete data.
  if (size < 14 + 40) Bad("too short");
  if (data[0] != 'B' || data[1] != 'M') Bad("no BMP signature");
  std::uint32_t offBits = U32(data + 10);
  const std::uint8_t* info = data + 14;
  std::uint32_t headerSize = U32(info);
  if (headerSize < 40 || headerSize > 124 || 14 + std::size_t(headerSize) > size) Bad("unsupported header");
  auto width = std::int32_t(U32(info + 4));
  auto height = std::int32_t(U32(info + 8));
  std::uint16_t bpp = U16(info + 14);
  std::uint32_t compression = U32(info + 16);
  std::uint32_t colorsUsed = U32(info + 32);
  if (width <= 0 || height == 0 || height == INT32_MIN) Bad("bad dimensions");
  std::int64_t absHeight = height < 0 ? -std::int64_t(height) : height;
  if (!vela::skin::RasterSizeAllowed(width, absHeight)) Bad("dimensions beyond the limits");
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) Bad("unsupported bit depth");
  if (compression != BI_RGB && !(compression == BI_BITFIELDS && (bpp == 16 || bpp == 32)))
    Bad("compressed bitmaps are not supported");
  std::size_t tableBytes = 0;
  if (bpp <= 8) {
    std::uint32_t entries = colorsUsed ? colorsUsed : (1u << bpp);
    if (entries > (1u << bpp)) Bad("colour table too large");
    tableBytes = std::size_t(entries) * 4;
  } else if (compression == BI_BITFIELDS && headerSize == 40) {
    tableBytes = 12;
  }
  std::size_t tableEnd = 14 + std::size_t(headerSize) + tableBytes;
  if (tableEnd > size || offBits < tableEnd || offBits > size) Bad("bad pixel offset");
  std::size_t stride = ((std::size_t(width) * bpp + 31) / 32) * 4;
  if (stride * std::size_t(absHeight) > size - offBits) Bad("pixel data truncated");

  // A plain BITMAPINFOHEADER plus table, aligned, is what SetDIBits gets.
  std::vector<std::uint32_t> infoCopy((40 + tableBytes + 3) / 4 + 1, 0);
  auto* bmi = reinterpret_cast<BITMAPINFO*>(infoCopy.data());
  std::memcpy(bmi, info, 40);
  bmi->bmiHeader.biSize = 40;
  if (tableBytes) std::memcpy(reinterpret_cast<std::uint8_t*>(bmi) + 40, info + headerSize, tableBytes);
  if (compression == BI_BITFIELDS && headerSize > 40) {
    // Masks inside a larger header move behind the plain one.
    std::vector<std::uint32_t> bigger((40 + 12 + 3) / 4 + 1, 0);
    std::memcpy(bigger.data(), bmi, 40);
    std::memcpy(reinterpret_cast<std::uint8_t*>(bigger.data()) + 40, info + 40, 12);
    infoCopy.swap(bigger);
    bmi = reinterpret_cast<BITMAPINFO*>(infoCopy.data());
  }

  SetSize(0, 0);
  SetSize(width, int(absHeight));
  HDC screen = GetDC(nullptr);
  int lines = SetDIBits(screen, bitmap_, 0, UINT(absHeight), data + offBits, bmi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (lines != absHeight) {
    SetSize(0, 0);
    Bad("the pixel data could not be converted");
  }
  Raster r = View();
  for (int y = 0; y < r.height; ++y)
    for (int x = 0; x < r.width; ++x) r.At(x, y) &= 0xFFFFFF;
  Changed();
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
