#include "skin/draw/primitives.h"

#include <gtest/gtest.h>

#include "tests/unit/skin_draw/golden.h"

// The pixel art of these tests is laid out by hand, one string per row.
// clang-format off
namespace vela::skin {
namespace {

using test::Art;
using test::ColourOf;
using test::SameRaster;

const Pixel kZ = ColourOf('z'); // the canvas colour that shows where nothing was drawn

// One 3 x 3 cell: corners a c g i, edges b d f h, middle e.
const Bitmap kCell = Art({"abc",
                          "def",
                          "ghi"});

TEST(ComposeSkinRect, KeepsCornersAndStretchesEdgesAndMiddle) {
  const Bitmap out = ComposeSkinRect(Rect{10, 10, 15, 14}, kCell.View(), Margins{1, 1, 1, 1},
                                     false, false, 1, 1);
  EXPECT_TRUE(SameRaster(out, Art({"abbbc",
                                   "deeef",
                                   "deeef",
                                   "ghhhi"})));
}

TEST(ComposeSkinRect, TilesTheMiddleAndPaintsTheRightEdgeOverTheOverrun) {
  const Bitmap cell = Art({"abcd",
                           "hefi",
                           "jkln"});
  const Bitmap tiled = ComposeSkinRect(Rect{0, 0, 7, 3}, cell.View(), Margins{1, 1, 1, 1}, false,
                                       true, 1, 1);
  EXPECT_TRUE(SameRaster(tiled, Art({"abbbccd",
                                     "hefefei",
                                     "jkkklln"})));
  const Bitmap stretched = ComposeSkinRect(Rect{0, 0, 7, 3}, cell.View(), Margins{1, 1, 1, 1},
                                           false, false, 1, 1);
  EXPECT_TRUE(SameRaster(stretched, Art({"abbbccd",
                                         "heeeffi",
                                         "jkkklln"})));
}

TEST(ComposeSkinRect, ATargetNarrowerThanTheMarginsGetsTheWholeCellWidth) {
  // Margins 2 + 2 do not fit into 2 columns: the three cell columns are shrunk onto two.
  const Bitmap out = ComposeSkinRect(Rect{0, 0, 2, 3}, kCell.View(), Margins{2, 1, 2, 1}, false,
                                     false, 1, 1);
  EXPECT_TRUE(SameRaster(out, Art({"bc",
                                   "ef",
                                   "hi"})));
}

// Margins wider than the cell are narrowed to leave it a middle: the cell is drawn whole, with
// no band of the composition's initial black.
TEST(ComposeSkinRect, MarginsWiderThanTheCellAreNarrowedToLeaveItAMiddle) {
  EXPECT_TRUE(SameRaster(ComposeSkinRect(Rect{0, 0, 7, 3}, kCell.View(), Margins{2, 0, 2, 0},
                                         false, false, 1, 1),
                         Art({"abbbbbc",
                              "deeeeef",
                              "ghhhhhi"})));
  EXPECT_TRUE(SameRaster(ComposeSkinRect(Rect{0, 0, 6, 3}, kCell.View(), Margins{5, 0, 0, 0},
                                         false, true, 1, 1),
                         Art({"abcccc",
                              "deffff",
                              "ghiiii"})));
  EXPECT_TRUE(SameRaster(ComposeSkinRect(Rect{0, 0, 3, 6}, kCell.View(), Margins{0, 3, 0, 3},
                                         false, false, 1, 1),
                         Art({"abc",
                              "def",
                              "def",
                              "def",
                              "def",
                              "ghi"})));
}

TEST(ComposeSkinRect, PicksTheCellOfSideBySideAndStackedStrips) {
  const Bitmap strip = Art({"abjk",
                            "cdlm"});
  EXPECT_TRUE(SameRaster(
      ComposeSkinRect(Rect{0, 0, 2, 2}, strip.View(), Margins{}, false, false, 2, 2),
      Art({"jk",
           "lm"})));
  const Bitmap stacked = Art({"ab",
                              "cd",
                              "jk",
                              "lm"});
  EXPECT_TRUE(SameRaster(
      ComposeSkinRect(Rect{0, 0, 2, 2}, stacked.View(), Margins{}, true, false, 2, 2),
      Art({"jk",
           "lm"})));
}

TEST(ComposeSkinRect, GivesABlackBitmapForAStripWithoutCellsAndNothingForNoTarget) {
  EXPECT_TRUE(SameRaster(
      ComposeSkinRect(Rect{0, 0, 3, 1}, kCell.View(), Margins{}, false, false, 0, 1),
      Art({"..."})));
  EXPECT_TRUE(SameRaster(
      ComposeSkinRect(Rect{0, 0, 3, 1}, Raster{}, Margins{}, false, false, 1, 1), Art({"..."})));
  EXPECT_TRUE(
      ComposeSkinRect(Rect{5, 0, 2, 1}, kCell.View(), Margins{}, false, false, 1, 1).Empty());
  EXPECT_TRUE(ComposeSkinRect(Rect{0, 0, 20000, 20000}, kCell.View(), Margins{}, false, false, 1,
                              1)
                  .Empty());
}

TEST(DrawSkinRect, LeavesMagentaUnpaintedWhenTransparent) {
  const Bitmap cell = Art({"MbM",
                           "def",
                           "MhM"});
  Bitmap canvas(5, 4, kZ);
  DrawSkinRect(canvas.View(), Rect{1, 1, 5, 4}, cell.View(), Margins{1, 1, 1, 1}, 1, 1, true,
               false, false);
  EXPECT_TRUE(SameRaster(canvas, Art({"zzzzz",
                                      "zzbbz",
                                      "zdeef",
                                      "zzhhz"})));
  Bitmap opaque(3, 3, kZ);
  DrawSkinRect(opaque.View(), Rect{0, 0, 3, 3}, cell.View(), Margins{1, 1, 1, 1}, 1, 1, false,
               false, false);
  EXPECT_TRUE(SameRaster(opaque, cell));
}

TEST(DrawSkinRect, MarginsWiderThanTheCellKeepTransparencyAndShowNoBlack) {
  const Bitmap strip = Art({"MbMxyz",
                            "defxyz",
                            "MhMxyz"});
  Bitmap canvas(8, 4, kZ);
  DrawSkinRect(canvas.View(), Rect{1, 0, 8, 4}, strip.View(), Margins{3, 2, 3, 2}, 1, 2, true,
               false, false);
  EXPECT_TRUE(SameRaster(canvas, Art({"zzbbbbbz",
                                      "zdeeeeef",
                                      "zdeeeeef",
                                      "zzhhhhhz"})));
}

TEST(DrawSkinFrame, MarginsWiderThanTheCellLeaveOnlyTheMiddleUnpainted) {
  Bitmap canvas(9, 9, kZ);
  DrawSkinFrame(canvas.View(), Rect{0, 0, 9, 9}, kCell.View(), Margins{4, 4, 4, 4}, 1, 1, false);
  EXPECT_TRUE(SameRaster(canvas, Art({"abbbbbbbc",
                                      "dzzzzzzzf",
                                      "dzzzzzzzf",
                                      "dzzzzzzzf",
                                      "dzzzzzzzf",
                                      "dzzzzzzzf",
                                      "dzzzzzzzf",
                                      "dzzzzzzzf",
                                      "ghhhhhhhi"})));
}

TEST(DrawSkinRect, DrawsNothingForInvertedTargetsOrStripsWithoutCells) {
  Bitmap canvas(3, 3, kZ);
  const Bitmap untouched = canvas;
  DrawSkinRect(canvas.View(), Rect{3, 0, 0, 3}, kCell.View(), Margins{}, 1, 1, false, false,
               false);
  DrawSkinRect(canvas.View(), Rect{0, 3, 3, 0}, kCell.View(), Margins{}, 1, 1, false, false,
               false);
  DrawSkinRect(canvas.View(), Rect{0, 0, 3, 3}, kCell.View(), Margins{}, 1, 0, false, false,
               false);
  DrawSkinRect(canvas.View(), Rect{0, 0, 3, 3}, kCell.View(), Margins{}, 1, 4, false, false,
               false);
  EXPECT_TRUE(SameRaster(canvas, untouched));
}

TEST(DrawSkinStrip, RepeatsTheMiddleBetweenTheEnds) {
  const Bitmap strip = Art({"abcde"});
  Bitmap canvas(9, 2, kZ);
  DrawSkinStrip(canvas.View(), Rect{0, 0, 9, 2}, strip.View(), Margins{1, 7, 1, 7}, 1, 1, false,
                false);
  EXPECT_TRUE(SameRaster(canvas, Art({"abcdbcdbe",
                                      "abcdbcdbe"})));
}

TEST(DrawSkinStrip, FillsTheGapWithTheWholeCellWhenItHasNoMiddle) {
  const Bitmap strip = Art({"abc"});
  Bitmap canvas(6, 1, kZ);
  DrawSkinStrip(canvas.View(), Rect{0, 0, 6, 1}, strip.View(), Margins{2, 0, 1, 0}, 1, 1, false,
                false);
  EXPECT_TRUE(SameRaster(canvas, Art({"ababcc"})));
}

TEST(DrawSkinStrip, AnEndWiderThanTheCellTakesNoPixelsFromOutsideIt) {
  const Bitmap strip = Art({"abcxyz"});
  Bitmap canvas(8, 1, kZ);
  DrawSkinStrip(canvas.View(), Rect{0, 0, 8, 1}, strip.View(), Margins{0, 0, 5, 0}, 1, 2, false,
                false);
  EXPECT_TRUE(SameRaster(canvas, Art({"aabccabc"})));
}

TEST(DrawSkinStrip, UsesStackedCellsAndMagentaTransparency) {
  // Two stacked cells (active, inactive) as the title background uses them.
  const Bitmap strip = Art({"abc",
                            "MnM"});
  Bitmap canvas(6, 2, kZ);
  DrawSkinStrip(canvas.View(), Rect{1, 0, 6, 2}, strip.View(), Margins{1, 0, 1, 0}, 2, 2, true,
                true);
  EXPECT_TRUE(SameRaster(canvas, Art({"zznnnz",
                                      "zznnnz"})));
}

TEST(DrawSkinFrame, PaintsTheBorderAndLeavesTheMiddle) {
  Bitmap canvas(7, 6, kZ);
  DrawSkinFrame(canvas.View(), Rect{1, 1, 6, 5}, kCell.View(), Margins{1, 1, 1, 1}, 1, 1, false);
  EXPECT_TRUE(SameRaster(canvas, Art({"zzzzzzz",
                                      "zabbbcz",
                                      "zdzzzfz",
                                      "zdzzzfz",
                                      "zghhhiz",
                                      "zzzzzzz"})));
}

TEST(DrawSkinFrame, ClipsAtTheRasterEdges) {
  Bitmap big(9, 8, kZ);
  DrawSkinFrame(big.View(), Rect{0, 0, 9, 8}, kCell.View(), Margins{1, 1, 1, 1}, 1, 1, false);
  // The same frame with its top-left corner two pixels outside a 6 x 5 canvas.
  Bitmap clipped(6, 5, kZ);
  DrawSkinFrame(clipped.View(), Rect{-2, -2, 7, 6}, kCell.View(), Margins{1, 1, 1, 1}, 1, 1,
                false);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 6; ++x) EXPECT_EQ(clipped.At(x, y), big.At(x + 2, y + 2)) << x << "," << y;
  }
}

