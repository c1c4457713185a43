#pragma once
// Skinned scroll bars. A scrolling window keeps its native scroll bars; a small self-drawn
// window, TWScrollbar, lies exactly over each of them and shows the skin. The overlay never
// scrolls anything itself: a press on it is handed to the scrolled window as a press on its
// native bar, so the system's own scroll loop runs, and the overlay only follows what the
// window reports.
//
//   parent window
//   +--------------------------------------------+
//   |  scrolled window              +--+         |   the overlays are siblings of the
//   |  +----------------------------|^ |         |   scrolled window, directly above it
//   |  |                            |  |<- kind 1|   in the z-order, placed over the
//   |  |                            |v |         |   native bars whenever the window's
//   |  +----------------------------+--+         |   frame is painted, moved, sized,
//   |  |< kind 0                  >|  |<- corner |   shown or hidden
//   |  +----------------------------+--+         |
//   +--------------------------------------------+
//
// TSkinScrollbar covers the bars of a framework control (memos, list views, any window with
// WS_VSCROLL or WS_HSCROLL); TSkinScrollbarH those of a bare window.
#include "skin/controls/scroll_geometry.h"
#include "skin/controls/skin_control.h"
#include "ui/bitmap.h"
#include "ui/win_control.h"

#include <memory>

namespace vela::skin {

// What the overlay covers: the window's horizontal bar, its vertical bar, or a stand-alone
// scroll bar control.
enum TScrollbarKind : std::uint8_t { sbkHorizontal = 0, sbkVertical = 1, sbkControl = 2 };

// The native bar as the system reports it.
struct TNativeBar {
  RECT screenRect{}; // the bar's rectangle on the screen
  ThumbSpan thumb;   // along the axis, from the bar's start
  bool visible = false;
  bool enabled = false;
};

class TWScrollbar : public ui::TCustomControl {
  VELA_CLASS_INFO
public:
  // `owner` frees the overlay; the skinner it serves is given when binding.
  explicit TWScrollbar(ui::TComponent* owner);
  ~TWScrollbar() override;

  // Covers a bar of `control`'s window (kind 0 or 1), or the control itself when it is a
  // stand-alone scroll bar (kind 2; its orientation then comes from its "Kind" property, or
  // from the window style for a bare window).
  void BindControl(TSkinControl* skinner, ui::TWinControl* control, TScrollbarKind kind);
  void BindWindow(TSkinControl* skinner, HWND window, TScrollbarKind kind);
  // Lays the overlay over the native bar, or hides it when there is no visible bar.
  void Place();
  void HideBar();
  // The scroll code of the part at `along` pixels from the bar's start (kind 2).
  ScrollPart HitPart(int along) const;
  // Reads the native bar; false when the system cannot tell.
  bool ReadBar(TNativeBar& bar) const;

  // The scrolled window reports the part being operated (the low word of its scroll message).
  void SetPressedPart(int part) { pressedPart_ = part; }
  int PressedPart() const { return pressedPart_; }
  bool Shown() const { return shown_; }
  bool Tracking() const { return tracking_; }
  bool Vertical() const { return vertical_; }
  TScrollbarKind Kind() const { return kind_; }
  HWND ScrolledWindow() const { return scrolled_; }
  // The native bar's rectangle in the scrolled window's client coordinates, as last placed.
  const RECT& BarRect() const { return barRect_; }
  // What the last paint showed: the cells of each part, and the thumb along the axis (none on
  // a disabled bar).
  const ScrollBarCells& PaintedCells() const { return paintedCells_; }
  bool PaintedWithThumb() const { return paintedWithThumb_; }
  ThumbSpan PaintedThumb() const { return paintedThumb_; }

protected:
  void CreateParams(ui::TCreateParams& params) override;
  void WndProc(ui::TMessage& m) override;
  void Paint() override;

private:
  void Bind(TSkinControl* skinner, HWND window, ui::TWinControl* control, TScrollbarKind kind);
  void Press(ui::TMessage& m);
  void Release(ui::TMessage& m);
  // The point of a mouse message in the overlay, as the scrolled window expects it.
  LPARAM TargetPoint(LPARAM overlayPoint) const;
  // Paints the bar into the back buffer; false when there is nothing to paint.
  bool PaintBar(const TNativeBar& bar, int width, int height);

