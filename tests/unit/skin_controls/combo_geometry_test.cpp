// The parts of a skinned combo box for each way of drawing it.
#include "skin/controls/combo_geometry.h"

#include <gtest/gtest.h>

namespace vela::skin {
namespace {

const Rect kCombo{0, 0, 120, 22};

TEST(ComboGeometry, SunkEdgeStyleKeepsAButtonColumnTwoWiderThanAScrollArrow) {
  const ComboParts right = ComboLayout(kCombo, 0, false, 16, 16);
  EXPECT_EQ(right.Frame, kCombo);
  EXPECT_EQ(right.Button, (Rect{102, 0, 120, 22}));
  EXPECT_EQ(right.Edit, (Rect{2, 2, 98, 20})) << "4 pixels before the column";
  EXPECT_EQ(right.Glyph, (Rect{102, 0, 118, 22})) << "2 pixels off the outer side";
  const ComboParts left = ComboLayout(kCombo, 0, true, 16, 16);
  EXPECT_EQ(left.Button, (Rect{0, 0, 18, 22}));
  EXPECT_EQ(left.Edit, (Rect{22, 2, 118, 20}));
  EXPECT_EQ(left.Glyph, (Rect{2, 0, 18, 22}));
}

TEST(ComboGeometry, StyleOneFramesInsideAndTakesAThumbWideColumn) {
  const ComboParts parts = ComboLayout(kCombo, 1, false, 16, 13);
  EXPECT_EQ(parts.Frame, (Rect{1, 1, 119, 21}));
  EXPECT_EQ(parts.Button, (Rect{105, 2, 118, 20}));
  EXPECT_EQ(parts.Edit.right, 105);
}

TEST(ComboGeometry, CompositeCoversTheWholeCombo) {
  const ComboParts parts = ComboLayout(kCombo, 2, true, 16, 16);
  EXPECT_EQ(parts.Frame, kCombo);
  EXPECT_EQ(parts.Button, kCombo);
}

} // namespace
} // namespace vela::skin
