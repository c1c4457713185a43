#include "tests/unit/skin_draw/golden.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace vela::skin::test {

namespace {

constexpr std::string_view kPalette =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLNOPQRSTUVXYZ0123456789"; // no M, no W

Pixel PaletteColour(std::size_t i) {
  // Spread the palette over clearly different colours, none of them magenta.
  return MakePixel(std::uint8_t(40 + (i * 37) % 200), std::uint8_t(30 + (i * 71) % 210),
                   std::uint8_t(20 + (i * 113) % 180));
}

void WritePpm(const std::filesystem::path& path, const Raster& r) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << r.width << ' ' << r.height << "\n255\n";
  for (int y = 0; y < r.height; ++y) {
    for (int x = 0; x < r.width; ++x) {
      const Pixel p = r.At(x, y);
      const char rgb[3] = {char(PixelRed(p)), char(PixelGreen(p)), char(PixelBlue(p))};
      out.write(rgb, 3);
    }
  }
}

std::string SafeTestName() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "test";
  for (char& c : name) {
    if (c == '/')
      c = '_';
  }
  return name;
}

} // namespace

Pixel ColourOf(char c) {
  if (c == '.')
    return 0;
  if (c == 'M')
    return kMagenta;
  if (c == 'W')
    return 0x00FFFFFF;
  const auto i = kPalette.find(c);
  return i == std::string_view::npos ? 0x00808080 : PaletteColour(i);
}

Bitmap Art(std::initializer_list<const char*> rows) {
  const int h = int(rows.size());
  const int w = h ? int(std::strlen(*rows.begin())) : 0;
  Bitmap b(w, h);
  int y = 0;
  for (const char* row : rows) {
    for (int x = 0; x < w; ++x)
      b.At(x, y) = ColourOf(row[x]);
    ++y;
  }
  return b;
}

std::string ArtOf(const Raster& raster) {
  std::string out;
  for (int y = 0; y < raster.height; ++y) {
    for (int x = 0; x < raster.width; ++x) {
      const Pixel p = raster.At(x, y);
      char c = '?';
      if (p == 0)
        c = '.';
      else if (p == kMagenta)
        c = 'M';
      else if (p == 0x00FFFFFF)
        c = 'W';
      else {
        for (std::size_t i = 0; i < kPalette.size(); ++i) {
          if (PaletteColour(i) == p)
            c = kPalette[i];
        }
      }
      out += c;
    }
    out += '\n';
  }
  return out;
}

::testing::AssertionResult SameRaster(const Raster& actual, const Bitmap& expected) {
  bool same = actual.width == expected.Width() && actual.height == expected.Height();
  for (int y = 0; same && y < actual.height; ++y) {
    same = std::memcmp(actual.Row(y), expected.View().Row(y), sizeof(Pixel) * actual.width) == 0;
  }
  if (same)
    return ::testing::AssertionSuccess();
  const std::filesystem::path dir = VELA_TEST_OUTPUT_DIR;
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  const std::string base = SafeTestName();
  WritePpm(dir / (base + ".actual.ppm"), actual);
  WritePpm(dir / (base + ".expected.ppm"), expected.View());
  return ::testing::AssertionFailure()
         << "actual " << actual.width << "x" << actual.height << ":\n"
         << ArtOf(actual) << "expected " << expected.Width() << "x" << expected.Height() << ":\n"
         << ArtOf(expected.View()) << "images written to " << (dir / base).string() << ".*.ppm";
}

} // namespace vela::skin::test
