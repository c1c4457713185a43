#include "skin/controls/header_layout.h"

#include <gtest/gtest.h>

namespace vela::skin {
namespace {

TEST(HeaderLayoutTest, FormatGivesAlignmentAndImage) {
  EXPECT_EQ(HeaderItemAlignment(0), 0);
  EXPECT_EQ(HeaderItemAlignment(kHeaderFormatRight | kHeaderFormatString), 2);
  EXPECT_EQ(HeaderItemAlignment(kHeaderFormatCenter | kHeaderFormatImage), 1);
  EXPECT_EQ(HeaderItemImage(kHeaderFormatString, 3), 3);
  EXPECT_EQ(HeaderItemImage(kHeaderFormatImage, 0), 0);
  EXPECT_EQ(HeaderItemImage(kHeaderFormatRight, 3), -1) << "neither image nor string named";
}

TEST(HeaderLayoutTest, RestAfterTheItemsIsEmptyWhenTheyReachTheEdge) {
  EXPECT_EQ(HeaderRest(160, 240, 20), (Rect{160, 0, 240, 20}));
  EXPECT_TRUE(HeaderRest(240, 240, 20).Empty());
  EXPECT_TRUE(HeaderRest(300, 240, 20).Empty()) << "items wider than the header";
  EXPECT_TRUE(HeaderRest(0, 0, 20).Empty());
}

struct PlacementRow {
  const char* what;
  Rect item;
  int alignment;
  Size text, image;
  ImageTextPlacement expected;
};

TEST(HeaderLayoutTest, ImageAndTextPlacement) {
  const Rect item{100, 0, 180, 20};
  const PlacementRow rows[] = {
      {"left, no image", item, 0, {30, 13}, {}, {false, {}, {102, 3, 180, 16}}},
      {"left, image then a pixel then text", item, 0, {30, 13}, {16, 16}, {true, {102, 2}, {119, 3, 180, 16}}},
      {"centred: half the free width", item, 1, {30, 13}, {16, 16}, {true, {117, 2}, {134, 3, 180, 16}}},
      {"right: free width less 2", item, 2, {30, 14}, {}, {false, {}, {148, 3, 180, 17}}},
      {"text wider than the item starts 2 in", item, 2, {120, 13}, {}, {false, {}, {102, 3, 180, 16}}},
      {"an image as wide as the item takes no room", item, 0, {30, 13}, {80, 16}, {false, {}, {102, 3, 180, 16}}},
  };
  for (const PlacementRow& row : rows)
    EXPECT_EQ(PlaceImageText(row.item, row.alignment, row.text, row.image), row.expected) << row.what;
}

} // namespace
} // namespace vela::skin
