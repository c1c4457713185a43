#include "skin/data/combo_composite.h"

#include <gtest/gtest.h>

#include "skin/data/transforms.h"
#include "tests/unit/skin_elements/skin_fixture.h"

namespace vela::skin {
namespace {

using testing::SkinFixture;

constexpr Pixel kFrame = 0x101010;
Pixel Sunk(int f) { return MakePixel(0x40, 0x40, std::uint8_t(f)); }
Pixel Button(int f) { return MakePixel(0x80, std::uint8_t(f), 0x80); }
Pixel Glyph(int f) { return MakePixel(std::uint8_t(f), 0xC0, 0xC0); }

// Four 10 x 8 edge cells with a one-pixel frame around their own colour.
Bitmap SunkStrip() {
  Bitmap b(40, 8);
  for (int x = 0; x < 40; ++x)
    for (int y = 0; y < 8; ++y) {
      const bool edge = x % 10 == 0 || x % 10 == 9 || y == 0 || y == 7;
      b.At(x, y) = edge ? kFrame : Sunk(x / 10 + 1);
    }
  return b;
}

// Four 6 x 21 button cells whose top row is magenta.
Bitmap ButtonStrip() {
  Bitmap b(24, 21);
  for (int x = 0; x < 24; ++x)
    for (int y = 0; y < 21; ++y) b.At(x, y) = y == 0 ? kMagenta : Button(x / 6 + 1);
  return b;
}

// Five 4 x 3 glyph cells whose first column is magenta.
Bitmap GlyphStrip() {
  Bitmap b(20, 3);
  for (int x = 0; x < 20; ++x)
    for (int y = 0; y < 3; ++y) b.At(x, y) = x % 4 == 0 ? kMagenta : Glyph(x / 4 + 1);
  return b;
}

class ComboComposite : public SkinFixture {
protected:
  void SetUp() override {
    AddBitmap("sunk.bmp", SunkStrip());
    AddBitmap("button.bmp", ButtonStrip());
    AddBitmap("glyph.bmp", GlyphStrip());
  }
  static constexpr const char* kSunk =
      "[SunkEdge]\nImage=sunk.bmp\nLeftWidth=1\nTopHeight=1\nRightWidth=1\nBottomHeight=1\n";
  static constexpr const char* kButton = "[ComboButton]\nImage=button.bmp\n";
  static constexpr const char* kGlyph = "[ExtraImages]\nImage=glyph.bmp\n";
};

TEST_F(ComboComposite, CellsHoldEdgeButtonGlyphAndTransparentTextArea) {
  Load(std::string(kSunk) + kButton + kGlyph);
  const TDataSkinBorder& combo = *elements_.ComboButton;
  const Bitmap& strip = combo.Bitmap;
  ASSERT_EQ(strip.Width(), 200);
  ASSERT_EQ(strip.Height(), 21);
  for (int f = 1; f <= 4; ++f) {
    const int x0 = 50 * (f - 1);
    const auto at = [&](int x, int y) { return strip.At(x0 + x, y); };
    SCOPED_TRACE(f);
    EXPECT_EQ(at(0, 0), kFrame) << "the edge keeps its one-pixel margins";
    EXPECT_EQ(at(31, 20), kFrame);
    EXPECT_EQ(at(1, 1), Sunk(f));
    EXPECT_EQ(at(31, 10), Sunk(f)) << "between text area and button";
    EXPECT_EQ(at(2, 2), kMagenta) << "text area (2, 2, 31, 18)";
    EXPECT_EQ(at(30, 17), kMagenta);
    EXPECT_EQ(at(1, 17), Sunk(f));
    EXPECT_EQ(at(30, 18), Sunk(f));
    EXPECT_EQ(at(32, 5), Button(f)) << "the button takes columns 32 to 49";
    EXPECT_EQ(at(49, 19), Button(f));
    EXPECT_EQ(at(40, 0), kFrame) << "the button's magenta shows the edge beneath";
    EXPECT_EQ(at(40, 9), Glyph(f)) << "glyph centred at (39, 9)";
    EXPECT_EQ(at(42, 11), Glyph(f));
    EXPECT_EQ(at(39, 10), Button(f)) << "the glyph's magenta column is transparent";
    EXPECT_EQ(at(43, 10), Button(f));
  }
  EXPECT_EQ(combo.Style, 2);
  EXPECT_EQ(combo.GetMargins(), (Margins{2, 1, 20, 1}));
  Bitmap mirroredButton = ButtonStrip();
  MirrorBitmapCells(mirroredButton, 4);
  EXPECT_EQ(combo.Bitmap2, mirroredButton) << "the second image is the skin's own button";

  // The sunken edge holds the same cells, each mirrored, in the same state order.
  const TDataSkinObject& sunk = *elements_.SunkEdge;
  ASSERT_EQ(sunk.Bitmap.Width(), 200);
  for (int x = 0; x < 200; ++x) {
    const int mirroredX = 50 * (x / 50) + 49 - x % 50;
    for (int y = 0; y < 21; ++y) ASSERT_EQ(sunk.Bitmap.At(x, y), strip.At(mirroredX, y)) << x;
  }
  EXPECT_EQ(sunk.Bitmap.At(5, 10), Button(1)) << "cell 1 is still state 1, button at the left";
  EXPECT_EQ(sunk.GetMargins(), (Margins{20, 1, 2, 1}));
}

// Margins wider than the edge cell (8 + 8 columns of 10, 5 + 5 rows of 8) are narrowed to leave
// it a middle, as the drawing primitives do: no cell shows the work cell's black.
TEST_F(ComboComposite, MarginsWiderThanTheCellLeaveNoBlack) {
  Load("[SunkEdge]\nImage=sunk.bmp\nLeftWidth=8\nTopHeight=5\nRightWidth=8\nBottomHeight=5\n"
       "Trans=1\n" + std::string(kButton) + kGlyph);
  const Bitmap& composite = elements_.ComboButton->Bitmap;
  ASSERT_EQ(composite.Width(), 4 * kComboCellWidth);
  for (int y = 0; y < composite.Height(); ++y)
    for (int x = 0; x < composite.Width(); ++x)
      ASSERT_NE(composite.At(x, y), Pixel(0)) << "black at (" << x << ", " << y << ")";
  EXPECT_EQ(composite.At(0, 0), kFrame);
  EXPECT_EQ(composite.At(1, 10), Sunk(1)) << "left edge column stretched from the cell's inside";
}

TEST_F(ComboComposite, ButtonWidthFollowsTheScrollArrowWidth) {
  options_.ScrollArrowWidth = 20;
  Load(std::string(kSunk) + kButton);
  const Bitmap& strip = elements_.ComboButton->Bitmap;
  EXPECT_EQ(strip.At(28, 10), Button(1));
  EXPECT_EQ(strip.At(27, 10), Sunk(1));
  EXPECT_EQ(strip.At(26, 10), kMagenta);
  EXPECT_EQ(elements_.ComboButton->RightWidth, 24);
  EXPECT_EQ(elements_.SunkEdge->LeftWidth, 24);
}

TEST_F(ComboComposite, WithoutGlyphsTheButtonIsPlain) {
  Load(std::string(kSunk) + kButton);
  EXPECT_EQ(elements_.ComboButton->Bitmap.At(50 + 40, 10), Button(2));
}

TEST_F(ComboComposite, NothingIsComposedWithoutBothEdgeAndButton) {
  Load(std::string(kSunk) + kGlyph);
  ASSERT_TRUE(elements_.SunkEdge);
  EXPECT_EQ(elements_.SunkEdge->Bitmap, SunkStrip());
  EXPECT_EQ(elements_.SunkEdge->LeftWidth, 1);

  Load(std::string(kButton) + kGlyph);
  ASSERT_TRUE(elements_.ComboButton);
  EXPECT_EQ(elements_.ComboButton->Bitmap, ButtonStrip());
  EXPECT_EQ(elements_.ComboButton->Style, 0);
}

TEST(ComboCompositeGuards, EmptyStripsAndNoCellsNeverDivideByZero) {
  TDataSkinObject sunk("SunkEdge");
  TDataSkinBorder button("ComboButton");
  TDataSkinObject glyph("ExtraImages");
  sunk.FrameCount = 4; // every image empty, button and glyph with no cells
  BuildComboComposite(&sunk, &button, &glyph, 16);
  ASSERT_EQ(button.Bitmap.Width(), 200);
  EXPECT_EQ(button.Bitmap.At(45, 10), kMagenta);

  TDataSkinObject none("SunkEdge");
  TDataSkinBorder other("ComboButton");
  other.Bitmap.Resize(3, 3);
  BuildComboComposite(&none, &other, nullptr, 16);
  EXPECT_EQ(other.Bitmap.Width(), 3) << "an edge with no cells composes nothing";
}

} // namespace
} // namespace vela::skin
