#pragma once
// Speed buttons: graphic controls with a glyph and a caption.
//
// The glyph is a strip of NumGlyphs equal cells: 1 up, 2 disabled, 3 down, 4 held down
// (Down with GroupIndex). Missing cells fall back to the first; a missing disabled cell is the
// first drawn grey. The glyph is drawn transparently: the colour of its bottom-left pixel does
// not show. A Flat button shows its edge only while the mouse is over it or it is down.
//
//   Layout   blGlyphLeft | blGlyphRight | blGlyphTop | blGlyphBottom
//   Margin   -1: glyph and caption centred together; otherwise pixels from the edge
//   Spacing  pixels between glyph and caption (-1: centred in the space left)
//
// A press and release over the button clicks it; with GroupIndex > 0 buttons of one group
// (same parent) stay down one at a time.
#include "ui/bitmap.h"
#include "ui/control.h"

#include <memory>

namespace vela::ui {

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// Where glyph and caption go inside a client area (free for tests and skinners).
struct TGlyphLayout {
  POINT glyph{0, 0};
  RECT text{0, 0, 0, 0};
};
TGlyphLayout LayoutGlyphAndText(SIZE client, SIZE glyph, SIZE text, TButtonLayout layout,
                                int margin, int spacing);
// Draws the cell of a glyph strip of `numGlyphs` cells that a button state shows (a missing
// cell falls back to the first, a missing disabled cell is the first drawn grey), transparently.
void DrawGlyphCell(HDC dc, POINT at, const TBitmap& glyph, int numGlyphs, TButtonState state);

class TSpeedButton : public TGraphicControl {
  VELA_CLASS_INFO
public:
  explicit TSpeedButton(TComponent* owner);
  ~TSpeedButton() override;

  TBitmap* Glyph() const { return glyph_.get(); }
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int value);
  bool Flat() const { return flat_; }
  void SetFlat(bool value);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  int Margin() const { return margin_; }
  void SetMargin(int value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);
  bool Down() const { return down_; }
  void SetDown(bool value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool value) { allowAllUp_ = value; }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  void SetText(const std::wstring& text) override;

  TButtonState State() const;
  bool MouseInControl() const { return mouseIn_; }

protected:
  void Paint() override;
  void WndProc(TMessage& message) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
  void DrawGlyph(HDC dc, POINT at, TButtonState state);
  void ReleaseGroup();
  std::unique_ptr<TBitmap> glyph_;
  int numGlyphs_ = 1;
  bool flat_ = false;
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  bool down_ = false;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  bool transparent_ = true;
  bool pressing_ = false;  // the left button went down on the button and is still held
  bool dragInside_ = false;
  bool mouseIn_ = false;
};

} // namespace vela::ui
