#include "ui/form.h"

#include "ui/application.h"
#include "ui/core/form_reader.h"
#include "ui/menus.h"

#include <algorithm>

namespace vela::ui {

namespace {
TScreen screenInstance;
} // namespace

TScreen* Screen = &screenInstance;

TCustomForm* TScreen::ActiveForm() const {
  HWND active = GetActiveWindow();
  for (TCustomForm* f : forms_)
    if (f->HandleIfAllocated() && f->HandleIfAllocated() == active) return f;
  return nullptr;
}

const TClassInfo& TCustomForm::StaticClassInfo() {
  using P = PropsOf<TCustomForm>;
  static const TClassInfo info = MakeClassInfo<TCustomForm>(
      "TCustomForm", &TCustomControl::StaticClassInfo(),
      {P::Set("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons,
              {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}),
       P::Enum<TFormBorderStyle>("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle,
                                 {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}),
       P::Enum<TFormStyle>("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle,
                           {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}),
       P::Enum<TPosition>("Position", &TCustomForm::Position, &TCustomForm::SetPosition,
                          {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter"}),
       P::Enum<TWindowState>("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState,
                             {"wsNormal", "wsMinimized", "wsMaximized"}),
       P::Bool("AutoScroll", &TCustomForm::AutoScroll, &TCustomForm::SetAutoScroll),
       P::Ref<TMainMenu>("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu),
       P::Ref<TWinControl>("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl),
       P::Event("OnCreate", &TCustomForm::OnCreate), P::Event("OnShow", &TCustomForm::OnShow),
       P::Event("OnHide", &TCustomForm::OnHide), P::Event("OnClose", &TCustomForm::OnClose),
       P::Event("OnCloseQuery", &TCustomForm::OnCloseQuery), P::Event("OnDestroy", &TCustomForm::OnDestroy),
       P::Event("OnActivate", &TCustomForm::OnActivate),
       P::Event("OnDeactivate", &TCustomForm::OnDeactivate)});
  return info;
}

const TClassInfo& TForm::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TForm>("TForm", &TCustomForm::StaticClassInfo(), {});
  return info;
}

TCustomForm::TCustomForm(TComponent* owner) : TCustomControl(owner) {
  SetVisible(false);
  clickOnRelease_ = false;
  Screen->forms_.push_back(this);
}

TCustomForm::~TCustomForm() {
  Destroying();
  auto& forms = Screen->forms_;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  // The menu is freed with the other components; the window must not keep its handle.
  if (menu_ && HandleIfAllocated()) ::SetMenu(HandleIfAllocated(), nullptr);
}

void TCustomForm::ReadDescription(std::wstring_view resourceName) {
  std::wstring name = resourceName.empty() ? Utf8ToWide(AsciiUpperCase(ClassName())) : std::wstring(resourceName);
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) throw EReadError(L"The form description resource " + name + L" is missing");
  ReadDescriptionText(std::string_view(static_cast<const char*>(data), SizeofResource(module, found)));
}

void TCustomForm::ReadDescriptionText(std::string_view text) {
  RegisterStandardClasses();
  DisableAlign();
  try {
    ReadComponentFromText(this, text);
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
  DoCreate();
}

void TCustomForm::BeforeDestruction() {
  TCustomControl::BeforeDestruction();
  if (!OnDestroy) return;
  try {
    OnDestroy(this);
  } catch (...) {
    if (Application) Application->HandleException(this);
  }
}

void TCustomForm::DoCreate() {
  created_ = true;
  if (!OnCreate) return;
  try {
    OnCreate(this);
  } catch (...) {
    if (Application) Application->HandleException(this);
  }
}

// ---- window

void TCustomForm::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.parent = nullptr;
  p.style = WS_CLIPCHILDREN;
  p.exStyle = WS_EX_CONTROLPARENT;
  bool canHaveBoxes = true;
  switch (borderStyle_) {
  case TFormBorderStyle::bsNone:
    p.style |= WS_POPUP;
    canHaveBoxes = false;
    break;
  case TFormBorderStyle::bsSingle:
    p.style |= WS_CAPTION | WS_BORDER;
    break;
  case TFormBorderStyle::bsSizeable:
    p.style |= WS_CAPTION | WS_THICKFRAME;
    break;
  case TFormBorderStyle::bsDialog:
    p.style |= WS_CAPTION | DS_MODALFRAME;
    p.exStyle |= WS_EX_DLGMODALFRAME;
    canHaveBoxes = false;
    break;
  case TFormBorderStyle::bsToolWindow:
    p.style |= WS_CAPTION;
    p.exStyle |= WS_EX_TOOLWINDOW;
    canHaveBoxes = false;
    break;
  case TFormBorderStyle::bsSizeToolWin:
    p.style |= WS_CAPTION | WS_THICKFRAME;
    p.exStyle |= WS_EX_TOOLWINDOW;
    canHaveBoxes = false;
    break;
  }
  if (borderStyle_ != TFormBorderStyle::bsNone && (borderIcons_ & biSystemMenu)) {
    p.style |= WS_SYSMENU;
    if (canHaveBoxes && (borderIcons_ & biMinimize)) p.style |= WS_MINIMIZEBOX;
    if (canHaveBoxes && (borderIcons_ & biMaximize)) p.style |= WS_MAXIMIZEBOX;
    // Windows shows the help button only on a caption without minimise and maximise boxes.
    if ((borderIcons_ & biHelp) && !(p.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) p.exStyle |= WS_EX_CONTEXTHELP;
  }
  if (formStyle_ == TFormStyle::fsStayOnTop) p.exStyle |= WS_EX_TOPMOST;
  if (autoScroll_) p.style |= WS_HSCROLL | WS_VSCROLL;
  switch (position_) {
  case TPosition::poDefault:
    p.x = p.y = p.width = p.height = CW_USEDEFAULT;
    break;
  case TPosition::poDefaultPosOnly:
    p.x = p.y = CW_USEDEFAULT;
    break;
  case TPosition::poScreenCenter:
    p.x = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
    p.y = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
    break;
  default:
    break;
  }
  p.winClassName = Utf8ToWide(ClassName());
}

void TCustomForm::FrameSize(int& extraWidth, int& extraHeight) const {
  HWND h = HandleIfAllocated();
  if (h) {
    RECT w, c;
    GetWindowRect(h, &w);
    GetClientRect(h, &c);
    extraWidth = (w.right - w.left) - c.right;
    extraHeight = (w.bottom - w.top) - c.bottom;
    return;
  }
  TCreateParams p;
  const_cast<TCustomForm*>(this)->CreateParams(p);
  RECT r{0, 0, 100, 100};
  AdjustWindowRectEx(&r, p.style & ~DWORD(WS_HSCROLL | WS_VSCROLL), menu_ != nullptr, p.exStyle);
  extraWidth = (r.right - r.left) - 100;
  extraHeight = (r.bottom - r.top) - 100;
}

void TCustomForm::SetClientWidth(int value) {
  int ew = 0, eh = 0;
  FrameSize(ew, eh);
  SetWidth(value + ew);
}

void TCustomForm::SetClientHeight(int value) {
  int ew = 0, eh = 0;
  FrameSize(ew, eh);
  SetHeight(value + eh);
}

RECT TCustomForm::ClientRect() const {
  if (HandleIfAllocated()) return TCustomControl::ClientRect();
  int ew = 0, eh = 0;
  FrameSize(ew, eh);
  return RECT{0, 0, std::max(0, Width() - ew), std::max(0, Height() - eh)};
}

POINT TCustomForm::ClientOrigin() const {
  if (HandleIfAllocated()) return TCustomControl::ClientOrigin();
  return POINT{Left(), Top()};
}

bool TCustomForm::Showing() const { return HandleIfAllocated() && IsWindowVisible(HandleIfAllocated()); }

void TCustomForm::HandleCreated() {
  TCustomControl::HandleCreated();
  if (menu_) ::SetMenu(HandleIfAllocated(), menu_->Handle());
  if (icon_) SetIcon(icon_);
  UpdateScrollRange();
}

void TCustomForm::Loaded() {
  TCustomControl::Loaded();
  if (Visible()) VisibleChanged();
}

void TCustomForm::VisibleChanged() {
  if (HasState(csLoading)) return;
  if (Visible()) {
    if (OnShow) OnShow(this);
    HWND h = Handle();
    int show = windowState_ == TWindowState::wsMaximized   ? SW_SHOWMAXIMIZED
               : windowState_ == TWindowState::wsMinimized ? SW_SHOWMINIMIZED
                                                           : SW_SHOWNORMAL;
    ShowWindow(h, show);
    shownOnce_ = true;
    if (activeControl_ && activeControl_->CanFocus()) activeControl_->SetFocus();
  } else if (HWND h = HandleIfAllocated()) {
    if (OnHide) OnHide(this);
    ShowWindow(h, SW_HIDE);
  }
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
  if (icons == borderIcons_) return;
  borderIcons_ = icons;
  RecreateWnd();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle style) {
  if (style == formStyle_) return;
  formStyle_ = style;
  RecreateWnd();
}

TWindowState TCustomForm::WindowState() const {
  if (HWND h = HandleIfAllocated()) {
    if (IsIconic(h)) return TWindowState::wsMinimized;
    if (IsZoomed(h)) return TWindowState::wsMaximized;
    return TWindowState::wsNormal;
  }
  return windowState_;
}

void TCustomForm::SetWindowState(TWindowState state) {
  windowState_ = state;
  if (HWND h = HandleIfAllocated(); h && IsWindowVisible(h))
    ShowWindow(h, state == TWindowState::wsMaximized   ? SW_MAXIMIZE
                  : state == TWindowState::wsMinimized ? SW_MINIMIZE
                                                       : SW_RESTORE);
}

void TCustomForm::SetAutoScroll(bool value) {
  if (value == autoScroll_) return;
  autoScroll_ = value;
  if (!value && (scrollPos_.x || scrollPos_.y)) {
    // Put the controls back where they belong before the scroll bars go.
    for (int i = 0; i < ControlCount(); ++i) {
      TControl* c = Controls(i);
      c->SetBounds(c->Left() + scrollPos_.x, c->Top() + scrollPos_.y, c->Width(), c->Height());
    }
    scrollPos_ = POINT{0, 0};
  }
  UpdateScrollRange();
}

void TCustomForm::UpdateScrollRange() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  if (!autoScroll_) {
    ShowScrollBar(h, SB_BOTH, FALSE);
    return;
  }
  int right = 0, bottom = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!c->Visible() || c->Align() != TAlign::alNone) continue;
    right = std::max(right, c->Left() + c->Width() + int(scrollPos_.x));
    bottom = std::max(bottom, c->Top() + c->Height() + int(scrollPos_.y));
  }
  RECT client;
  GetClientRect(h, &client);
  auto setBar = [&](int bar, int extent, int page, LONG pos) {
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, extent > page ? extent - 1 : 0,
                  UINT(extent > page ? page : 0), int(pos), 0};
    SetScrollInfo(h, bar, &si, TRUE);
    ShowScrollBar(h, bar, extent > page);
  };
  setBar(SB_HORZ, right, client.right, scrollPos_.x);
  setBar(SB_VERT, bottom, client.bottom, scrollPos_.y);
}

