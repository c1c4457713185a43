#pragma once
// Pictures of a loaded skin for people to look at: every element with every cell, labelled,
// and a window frame put together from the borders and caption buttons.
#include <string>
#include <vector>

#include "skin/data/raster.h"
#include "skin/data/skin_elements.h"

namespace vela::test {

// One image of the skin and how its cells are laid out.
struct SheetEntry {
  std::string label;
  const skin::Bitmap* image;
  int cells;
  bool vertical;    // cells stacked
  bool transparent; // magenta is shown as a checkerboard
};

// Every image the skin data holds, in loading order; absent elements are left out.
std::vector<SheetEntry> SheetEntries(const skin::TSkinElements& skin);

// The frame of a w x h window (normal state, with minimise and maximise boxes) as the frame
// skinner puts it together: side borders over the full height, bottom and caption between
// them, caption buttons placed by their alignment. Magenta stays where the window region is
// cut; the client area is the skin's button face.
skin::Bitmap ComposeWindowFrame(const skin::TSkinElements& skin, int width, int height,
                                bool active);

skin::Bitmap RenderContactSheet(const skin::TSkinElements& skin);

} // namespace vela::test
