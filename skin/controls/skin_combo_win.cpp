// The combo-box skinner: the control's own painting, then the skin's frame and drop button.
#include "skin/controls/skin_combo.h"

#include "skin/controls/combo_geometry.h"
#include "skin/controls/window_subclass.h"
#include "skin/draw/primitives_win.h"
#include "ui/win_control.h"

#include <algorithm>

namespace vela::skin {

namespace {

constexpr wchar_t kEditProp[] = L"Vela.SkinComboEdit";

LRESULT CALLBACK EditProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DispatchSubclassed(window, msg, wParam, lParam, kEditProp);
}

bool ComboInfo(HWND window, COMBOBOXINFO& info) {
  info = COMBOBOXINFO{};
  info.cbSize = sizeof info;
  return GetComboBoxInfo(window, &info) != FALSE;
}

Rect ToRect(const RECT& r) {
  return Rect{r.left, r.top, r.right, r.bottom};
}

void FrameWith(HDC dc, const Rect& r, HBRUSH brush) {
  const RECT native{r.left, r.top, r.right, r.bottom};
  FrameRect(dc, &native, brush);
}

} // namespace

const ui::TClassInfo& TSkinComBox::StaticClassInfo() {
  static const ui::TClassInfo info =
      ui::MakeClassInfo<TSkinComBox>("TSkinComBox", &TSkinControl::StaticClassInfo(), {});
  return info;
}

TSkinComBox::TSkinComBox(ui::TComponent* owner) : TSkinControl(owner) {}

TSkinComBox::~TSkinComBox() {
  Destroying();
  ReleaseEditField();
  if (listBars_)
    listBars_->RemoveFreeNotification(this);
}

void TSkinComBox::Notification(ui::TComponent* component, ui::TOperation operation) {
  TSkinControl::Notification(component, operation);
  if (operation == ui::TOperation::opRemove && component == listBars_)
    listBars_ = nullptr;
}

void TSkinComBox::AttachControl(TSkinHost* host, bool recolour, ui::TCanvas* canvas) {
  const bool wasAttached = Attached();
  TSkinControl::AttachControl(host, recolour, canvas);
  if (!wasAttached && Attached())
    TakeOverEditField();
}

void TSkinComBox::AttachHandle(HWND window, TSkinHost* host, ui::TCanvas* canvas) {
  const bool wasAttached = Attached();
  TSkinControl::AttachHandle(window, host, canvas);
  if (!wasAttached && Attached())
    TakeOverEditField();
}

void TSkinComBox::TakeOverEditField() {
  style_ = DWORD(GetWindowLongPtrW(Handle(), GWL_STYLE));
  exStyle_ = DWORD(GetWindowLongPtrW(Handle(), GWL_EXSTYLE));
  if ((style_ & 3) == CBS_SIMPLE) {
    SkinListBars();
    return;
  }
  HWND child = GetWindow(Handle(), GW_CHILD);
  COMBOBOXINFO info;
  if (ComboInfo(Handle(), info) && info.hwndItem && info.hwndItem != Handle())
    child = info.hwndItem;
  if (child && InstallWindowHook(child, kEditProp, &EditProc, this, &TSkinComBox::EditMessage))
    edit_ = child;
}

void TSkinComBox::SkinListBars() {
  COMBOBOXINFO info;
  if (listBars_ || !ComboInfo(Handle(), info) || !info.hwndList || !Host())
    return;
  // The overlays are siblings of the list: a list that is a pop-up of its own (a drop-down's)
  // or a child of the desktop has none to lie beside.
  HWND list = info.hwndList;
  const auto style = GetWindowLongPtrW(list, GWL_STYLE);
  const HWND parent = GetParent(list);
  if (!(style & WS_CHILD) || (style & WS_POPUP) || !parent || parent == GetDesktopWindow() ||
      Host()->FindControlSkinner(list))
    return;
  auto* bars = new TSkinScrollbarH(Owner());
  bars->AttachHandle(list, Host(), canvas_);
  if (!bars->Attached()) {
    delete bars;
    return;
  }
  // The frame skinner frees the list's skinner with the others; the combo's forgets it then.
  bars->FreeNotification(this);
  listBars_ = bars;
}

void TSkinComBox::ReleaseEditField() {
  if (edit_)
    RemoveWindowHook(edit_, kEditProp, this);
  edit_ = nullptr;
}

