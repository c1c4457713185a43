// The skinned up-down control.
#include "skin/controls/skin_up_down.h"

#include "skin/controls/button_looks.h"
#include "skin/draw/primitives_win.h"
#include "ui/win_control.h"

#include <commctrl.h>

#include <algorithm>

namespace vela::skin {

namespace {

// Direction of a half: 0 up, 1 down, 2 left, 3 right.
void DrawFallbackArrowButton(HDC dc, const Rect& half, int direction, Look look, const TSkinColours& colours) {
  const bool sunk = look == Look::Pressed || look == Look::HotOrFocused;
  HPEN pen = CreatePen(PS_SOLID, 1, ui::ColorToRGB(colours.ButtonDkShadow));
  HBRUSH brush = CreateSolidBrush(ui::ColorToRGB(sunk ? colours.ButtonShadow : colours.ButtonFace));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  Rectangle(dc, half.left, half.top, half.right, half.bottom);
  SelectObject(dc, oldBrush);
  DeleteObject(brush);

  // Three strokes narrowing toward the tip; up and down sit 2 pixels above the centre.
  const int cx = half.left + half.Width() / 2;
  const int cy = half.top + half.Height() / 2 - (direction < 2 ? 2 : 0);
  for (int i = 0; i < 3; ++i) {
    switch (direction) {
    case 0: // tip at the top
      MoveToEx(dc, cx - i, cy + i, nullptr);
      LineTo(dc, cx + i + 1, cy + i);
      break;
    case 1: // tip at the bottom
      MoveToEx(dc, cx - 2 + i, cy + i, nullptr);
      LineTo(dc, cx + 3 - i, cy + i);
      break;
    case 2: // tip on the left
      MoveToEx(dc, cx - 1 + i, cy - i, nullptr);
      LineTo(dc, cx - 1 + i, cy + i + 1);
      break;
    default: // tip on the right
      MoveToEx(dc, cx + 1 - i, cy - i, nullptr);
      LineTo(dc, cx + 1 - i, cy + i + 1);
      break;
    }
  }
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

} // namespace

const ui::TClassInfo& TSkinUpDown::StaticClassInfo() {
  static const ui::TClassInfo info =
      ui::MakeClassInfo<TSkinUpDown>("TSkinUpDown", &TSkinControl::StaticClassInfo(), {});
  return info;
}

TSkinUpDown::TSkinUpDown(ui::TComponent* owner) : TSkinControl(owner) {}

TSkinUpDown::~TSkinUpDown() {
  Destroying();
}

void TSkinUpDown::MouseMoved() {
  SetState(sbHot, true);
  if (!trackingLeave_) {
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, Handle(), 0};
    trackingLeave_ = TrackMouseEvent(&tme) != FALSE;
  }
  PaintWindow(nullptr);
}

bool TSkinUpDown::BeforeMessage(ui::TMessage& m) {
  switch (m.Msg) {
  case WM_PAINT:
    PaintClientMessage(m);
    return false;
  case WM_ERASEBKGND:
    if (!Control()) {
      RECT client{};
      GetClientRect(Handle(), &client);
      FillRect(reinterpret_cast<HDC>(m.WParam), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    m.Result = 1;
    return false;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    DefaultProc(m);
    SetState(sbPressed, true);
    PaintWindow(nullptr);
    return false;
  case WM_LBUTTONUP:
    SetState(sbPressed, false);
    DefaultProc(m);
    PaintWindow(nullptr);
    return false;
  case WM_MOUSEMOVE:
    DefaultProc(m);
    MouseMoved();
    return false;
  case WM_MOUSELEAVE:
  case ui::CM_MOUSELEAVE:
    trackingLeave_ = false;
    DefaultProc(m);
    SetState(sbHot, false);
    PaintWindow(nullptr);
    return false;
  default:
    return TSkinControl::BeforeMessage(m);
  }
}

void TSkinUpDown::Draw(HDC dc, const RECT& rect) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  const TSkinElements* e = Elements();
  if (!e || width <= 0 || height <= 0)
    return;
  if (buffer_.Width() != width || buffer_.Height() != height)
    buffer_.SetSize(width, height);
  HDC back = buffer_.Dc();
  FillSkinColor(back, RECT{0, 0, width, height});
  Rect area{0, 0, width, height};
  if (buddy_)
    area = Rect{1, 1, width - 1, height - 1};

  const auto style = GetWindowLongPtrW(Handle(), GWL_STYLE);
  const bool horizontal = (style & UDS_HORZ) || tabSetOwned_;
  const UpDownHalves halves = SplitUpDown(area, horizontal);
  POINT cursor{};
  GetCursorPos(&cursor);
  ScreenToClient(Handle(), &cursor);
  const auto inside = [&](const Rect& r) {
    return cursor.x >= r.left && cursor.x < r.right && cursor.y >= r.top && cursor.y < r.bottom;
  };
  ButtonState s;
  s.Hot = Hot();
  s.Pressed = Pressed();
  s.Enabled = !(style & WS_DISABLED);

  const TDataSkinBorder* element = horizontal ? e->UpDownHorz.get() : e->UpDownVert.get();
  const bool skinned = element && !element->Bitmap.Empty();
  const int cells = skinned ? std::max(1, int(element->FrameCount)) : 1;
  const Rect parts[2] = {halves.First, halves.Second};
  for (int half = 0; half < 2; ++half) {
    // The hot and pressed looks belong to the half the other one does not hold the cursor of.
    const Look look = UpDownHalfLook(s, !inside(parts[1 - half]));
    looks_[std::size_t(half)] = LookCell(look);
    const int cell = UpDownCell(look, half == 1);
    if (!skinned) {
      DrawFallbackArrowButton(back, parts[half], (horizontal ? 2 : 0) + half, look, e->Colours);
      continue;
    }
    DrawStretchedCell(back, parts[half], element->Bitmap.View(), true, cells, cell);
    if (!element->Bitmap2.Empty())
      DrawCenteredCell(back, parts[half], element->Bitmap2.View(), true, cells, cell);
  }
  BitBlt(dc, rect.left, rect.top, width, height, back, 0, 0, SRCCOPY);
}

TSkinUpDown* SkinCarriedArrows(TSkinControl& holder, HWND arrows, ui::TComponent* owner, ui::TCanvas* canvas,
                               bool buddy, bool tabSetOwned) {
  TSkinHost* host = holder.Host();
  if (!arrows || !host || host->FindControlSkinner(arrows))
    return nullptr;
  auto* skinner = new TSkinUpDown(owner);
  skinner->SetBuddy(buddy);
  skinner->SetTabSetOwned(tabSetOwned);
  skinner->AttachHandle(arrows, host, canvas);
  if (!skinner->Attached()) {
    delete skinner;
    return nullptr;
  }
  // The frame skinner frees the arrows' skinner with the others; the holder forgets it then.
  skinner->FreeNotification(&holder);
  return skinner;
}

} // namespace vela::skin
