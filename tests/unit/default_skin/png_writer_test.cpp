#include <gtest/gtest.h>

#include "tests/unit/default_skin/png_writer.h"

namespace vela::test {
namespace {

std::uint32_t BE32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return std::uint32_t(b[at]) << 24 | std::uint32_t(b[at + 1]) << 16 |
         std::uint32_t(b[at + 2]) << 8 | b[at + 3];
}

// Undoes ZlibStored: walks the stored blocks and checks their lengths and the checksum.
std::vector<std::uint8_t> InflateStored(const std::vector<std::uint8_t>& z) {
  std::vector<std::uint8_t> out;
  EXPECT_EQ((z[0] * 256 + z[1]) % 31, 0) << "zlib header check";
  std::size_t at = 2;
  for (bool last = false; !last;) {
    last = (z[at] & 1) != 0;
    EXPECT_EQ(z[at] & 6, 0) << "not a stored block";
    const unsigned len = z[at + 1] | z[at + 2] << 8, nlen = z[at + 3] | z[at + 4] << 8;
    EXPECT_EQ(len ^ 0xFFFFu, nlen);
    out.insert(out.end(), z.begin() + std::ptrdiff_t(at + 5), z.begin() + std::ptrdiff_t(at + 5 + len));
    at += 5 + len;
  }
  EXPECT_EQ(BE32(z, at), Adler32(out));
  EXPECT_EQ(at + 4, z.size());
  return out;
}

TEST(PngWriter, ChecksumsMatchKnownValues) {
  const std::string text = "123456789";
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()),
                                            text.size());
  EXPECT_EQ(Crc32(bytes), 0xCBF43926u);
  EXPECT_EQ(Adler32(bytes), 0x091E01DEu);
}

TEST(PngWriter, StoredBlocksSplitLargeDataAndRoundTrip) {
  std::vector<std::uint8_t> data(150000);
  for (std::size_t i = 0; i < data.size(); ++i) {
    data[i] = std::uint8_t(i * 7 + i / 300);
  }
  EXPECT_EQ(InflateStored(ZlibStored(data)), data);
  EXPECT_TRUE(InflateStored(ZlibStored({})).empty());
}

TEST(PngWriter, ImageRowsComeBackPixelForPixel) {
  skin::Bitmap image(5, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      image.At(x, y) = skin::MakePixel(std::uint8_t(x * 50), std::uint8_t(y * 100), 7);
    }
  }
  const std::vector<std::uint8_t> png = EncodePng(image.View());
  ASSERT_GT(png.size(), 8u + 25u);
  EXPECT_EQ(BE32(png, 16), 5u);
  EXPECT_EQ(BE32(png, 20), 3u);
  // Every chunk's CRC covers its type and data.
  std::size_t at = 8;
  std::vector<std::uint8_t> idat;
  while (at < png.size()) {
    const std::uint32_t len = BE32(png, at);
    const std::span<const std::uint8_t> covered(png.data() + at + 4, len + 4);
    EXPECT_EQ(BE32(png, at + 8 + len), Crc32(covered));
    if (std::string(png.begin() + std::ptrdiff_t(at + 4), png.begin() + std::ptrdiff_t(at + 8)) == "IDAT") {
      idat.assign(png.begin() + std::ptrdiff_t(at + 8), png.begin() + std::ptrdiff_t(at + 8 + len));
    }
    at += 12 + len;
  }
  EXPECT_EQ(at, png.size());
  const std::vector<std::uint8_t> rows = InflateStored(idat);
  ASSERT_EQ(rows.size(), 3u * (1 + 5 * 3));
  for (int y = 0; y < 3; ++y) {
    EXPECT_EQ(rows[std::size_t(y) * 16], 0) << "filter byte";
    for (int x = 0; x < 5; ++x) {
      const std::size_t p = std::size_t(y) * 16 + 1 + std::size_t(x) * 3;
      EXPECT_EQ(rows[p], x * 50);
      EXPECT_EQ(rows[p + 1], y * 100);
      EXPECT_EQ(rows[p + 2], 7);
    }
  }
}

} // namespace
} // namespace vela::test
