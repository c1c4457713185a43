#pragma once
// The layout of a list view's skinned header: how each item's format word reads, where an
// item's image and text go, and what is left to fill after the last item.
#include <cstdint>

#include "skin/controls/button_layout.h"
#include "skin/data/raster.h"

namespace vela::skin {

// The header item format bits read here (the values of the system's header control).
constexpr std::uint32_t kHeaderFormatRight = 0x0001;
constexpr std::uint32_t kHeaderFormatCenter = 0x0002;
constexpr std::uint32_t kHeaderFormatJustifyMask = 0x0003;
constexpr std::uint32_t kHeaderFormatImage = 0x0800;
constexpr std::uint32_t kHeaderFormatString = 0x4000;

// The alignment of an item's image and text: 2 right, 1 centred, 0 left.
constexpr int HeaderItemAlignment(std::uint32_t format) {
  switch (format & kHeaderFormatJustifyMask) {
  case kHeaderFormatRight:
    return 2;
  case kHeaderFormatCenter:
    return 1;
  default:
    return 0;
  }
}

// The image an item shows: its image index when its format names an image or a string,
// otherwise none (-1).
constexpr int HeaderItemImage(std::uint32_t format, int image) {
  return (format & (kHeaderFormatImage | kHeaderFormatString)) != 0 ? image : -1;
}

// The part of a header `width` x `height` after the items, which end at `itemsRight`; empty
// (right <= left) when the items reach the edge.
constexpr Rect HeaderRest(int itemsRight, int width, int height) {
  return itemsRight < width ? Rect{itemsRight, 0, width, height} : Rect{width, 0, width, height};
}

// Where an image and a text go in an item rectangle:
//
//   | start | image | 1 | text ...            |     start: ImageTextStart (2 for left)
//
// both centred vertically, the text clipped to the item's left and right. An image is shown
// only when there is one (imageSize not empty) and it is narrower than the item; otherwise it
// takes no room.
struct ImageTextPlacement {
  bool ShowImage = false;
  Point Image;
  Rect Text;
  friend constexpr bool operator==(const ImageTextPlacement&, const ImageTextPlacement&) = default;
};

ImageTextPlacement PlaceImageText(const Rect& item, int alignment, Size text, Size image);

} // namespace vela::skin