void TSkinComBox::Unskin() {
  ReleaseEditField();
  TSkinControl::Unskin();
  // The control's own look comes back with its next paint.
  if (Handle() && IsWindow(Handle()))
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TSkinComBox::EditMessage(void* owner, ui::TMessage& m) {
  auto* self = static_cast<TSkinComBox*>(owner);
  HWND edit = self->edit_;
  if (WNDPROC previous = SubclassedPrevious(edit, kEditProp))
    m.Result = CallWindowProcW(previous, edit, m.Msg, m.WParam, m.LParam);
  if (!self->SkinOn())
    return;
  switch (m.Msg) {
  case WM_PAINT:
    self->PaintWindow(nullptr);
    break;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    self->SetPressed(true);
    break;
  case WM_LBUTTONUP:
    self->SetPressed(false);
    break;
  case WM_NCDESTROY:
    self->edit_ = nullptr;
    break;
  default:
    break;
  }
}

void TSkinComBox::SetPressed(bool pressed) {
  SetState(sbPressed, pressed);
  PaintWindow(nullptr);
}

void TSkinComBox::SetHot(bool hot) {
  if (!Enabled() || Hot() == hot)
    return;
  SetState(sbHot, hot);
  PaintWindow(nullptr);
}

void TSkinComBox::AfterMessage(ui::TMessage& m) {
  switch (m.Msg) {
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    SetPressed(true);
    break;
  case WM_LBUTTONUP:
    SetPressed(false);
    break;
  case WM_DRAWITEM:
  case WM_NCPAINT:
    PaintWindow(nullptr);
    break;
  case WM_MOUSEMOVE:
    // A bare window hears of the mouse only through its own messages: leaving is asked for.
    if (!Control() && !trackingLeave_) {
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
      trackingLeave_ = TrackMouseEvent(&track) != FALSE;
      SetHot(true);
    }
    break;
  case WM_MOUSELEAVE:
    trackingLeave_ = false;
    SetHot(false);
    break;
  case ui::CM_MOUSEENTER:
    SetHot(true);
    break;
  case ui::CM_MOUSELEAVE:
    SetHot(false);
    break;
  default:
    TSkinControl::AfterMessage(m);
    break;
  }
}

ButtonState TSkinComBox::ReadState() const {
  ButtonState s;
  s.Hot = Hot();
  s.Pressed = Pressed();
  s.Enabled = !(style_ & WS_DISABLED);
  HWND focus = GetFocus();
  s.Focused = focus && (focus == Handle() || IsChild(Handle(), focus));
  return s;
}

void TSkinComBox::Draw(HDC dc, const RECT& rect) {
  const TSkinElements* elements = Elements();
  if (!elements || !elements->ComboButton || elements->ComboButton->Bitmap.Empty())
    return;
  COMBOBOXINFO info;
  if (ComboInfo(Handle(), info) && (info.stateButton & STATE_SYSTEM_INVISIBLE))
    return;
  style_ = DWORD(GetWindowLongPtrW(Handle(), GWL_STYLE));
  exStyle_ = DWORD(GetWindowLongPtrW(Handle(), GWL_EXSTYLE));
  look_ = LookCell(ComboLook(ReadState()));
  const TDataSkinBorder& button = *elements->ComboButton;
  const bool onLeft = (exStyle_ & WS_EX_LEFTSCROLLBAR) != 0;
  const Rect whole = ToRect(rect);
  const ComboParts parts = ComboLayout(whole, button.Style, onLeft, GetSystemMetrics(SM_CXHSCROLL),
                                       GetSystemMetrics(SM_CYVTHUMB));
  const int cells = std::max(1, int(button.FrameCount));

  if (button.Style == 2) {
    // The composite's text area is magenta: the control's own text shows through it.
    const bool mirrored = onLeft && elements->SunkEdge && !elements->SunkEdge->Bitmap.Empty();
    const TDataSkinObject& composite =
        mirrored ? *elements->SunkEdge : static_cast<const TDataSkinObject&>(button);
    DrawSkinRect(dc, whole, composite.Bitmap.View(), composite.GetMargins(), look_,
                 std::max(1, int(composite.FrameCount)), true, false, false);
    return;
  }
  if (button.Style == 1) {
    HBRUSH current = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
    FrameWith(dc, parts.Frame, current);
    const RECT column{parts.Button.left, parts.Button.top, parts.Button.right, parts.Button.bottom};
    FillRect(dc, &column, current);
    DrawStretchedCell(dc, parts.Button, button.Bitmap.View(), button.Trans == 1, cells, look_);
    ui::TGdiObject<HBRUSH> shadow(CreateSolidBrush(ui::ColorToRGB(elements->Colours.ButtonShadow)));
    FrameWith(dc, whole, shadow.Get());
    return;
  }
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, parts.Edit.left, parts.Edit.top, parts.Edit.right, parts.Edit.bottom);
  if (elements->SunkEdge)
    DrawSkinElement(dc, rect, std::max(1, int(elements->SunkEdge->FrameCount)), look_,
                    *elements->SunkEdge);
  const Bitmap& strip = onLeft && !button.Bitmap2.Empty() ? button.Bitmap2 : button.Bitmap;
  DrawStretchedCell(dc, parts.Button, strip.View(), true, cells, look_);
  if (const TDataSkinObject* arrows = elements->ExtraImages.get();
      arrows && !arrows->Bitmap.Empty())
    DrawCenteredCell(dc, parts.Glyph, arrows->Bitmap.View(), true,
                     std::max(1, int(arrows->FrameCount)), look_);
  RestoreDC(dc, saved);
}

} // namespace vela::skin
