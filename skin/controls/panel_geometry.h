#pragma once
// Geometry and composition of the status, group-box, edit, progress and track-bar skinners:
// where each part goes and which cell it takes. The Windows skinners read the control's state
// and draw; everything decided from numbers alone lives here, tested natively.
#include "skin/data/elements.h"
#include "skin/data/raster.h"

namespace vela::skin {

// ---- status bar

enum class PanelBevel { Lowered, Raised, None };

// The cell of the 3-cell "StatusBarEdges" strip behind a panel: 1 lowered, 2 raised, 3 flat.
constexpr int StatusPanelCell(PanelBevel bevel) {
  return bevel == PanelBevel::Lowered ? 1 : bevel == PanelBevel::Raised ? 2 : 3;
}

// A panel's rectangle as the native bar reports it, widened by 2 pixels to the right so that
// neighbouring panels' edges meet; the last panel reaches the bar's right edge whatever its
// width.
Rect StatusPanelRect(const Rect& native, bool last, int barWidth);

enum class PanelAlign { Left, Right, Center };

// The alignment a panel's text is drawn with: left and right trade places when the panel
// reads right to left.
constexpr PanelAlign PanelTextAlign(PanelAlign align, bool rightToLeft) {
  if (!rightToLeft || align == PanelAlign::Center)
    return align;
  return align == PanelAlign::Left ? PanelAlign::Right : PanelAlign::Left;
}

// Where the size grip (a cell of cellWidth x cellHeight) is drawn in a bar of barWidth x
// barHeight: in the bottom-right corner, ending one pixel inside it.
Rect SizeGripRect(int barWidth, int barHeight, int cellWidth, int cellHeight);

// ---- group box

// The top of a group box's frame: half the caption font's height less one, so the line runs
// through the caption's middle.
constexpr int GroupBoxFrameTop(int textHeight) {
  return textHeight / 2 - 1;
}

// ---- edit

// The two frames the edit skinner draws over the native border, outer first.
enum class EditFrameColour { Shadow, Hilight, White, Face };
struct EditFrame {
  EditFrameColour Outer = EditFrameColour::Shadow;
  EditFrameColour Inner = EditFrameColour::White;
  friend constexpr bool operator==(const EditFrame&, const EditFrame&) = default;
};

// The frame of an edit: the skin's shadow colour outside and white inside; an edit that has
// the focus or the mouse shows the skin's highlight colour outside instead, and a disabled one
// the face colour inside, matching the grey field the native edit then shows.
constexpr EditFrame EditFrameFor(bool enabled, bool focused, bool hot) {
  if (!enabled)
    return {EditFrameColour::Shadow, EditFrameColour::Face};
  if (focused || hot)
    return {EditFrameColour::Hilight, EditFrameColour::White};
  return {};
}

// Whether an edit has a border to frame: not when its client area is as wide or as high as
// its window.
constexpr bool EditHasBorder(int windowWidth, int windowHeight, int clientWidth, int clientHeight) {
  return clientWidth < windowWidth && clientHeight < windowHeight;
}

// Whether an edit printing itself (WM_PRINT) gets its frame: only when the border is more than
// 2 pixels in both directions.
constexpr bool EditPrintsFrame(int windowWidth, int windowHeight, int clientWidth, int clientHeight) {
  return windowWidth - clientWidth > 2 && windowHeight - clientHeight > 2;
}

// ---- progress bar

// The filled part of a bar `width` long at `position` of `maximum`, rounded as the system's
// multiply-divide rounds (half away from zero); 0 when position or maximum is not positive,
// and never beyond the bar.
int ProgressFilledWidth(int width, int position, int maximum);

// A bar's position and maximum counted from the low end of its range [low, high], as
// ProgressFilledWidth takes them. A range wider than an int is halved, with the position,
// until it fits.
struct ProgressSpan {
  int Position = 0, Maximum = 0;
};
ProgressSpan ProgressSpanOf(int low, int high, int position);

struct ProgressState {
  int Width = 0, Height = 0; // the control's window
  int Position = 0, Maximum = 0;
  bool Vertical = false;
  Pixel Face = 0; // the skin's ButtonFace colour, resolved
};

// The whole look of a progress bar from the "Progress" element (2 cells: empty, filled), as
// the skinner copies it to the window: face colour, the empty cell over everything and the
// filled cell over the filled part, both magenta-transparent. A vertical bar is composed lying
// down and turned a quarter counter-clockwise, so it fills from the bottom; its last row is
// left out. Empty for a window without area or an element without cells.
Bitmap ComposeProgress(const ProgressState& state, const TDataSkinObject& element);

// The chunk style (the element's Style 1): the element as one cell over the face colour, and
// its "Chunk" image repeated from the left margin over the filled width, centred vertically.
Bitmap ComposeChunkProgress(const ProgressState& state, const TDataSkinBorder& element);

// ---- track bar

// The cell of a 5-cell thumb strip: 2 at rest, 3 under the mouse, 4 while dragged, 5 when the
// track bar is disabled.
constexpr int TrackThumbCell(bool enabled, bool hot, bool pressed) {
  if (!enabled)
    return 5;
  if (pressed)
    return 4;
  return hot ? 3 : 2;
}

// ---- check boxes that draw their own glyphs

// The nine-cell glyph strip handed to such a check box, composed from the skin's check strip of
// `checkCells` cells (see GlyphStripSourceCell); targets without a source stay magenta, the
// transparent colour the control is told. Empty without a strip or cells.
Bitmap ComposeGlyphStrip(const Bitmap& checkStrip, int checkCells);

} // namespace vela::skin
