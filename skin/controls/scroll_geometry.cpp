#include "skin/controls/scroll_geometry.h"

#include <algorithm>
#include <limits>

namespace vela::skin {
namespace {

using std::int64_t;

// a * b / c rounded half away from zero, for c > 0; callers keep a * b within 64 bits.
int64_t ScaleRounded(int64_t a, int64_t b, int64_t c) {
  const int64_t product = a * b;
  return product >= 0 ? (product + c / 2) / c : (product - c / 2) / c;
}

int ClampToInt(int64_t v) {
  return int(
      std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// A rectangle `from`..`to` along the axis and 0..thickness across.
Rect AlongAxis(bool vertical, int from, int to, int thickness) {
  return vertical ? Rect{0, from, thickness, to} : Rect{from, 0, to, thickness};
}

} // namespace

int MulDiv(int a, int b, int c) {
  if (c == 0)
    return -1;
  int64_t product = int64_t(a) * b;
  int64_t divisor = c;
  if (divisor < 0) {
    product = -product;
    divisor = -divisor;
  }
  const int64_t result = ScaleRounded(product, 1, divisor);
  if (result > std::numeric_limits<int>::max() ||
      result < -int64_t(std::numeric_limits<int>::max()))
    return -1;
  return int(result);
}

ThumbSpan ThumbFor(const ScrollState& state, int pos, int trackLength, int arrowSize) {
  const int64_t length = std::max(trackLength, 0);
  const int64_t arrow = std::max(arrowSize, 0);
  const int64_t track = length - 2 * arrow;
  if (track <= 0)
    return ThumbSpan{int(arrow), int(arrow)};
  const int64_t range = int64_t(state.Max) - state.Min;
  if (range <= 0)
    return ThumbSpan{int(arrow), int(length - arrow)};
  const int64_t offset = std::clamp<int64_t>(int64_t(pos) - state.Min, 0, range);

  int64_t size;
  int64_t start;
  if (state.Page > 0) {
    size = std::min(ScaleRounded(track, int64_t(state.Page) - 1, range), track);
    start = ScaleRounded(track, offset, range) + arrow;
  } else {
    // Without a page the thumb is one arrow long and travels the track less its own length.
    size = std::min(arrow, track);
    start = ScaleRounded(std::max<int64_t>(length - 3 * arrow, 0), offset, range) + arrow;
  }
  start = std::clamp(start, arrow, length - arrow - size);
  return ThumbSpan{int(start), int(start + size)};
}

int PositionForThumb(const ScrollState& state, int thumbStart, int trackLength, int arrowSize) {
  const int64_t length = std::max(trackLength, 0);
  const int64_t arrow = std::max(arrowSize, 0);
  const int64_t range = int64_t(state.Max) - state.Min;
  const int64_t travel = state.Page > 0 ? length - 2 * arrow : length - 3 * arrow;
  if (range <= 0 || travel <= 0)
    return state.Min;
  const int64_t moved = std::clamp<int64_t>(int64_t(thumbStart) - arrow, 0, travel);
  const int64_t last = std::max<int64_t>(
      state.Page > 0 ? int64_t(state.Max) - (int64_t(state.Page) - 1) : state.Max, state.Min);
  return ClampToInt(std::min(state.Min + ScaleRounded(moved, range, travel), last));
}

ThumbSpan DragThumb(ThumbSpan pressThumb, int pressCursor, int cursor, int trackLength,
                    int arrowSize) {
  const int64_t size = int64_t(pressThumb.End) - pressThumb.Start;
  const int64_t lowest = arrowSize;
  const int64_t highest = int64_t(trackLength) - arrowSize - size;
  int64_t start = int64_t(pressThumb.Start) + (int64_t(cursor) - pressCursor);
  start = std::max(std::min(start, highest), lowest);
  return ThumbSpan{ClampToInt(start), ClampToInt(start + size)};
}

ScrollPart HitPart(int along, int trackLength, int arrowSize, ThumbSpan thumb) {
  if (along < arrowSize)
    return ScrollPart::LineUp;
  if (along < thumb.Start)
    return ScrollPart::PageUp;
  if (along < thumb.End)
    return ScrollPart::ThumbTrack;
  if (int64_t(along) < int64_t(trackLength) - arrowSize)
    return ScrollPart::PageDown;
  return ScrollPart::LineDown;
}

ScrollBarLayout LayoutScrollBar(int width, int height, bool vertical, int arrowSize,
                                int arrowStripHeight, ThumbSpan thumb, bool enabled) {
  const int length = std::max(vertical ? height : width, 0);
  const int arrow = std::max(arrowSize, 0);
  ScrollBarLayout layout;
  layout.Thickness = arrowStripHeight + int64_t(3) < arrow ? arrow : arrowStripHeight;
  layout.Track = AlongAxis(vertical, arrow, length - arrow, layout.Thickness);
  layout.ArrowSize = length < int64_t(2) * arrow ? length / 2 : arrow;
  layout.FirstArrow = AlongAxis(vertical, 0, layout.ArrowSize, layout.Thickness);
  layout.SecondArrow = AlongAxis(vertical, length - layout.ArrowSize, length, layout.Thickness);
  layout.HasThumb = enabled;
  if (enabled)
    layout.Thumb = AlongAxis(vertical, thumb.Start, thumb.End, layout.Thickness);
  return layout;
}

ScrollBarCells CellsForScrollBar(bool vertical, bool enabled, bool tracking,
                                 ScrollPart pressedPart) {
  const bool first = tracking && pressedPart == ScrollPart::LineUp;
  const bool second = tracking && pressedPart == ScrollPart::LineDown;
  ScrollBarCells cells;
  cells.FirstArrow = (vertical ? 9 : 1) + (first ? 1 : 0);
  cells.SecondArrow = (vertical ? 13 : 5) + (second ? 1 : 0);
  cells.Track = enabled ? 1 : 3;
  cells.Thumb = tracking && pressedPart == ScrollPart::ThumbTrack ? 2 : 1;
  return cells;
}

} // namespace vela::skin
