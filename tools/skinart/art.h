#pragma once
// The pictures of the default skin, one function per element. Sizes and margins that the skin
// description must repeat are named here, next to the art that depends on them.
#include "tools/skinart/canvas.h"

namespace vela::tools::art {

// Window frame. The caption is the top border; the side borders run the full height, so their
// upper part forms the caption's rounded corners together with the ends of the top border.
//
//     +--side--+------------- top border (stretched middle) -------------+--side--+
//     | corner | end |                                             | end | corner |  caption
//     |        +-----+---------------------------------------------+-----+        |
//     |  side  |                       client                            |  side  |
//     |        +---------------------------------------------------------+        |
//     +--------+--------------------- bottom border ---------------------+--------+
constexpr int kCaptionHeight = 30;
constexpr int kSideWidth = 4;
constexpr int kBottomHeight = 4;
constexpr int kCornerRadius = 8;
constexpr int kTopEnd = 10;     // fixed ends of the top border
constexpr int kTopWidth = 32;   // one top cell: two ends and a stretched middle
constexpr int kSideMiddle = 8;  // stretched rows of a side cell
constexpr int kBottomWidth = 16;

// The four border strips, two cells each (active, inactive): top and bottom stacked
// vertically, the sides side by side.
Canvas FrameTop();
Canvas FrameBottom();
Canvas FrameLeft();
Canvas FrameRight();
// Backing of the title text, two cells stacked vertically (active, inactive).
constexpr int kTitleBackEnd = 3;
Canvas TitleBack();

// Caption buttons: four cells each (normal, pressed, hot, inactive window).
constexpr int kCaptionButtonWidth = 30;
constexpr int kCaptionButtonHeight = 22;
enum class CaptionGlyph { Close, Maximize, Restore, Minimize };
Canvas CaptionButton(CaptionGlyph glyph);
// The fallback window mark for the system-menu place, one 16 x 16 cell.
Canvas SystemIcon();
// The MDI child controls shown in the menu bar: minimise, restore, close, four cells each
// (normal, pressed, inactive, hot), twelve cells in all.
constexpr int kMdiCellWidth = 16;
Canvas MdiControls();
// The menu bar, two cells stacked vertically (active, inactive).
Canvas MenuBar();

// Push buttons: five cells (normal, pressed, disabled, hot or focused, default).
constexpr int kButtonMargin = 5;
Canvas PushButton();
// Check marks: twelve cells, three groups (unchecked, checked, indeterminate) of four
// (normal, hot, pressed, disabled). Radio marks: eight cells, two such groups.
constexpr int kCheckCells = 12;
constexpr int kRadioCells = 8;
Canvas CheckMarks();
Canvas RadioMarks();

// Progress bar: two cells (track, fill), and the chunk of the segmented style.
constexpr int kProgressMargin = 4;
Canvas Progress();
Canvas ProgressChunk();

// Edit frame of combo boxes: four cells (normal, pressed, disabled, focused).
constexpr int kSunkMargin = 3;
Canvas SunkEdge();
// The drop-down button column of a combo box: four cells as above.
constexpr int kComboButtonWidth = 18;
Canvas ComboButton();
// Small glyphs: four drop-down arrows (normal, pressed, disabled, hot) and a size grip.
Canvas ExtraImages();

// Group box outline (normal, disabled) and its caption backing.
constexpr int kGroupMargin = 5;
Canvas GroupBoxEdge();
constexpr int kGroupLabelMargin = 6;
Canvas GroupBoxLabel();
// Tool-bar buttons: normal, pressed, disabled, hot, checked.
constexpr int kToolbarMargin = 4;
Canvas Toolbar();
// Tabs: resting, selected, disabled, hot, selected and hot; and the pane border.
constexpr int kTabSide = 5;
constexpr int kTabTop = 5;
constexpr int kTabBottom = 3;
Canvas Tabs();
Canvas TabBorder();
// Status-bar panels: lowered, raised, flat.
constexpr int kStatusMargin = 2;
Canvas StatusPanels();
// List and header columns: normal, pressed, disabled, hot, sorted.
constexpr int kHeaderSide = 2;
constexpr int kHeaderEnd = 4;
Canvas Header();

// Menu items: normal, separator, disabled selection, selected, default selection.
constexpr int kMenuItemSide = 4;
constexpr int kMenuItemEnd = 4;
Canvas MenuItem();
// Popup menu background; its outer three pixels are the popup's frame.
constexpr int kMenuFrame = 3;
Canvas MenuBackground();

// Scroll bars: the 23-cell arrow strip, the two tracks (normal, hot, disabled, pressed) and the
// two thumbs (normal, dragged, hot).
constexpr int kScrollSize = 17;
constexpr int kThumbCells = 3;
constexpr int kThumbEnd = 6;
Canvas ScrollArrows();
Canvas HorzTrack();
Canvas VertTrack();
Canvas HorzThumb();
Canvas VertThumb();

// Track-bar thumbs, five cells each (normal, focused, hot, pressed, disabled).
enum class ThumbShape { Horz, Vert, Left, Right, Up, Down };
Canvas TrackThumb(ThumbShape shape);

// Up-down buttons, eight cells (first arrow then second, each normal, pressed, disabled, hot)
// and their glyph strips with the same cells.
Canvas UpDownHorz();
Canvas UpDownVert();
Canvas UpDownHorzGlyphs();
Canvas UpDownVertGlyphs();

} // namespace vela::tools::art
