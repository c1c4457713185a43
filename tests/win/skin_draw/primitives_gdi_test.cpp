// The device-context forms of the primitives against their raster forms: the same image must
// come out of GDI's blits (stretched, masked, tiled) as out of the portable composition.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/draw/primitives.h"
#include "skin/draw/primitives_win.h"
#include "tests/win/skin_draw/surfaces.h"

namespace vela::skin {
namespace {

using test::RandomBitmap;
using test::SamePixels;
using test::SurfaceOf;

constexpr Pixel kCanvas = 0x00246801;

class GdiPrimitives : public ::testing::Test {
protected:
  // A 4-cell strip of 13 x 11 cells with magenta here and there.
  const Bitmap strip_ = RandomBitmap(52, 11, 42, true);
  Bitmap portable_{40, 30, kCanvas};
  std::unique_ptr<ui::TBitmap> gdi_ = SurfaceOf(portable_);
};

TEST_F(GdiPrimitives, MaskedTransparentBlitKeepsTheDestinationUnderMagenta) {
  const Bitmap image = RandomBitmap(17, 9, 3, true);
  DrawTransparent(gdi_->Dc(), Rect{4, 5, 30, 12}, image.View(), kMagenta);
  DrawTransparent(portable_.View(), Rect{4, 5, 30, 12}, image.View(), kMagenta);
  EXPECT_TRUE(SamePixels(*gdi_, portable_));
  // Another key colour, a target smaller than the bitmap and partly outside the canvas.
  DrawTransparent(gdi_->Dc(), Rect{-3, 20, 9, 26}, image.View(), 0x00FFFFFF);
  DrawTransparent(portable_.View(), Rect{-3, 20, 9, 26}, image.View(), 0x00FFFFFF);
  EXPECT_TRUE(SamePixels(*gdi_, portable_));
}

TEST_F(GdiPrimitives, FrameAndNineSliceMatchTheRasterForms) {
  const Margins margins{3, 2, 4, 3};
  for (int cell = 1; cell <= 4; ++cell) {
    const Rect target{cell, 2 * cell, 20 + 5 * cell, 9 + 4 * cell};
    DrawSkinFrame(gdi_->Dc(), target, strip_.View(), margins, cell, 4, false);
    DrawSkinFrame(portable_.View(), target, strip_.View(), margins, cell, 4, false);
    ASSERT_TRUE(SamePixels(*gdi_, portable_)) << "frame, cell " << cell;
  }
  for (bool transparent : {false, true}) {
    for (bool tile : {false, true}) {
      const Rect target{-2, 3, 37, 25};
      DrawSkinRect(gdi_->Dc(), target, strip_.View(), margins, 2, 4, transparent, tile, false);
      DrawSkinRect(portable_.View(), target, strip_.View(), margins, 2, 4, transparent, tile,
                   false);
      ASSERT_TRUE(SamePixels(*gdi_, portable_)) << "transparent " << transparent << " tile " << tile;
    }
  }
}

TEST_F(GdiPrimitives, StripAndCellsMatchTheRasterForms) {
  const Rect title{2, 1, 38, 9};
  DrawSkinStrip(gdi_->Dc(), title, strip_.View(), Margins{4, 0, 3, 0}, 2, 2, true, true);
  DrawSkinStrip(portable_.View(), title, strip_.View(), Margins{4, 0, 3, 0}, 2, 2, true, true);
  EXPECT_TRUE(SamePixels(*gdi_, portable_));
  DrawStretchedCell(gdi_->Dc(), Rect{0, 10, 31, 17}, strip_.View(), true, 4, 3);
  DrawStretchedCell(portable_.View(), Rect{0, 10, 31, 17}, strip_.View(), true, 4, 3);
  EXPECT_TRUE(SamePixels(*gdi_, portable_));
  DrawCenteredCell(gdi_->Dc(), Rect{20, 18, 29, 40}, strip_.View(), true, 4, 4);
  DrawCenteredCell(portable_.View(), Rect{20, 18, 29, 40}, strip_.View(), true, 4, 4);
  DrawCenteredCell(gdi_->Dc(), Rect{1, 18, 20, 30}, strip_.View(), false, 4, 1);
  DrawCenteredCell(portable_.View(), Rect{1, 18, 20, 30}, strip_.View(), false, 4, 1);
  EXPECT_TRUE(SamePixels(*gdi_, portable_));
}

TEST_F(GdiPrimitives, TilingHonoursTheClipWithoutChangingThePattern) {
  // Only a window of the canvas may be painted; the copies still start at the target's corner.
  const HRGN clip = CreateRectRgn(9, 7, 31, 26);
  SelectClipRgn(gdi_->Dc(), clip);
  DeleteObject(clip);
  TileBitmap(gdi_->Dc(), Rect{-7, -5, 36, 27}, strip_.View(), Rect{14, 2, 19, 6});
  SelectClipRgn(gdi_->Dc(), nullptr);

  Bitmap tiled(40, 30, kCanvas);
  TileBitmap(tiled.View(), Rect{-7, -5, 36, 27}, strip_.View(), Rect{14, 2, 19, 6});
  for (int y = 7; y < 26; ++y) {
    for (int x = 9; x < 31; ++x)
      portable_.At(x, y) = tiled.At(x, y);
  }
  EXPECT_TRUE(SamePixels(*gdi_, portable_));
}

TEST_F(GdiPrimitives, InvertedTargetsDrawNothing) {
  DrawSkinRect(gdi_->Dc(), Rect{10, 0, 2, 10}, strip_.View(), Margins{}, 1, 4, false, false, false);
  DrawSkinStrip(gdi_->Dc(), Rect{0, 10, 10, 2}, strip_.View(), Margins{}, 1, 4, false, false);
  DrawSkinFrame(gdi_->Dc(), Rect{10, 0, 2, 10}, strip_.View(), Margins{1, 1, 1, 1}, 1, 4, false);
  DrawStretchedCell(gdi_->Dc(), Rect{10, 0, 2, 10}, strip_.View(), false, 4, 1);
  DrawCenteredCell(gdi_->Dc(), Rect{10, 0, 2, 10}, strip_.View(), false, 4, 1);
  DrawTransparent(gdi_->Dc(), Rect{10, 0, 2, 10}, strip_.View(), kMagenta);
  EXPECT_TRUE(SamePixels(*gdi_, portable_));
}

} // namespace
} // namespace vela::skin