void TCustomForm::ScrollBy(int bar, int code) {
  HWND h = HandleIfAllocated();
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  if (!h || !GetScrollInfo(h, bar, &si)) return;
  int pos = si.nPos;
  int maxPos = std::max(0, si.nMax - int(si.nPage) + 1);
  switch (code) {
  case SB_LINEUP: pos -= 8; break;
  case SB_LINEDOWN: pos += 8; break;
  case SB_PAGEUP: pos -= int(si.nPage); break;
  case SB_PAGEDOWN: pos += int(si.nPage); break;
  case SB_THUMBTRACK:
  case SB_THUMBPOSITION: pos = si.nTrackPos; break;
  case SB_TOP: pos = 0; break;
  case SB_BOTTOM: pos = maxPos; break;
  default: return;
  }
  pos = std::clamp(pos, 0, maxPos);
  LONG& current = bar == SB_HORZ ? scrollPos_.x : scrollPos_.y;
  int delta = int(current) - pos;
  if (!delta) return;
  current = pos;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c->Align() != TAlign::alNone) continue;
    if (bar == SB_HORZ) c->SetBounds(c->Left() + delta, c->Top(), c->Width(), c->Height());
    else c->SetBounds(c->Left(), c->Top() + delta, c->Width(), c->Height());
  }
  si.fMask = SIF_POS;
  si.nPos = pos;
  SetScrollInfo(h, bar, &si, TRUE);
  Invalidate();
}

