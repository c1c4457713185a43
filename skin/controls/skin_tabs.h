#pragma once
// The tab skinners.
//
// TSkinTab (tab and page controls): the native control paints, then the skinner draws the tab
// strip from the "Tabs" cells (cell 2 for the focused tab) and the pane border from its
// "Border" image over it. Tabs on the bottom use the images flipped top to bottom; tabs on the
// left or right are composed as if on top and turned into place.
//
// TSkinTab31 (tab sets): paints the whole strip itself from the "Tabs" cells flipped top to
// bottom (a tab set's tabs hang down from the pages above it).
//
// The arrows of a tab row too long for its control (a tab control's up-down child, a tab set's
// scroller) are painted by a TSkinUpDown the tab skinner attaches to them.
#include "skin/controls/skin_control.h"
#include "skin/controls/skin_up_down.h"
#include "skin/controls/tab_geometry.h"
#include "ui/bitmap.h"

#include <vector>

namespace vela::skin {

class TSkinTab : public TSkinControl {
  VELA_CLASS_INFO
public:
  explicit TSkinTab(ui::TComponent* owner);
  ~TSkinTab() override;

  void AttachHandle(HWND window, TSkinHost* host, ui::TCanvas* canvas) override;
  void Unskin() override;
  void Refresh() override;

  TabSide Side() const { return side_; }
  // What the last paint drew: the cell of each tab in order (empty before any).
  const std::vector<int>& TabCells() const { return cells_; }

protected:
  void Draw(HDC dc, const RECT& rect) override;

private:
  void BuildImages();
  // The control makes its arrows only once its tabs no longer fit: looked for at attach and
  // at every paint until found.
  void SkinArrows();
  ui::TColor ParentColour() const;

  TabSide side_ = TabSide::Top;
  Bitmap tabImage_;
  Bitmap borderImage_;
  ui::TBitmap strip_;
  std::vector<int> cells_;
};

class TSkinTab31 : public TSkinControl {
  VELA_CLASS_INFO
public:
  explicit TSkinTab31(ui::TComponent* owner);
  ~TSkinTab31() override;

  void AttachControl(TSkinHost* host, bool recolour, ui::TCanvas* canvas) override;
  void Unskin() override;
  void Refresh() override;

  // What the last paint drew: the tab rectangles and the cell of each (empty before any).
  const std::vector<Rect>& TabRects() const { return rects_; }
  const std::vector<int>& TabCells() const { return cells_; }

protected:
  bool BeforeMessage(ui::TMessage& m) override;
  void AfterMessage(ui::TMessage& m) override;
  void Draw(HDC dc, const RECT& rect) override;

private:
  void BuildImage();
  // The tab set's scroller: its first component, when that is one.
  ui::TWinControl* Scroller() const;
  bool ArrowsVisible() const;

  Bitmap flippedTabs_;
  ui::TBitmap buffer_;
  std::vector<Rect> rects_;
  std::vector<int> cells_;
};

} // namespace vela::skin
