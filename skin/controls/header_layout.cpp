#include "skin/controls/header_layout.h"

#include "skin/controls/button_layout.h"

#include <algorithm>

namespace vela::skin {

ImageTextPlacement PlaceImageText(const Rect& item, int alignment, Size text, Size image) {
  ImageTextPlacement p;
  const int width = item.Width();
  const int height = item.Height();
  p.ShowImage = image.x > 0 && image.y > 0 && image.x < width;
  const int imageWidth = p.ShowImage ? image.x : 0;
  const int start = item.left + ImageTextStart(alignment, width, text.x, imageWidth);
  if (p.ShowImage)
    p.Image = Point{start, item.top + (height - image.y) / 2};
  const int textLeft = std::clamp(start + imageWidth + (p.ShowImage ? 1 : 0), item.left, item.right);
  const int textTop = item.top + (height - text.y) / 2;
  p.Text = Rect{textLeft, textTop, item.right, textTop + text.y};
  return p;
}

} // namespace vela::skin