void TCustomForm::SetMenu(TMainMenu* menu) {
  if (menu == menu_) return;
  if (menu_) menu_->RemoveFreeNotification(this);
  menu_ = menu;
  if (menu_) menu_->FreeNotification(this);
  if (HWND h = HandleIfAllocated()) {
    ::SetMenu(h, menu_ ? menu_->Handle() : nullptr);
    DrawMenuBar(h);
  }
}

void TCustomForm::SetIcon(HICON icon) {
  icon_ = icon;
  if (HWND h = HandleIfAllocated()) {
    SendMessageW(h, WM_SETICON, ICON_BIG, LPARAM(icon));
    SendMessageW(h, WM_SETICON, ICON_SMALL, LPARAM(icon));
  }
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  activeControl_ = control;
  if (control && Showing() && control->CanFocus()) control->SetFocus();
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == menu_) {
    menu_ = nullptr;
    if (HWND h = HandleIfAllocated()) ::SetMenu(h, nullptr);
  }
  if (component == activeControl_) activeControl_ = nullptr;
}

void TCustomForm::Close() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  if (!canClose) return;
  TCloseAction action = TCloseAction::caHide;
  if (OnClose) OnClose(this, action);
  if (action == TCloseAction::caNone) return;
  if (Application && Application->MainForm() == this) {
    Hide();
    Application->Terminate();
    return;
  }
  switch (action) {
  case TCloseAction::caHide: Hide(); break;
  case TCloseAction::caMinimize: SetWindowState(TWindowState::wsMinimized); break;
  case TCloseAction::caFree: Release(); break;
  default: break;
  }
}

