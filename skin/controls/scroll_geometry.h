#pragma once
// The arithmetic of the skinned scroll-bar overlay: where the thumb lies for a scroll state,
// how the bar is cut into arrows, track and thumb, which part a point hits, where a dragged
// thumb goes and which position it stands for, and which cells of the skin strips each part
// shows. Everything is measured along the bar's axis from the bar's start:
//
//    0      A            thumb start   thumb end               L-A      L
//    +------+----------------+-------------+--------------------+------+
//    |  <   |   page up      |    thumb    |     page down      |  >   |
//    +------+----------------+-------------+--------------------+------+
//     arrow  <-------------------- track, L - 2A ------------------> arrow
//
// L is the track length (the whole bar), A the arrow size. A vertical bar is the same picture
// turned, its first arrow at the top. Divisions truncate toward zero; products that could
// exceed 32 bits are formed in 64 bits, and results are clamped back into the bar.
#include <cstdint>

#include "skin/data/raster.h"

namespace vela::skin {

// The scroll codes of the parts, with the values the system's scroll messages carry.
enum class ScrollPart { LineUp = 0, LineDown = 1, PageUp = 2, PageDown = 3, ThumbTrack = 5 };

// The scroll state a stand-alone scroll bar control reports. A page of 0 is a bar without a
// proportional thumb (its thumb is one arrow long).
struct ScrollState {
  int Min = 0;
  int Max = 0;
  int Page = 0;
  int Pos = 0;
  int TrackPos = 0;
};

struct ThumbSpan {
  int Start = 0;
  int End = 0;
  friend constexpr bool operator==(const ThumbSpan&, const ThumbSpan&) = default;
};

// The system's MulDiv: a * b / c formed in 64 bits and rounded half away from zero; -1 when c
// is 0 or the result does not fit in 32 bits.
int MulDiv(int a, int b, int c);

// The thumb of a bar `trackLength` long with arrows `arrowSize` long, for position `pos`:
//
//   page S != 0:  size  = MulDiv(L - 2A, S - 1, R)       start = MulDiv(L - 2A, P, R) + A
//   page S == 0:  size  = A                              start = MulDiv(L - 3A, P, R) + A
//
// where R = Max - Min and P = pos - Min (for Min 0 these are the maximum and the position
// themselves). Position 0 puts the thumb right after the first arrow. A range of 0 or less
// (Max <= Min) has nothing to scroll and gives a thumb over the whole track. The thumb never
// leaves the track: a page larger than the range fills it, a position beyond the ends stops
// at them, and a track too short for any thumb gives an empty one at A.
ThumbSpan ThumbFor(const ScrollState& state, int pos, int trackLength, int arrowSize);

// ThumbFor at the state's position, or at its track position while the thumb is dragged.
inline ThumbSpan ThumbOf(const ScrollState& state, bool thumbTracking, int trackLength,
                         int arrowSize) {
  return ThumbFor(state, thumbTracking ? state.TrackPos : state.Pos, trackLength, arrowSize);
}

// The position a thumb starting at `thumbStart` stands for: the inverse of ThumbFor's start,
// rounded to the nearest position as ThumbFor rounds to the nearest pixel (so that, wherever a
// pixel exists for each position, position -> thumb -> position comes back unchanged), then
// kept within Min and the last position a page allows (Max - (Page - 1) when Page > 0).
int PositionForThumb(const ScrollState& state, int thumbStart, int trackLength, int arrowSize);

// Where a dragged thumb goes: moved by the cursor's travel since the press, its start kept
// between the first arrow and the place where its end meets the second arrow, its size kept.
// A thumb too long for the track stays at the first arrow.
ThumbSpan DragThumb(ThumbSpan pressThumb, int pressCursor, int cursor, int trackLength,
                    int arrowSize);

// The part at `along` pixels from the bar's start.
ScrollPart HitPart(int along, int trackLength, int arrowSize, ThumbSpan thumb);

// The same for a point in the bar's own coordinates.
inline ScrollPart HitPartAt(int x, int y, bool vertical, int trackLength, int arrowSize,
                            ThumbSpan thumb) {
  return HitPart(vertical ? y : x, trackLength, arrowSize, thumb);
}

// The rectangles an overlay of width x height paints, at the origin:
//
//   horizontal:  +----+--------------------------+----+  ^ thickness
//                | <  |      track   [thumb]     |  > |  v
//                +----+--------------------------+----+
//
// Thickness is the arrow strip's height, or the arrow size when the strip is more than three
// pixels thinner than the arrow. The track lies between the two arrows of the full arrow size,
// so a bar shorter than two arrows has an inverted (undrawn) track; the arrows themselves then
// share the length, each half of it. The thumb spans its start to its end along the axis and
// the whole thickness across; a disabled bar has none.
struct ScrollBarLayout {
  int Thickness = 0;
  int ArrowSize = 0; // after sharing a short bar
  Rect FirstArrow;   // left or up
  Rect SecondArrow;  // right or down
  Rect Track;
  Rect Thumb;
  bool HasThumb = false;
};

ScrollBarLayout LayoutScrollBar(int width, int height, bool vertical, int arrowSize,
                                int arrowStripHeight, ThumbSpan thumb, bool enabled);

// The cells each part shows. The arrow strip has 23 cells (left arrow 1, right 5, up 9, down
// 13, each followed by its pressed cell); the track strips have 4 (1 enabled, 3 disabled); the
// thumb strips show 1, or 2 while the thumb is dragged. An arrow looks pressed while the
// press on it is being tracked; arrows have no disabled look.
struct ScrollBarCells {
  int FirstArrow = 0;
  int SecondArrow = 0;
  int Track = 0;
  int Thumb = 0;
  friend constexpr bool operator==(const ScrollBarCells&, const ScrollBarCells&) = default;
};

constexpr int kScrollArrowCells = 23;
constexpr int kScrollTrackCells = 4;

ScrollBarCells CellsForScrollBar(bool vertical, bool enabled, bool tracking,
                                 ScrollPart pressedPart);

// The square between a window's two bars (both in the window's client coordinates), filled
// with the face colour when both bars are shown: from the vertical bar's left to its right + 2
// across, from the horizontal bar's top to its bottom + 2 down.
constexpr Rect ScrollCorner(const Rect& verticalBar, const Rect& horizontalBar) {
  return Rect{verticalBar.left, horizontalBar.top, verticalBar.right + 2, horizontalBar.bottom + 2};
}

} // namespace vela::skin
