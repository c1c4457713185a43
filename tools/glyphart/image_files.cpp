#include "tools/glyphart/image_files.h"

#include <cmath>
#include <fstream>

namespace vela::tools {
namespace {

void Put16(Bytes& b, unsigned v) {
  b.push_back(std::uint8_t(v));
  b.push_back(std::uint8_t(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

std::uint8_t Channel(double v) { return std::uint8_t(std::lround(std::clamp(v, 0.0, 1.0) * 255)); }

// BITMAPINFOHEADER; `heightField` is doubled for icon entries.
void PutInfoHeader(Bytes& b, int width, int heightField, int bits, std::uint32_t imageBytes) {
  Put32(b, 40);
  Put32(b, std::uint32_t(width));
  Put32(b, std::uint32_t(heightField));
  Put16(b, 1);
  Put16(b, unsigned(bits));
  Put32(b, 0); // BI_RGB
  Put32(b, imageBytes);
  Put32(b, 2835); // 72 dpi
  Put32(b, 2835);
  Put32(b, 0);
  Put32(b, 0);
}

Bytes Pixels32(const Image& image) {
  Bytes out;
  for (int y = image.Size() - 1; y >= 0; --y) {
    for (int x = 0; x < image.Size(); ++x) {
      const Rgba& p = image.At(x, y);
      out.push_back(Channel(p.b));
      out.push_back(Channel(p.g));
      out.push_back(Channel(p.r));
      out.push_back(Channel(p.a));
    }
  }
  return out;
}

// The AND mask of an icon entry: 1 bit per pixel, rows padded to 32 bits, set where clear.
Bytes AndMask(const Image& image) {
  int rowBytes = (image.Size() + 31) / 32 * 4;
  Bytes out(std::size_t(rowBytes) * image.Size(), 0);
  for (int y = 0; y < image.Size(); ++y) {
    int row = image.Size() - 1 - y;
    for (int x = 0; x < image.Size(); ++x)
      if (image.At(x, y).a < 0.5) out[std::size_t(row) * rowBytes + x / 8] |= std::uint8_t(0x80 >> (x % 8));
  }
  return out;
}

Bytes BmpFile(int size, int bits, const Bytes& pixels) {
  Bytes b{'B', 'M'};
  Put32(b, std::uint32_t(14 + 40 + pixels.size()));
  Put32(b, 0);
  Put32(b, 14 + 40);
  PutInfoHeader(b, size, size, bits, std::uint32_t(pixels.size()));
  b.insert(b.end(), pixels.begin(), pixels.end());
  return b;
}

} // namespace

Bytes Bmp24(const Image& image, std::uint32_t background) {
  Rgba bg = Hex(background);
  int rowBytes = (image.Size() * 3 + 3) / 4 * 4;
  Bytes pixels;
  for (int y = image.Size() - 1; y >= 0; --y) {
    for (int x = 0; x < image.Size(); ++x) {
      const Rgba& p = image.At(x, y);
      pixels.push_back(Channel(p.b * p.a + bg.b * (1 - p.a)));
      pixels.push_back(Channel(p.g * p.a + bg.g * (1 - p.a)));
      pixels.push_back(Channel(p.r * p.a + bg.r * (1 - p.a)));
    }
    pixels.resize(pixels.size() + (rowBytes - image.Size() * 3), 0);
  }
  return BmpFile(image.Size(), 24, pixels);
}

Bytes Bmp1Strip(const std::vector<const Image*>& cells) {
  int size = cells.empty() ? 0 : cells.front()->Size();
  int width = size * int(cells.size());
  int rowBytes = (width + 31) / 32 * 4;
  Bytes pixels;
  for (int y = size - 1; y >= 0; --y) {
    Bytes row(std::size_t(rowBytes), 0);
    for (int x = 0; x < width; ++x) {
      bool ink = cells[std::size_t(x / size)]->At(x % size, y).a >= 0.5;
      if (!ink) row[std::size_t(x / 8)] |= std::uint8_t(0x80 >> (x % 8));
    }
    pixels.insert(pixels.end(), row.begin(), row.end());
  }
  constexpr std::uint32_t kPalette = 2 * 4;
  Bytes b{'B', 'M'};
  Put32(b, std::uint32_t(14 + 40 + kPalette + pixels.size()));
  Put32(b, 0);
  Put32(b, 14 + 40 + kPalette);
  PutInfoHeader(b, width, size, 1, std::uint32_t(pixels.size()));
  Put32(b, 0x000000); // index 0: black
  Put32(b, 0xFFFFFF); // index 1: white
  b.insert(b.end(), pixels.begin(), pixels.end());
  return b;
}

Bytes Ico(const std::vector<const Image*>& sizes) {
  Bytes head;
  Put16(head, 0);
  Put16(head, 1); // icon
  Put16(head, unsigned(sizes.size()));
  std::vector<Bytes> entries;
  for (const Image* image : sizes) {
    Bytes pixels = Pixels32(*image);
    Bytes mask = AndMask(*image);
    Bytes e;
    PutInfoHeader(e, image->Size(), image->Size() * 2, 32, std::uint32_t(pixels.size() + mask.size()));
    e.insert(e.end(), pixels.begin(), pixels.end());
    e.insert(e.end(), mask.begin(), mask.end());
    entries.push_back(std::move(e));
  }
  std::uint32_t offset = std::uint32_t(6 + 16 * sizes.size());
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    int s = sizes[i]->Size();
    head.push_back(std::uint8_t(s >= 256 ? 0 : s));
    head.push_back(std::uint8_t(s >= 256 ? 0 : s));
    head.push_back(0); // no palette
    head.push_back(0);
    Put16(head, 1);  // planes
    Put16(head, 32); // bits
    Put32(head, std::uint32_t(entries[i].size()));
    Put32(head, offset);
    offset += std::uint32_t(entries[i].size());
  }
  for (const Bytes& e : entries) head.insert(head.end(), e.begin(), e.end());
  return head;
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(f);
}

} // namespace vela::tools
