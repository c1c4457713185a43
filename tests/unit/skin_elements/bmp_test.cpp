#include "skin/data/bmp.h"

#include <gtest/gtest.h>

#include "tests/unit/skin_elements/bmp_builder.h"

namespace vela::skin {
namespace {

using testing::BmpSpec;
using testing::BuildBmp;
using testing::Rows24;

constexpr Pixel kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;
constexpr Pixel kGrey = 0x808080, kBlack = 0;

std::vector<Pixel> PixelsOf(const Bitmap& b) { return b.Pixels(); }

TEST(BmpDecoder, TwentyFourBitRowsAreStoredBottomUpWithPadding) {
  BmpSpec s;
  s.width = 3;
  s.height = 2;
  s.pixels = Rows24({{kRed, kGreen, kBlue}, {kWhite, kGrey, 0x123456}});
  const Bitmap b = DecodeBmp(BuildBmp(s));
  ASSERT_EQ(b.Width(), 3);
  ASSERT_EQ(b.Height(), 2);
  EXPECT_EQ(PixelsOf(b), (std::vector<Pixel>{kRed, kGreen, kBlue, kWhite, kGrey, 0x123456}));
}

TEST(BmpDecoder, NegativeHeightMeansTopDownRows) {
  BmpSpec s;
  s.width = 1;
  s.height = -2;
  // Rows24 writes bottom-up, so a top-down file shows them in the opposite order.
  s.pixels = Rows24({{kRed}, {kBlue}});
  const Bitmap b = DecodeBmp(BuildBmp(s));
  ASSERT_EQ(b.Height(), 2);
  EXPECT_EQ(b.At(0, 0), kBlue);
  EXPECT_EQ(b.At(0, 1), kRed);
}

TEST(BmpDecoder, IndexedFormatsReadTheirPalette) {
  // 1 bit: 10 pixels 1010011110 need two bytes, padded to four.
  BmpSpec one;
  one.width = 10;
  one.height = 1;
  one.bitCount = 1;
  one.palette = {kBlack, kWhite};
  one.pixels = {0b10100111, 0b10000000, 0, 0};
  const Bitmap b1 = DecodeBmp(BuildBmp(one));
  std::vector<Pixel> expect1;
  for (char c : std::string("1010011110")) expect1.push_back(c == '1' ? kWhite : kBlack);
  EXPECT_EQ(PixelsOf(b1), expect1);

  // 4 bits with odd width: the high nibble comes first.
  BmpSpec four;
  four.width = 3;
  four.height = 1;
  four.bitCount = 4;
  four.palette = {kBlack, kRed, kGreen, kBlue};
  four.pixels = {0x12, 0x30, 0, 0};
  EXPECT_EQ(PixelsOf(DecodeBmp(BuildBmp(four))), (std::vector<Pixel>{kRed, kGreen, kBlue}));

  // 8 bits with a short palette: an index beyond it is black.
  BmpSpec eight;
  eight.width = 3;
  eight.height = 1;
  eight.bitCount = 8;
  eight.palette = {kGrey, kRed};
  eight.pixels = {1, 0, 200, 0};
  EXPECT_EQ(PixelsOf(DecodeBmp(BuildBmp(eight))), (std::vector<Pixel>{kRed, kGrey, kBlack}));
}

TEST(BmpDecoder, OldCoreHeaderUsesThreeBytePaletteEntries) {
  BmpSpec s;
  s.headerSize = 12;
  s.width = 2;
  s.height = 1;
  s.bitCount = 8;
  s.palette.assign(256, kBlack);
  s.palette[1] = kBlue;
  s.palette[255] = kGreen;
  s.pixels = {255, 1, 0, 0};
  EXPECT_EQ(PixelsOf(DecodeBmp(BuildBmp(s))), (std::vector<Pixel>{kGreen, kBlue}));
}

TEST(BmpDecoder, SixteenAndThirtyTwoBitMasks) {
  // Plain 16 bits is 5-5-5; full channels widen to 255.
  BmpSpec plain16;
  plain16.width = 2;
  plain16.height = 1;
  plain16.bitCount = 16;
  plain16.pixels = {0x00, 0x7C, 0x1F, 0x00}; // 0x7C00 red, 0x001F blue
  EXPECT_EQ(PixelsOf(DecodeBmp(BuildBmp(plain16))), (std::vector<Pixel>{kRed, kBlue}));
  // Narrow channels widen by repeating their bits: red 0b10011 -> 0b10011100, green 0b00001
  // -> 0b00001000, blue 0b11110 -> 0b11110111.
  plain16.pixels = {0x3E, 0x4C, 0x00, 0x00}; // 0x4C3E
  EXPECT_EQ(DecodeBmp(BuildBmp(plain16)).At(0, 0), MakePixel(156, 8, 247));

  // 5-6-5 given as BITFIELDS after the header.
  BmpSpec rgb565 = plain16;
  rgb565.compression = 3;
  rgb565.masks = {0xF800, 0x07E0, 0x001F};
  rgb565.pixels = {0xE0, 0x07, 0x00, 0xF8}; // 0x07E0 green, 0xF800 red
  EXPECT_EQ(PixelsOf(DecodeBmp(BuildBmp(rgb565))), (std::vector<Pixel>{kGreen, kRed}));

  // Plain 32 bits ignores the fourth byte.
  BmpSpec plain32;
  plain32.width = 1;
  plain32.height = 1;
  plain32.bitCount = 32;
  plain32.pixels = {0x56, 0x34, 0x12, 0xAB};
  EXPECT_EQ(PixelsOf(DecodeBmp(BuildBmp(plain32))), (std::vector<Pixel>{0x123456}));

  // 32-bit BITFIELDS inside a version 4 header, channels in unusual places.
  BmpSpec v4;
  v4.headerSize = 108;
  v4.width = 1;
  v4.height = 1;
  v4.bitCount = 32;
  v4.compression = 3;
  v4.pixels = {0x00, 0x56, 0x34, 0x12}; // value 0x12345600
  std::vector<std::uint8_t> file = BuildBmp(v4);
  const std::uint32_t masks[3] = {0x0000FF00u, 0x00FF0000u, 0xFF000000u}; // r, g, b
  for (int i = 0; i < 3; ++i)
    for (int k = 0; k < 4; ++k) file[14 + 40 + 4 * i + k] = std::uint8_t(masks[i] >> (8 * k));
  EXPECT_EQ(PixelsOf(DecodeBmp(file)), (std::vector<Pixel>{MakePixel(0x56, 0x34, 0x12)}));
}

TEST(BmpDecoder, LastRowMayLackItsPaddingAndZeroOffsetMeansAfterThePalette) {
  BmpSpec s;
  s.width = 1;
  s.height = 2;
  s.pixels = Rows24({{kRed}, {kBlue}});
  s.pixels.pop_back(); // the top row's padding byte
  EXPECT_EQ(PixelsOf(DecodeBmp(BuildBmp(s))), (std::vector<Pixel>{kRed, kBlue}));

  BmpSpec z;
  z.width = 1;
  z.height = 1;
  z.bitCount = 8;
  z.palette.assign(256, kBlack);
  z.palette[7] = kGreen;
  z.pixels = {7, 0, 0, 0};
  std::vector<std::uint8_t> file = BuildBmp(z);
  file[10] = file[11] = file[12] = file[13] = 0;
  EXPECT_EQ(PixelsOf(DecodeBmp(file)), (std::vector<Pixel>{kGreen}));
}

TEST(BmpDecoder, Rle8RunsLiteralsDeltaAndSkippedPixels) {
  BmpSpec s;
  s.width = 4;
  s.height = 3;
  s.bitCount = 8;
  s.compression = 1;
  s.palette = {kBlack, kRed, kGreen, kBlue};
  s.pixels = {
      3, 1, 0, 0,          // bottom row: 3 red, then end of line
      0, 3, 2, 3, 2, 0,    // literal green blue green, padded to an even count
      0, 0,                // end of line
      0, 2, 1, 0,          // delta: one to the right on the top row
      1, 3,                // one blue
      9, 2,                // a run past the right edge is clipped
      0, 1,                // end of bitmap
  };
  const Bitmap b = DecodeBmp(BuildBmp(s));
  ASSERT_EQ(b.Width(), 4);
  EXPECT_EQ(PixelsOf(b), (std::vector<Pixel>{
                             kBlack, kBlue, kGreen, kGreen, // top row
                             kGreen, kBlue, kGreen, kBlack, // middle row
                             kRed, kRed, kRed, kBlack,      // bottom row
                         }));
}

TEST(BmpDecoder, Rle4AlternatesNibbles) {
  BmpSpec s;
  s.width = 5;
  s.height = 1;
  s.bitCount = 4;
  s.compression = 2;
  s.palette = {kBlack, kRed, kGreen, kBlue};
  s.pixels = {3, 0x12, 0, 3, 0x31, 0x20, 0, 1}; // run red green red, literal blue red, end
  EXPECT_EQ(PixelsOf(DecodeBmp(BuildBmp(s))),
            (std::vector<Pixel>{kRed, kGreen, kRed, kBlue, kRed}));
}

// Runs, literals and deltas may ask for any number of columns and rows; whatever lies outside
// the image is dropped and the stream goes on from where the command leaves it.
struct RleClipCase {
  const char* name;
  std::vector<std::uint8_t> stream; // 3 x 2 image, palette black red green
  std::vector<Pixel> expected;      // top row first
};

class RleClipping : public ::testing::TestWithParam<RleClipCase> {};

TEST_P(RleClipping, CommandsPastTheEdgesAreCut) {
  BmpSpec s;
  s.width = 3;
  s.height = 2;
  s.bitCount = 8;
  s.compression = 1;
  s.palette = {kBlack, kRed, kGreen};
  s.pixels = GetParam().stream;
  const Bitmap b = DecodeBmp(BuildBmp(s));
  ASSERT_EQ(b.Width(), 3);
  EXPECT_EQ(PixelsOf(b), GetParam().expected);
}

const RleClipCase kRleClipCases[] = {
    {"LiteralPastTheEdgeStillConsumesItsBytes",
     {0, 5, 1, 2, 1, 2, 1, 0, 0, 0, 1, 2, 0, 1},
     {kGreen, kBlack, kBlack, kRed, kGreen, kRed}},
    {"ManyDeltasPastTheEdgeThenEndOfLineStartsTheNextRowAtTheLeft",
     {0, 2, 255, 0, 0, 2, 255, 0, 0, 2, 255, 0, 1, 1, 0, 0, 2, 2, 0, 1},
     {kGreen, kGreen, kBlack, kBlack, kBlack, kBlack}},
    {"DeltaToTheEdgeLeavesNothingForTheNextRun",
     {0, 2, 3, 0, 2, 1, 0, 0, 1, 2, 0, 1},
     {kGreen, kBlack, kBlack, kBlack, kBlack, kBlack}},
    {"DeltaAboveTheTopEndsTheImage",
     {1, 1, 0, 2, 0, 255, 9, 2},
     {kBlack, kBlack, kBlack, kRed, kBlack, kBlack}},
    {"RunsPastTheEdgeDoNotSpillIntoTheNextRow",
     {255, 1, 255, 2, 255, 1, 0, 0, 1, 2, 0, 1},
     {kGreen, kBlack, kBlack, kRed, kRed, kRed}},
};

INSTANTIATE_TEST_SUITE_P(Cases, RleClipping, ::testing::ValuesIn(kRleClipCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Eight and a half million runs of 255 pixels ask for more columns than an int can count; the
// file compresses to almost nothing inside a package. Only the first row's 16 pixels exist.
TEST(BmpDecoder, MillionsOfRunsPastTheRowEndDecodeTheVisiblePixelsOnly) {
  const std::vector<std::uint8_t> file = testing::Rle8RunsPastTheRowEnd(16, 4, 8'500'000);
  const Bitmap b = DecodeBmp(file);
  ASSERT_EQ(b.Width(), 16);
  ASSERT_EQ(b.Height(), 4);
  std::vector<Pixel> expected(16 * 4, kBlack);
  std::fill(expected.end() - 16, expected.end(), kRed);
  EXPECT_EQ(PixelsOf(b), expected);
}

// Each case damages an otherwise good 4x2 24-bit file.
struct Damage {
  const char* name;
  void (*apply)(BmpSpec&, std::vector<std::uint8_t>&);
};

void SetU32(std::vector<std::uint8_t>& f, std::size_t at, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) f[at + std::size_t(k)] = std::uint8_t(v >> (8 * k));
}
void SetU16(std::vector<std::uint8_t>& f, std::size_t at, std::uint32_t v) {
  f[at] = std::uint8_t(v);
  f[at + 1] = std::uint8_t(v >> 8);
}

const Damage kDamages[] = {
    {"Empty", [](BmpSpec&, std::vector<std::uint8_t>& f) { f.clear(); }},
    {"WrongMagic", [](BmpSpec&, std::vector<std::uint8_t>& f) { f[0] = 'X'; }},
    {"TruncatedPixels", [](BmpSpec&, std::vector<std::uint8_t>& f) { f.resize(f.size() - 4); }},
    {"TruncatedHeader", [](BmpSpec&, std::vector<std::uint8_t>& f) { f.resize(30); }},
    {"OffsetPastEnd", [](BmpSpec&, std::vector<std::uint8_t>& f) { SetU32(f, 10, 100000); }},
    {"OffsetInsideHeader", [](BmpSpec&, std::vector<std::uint8_t>& f) { SetU32(f, 10, 20); }},
    {"HeaderSizeUnknown", [](BmpSpec&, std::vector<std::uint8_t>& f) { SetU32(f, 14, 20); }},
    {"HeaderLargerThanFile", [](BmpSpec&, std::vector<std::uint8_t>& f) { SetU32(f, 14, 124); }},
    {"ZeroWidth", [](BmpSpec&, std::vector<std::uint8_t>& f) { SetU32(f, 18, 0); }},
    {"NegativeWidth", [](BmpSpec&, std::vector<std::uint8_t>& f) { SetU32(f, 18, 0xFFFFFFFC); }},
    {"ZeroHeight", [](BmpSpec&, std::vector<std::uint8_t>& f) { SetU32(f, 22, 0); }},
    {"MostNegativeHeight",
     [](BmpSpec&, std::vector<std::uint8_t>& f) { SetU32(f, 22, 0x80000000u); }},
    {"WidthBeyondSideCap", [](BmpSpec&, std::vector<std::uint8_t>& f) { SetU32(f, 18, 16385); }},
    {"AreaBeyondPixelCap",
     [](BmpSpec&, std::vector<std::uint8_t>& f) {
       SetU32(f, 18, 8192);
       SetU32(f, 22, 4097);
     }},
    {"HugeDimensionsLyingAboutData",
     [](BmpSpec&, std::vector<std::uint8_t>& f) {
       SetU32(f, 18, 4000);
       SetU32(f, 22, 4000);
     }},
    {"BitCountTwo", [](BmpSpec&, std::vector<std::uint8_t>& f) { SetU16(f, 28, 2); }},
    {"BitCountZero", [](BmpSpec&, std::vector<std::uint8_t>& f) { SetU16(f, 28, 0); }},
    {"BitCountSixtyFour", [](BmpSpec&, std::vector<std::uint8_t>& f) { SetU16(f, 28, 64); }},
    {"RleWithTwentyFourBits", [](BmpSpec&, std::vector<std::uint8_t>& f) { SetU32(f, 30, 1); }},
    {"UnknownCompression", [](BmpSpec&, std::vector<std::uint8_t>& f) { SetU32(f, 30, 4); }},
    {"BitfieldsWithTwentyFourBits",
     [](BmpSpec&, std::vector<std::uint8_t>& f) { SetU32(f, 30, 3); }},
};

class BmpDecoderRefuses : public ::testing::TestWithParam<Damage> {};

TEST_P(BmpDecoderRefuses, DamagedFileGivesEmptyBitmap) {
  BmpSpec s;
  s.width = 4;
  s.height = 2;
  s.pixels = Rows24({{kRed, kRed, kRed, kRed}, {kBlue, kBlue, kBlue, kBlue}});
  std::vector<std::uint8_t> file = BuildBmp(s);
  ASSERT_FALSE(DecodeBmp(file).Empty()) << "the undamaged file must decode";
  GetParam().apply(s, file);
  Bitmap out(3, 3, kRed);
  EXPECT_FALSE(LoadBitmapFromBmp(file, out));
  EXPECT_TRUE(out.Empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, BmpDecoderRefuses, ::testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BmpDecoder, RefusesDamagedCompressedAndMaskedFiles) {
  BmpSpec rle;
  rle.width = 4;
  rle.height = 2;
  rle.bitCount = 8;
  rle.compression = 1;
  rle.palette = {kBlack, kRed};
  rle.pixels = {4, 1, 0, 0, 0, 5, 1, 1}; // literal of five promised, only two bytes follow
  EXPECT_TRUE(DecodeBmp(BuildBmp(rle)).Empty()) << "literal beyond the data";

  rle.pixels = {4, 1, 0, 0}; // stops after the first of two rows without an end marker
  EXPECT_TRUE(DecodeBmp(BuildBmp(rle)).Empty()) << "stream ends early";

  rle.pixels = {4, 1, 0, 0, 4, 1, 0, 1};
  EXPECT_FALSE(DecodeBmp(BuildBmp(rle)).Empty()) << "the complete stream decodes";
  rle.height = -2;
  EXPECT_TRUE(DecodeBmp(BuildBmp(rle)).Empty()) << "compressed rows cannot be top-down";

  BmpSpec masked;
  masked.width = 1;
  masked.height = 1;
  masked.bitCount = 16;
  masked.compression = 3;
  masked.pixels = {0, 0, 0, 0};
  masked.masks = {0xF00F, 0x00F0, 0x0F00}; // red mask is not one run of bits
  EXPECT_TRUE(DecodeBmp(BuildBmp(masked)).Empty());
  masked.masks = {0x1F0000, 0x03E0, 0x001F}; // wider than the pixel
  EXPECT_TRUE(DecodeBmp(BuildBmp(masked)).Empty());
  masked.masks = {0x7C00};
  EXPECT_TRUE(DecodeBmp(BuildBmp(masked)).Empty()) << "masks cut off by the end of the file";
}

} // namespace
} // namespace vela::skin
