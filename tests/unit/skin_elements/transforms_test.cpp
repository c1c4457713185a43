#include "skin/data/transforms.h"

#include <gtest/gtest.h>

namespace vela::skin {
namespace {

// 3 x 2, every pixel different:  a b c
//                                d e f
Bitmap Sample() {
  Bitmap b(3, 2);
  const Pixel v[] = {0x000001, 0x000002, 0x000003, 0x000004, 0x000005, 0x000006};
  for (int i = 0; i < 6; ++i) b.At(i % 3, i / 3) = v[i];
  return b;
}

std::vector<Pixel> Rows(const Bitmap& b) { return b.Pixels(); }

TEST(BitmapTransforms, MirrorFlipAndRotationsMovePixelsWhereExpected) {
  Bitmap m = Sample();
  MirrorBitmap(m);
  EXPECT_EQ(Rows(m), (std::vector<Pixel>{3, 2, 1, 6, 5, 4}));

  Bitmap f = Sample();
  FlipBitmap(f);
  EXPECT_EQ(Rows(f), (std::vector<Pixel>{4, 5, 6, 1, 2, 3}));

  // Counter-clockwise: the right column becomes the top row.  c f / b e / a d
  Bitmap l = Sample();
  RotateBitmapLeft(l);
  ASSERT_EQ(l.Width(), 2);
  ASSERT_EQ(l.Height(), 3);
  EXPECT_EQ(Rows(l), (std::vector<Pixel>{3, 6, 2, 5, 1, 4}));

  // Clockwise: the left column, read bottom up, becomes the top row.  d a / e b / f c
  Bitmap r = Sample();
  RotateBitmapRight(r);
  ASSERT_EQ(r.Width(), 2);
  ASSERT_EQ(r.Height(), 3);
  EXPECT_EQ(Rows(r), (std::vector<Pixel>{4, 1, 5, 2, 6, 3}));

  RotateBitmapLeft(r);
  EXPECT_EQ(r, Sample());
}

TEST(BitmapTransforms, CellMirrorKeepsTheCellOrder) {
  // Two cells of two columns and one leftover column: ab cd e -> ba dc e.
  Bitmap b(5, 1);
  for (int x = 0; x < 5; ++x) b.At(x, 0) = Pixel(x + 1);
  MirrorBitmapCells(b, 2);
  EXPECT_EQ(Rows(b), (std::vector<Pixel>{2, 1, 4, 3, 5}));
  MirrorBitmapCells(b, 0);
  EXPECT_EQ(Rows(b), (std::vector<Pixel>{5, 3, 4, 1, 2})) << "no cells: the whole strip";
}

TEST(BitmapTransforms, GreyAveragesChannelsAndEveryTransformDropsTheFourthByte) {
  Bitmap g(2, 1);
  g.At(0, 0) = MakePixel(10, 20, 31); // 61 / 3 = 20, truncated
  g.At(1, 0) = 0xAB00FF00;            // stray fourth byte is not a channel
  GrayBitmap(g);
  EXPECT_EQ(g.At(0, 0), MakePixel(20, 20, 20));
  EXPECT_EQ(g.At(1, 0), MakePixel(85, 85, 85));

  for (void (*transform)(Bitmap&) : {MirrorBitmap, FlipBitmap, RotateBitmapLeft,
                                      RotateBitmapRight}) {
    Bitmap b(1, 1, 0xFF123456);
    transform(b);
    EXPECT_EQ(b.At(0, 0), 0x00123456u);
    Bitmap empty;
    transform(empty);
    EXPECT_TRUE(empty.Empty());
  }
}

} // namespace
} // namespace vela::skin
