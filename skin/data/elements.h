#pragma once
// The element records of a loaded skin: one record per visual element, holding its strip of
// state cells, the margins that keep their size when the cell is stretched, the number of
// cells and a few flags and colours. The skin data owns them; skinners only read them.
//
//   Bitmap:  +--------+--------+--------+     FrameCount cells side by side, each
//            | cell 1 | cell 2 | cell 3 |     Bitmap.Width() / FrameCount wide
//            +--------+--------+--------+
//   margins of one cell:  LeftWidth | middle | RightWidth, TopHeight above, BottomHeight below
#include <cstdint>
#include <string>

#include "skin/data/colours.h"
#include "skin/data/raster.h"

namespace vela::skin {

// The four fixed margins of a cell, in the order the drawing primitives take them.
struct Margins {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  friend bool operator==(const Margins&, const Margins&) = default;
};

// Two opposite margins (not negative) of a cell `cellSize` long, made to leave the cell a middle
// of at least one pixel: margins that already do are kept; wider ones are reduced in proportion
// to what is left, the rounding going to the second. Without a middle the part of the target
// between the margins would have no source, and the nine-slice would leave it unpainted.
//
//   cell 10, margins 8 + 8  ->  4 + 5, middle 1      cell 1, margins 1 + 0  ->  0 + 0
inline void FitMarginPair(int& first, int& last, int cellSize) {
  if (first + std::int64_t(last) == 0 || first + std::int64_t(last) < cellSize) return;
  const std::int64_t room = cellSize > 0 ? cellSize - 1 : 0;
  const std::int64_t scaled = std::int64_t(first) * room / (std::int64_t(first) + last);
  first = int(scaled);
  last = int(room - scaled);
}

// FitMarginPair on both axes of a cellWidth x cellHeight cell.
inline Margins FitMarginsToCell(Margins m, int cellWidth, int cellHeight) {
  FitMarginPair(m.Left, m.Right, cellWidth);
  FitMarginPair(m.Top, m.Bottom, cellHeight);
  return m;
}

class TDataSkinObject {
public:
  explicit TDataSkinObject(std::string name) : Name(std::move(name)) {}
  virtual ~TDataSkinObject() = default;
  TDataSkinObject(const TDataSkinObject&) = delete;
  TDataSkinObject& operator=(const TDataSkinObject&) = delete;

  Margins GetMargins() const { return Margins{LeftWidth, TopHeight, RightWidth, BottomHeight}; }
  void SetMargins(const Margins& m) {
    LeftWidth = m.Left;
    TopHeight = m.Top;
    RightWidth = m.Right;
    BottomHeight = m.Bottom;
  }

  // Width of one cell; 0 when there is no image or no cell, so callers never divide by zero.
  int CellWidth() const { return FrameCount > 0 ? Bitmap.Width() / FrameCount : 0; }

  std::int32_t LeftWidth = 0;
  std::int32_t TopHeight = 0;
  std::int32_t RightWidth = 0;
  std::int32_t BottomHeight = 0;
  skin::Bitmap Bitmap;
  std::int32_t Trans = 0;
  std::int32_t Tile = 0;
  std::string Name;
  std::int32_t FrameCount = 0;
  std::int32_t Style = 0;
  // Colour selectors, -1 when the skin gives none.
  std::int32_t NormalColour = -1;
  std::int32_t MouseOverColour = -1;
  std::int32_t PressedColour = -1;
  ColourCode NormalColour2 = 0;
  ColourCode MouseOverColour2 = 0;
  ColourCode PressedColour2 = 0;
};

// An element with a second image: the tab border, the progress chunk, the up-down glyphs or
// the mirrored combo button.
class TDataSkinBorder : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  skin::Bitmap Bitmap2;
};

// The push-button element, with the check and radio mark strips.
class TDataSkinButton : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  skin::Bitmap CheckBitmap;
  skin::Bitmap RadioBitmap;
  std::int32_t RadioButtonFrame = 0;
  std::int32_t CheckButtonFrame = 0;
  std::uint8_t HasNormalColour2 = 0;
  std::uint8_t HasMouseOverColour2 = 0;
  std::uint8_t HasPressedColour2 = 0;
};

// The caption text. Its margin fields carry the text placement: LeftWidth the shift from the
// left, TopHeight the vertical shift, RightWidth the clip at the right.
class TDataSkinTitle : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  std::int32_t TextAlignment = 0;
  std::int32_t Textbackground = 0;
  std::int32_t FontHeight = 14;
  std::int32_t TXTBackleft = 0;
  std::int32_t TXTBackRight = 0;
  ColourCode ActiveText = kColourNotGiven;
  ColourCode InActiveText = kColourNotGiven;
};

// A caption button (or one of the three MDI buttons).
class TDataSkinSysButton : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  std::int32_t Action = 0;
  std::int32_t Align = 0;
  std::int32_t Xcoord = 0;
  std::int32_t Ycoord = 0;
  std::int32_t CombineOp = -1;
  std::int32_t Visibility = 0;
  std::int32_t Visibility1 = 0;
};

// The group-box label background.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  std::int32_t BackgroundLeftShift = 0;
  std::int32_t BackgroundRightShift = 0;
  std::int32_t BackgroundAlignment = 0;
};

} // namespace vela::skin
