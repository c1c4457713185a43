#include "skin/controls/skin_edit.h"

#include "skin/controls/skin_paint.h"
#include "ui/graphics.h"
#include "ui/messages.h"

#include <algorithm>
#include <cwctype>
#include <string>

namespace vela::skin {

namespace {

// An up-down among an edit's children: the common control's class, or any class that calls
// itself a spin or up-down button.
bool IsArrowsClass(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, int(std::size(name)));
  std::wstring lower(name);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](wchar_t c) { return wchar_t(std::towlower(c)); });
  return lower == L"msctls_updown32" || lower.find(L"spin") != std::wstring::npos ||
         lower.find(L"updown") != std::wstring::npos;
}

} // namespace

const ui::TClassInfo& TSkinEdit::StaticClassInfo() {
  static const ui::TClassInfo info = ui::MakeClassInfo<TSkinEdit>("TSkinEdit", &TSkinControl::StaticClassInfo(), {});
  return info;
}

TSkinEdit::TSkinEdit(ui::TComponent* owner) : TSkinControl(owner) {}

TSkinEdit::~TSkinEdit() {
  Destroying();
}

void TSkinEdit::SkinArrows() {
  if (Arrows() || !Handle())
    return;
  for (HWND child = GetTopWindow(Handle()); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsArrowsClass(child)) {
      CarryArrows(child, true, false);
      return;
    }
}

COLORREF TSkinEdit::ColourOf(EditFrameColour colour) const {
  const TSkinElements* elements = Elements();
  const TSkinColours colours = elements ? elements->Colours : TSkinColours{};
  switch (colour) {
  case EditFrameColour::Shadow:
    return ui::ColorToRGB(colours.ButtonShadow);
  case EditFrameColour::Hilight:
    return ui::ColorToRGB(colours.Hilight);
  case EditFrameColour::Face:
    return ui::ColorToRGB(colours.ButtonFace);
  case EditFrameColour::White:
    break;
  }
  return RGB(255, 255, 255);
}

void TSkinEdit::SetHot(bool hot) {
  if (hot == Hot())
    return;
  SetState(sbHot, hot);
  if (hot) {
    // One control of the window looks hot: the one the mouse came from is told it left.
    if (TSkinHost* host = Host()) {
      if (TSkinControl* previous = host->HotControl(); previous && previous != this)
        previous->SendMouseLeave();
      host->SetHotControl(this);
    }
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
    TrackMouseEvent(&track);
  } else if (Host() && Host()->HotControl() == this) {
    Host()->SetHotControl(nullptr);
  }
  PaintWindow(nullptr);
}

bool TSkinEdit::BeforeMessage(ui::TMessage& m) {
  // The edit's own printing may leave the DC clipped to its client area; the frame goes on
  // with the state and brush the caller gave.
  if (m.Msg == WM_PRINT && m.WParam)
    printState_ = SaveDC(reinterpret_cast<HDC>(m.WParam));
  return TSkinControl::BeforeMessage(m);
}

void TSkinEdit::AfterMessage(ui::TMessage& m) {
  switch (m.Msg) {
  case WM_PAINT:
    if (!m.WParam)
      PaintWindow(nullptr);
    return;
  case WM_NCPAINT:
    // The border is non-client: a frame repaint without a client repaint would bring the
    // native border back. With a client repaint to come, that one frames it.
    if (!GetUpdateRect(Handle(), nullptr, FALSE))
      PaintWindow(nullptr);
    return;
  case WM_PRINT:
    if (printState_)
      RestoreDC(reinterpret_cast<HDC>(m.WParam), printState_);
    printState_ = 0;
    PrintFrame(reinterpret_cast<HDC>(m.WParam));
    return;
  case WM_MOUSEMOVE:
    SetHot(true);
    return;
  case WM_MOUSELEAVE:
  case ui::CM_MOUSELEAVE:
    SetHot(false);
    return;
  default:
    TSkinControl::AfterMessage(m);
  }
}

void TSkinEdit::Draw(HDC dc, const RECT& rect) {
  SkinArrows();
  ReadFocusAndEnabled();
  RECT client{};
  GetClientRect(Handle(), &client);
  look_.Painted = EditHasBorder(rect.right - rect.left, rect.bottom - rect.top, client.right, client.bottom);
  if (!look_.Painted)
    return;
  look_.Frame = EditFrameFor(Enabled(), Focused(), Hot());
  FrameWithColour(dc, rect, ColourOf(look_.Frame.Outer));
  RECT inner = rect;
  InflateRect(&inner, -1, -1);
  FrameWithColour(dc, inner, ColourOf(look_.Frame.Inner));
}

void TSkinEdit::PrintFrame(HDC dc) {
  RECT r{}, client{};
  if (!dc || !GetWindowRect(Handle(), &r))
    return;
  OffsetRect(&r, -r.left, -r.top);
  GetClientRect(Handle(), &client);
  if (!EditPrintsFrame(r.right, r.bottom, client.right, client.bottom))
    return;
  RECT inner = r;
  InflateRect(&inner, -1, -1);
  FrameRect(dc, &inner, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
  FrameWithColour(dc, r, ColourOf(EditFrameColour::Shadow));
}

} // namespace vela::skin