  int trackLength_ = 0;
  POINT screenOrigin_{};
  POINT pressCursor_{};
  int pressThumbStart_ = 0;
  bool tracking_ = false;
  bool vertical_ = false;
  int arrowSize_ = 0;
  HWND scrolled_ = nullptr;
  ui::TWinControl* scrollControl_ = nullptr;
  TSkinControl* skinner_ = nullptr;
  TScrollbarKind kind_ = sbkHorizontal;
  RECT barRect_{};
  int pressedPart_ = -1;
  bool shown_ = false;
  ThumbSpan paintedThumb_;
  ScrollBarCells paintedCells_;
  bool paintedWithThumb_ = false;
  ui::TBitmap buffer_;
};

// The overlays of one scrolling window, and what the skinners of scrolling windows share:
// following the window's scroll messages and filling the corner between the two bars.
class TScrollOverlays {
public:
  TScrollOverlays() = default;
  TScrollOverlays(const TScrollOverlays&) = delete;
  TScrollOverlays& operator=(const TScrollOverlays&) = delete;
  ~TScrollOverlays();

  // Creates the horizontal and then the vertical overlay, owned by `skinner`.
  void Create(TSkinControl* skinner, ui::TWinControl* control, HWND window);
  void Free();
  void PlaceBoth();
  // Places the overlays that are not shown: a bar may have come while they were hidden.
  void PlaceHidden();
  void HideBoth();
  // WM_HSCROLL / WM_VSCROLL: the overlay of that bar shows the part being operated.
  void ScrollReported(UINT msg, WPARAM wParam);
  void InvalidateShown();
  // Fills the square between two shown bars with `colour`, on a DC of the scrolled window.
  void FillCorner(HDC dc, COLORREF colour) const;
  // The scrolled window has painted on `dc`: the overlays paint again (those that were hidden
  // are placed first, as a bar may have come) and the corner takes the face colour.
  void WindowPainted(HDC dc, COLORREF face);
  // The skinner was unskinned: the overlays go, or only hide when the window is destroyed.
  void Unskinned(int lifeState);

  TWScrollbar* Horizontal() const { return horizontal_; }
  TWScrollbar* Vertical() const { return vertical_; }

private:
  TWScrollbar* horizontal_ = nullptr;
  TWScrollbar* vertical_ = nullptr;
};

// The scroll bars of a framework control (memo, list view, any window with native bars).
class TSkinScrollbar : public TSkinControl {
  VELA_CLASS_INFO
public:
  explicit TSkinScrollbar(ui::TComponent* owner);
  ~TSkinScrollbar() override;

  // Takes the owner, a windowed framework control, over through its WindowProc and lays the
  // overlays over its bars.
  virtual void AttachScrolling(TSkinHost* host, ui::TCanvas* canvas);
  void Unskin() override;

  const TScrollOverlays& Overlays() const { return overlays_; }

protected:
  void AfterMessage(ui::TMessage& m) override;
  void Draw(HDC dc, const RECT& rect) override;

  TScrollOverlays overlays_;
};

// The scroll bars of a bare window (the list of a simple combo box, a foreign control).
class TSkinScrollbarH : public TSkinControl {
  VELA_CLASS_INFO
public:
  explicit TSkinScrollbarH(ui::TComponent* owner);
  ~TSkinScrollbarH() override;

  void AttachHandle(HWND window, TSkinHost* host, ui::TCanvas* canvas) override;
  void Unskin() override;

  const TScrollOverlays& Overlays() const { return overlays_; }

protected:
  bool BeforeMessage(ui::TMessage& m) override;
  void AfterMessage(ui::TMessage& m) override;
  void Draw(HDC dc, const RECT& rect) override;

  TScrollOverlays overlays_;
};

// A stand-alone scroll bar control: one overlay of kind 2 over the whole control, which reads
// the control's scroll state and hands presses to it as presses on its client area.
class TSkinScControl : public TSkinControl {
  VELA_CLASS_INFO
public:
  explicit TSkinScControl(ui::TComponent* owner);
  ~TSkinScControl() override;

  // A framework scroll bar control (the owner) or a bare window of the scroll-bar class.
  void AttachControl(TSkinHost* host, bool recolour, ui::TCanvas* canvas) override;
  void AttachHandle(HWND window, TSkinHost* host, ui::TCanvas* canvas) override;
  void Unskin() override;

  TWScrollbar* Overlay() const { return overlay_; }

protected:
  void AfterMessage(ui::TMessage& m) override;
  void Draw(HDC dc, const RECT& rect) override;

private:
  void CreateOverlay();
  void FreeOverlay();
  TWScrollbar* overlay_ = nullptr;
};

} // namespace vela::skin