TEST(DrawStretchedCell, StretchesOneCellOverTheTarget) {
  const Bitmap strip = Art({"abeM",
                            "cdgh"});
  Bitmap canvas(4, 3, kZ);
  DrawStretchedCell(canvas.View(), Rect{1, 0, 4, 3}, strip.View(), false, 2, 2);
  EXPECT_TRUE(SameRaster(canvas, Art({"zeeM",
                                      "zeeM",
                                      "zggh"})));
  Bitmap transparent(4, 3, kZ);
  DrawStretchedCell(transparent.View(), Rect{1, 0, 4, 3}, strip.View(), true, 2, 2);
  EXPECT_TRUE(SameRaster(transparent, Art({"zeez",
                                           "zeez",
                                           "zggh"})));
}

TEST(DrawCenteredCell, CentresTheCellTruncatingTowardZero) {
  const Bitmap strip = Art({"abjM",
                            "cdlm"});
  Bitmap canvas(5, 4, kZ);
  DrawCenteredCell(canvas.View(), Rect{0, 0, 5, 4}, strip.View(), true, 2, 2);
  EXPECT_TRUE(SameRaster(canvas, Art({"zzzzz",
                                      "zjzzz",
                                      "zlmzz",
                                      "zzzzz"})));
  // A cell wider than the target: (2 - 3) / 2 is 0, so it starts at the target's left.
  const Bitmap wide = Art({"abc"});
  Bitmap row(4, 1, kZ);
  DrawCenteredCell(row.View(), Rect{1, 0, 3, 1}, wide.View(), false, 1, 1);
  EXPECT_TRUE(SameRaster(row, Art({"zabc"})));
}