void TCustomForm::Release() {
  if (HWND h = HandleIfAllocated()) PostMessageW(h, CM_RELEASE, 0, 0);
  else if (Application) Application->ScheduleRelease(this);
}

void TCustomForm::BringToFront() {
  if (HWND h = HandleIfAllocated()) SetForegroundWindow(h);
}

void TCustomForm::Paint() {}

void TCustomForm::RestoreFocus() {
  HWND h = HandleIfAllocated();
  // The control that had the focus gets it back; otherwise the active control or the first
  // control in tab order.
  HWND target = lastFocus_ && IsWindow(lastFocus_) && IsChild(h, lastFocus_) && IsWindowEnabled(lastFocus_) &&
                        IsWindowVisible(lastFocus_)
                    ? lastFocus_
                    : nullptr;
  if (!target && activeControl_ && activeControl_->CanFocus()) target = activeControl_->Handle();
  if (!target) target = GetNextDlgTabItem(h, nullptr, FALSE);
  if (target && target != h) ::SetFocus(target);
}

bool TCustomForm::IsShortCut(WPARAM key) {
  if (!menu_ || key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU) return false;
  TShortCut modifiers = (GetKeyState(VK_SHIFT) < 0 ? scShift : 0) | (GetKeyState(VK_CONTROL) < 0 ? scCtrl : 0) |
                        (GetKeyState(VK_MENU) < 0 ? scAlt : 0);
  TMenuItem* item = menu_->FindShortCut(ShortCut(unsigned(key), modifiers));
  if (!item) return false;
  item->Click();
  return true;
}

bool TCustomForm::DispatchOwnerDrawnEntry(TMessage& m) {
  HWND h = HandleIfAllocated();
  if (DispatchMenuItemMessage(menu_, h, m)) return true;
  for (int i = 0; i < ComponentCount(); ++i)
    if (DispatchMenuItemMessage(dynamic_cast<TMenu*>(Components(i)), h, m)) return true;
  return false;
}

void TCustomForm::WndProc(TMessage& m) {
  switch (m.Msg) {
  case WM_CLOSE:
    Close();
    return;
  case WM_COMMAND:
    if (m.LParam == 0 && HIWORD(m.WParam) == 0 && menu_ && menu_->DispatchCommand(LOWORD(m.WParam))) return;
    break;
  case CM_MENUCHANGED:
    // The menu's native entries were rebuilt; a skinner that took the menu off the window
    // (SetMenu with none) handles this message first and decides what shows.
    if (HWND h = HandleIfAllocated(); h && menu_) {
      ::SetMenu(h, menu_->Handle());
      DrawMenuBar(h);
    }
    return;
  case WM_MEASUREITEM:
  case WM_DRAWITEM:
    if (DispatchOwnerDrawnEntry(m)) return;
    break;
  case CM_RELEASE:
    // Everyone who took over one of the form's controls hears of it first.
    for (int i = 0; i < ComponentCount(); ++i)
      if (auto* c = dynamic_cast<TControl*>(Components(i))) c->Perform(CM_RELEASE);
    if (Application) Application->ScheduleRelease(this);
    return;
  case WM_ACTIVATE:
    if (LOWORD(m.WParam) == WA_INACTIVE) {
      HWND focus = GetFocus();
      lastFocus_ = focus && IsChild(HandleIfAllocated(), focus) ? focus : nullptr;
      TCustomControl::WndProc(m);
      if (OnDeactivate) OnDeactivate(this);
      return;
    }
    TCustomControl::WndProc(m);
    if (!HIWORD(m.WParam)) RestoreFocus();
    if (OnActivate) OnActivate(this);
    return;
  case WM_HSCROLL:
  case WM_VSCROLL:
    if (m.LParam == 0) {
      ScrollBy(m.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(m.WParam));
      return;
    }
    break;
  case WM_SIZE:
    TCustomControl::WndProc(m);
    UpdateScrollRange();
    return;
  default:
    break;
  }
  TCustomControl::WndProc(m);
}

} // namespace vela::ui
