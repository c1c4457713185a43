#include "skin/controls/skin_track_bar.h"

#include "skin/controls/panel_geometry.h"
#include "skin/controls/skin_paint.h"
#include "skin/draw/primitives_win.h"
#include "ui/graphics.h"
#include "ui/messages.h"

#include <commctrl.h>
#include <windowsx.h>

namespace vela::skin {

const ui::TClassInfo& TSkinTrackBar::StaticClassInfo() {
  static const ui::TClassInfo info =
      ui::MakeClassInfo<TSkinTrackBar>("TSkinTrackBar", &TSkinControl::StaticClassInfo(), {});
  return info;
}

TSkinTrackBar::TSkinTrackBar(ui::TComponent* owner) : TSkinControl(owner) {}

void TSkinTrackBar::Refresh() {
  if (IsWindowVisible(Handle()))
    SetFocus(Handle());
  TSkinControl::Refresh();
}

bool TSkinTrackBar::OverThumb(LPARAM point) const {
  RECT thumb{};
  SendMessageW(Handle(), TBM_GETTHUMBRECT, 0, LPARAM(&thumb));
  const POINT p{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  return PtInRect(&thumb, p) != FALSE;
}

void TSkinTrackBar::ChangeState(std::uint8_t bits, bool on) {
  if (((State() & bits) != 0) == on)
    return;
  SetState(bits, on);
  InvalidateRect(Handle(), nullptr, FALSE);
}

bool TSkinTrackBar::BeforeMessage(ui::TMessage& m) {
  switch (m.Msg) {
  case WM_ERASEBKGND:
    m.Result = 1;
    return false;
  case WM_NOTIFY:
  case ui::CN_NOTIFY:
    return !CustomDraw(m);
  case WM_LBUTTONDOWN:
    // Decided before the bar moves the thumb: a press on the thumb drags it.
    ChangeState(sbPressed, OverThumb(m.LParam));
    break;
  default:
    break;
  }
  return TSkinControl::BeforeMessage(m);
}

void TSkinTrackBar::AfterMessage(ui::TMessage& m) {
  switch (m.Msg) {
  case WM_MOUSEMOVE:
    if (!Hot()) {
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
      TrackMouseEvent(&track);
    }
    ChangeState(sbHot, OverThumb(m.LParam));
    break;
  case WM_MOUSELEAVE:
  case ui::CM_MOUSELEAVE:
    ChangeState(sbHot, false);
    break;
  case WM_LBUTTONUP:
  case WM_CAPTURECHANGED:
    ChangeState(sbPressed, false);
    break;
  case WM_PAINT:
    break; // the thumb is painted through custom draw, inside the bar's own paint
  default:
    TSkinControl::AfterMessage(m);
  }
}

// True when the notification was a custom-draw stage answered here.
bool TSkinTrackBar::CustomDraw(ui::TMessage& m) {
  auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(m.LParam);
  if (!draw || draw->hdr.code != UINT(NM_CUSTOMDRAW) || draw->hdr.hwndFrom != Handle())
    return false;
  if (draw->dwDrawStage == CDDS_PREPAINT) {
    m.Result = CDRF_NOTIFYITEMDRAW;
  } else if (draw->dwDrawStage == CDDS_ITEMPREPAINT) {
    if (draw->dwItemSpec == TBCD_THUMB) {
      try {
        DrawThumb(draw->hdc);
      } catch (...) {
        // A thumb that cannot be drawn is left to the bar.
        m.Result = CDRF_DODEFAULT;
        return true;
      }
      m.Result = CDRF_SKIPDEFAULT;
    } else if (draw->dwItemSpec == TBCD_TICS || draw->dwItemSpec == TBCD_CHANNEL) {
      m.Result = CDRF_DODEFAULT;
    }
  }
  return true;
}

void TSkinTrackBar::DrawThumb(HDC dc) {
  RECT thumb{};
  SendMessageW(Handle(), TBM_GETTHUMBRECT, 0, LPARAM(&thumb));
  ReadWindowState();
  const TSkinElements* elements = Elements();
  const TDataSkinObject* element = nullptr;
  if (elements) {
    const TDataSkinObject* vert = elements->TrackbarThumbElement(TrackbarThumb::Vert);
    const bool vertical = (GetWindowLongPtrW(Handle(), GWL_STYLE) & TBS_VERT) != 0;
    element = vertical && vert && !vert->Bitmap.Empty() ? vert : elements->TrackbarThumbElement(TrackbarThumb::Horz);
  }
  if (element && !element->Bitmap.Empty()) {
    cell_ = TrackThumbCell(Enabled(), Hot(), Pressed());
    DrawStretchedCell(dc, Rect{thumb.left, thumb.top, thumb.right, thumb.bottom}, element->Bitmap.View(), true,
                      5, cell_);
    return;
  }
  cell_ = 0;
  FrameWithColour(dc, thumb, ui::ColorToRGB(elements ? elements->Colours.ButtonShadow : ui::clBtnShadow));
}

} // namespace vela::skin