TEST(TileBitmap, LaysWholeCopiesThatMayReachBeyondTheTarget) {
  const Bitmap image = Art({"abx",
                            "cdx"});
  Bitmap canvas(7, 3, kZ);
  TileBitmap(canvas.View(), Rect{1, 0, 6, 1}, image.View(), Rect{0, 0, 2, 2});
  EXPECT_TRUE(SameRaster(canvas, Art({"zababab",
                                      "zcdcdcd",
                                      "zzzzzzz"})));
  Bitmap left(4, 1, kZ);
  TileBitmap(left.View(), Rect{-1, 0, 3, 1}, image.View(), Rect{0, 0, 2, 1});
  EXPECT_TRUE(SameRaster(left, Art({"babz"})));
}

TEST(TileBitmap, DrawsNothingForASourceWithoutArea) {
  const Bitmap image = Art({"ab"});
  Bitmap canvas(3, 1, kZ);
  TileBitmap(canvas.View(), Rect{0, 0, 3, 1}, image.View(), Rect{1, 0, 1, 1});
  TileBitmap(canvas.View(), Rect{0, 0, 3, 1}, image.View(), Rect{2, 0, 0, 1});
  TileBitmap(canvas.View(), Rect{0, 0, 3, 1}, image.View(), Rect{0, 1, 2, 0});
  EXPECT_TRUE(SameRaster(canvas, Art({"zzz"})));
}

TEST(DrawTransparent, CopiesOnlyWhatBothTargetAndBitmapCover) {
  const Bitmap bitmap = Art({"aMb",
                             "cdM"});
  Bitmap small(4, 3, kZ);
  DrawTransparent(small.View(), Rect{1, 1, 3, 2}, bitmap.View(), kMagenta);
  EXPECT_TRUE(SameRaster(small, Art({"zzzz",
                                     "zazz",
                                     "zzzz"})));
  Bitmap large(4, 3, kZ);
  DrawTransparent(large.View(), Rect{0, 0, 4, 3}, bitmap.View(), ColourOf('d'));
  EXPECT_TRUE(SameRaster(large, Art({"aMbz",
                                     "czMz",
                                     "zzzz"})));
}

} // namespace
} // namespace vela::skin
// clang-format on
