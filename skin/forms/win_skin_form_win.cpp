// The frame skinner: taking a window over, its messages, and letting it go again.
#include "skin/forms/win_skin_form.h"

#include "skin/controls/window_subclass.h"
#include "skin/forms/skin_data.h"
#include "skin/forms/skin_manager.h"
#include "skin/forms/skin_messages.h"
#include "skin/forms/system_popup.h"
#include "skin/forms/win_skin_form_impl.h"
#include "skin/forms/win_skin_menu.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/menus.h"
#include "ui/timer.h"

#include <windowsx.h>

namespace vela::skin {

// ---- taking over a window procedure (see skin/controls/window_subclass.h)

namespace {

using TImpl = TWinSkinForm::TImpl;

constexpr wchar_t kFrameProp[] = L"Vela.SkinFrame";
constexpr wchar_t kMdiClientProp[] = L"Vela.SkinMdiClient";

LRESULT CALLBACK FrameProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DispatchSubclassed(window, msg, wParam, lParam, kFrameProp);
}

LRESULT CALLBACK MdiClientProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DispatchSubclassed(window, msg, wParam, lParam, kMdiClientProp);
}

void FrameMessage(void* owner, ui::TMessage& m) {
  static_cast<TImpl*>(owner)->FrameWndProc(m);
}

void MdiClientMessage(void* owner, ui::TMessage& m) {
  static_cast<TImpl*>(owner)->MdiClientWndProc(m);
}

// The form's WindowProc while the skinner holds it.
using TFormHook = TWndMethodHook<TImpl, &TImpl::FormWndProc>;

bool IsSystemCommandId(WPARAM id) {
  switch (id) {
  case SC_SIZE:
  case SC_MOVE:
  case SC_MINIMIZE:
  case SC_MAXIMIZE:
  case SC_NEXTWINDOW:
  case SC_PREVWINDOW:
  case SC_CLOSE:
  case SC_RESTORE:
    return true;
  default:
    return false;
  }
}

POINT ScreenPoint(LPARAM lParam) {
  return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

TSkinManage* Manager() {
  return SkinManager;
}

} // namespace

HBRUSH FaceBrushOf(const TSkinData* data) {
  HBRUSH brush = data ? data->FaceBrush() : nullptr;
  return brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

// ---- TWinSkinForm

const ui::TClassInfo& TWinSkinForm::StaticClassInfo() {
  using P = ui::PropsOf<TWinSkinForm>;
  static const ui::TClassInfo info = ui::MakeClassInfo<TWinSkinForm>(
      "TWinSkinForm", &ui::TComponent::StaticClassInfo(),
      {P::Int("DisableTag", &TWinSkinForm::DisableTag, &TWinSkinForm::SetDisableTag)});
  return info;
}

TWinSkinForm::TWinSkinForm(ui::TComponent* ownerForm)
    : ui::TComponent(ownerForm), impl_(std::make_unique<TImpl>(*this)) {}

TWinSkinForm::~TWinSkinForm() {
  Destroying();
  // The manager finds its skinners by asking each for its window, this one included, so it
  // forgets this one while it is still whole.
  if (TSkinManage* manager = Manager(); manager && impl_->window)
    manager->RemoveFormSkinner(impl_->window);
  impl_.reset();
}

void TWinSkinForm::SetWindow(HWND window) {
  impl_->window = window;
}
HWND TWinSkinForm::Window() const {
  return impl_->window;
}
void TWinSkinForm::AttachToForm(TSkinData* data, ui::TCustomForm* form) {
  impl_->AttachToForm(data, form);
}
void TWinSkinForm::AttachToWindow(TSkinData* data) {
  impl_->AttachToWindow(data);
}
void TWinSkinForm::DetachFrame() {
  impl_->DetachFrame();
}
void TWinSkinForm::ReskinForm() {
  impl_->ReskinForm();
}
void TWinSkinForm::SetCaptionStyle(bool value) {
  impl_->SetCaptionStyle(value);
}
int TWinSkinForm::LifeState() const {
  return impl_->lifeState;
}
TSkinData* TWinSkinForm::SkinData() const {
  return impl_->skinData;
}
ui::TCustomForm* TWinSkinForm::Form() const {
  return impl_->form;
}
int TWinSkinForm::MdiKind() const {
  return impl_->mdiKind;
}
void TWinSkinForm::DropCaptionObjects() {
  impl_->DropCaptionObjects();
}
void TWinSkinForm::UpdateFrameMetrics() {
  impl_->UpdateFrameMetrics();
}
void TWinSkinForm::DropRegion() {
  impl_->DropRegion();
}
void TWinSkinForm::UpdateRegion() {
  impl_->UpdateRegion();
}
void TWinSkinForm::RestoreNormalFrame() {
  impl_->RestoreNormalFrame();
}
void TWinSkinForm::SetSizeGrip(HWND grip) {
  impl_->sizeGrip = grip;
  // A grip made after the walk is handed over at once; one made before, when the walk runs.
  if (grip && impl_->childrenSkinned)
    impl_->SkinChildWindow(grip);
}
HWND TWinSkinForm::SizeGrip() const {
  return impl_->sizeGrip;
}
TWinSkinMenu* TWinSkinForm::MenuBar() const {
  return impl_->menuBar.get();
}
int TWinSkinForm::MenuBarHeight() const {
  return impl_->menuBar ? impl_->menuBarHeight : 0;
}
int TWinSkinForm::DisableTag() const {
  return impl_->disableTag;
}
void TWinSkinForm::SetDisableTag(int value) {
  impl_->disableTag = value;
}

// ---- TImpl: life

TImpl::TImpl(TWinSkinForm& owner) : self(owner) {
  doubleClickTime = GetDoubleClickTime();
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    captionFont.Reset(CreateFontIndirectW(&metrics.lfCaptionFont));
}

TImpl::~TImpl() {
  *alive = false;
  FreeControlSkinners();
  ReleaseWindow();
  hot = nullptr;
  menuBar.reset();
  captionObjects.clear();
  hoverTimer.reset();
  systemPopup.reset();
  if (smallIcon)
    DestroyIcon(smallIcon);
}

void TImpl::ReleaseWindow() {
  if (formHooked && form)
    TFormHook::Restore(form, this, previousFormProc);
  formHooked = false;
  if (procInstalled)
    RemoveWindowHook(window, kFrameProp, this);
  procInstalled = false;
  if (mdiClientHooked)
    RemoveWindowHook(mdiClient, kMdiClientProp, this);
  mdiClientHooked = false;
  // The manager's record of the MDI frame must not outlive the skinner that made it: MDI
  // children hand their Alt+letter to that form.
  if (TSkinManage* manager = Manager(); manager && mdiKind == mkFrame &&
                                        manager->MdiClientWindow == mdiClient) {
    manager->MdiClientWindow = nullptr;
    manager->MdiFrameForm = nullptr;
  }
}

// ---- attaching

void TImpl::AttachToForm(TSkinData* data, ui::TCustomForm* target) {
  form = target;
  form->SetAutoScroll(false);
  if (data->HasControl(xcMainMenu)) {
    previousFormProc = form->WindowProc;
    form->WindowProc = TFormHook{this, alive, previousFormProc};
    formHooked = true;
  }
  AttachToWindow(data);
  savedColor = form->Color();
  form->SetColor(data->Elements().Colours.ButtonFace);
  SetFormMenusOwnerDraw(true);
}

void TImpl::AttachToWindow(TSkinData* data) {
  if (procInstalled || !window || !data)
    return;
  if (TSkinManage* manager = Manager())
    manager->ActivationState = asActivated;
  skinData = data;

  hoverTimer = std::make_unique<ui::TTimer>(nullptr);
  hoverTimer->SetEnabled(false);
  hoverTimer->SetInterval(250);
  hoverTimer->OnTimer = [this](ui::TObject*) { HoverCheck(); };

  frameSkinning = data->HasControl(xcMainMenu);
  savedStyle = DWORD(GetWindowLongPtrW(window, GWL_STYLE));
  const DWORD exStyle = DWORD(GetWindowLongPtrW(window, GWL_EXSTYLE));
  rightToLeft = (exStyle & wstyle::kExLeftScrollBar) != 0;
  detachOnDestroy = true;
  systemMenu = GetSystemMenu(window, FALSE);

  BuildIconBitmap();
  className = WindowClassName(window);
  ownerWindow = GetWindow(window, GW_OWNER);
  GetClientRect(window, &clientRect);
  RECT wr{};
  GetWindowRect(window, &wr);
  initialFrame =
      Size{(wr.right - wr.left) - clientRect.right, (wr.bottom - wr.top) - clientRect.bottom};

  captionFlags = CaptionFlagsFromStyle(savedStyle, systemMenu != nullptr);
  BuildSystemPopup();
  ReadShowState();
  sizeable = (savedStyle & WS_THICKFRAME) != 0;

  for (HWND child = GetTopWindow(window); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (WindowClassName(child) == "MDIClient") {
      mdiKind = mkFrame;
      mdiClient = child;
      if (TSkinManage* manager = Manager()) {
        manager->MdiClientWindow = child;
        manager->MdiFrameForm = form;
      }
      break;
    }
  }
  if (exStyle & wstyle::kExMdiChild)
    mdiKind = mkChild;

  unicodeWindow = className.find(".UnicodeClass") != std::string::npos;
  dialogClass = className == "#32770" || className == "TMessageForm";
  border = ClassifyBorder(savedStyle, exStyle, dialogClass);

  if (mdiKind == mkFrame) {
    mdiMenuUpdate = data->MenuUpdate();
    mdiClientHooked = InstallWindowHook(mdiClient, kMdiClientProp, MdiClientProc, this,
                                     &MdiClientMessage) != nullptr;
  }

  if (frameSkinning) {
    menu = GetMenu(window);
    // A window without a frame has no strip to show a bar in: it keeps the system's.
    if (menu && mdiKind != mkChild && border != BorderKind::None)
      CreateMenuBar();
    const bool mdiMaximized = Manager() && Manager()->MdiMaximized;
    if (!(mdiKind == mkChild && mdiMaximized) && show != ShowState::Minimized)
      SetCaptionStyle(false);
    UpdateFrameMetrics();
  } else {
    lifeState = lsSkinned;
  }

  previousProc = InstallWindowHook(window, kFrameProp, FrameProc, this, &FrameMessage);
  procInstalled = previousProc != nullptr;
  if (!procInstalled) {
    // The window cannot be taken over: it keeps its own frame rather than losing its caption
    // to a skinner that will never paint.
    SetCaptionStyle(true);
    FreeMenuBar(true);
    menuBarHeight = 0;
    ReleaseWindow();
    frameSkinning = false;
    return;
  }

  if (mdiKind == mkChild && show == ShowState::Maximized && Manager() && !Manager()->MdiMaximized)
    Manager()->SetMdiMaximized(true);
  InvalidateRect(window, nullptr, TRUE);
}

void TImpl::Finish() {
  childrenSkinned = true;
  if (form)
    SkinComponents(form);
  else
    SkinChildWindows();
  if (sizeGrip && IsWindow(sizeGrip))
    SkinChildWindow(sizeGrip);
  if (lifeState == lsCreated) {
    if (mdiKind == mkChild && Manager() && Manager()->MdiMaximized) {
      SetCaptionStyle(true);
      RefreshFrame();
    } else if (show != ShowState::Minimized && border != BorderKind::None) {
      lifeState = lsFitting;
      FitWindowToFrame(false);
      lifeState = lsSkinned;
      UpdateRegion();
    }
  }
  lifeState = lsSkinned;
  if (hoverTimer)
    hoverTimer->SetEnabled(true);
}

void TImpl::SetCaptionStyle(bool value) {
  if (!value && mdiKind == mkChild && Manager() && Manager()->MdiMaximized)
    return;
  captionStyleApplied = value;
  const DWORD style = DWORD(GetWindowLongPtrW(window, GWL_STYLE));
  const DWORD next =
      CaptionStyle(style, value, captionFlags, ownerWindow != nullptr || mdiKind == mkChild);
  if (next != style)
    SetWindowLongPtrW(window, GWL_STYLE, LONG_PTR(next));
}

void TImpl::RefreshFrame() {
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
}

void TImpl::RestoreNormalFrame() {
  SetCaptionStyle(false);
  RefreshFrame();
  UpdateRegion();
}

void TImpl::ReadShowState() {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (GetWindowPlacement(window, &placement))
    show = ShowStateFromShowCmd(placement.showCmd);
}

void TImpl::ReskinForm() {
  HWND focused = nullptr;
  ui::TWinControl* activeControl = nullptr;
  if (form && skinData) {
    const ui::TColor face = skinData->Elements().Colours.ButtonFace;
    form->SetColor(face);
    for (int i = 0; i < form->ComponentCount(); ++i)
      if (auto* inner = dynamic_cast<ui::TCustomForm*>(form->Components(i)))
        inner->SetColor(face);
    activeControl = form->ActiveControl();
    if (activeControl && activeControl->HandleAllocated() &&
        GetFocus() == activeControl->HandleIfAllocated())
      focused = activeControl->HandleIfAllocated();
  }
  const std::vector<TSkinControl*> skinners = controlSkinners;
  for (TSkinControl* skinner : skinners)
    skinner->Refresh();
  lifeState = lsReskinning;
  if (frameSkinning) {
    if (form) {
      SetFormMenusOwnerDraw(true);
      FitWindowToFrame(true);
      form->SetHeight(form->Height() + 1);
      form->SetHeight(form->Height() - 1);
    }
    UpdateRegion();
    RefreshFrame();
  }
  if (focused && IsWindow(focused))
    SetFocus(focused);
  lifeState = lsSkinned;
}

// ---- detaching

void TImpl::StopHover() {
  if (hoverTimer)
    hoverTimer->SetEnabled(false);
}

// What unskinning and destruction share: the skinner lets go of the window's messages and of
// what it painted with. False when it never held the window.
bool TImpl::ReleaseFrame() {
  systemPopup.reset();
  StopHover();
  if (!procInstalled)
    return false;
  ReleaseWindow();
  FreeControlSkinners();
  captionValid = false;
  hot = nullptr;
  return true;
}

void TImpl::DetachFrame() {
  if (!frameSkinning) {
    DetachPlain();
    return;
  }
  if (!ReleaseFrame())
    return;
  if (form && lifeState != lsDestroying) {
    SetFormMenusOwnerDraw(false);
    form->SetColor(savedColor);
  }
  SetCaptionStyle(true);
  FreeMenuBar(true);
  if (lifeState != lsDestroying && (mdiKind == mkChild || !(savedStyle & WS_CHILD))) {
    RECT wr{};
    GetWindowRect(window, &wr);
    POINT topLeft{wr.left, wr.top};
    if (mdiKind == mkChild)
      ScreenToClient(GetParent(window), &topLeft);
    const Size size = SystemWindowSize(Size{wr.right - wr.left, wr.bottom - wr.top}, frame,
                                       menuBarHeight, initialFrame);
    SetWindowPos(window, nullptr, topLeft.x, topLeft.y, size.cx, size.cy,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
  }
  SetWindowRgn(window, nullptr, TRUE);
  regionSet = false;
  regionSize = Size{};
}

void TImpl::DetachOnDestroy() {
  if (!frameSkinning) {
    DetachPlain();
    return;
  }
  // Styles, colour, size, region and menu go with the window.
  ReleaseFrame();
  FreeMenuBar(false);
}

void TImpl::DetachPlain() {
  StopHover();
  FreeControlSkinners();
  if (form && lifeState != lsDestroying) {
    SetFormMenusOwnerDraw(false);
    form->SetColor(savedColor);
  }
  ReleaseWindow();
  if (form && lifeState != lsDestroying) {
    for (int i = 0; i < form->ComponentCount(); ++i)
      if (auto* control = dynamic_cast<ui::TControl*>(form->Components(i)))
        control->Invalidate();
  }
}

// ---- messages

bool TImpl::CallOldProc(ui::TMessage& m) {
  const std::shared_ptr<bool> stillAlive = alive;
  m.Result = CallWindowProcW(previousProc, window, m.Msg, m.WParam, m.LParam);
  return *stillAlive;
}

void TImpl::FormWndProc(ui::TMessage& m) {
  const ui::TWndMethod previous = previousFormProc;
  switch (m.Msg) {
  case WM_SETTEXT: {
    const std::shared_ptr<bool> stillAlive = alive;
    if (previous)
      previous(m);
    if (*stillAlive && frameSkinning && lifeState != lsCreated)
      RefreshFrame();
    return;
  }
  case SKM_RESKIN:
    ReskinForm();
    return;
  case ui::CM_DIALOGCHAR:
    if (MenuAccelerator(m))
      return;
    if (previous)
      previous(m);
    return;
  default:
    if (previous)
      previous(m);
    return;
  }
}

void TImpl::FrameWndProc(ui::TMessage& m) {
  // Stage 1: what every skinned window gets.
  switch (m.Msg) {
  case WM_ERASEBKGND:
    if (!CallOldProc(m))
      return;
    if (!form) {
      RECT r{};
      GetClientRect(window, &r);
      FillRect(reinterpret_cast<HDC>(m.WParam), &r, FaceBrushOf(skinData));
      m.Result = 1;
    }
    return;
  case WM_NCDESTROY: {
    lifeState = lsDestroying;
    const WNDPROC previous = previousProc;
    const HWND target = window;
    const std::shared_ptr<bool> stillAlive = alive;
    DetachOnDestroy();
    m.Result = CallWindowProcW(previous, target, m.Msg, m.WParam, m.LParam);
    if (*stillAlive)
      lifeState = lsDestroyed;
    return;
  }
  case WM_INITMENUPOPUP:
    if (TSkinManage* manager = Manager())
      manager->PopupKind =
          reinterpret_cast<HMENU>(m.WParam) == systemMenu ? pkSystemMenu : pkMenuBar;
    CallOldProc(m);
    return;
  case WM_CTLCOLORBTN:
  case WM_CTLCOLORSTATIC:
    if (!CallOldProc(m))
      return;
    if (!form) {
      SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
      if (m.Msg == WM_CTLCOLORSTATIC)
        m.Result = LRESULT(FaceBrushOf(skinData));
    }
    return;
  case WM_MEASUREITEM:
  case WM_DRAWITEM:
    // The skin's system menu draws its own items; every other owner-drawn item goes on.
    if (systemPopup && systemPopup->HandleItemMessage(window, m))
      return;
    break;
  case WM_MENUSELECT:
    if (menuBar)
      menuBar->MenuSelected(m.WParam, m.LParam);
    CallOldProc(m);
    return;
  case SKM_SKINCHILDREN:
    Finish();
    return;
  case SKM_ISSKINNED:
    m.Result = 1;
    return;
  default:
    break;
  }
  if (!frameSkinning) {
    CallOldProc(m);
    return;
  }

  // Stage 2: a plain child window is never given a skinned frame.
  if ((savedStyle & WS_CHILD) && mdiKind != mkChild) {
    CallOldProc(m);
    return;
  }
  const bool mdiMaximized = Manager() && Manager()->MdiMaximized;
  switch (m.Msg) {
  case WM_SIZE: {
    if (!CallOldProc(m))
      return;
    const ShowState before = show;
    show = ShowStateFromSizeType(unsigned(m.WParam), show);
    if (mdiKind == mkChild && show != before) {
      // A child maximised or given back its frame changes what the frame's bar shows (its
      // buttons sit there while it is maximised).
      if (HWND client = GetParent(window))
        PostMessageW(GetParent(client), SKM_REPAINTFRAME, 0, 0);
    }
    if (show == ShowState::Minimized)
      return;
    if (mdiKind == mkChild && (mdiMaximized || show != ShowState::Normal))
      return;
    if (lifeState == lsSkinned || lifeState == lsReskinning)
      UpdateRegion();
    return;
  }
  case WM_ACTIVATE:
    active = LOWORD(m.WParam) != WA_INACTIVE;
    break;
  case WM_NCACTIVATE:
    active = m.WParam != 0;
    break;
  case WM_GETMINMAXINFO:
    if (!CallOldProc(m))
      return;
    ReadShowState();
    if (show == ShowState::Minimized)
      SetCaptionStyle(true);
    else if (mdiKind != mkChild || show == ShowState::Normal)
      SetCaptionStyle(false);
    else
      SetCaptionStyle(true);
    if (border == BorderKind::Sizeable) {
      auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
      info->ptMaxTrackSize =
          POINT{GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
    }
    return;
  case WM_WINDOWPOSCHANGED:
    ReadShowState();
    CallOldProc(m);
    return;
  case WM_COMMAND:
    // Commands of the real system menu opened by the skinner come back as WM_COMMAND.
    if (IsSystemCommandId(LOWORD(m.WParam)) && HIWORD(m.WParam) == 0 && m.LParam == 0) {
      PostMessageW(window, WM_SYSCOMMAND, LOWORD(m.WParam), 0);
      return;
    }
    CallOldProc(m);
    return;
  case WM_SYSCOMMAND:
    if (KeyMenu(m))
      return;
    switch (m.WParam & 0xFFF0) {
    case SC_MINIMIZE:
      show = ShowState::Minimized;
      if (mdiKind == mkChild)
        SetCaptionStyle(true);
      break;
    case SC_MAXIMIZE:
      show = ShowState::Maximized;
      break;
    case SC_RESTORE:
      show = ShowState::Normal;
      if (mdiKind == mkChild)
        SetCaptionStyle(false);
      break;
    default:
      break;
    }
    CallOldProc(m);
    return;
  case ui::CM_MENUCHANGED: {
    const bool paint = skinData->MenuPaint();
    skinData->SetMenuPaint(false);
    if (!CallOldProc(m))
      return;
    skinData->SetMenuPaint(paint);
    MenuChanged();
    return;
  }
  default:
    break;
  }

  // Stage 3: the skinned non-client area, unless the system frame is showing.
  const bool systemFrame = (mdiKind == mkChild && show != ShowState::Normal) ||
                           show == ShowState::Minimized || lifeState == lsCreated;
  if (systemFrame) {
    CallOldProc(m);
    return;
  }
  switch (m.Msg) {
  case WM_NCCALCSIZE: {
    RECT proposed{};
    if (m.WParam)
      proposed = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam)->rgrc[0];
    if (!CallOldProc(m))
      return;
    if (!m.WParam) {
      m.Result = 0;
      return;
    }
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam);
    if ((mdiKind == mkChild && show != ShowState::Normal) || border == BorderKind::None) {
      params->rgrc[1] = params->rgrc[0];
    } else {
      const Rect client = SkinClientRect(
          Rect{proposed.left, proposed.top, proposed.right, proposed.bottom}, frame, menuBarHeight);
      params->rgrc[0] = RECT{client.left, client.top, std::max(client.left, client.right),
                             std::max(client.top, client.bottom)};
      params->rgrc[1] = params->rgrc[0];
    }
    m.Result = WVR_VALIDRECTS;
    return;
  }
  case WM_NCHITTEST: {
    if (!CallOldProc(m))
      return;
    if (m.Result == HTNOWHERE || m.Result == HTCAPTION)
      m.Result = SkinHitTest(int(m.Result), ScreenToFrame(ScreenPoint(m.LParam)), frame.Top);
    return;
  }
  case WM_NCPAINT:
    if (skinData->MenuPaint()) {
      if ((mdiKind == mkChild && show != ShowState::Normal) || border == BorderKind::None) {
        if (!CallOldProc(m))
          return;
      } else {
        PaintFrame(nullptr);
      }
    }
    m.Result = 0;
    return;
  case WM_NCACTIVATE:
    active = m.WParam != 0;
    if (hoverTimer)
      hoverTimer->SetEnabled(active);
    if (!active)
      hotControl = nullptr;
    if (mdiKind == mkFrame && mdiClient)
      SendMessageW(mdiClient, WM_NCACTIVATE, m.WParam, 0);
    if (!(mdiKind == mkChild && show != ShowState::Normal))
      PaintFrame(nullptr);
    m.Result = 1;
    return;
  case WM_NCMOUSEMOVE: {
    if (!active)
      return;
    const Point at = ScreenToFrame(ScreenPoint(m.LParam));
    if (TWinSysButton* object = HitCaptionButton(at)) {
      object->MouseEnter();
      return;
    }
    if (TMenuBtn* item = HitMenuBarItem(at)) {
      item->MouseEnter();
      return;
    }
    if (hot)
      hot->MouseLeave();
    CallOldProc(m);
    return;
  }
  case WM_NCLBUTTONDOWN: {
    const Point at = ScreenToFrame(ScreenPoint(m.LParam));
    if (TWinSysButton* object = HitCaptionButton(at)) {
      if (!active)
        SetForegroundWindow(window);
      object->MouseDown();
      return;
    }
    if (TMenuBtn* item = HitMenuBarItem(at)) {
      PressMenuBarItem(*item);
      return;
    }
    if (show == ShowState::Maximized && active && m.WParam == HTCAPTION)
      m.WParam = HTMENU;
    CallOldProc(m);
    return;
  }
  case WM_NCLBUTTONUP: {
    const Point at = ScreenToFrame(ScreenPoint(m.LParam));
    if (TWinSysButton* object = HitCaptionButton(at)) {
      if (object == hot) {
        object->MouseUp();
        DoCaptionButtonAction(ScreenPoint(m.LParam));
      }
      return;
    }
    if (HitMenuBarItem(at))
      return;
    CallOldProc(m);
    return;
  }
  case WM_NCLBUTTONDBLCLK:
    switch (DoubleClickCommand(show, (captionFlags & cfMaximizeBox) != 0)) {
    case FrameDoubleClick::Restore:
      RestoreWindow();
      break;
    case FrameDoubleClick::Maximize:
      ToggleMaximize();
      break;
    case FrameDoubleClick::Nothing:
      break;
    }
    return;
  case WM_NCRBUTTONDOWN:
    if (m.WParam == HTCAPTION && mdiKind != mkChild) {
      ShowSystemMenu(ScreenPoint(m.LParam));
      return;
    }
    CallOldProc(m);
    return;
  case WM_MEASUREITEM:
  case WM_DRAWITEM:
    if (!MenuItemMessage(m))
      CallOldProc(m);
    return;
  case SKM_REPAINTFRAME:
    PaintFrame(nullptr);
    return;
  default:
    CallOldProc(m);
    return;
  }
}

void TImpl::MdiClientWndProc(ui::TMessage& m) {
  const std::shared_ptr<bool> stillAlive = alive;
  const WNDPROC recorded = SubclassedPrevious(mdiClient, kMdiClientProp);
  const WNDPROC old = recorded ? recorded : reinterpret_cast<WNDPROC>(DefWindowProcW);
  auto callOld = [&] {
    m.Result = CallWindowProcW(old, mdiClient, m.Msg, m.WParam, m.LParam);
    return *stillAlive;
  };
  TSkinManage* manager = Manager();
  switch (m.Msg) {
  case WM_NCDESTROY:
    mdiClientHooked = false;
    callOld();
    return;
  case WM_NCCALCSIZE:
    if (frameSkinning && !skinData->HasOption(xoMDIScrollbar)) {
      const LONG_PTR style = GetWindowLongPtrW(mdiClient, GWL_STYLE);
      SetWindowLongPtrW(mdiClient, GWL_STYLE, style & ~LONG_PTR(WS_VSCROLL | WS_HSCROLL));
    }
    callOld();
    return;
  case WM_MDICREATE:
    skinData->SetMenuUpdate(false);
    if (!callOld())
      return;
    newMdiChild = reinterpret_cast<HWND>(m.Result);
    if (frameSkinning && menuBar)
      PostMessageW(window, SKM_REPAINTFRAME, 0, 0);
    return;
  case WM_MDIDESTROY:
    if (!callOld())
      return;
    if (frameSkinning && manager)
      manager->SetMdiMaximized(MdiChildActiveAndMaximized());
    if (!SendMessageW(mdiClient, WM_MDIGETACTIVE, 0, 0)) {
      skinData->SetMenuUpdate(mdiMenuUpdate);
      MdiMenuChanged(nullptr);
    } else if (frameSkinning && menuBar) {
      PostMessageW(window, SKM_REPAINTFRAME, 0, 0);
    }
    return;
  case WM_MDISETMENU:
    if (!callOld())
      return;
    if (frameSkinning && m.WParam)
      MdiMenuChanged(reinterpret_cast<HMENU>(m.WParam));
    return;
  case WM_MDIMAXIMIZE:
  case WM_MDIRESTORE:
  case WM_MDIACTIVATE:
  case WM_MDINEXT:
    // Which child is active, and whether it is maximised, decides what the frame's bar shows.
    if (!callOld())
      return;
    if (frameSkinning && menuBar)
      PostMessageW(window, SKM_REPAINTFRAME, 0, 0);
    return;
  case WM_MDITILE:
  case WM_MDICASCADE:
    if (frameSkinning && manager && manager->MdiMaximized)
      manager->SetMdiMaximized(false);
    callOld();
    return;
  case WM_MDIREFRESHMENU:
    if (!callOld())
      return;
    if (newMdiChild && manager) {
      manager->AttachWindow(newMdiChild);
      PostMessageW(window, SKM_REPAINTFRAME, 0, 0);
      newMdiChild = nullptr;
    }
    return;
  default:
    callOld();
    return;
  }
}

bool TImpl::MdiChildActiveAndMaximized() const {
  if (mdiKind != mkFrame || !mdiClient)
    return false;
  BOOL maximized = FALSE;
  HWND child =
      reinterpret_cast<HWND>(SendMessageW(mdiClient, WM_MDIGETACTIVE, 0, LPARAM(&maximized)));
  return child && maximized;
}

void TImpl::HoverCheck() {
  if (trackingMenu)
    return;
  POINT cursor{};
  if (!GetCursorPos(&cursor))
    return;
  // A bare window's controls are not told by a framework when the mouse leaves them.
  if (!form && hotControl) {
    RECT r{};
    if (!GetWindowRect(hotControl->Handle(), &r) || !PtInRect(&r, cursor)) {
      TSkinControl* leaving = hotControl;
      hotControl = nullptr;
      leaving->SendMouseLeave();
    }
  }
  if (!hot)
    return;
  if (!RectContains(hot->Bounds, ScreenToFrame(cursor)))
    hot->MouseLeave();
}

// ---- caption-button commands and the system menu

void TImpl::DoCaptionButtonAction(POINT screen) {
  auto* button = dynamic_cast<TWinSysButton*>(hot);
  if (!button)
    return;
  const int action = button->Definition().Action;
  switch (CommandForAction(action)) {
  case CaptionCommand::Close:
    StopHover();
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    break;
  case CaptionCommand::ToggleMaximize:
    ToggleMaximize();
    break;
  case CaptionCommand::ToggleMinimize:
    ToggleMinimize();
    break;
  case CaptionCommand::SystemMenu:
    ShowSystemMenu(POINT{screen.x + 1, screen.y + 1});
    break;
  case CaptionCommand::MdiMinimize:
    MdiChildCommand(SC_MINIMIZE);
    break;
  case CaptionCommand::MdiRestore:
    MdiChildCommand(SC_RESTORE);
    break;
  case CaptionCommand::MdiClose:
    MdiChildCommand(SC_CLOSE);
    break;
  case CaptionCommand::Application:
    PostMessageW(window, SKM_CAPTIONBUTTON, WPARAM(action), 0);
    break;
  }
}

void TImpl::ToggleMaximize() {
  if (show == ShowState::Maximized) {
    RestoreWindow();
    return;
  }
  if (mdiKind == mkChild && Manager())
    Manager()->SetMdiMaximized(true);
  show = ShowState::Maximized;
  PostMessageW(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  hot = nullptr;
}

void TImpl::ToggleMinimize() {
  if (show == ShowState::Minimized) {
    RestoreWindow();
    return;
  }
  show = ShowState::Minimized;
  PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TImpl::RestoreWindow() {
  show = ShowState::Normal;
  PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TImpl::MdiChildCommand(UINT command) {
  if (mdiKind != mkFrame || !mdiClient)
    return;
  HWND child = reinterpret_cast<HWND>(SendMessageW(mdiClient, WM_MDIGETACTIVE, 0, 0));
  if (!child)
    return;
  const std::shared_ptr<bool> stillAlive = alive;
  SendMessageW(child, WM_SYSCOMMAND, command, 0);
  if (!*stillAlive)
    return;
  if (Manager() && Manager()->MdiMaximized && !MdiChildActiveAndMaximized())
    Manager()->SetMdiMaximized(false);
  // The bar shows the child's controls only while it is maximised.
  PostMessageW(window, SKM_REPAINTFRAME, 0, 0);
}

void TImpl::BuildSystemPopup() {
  const auto* item = skinData ? skinData->Elements().MenuItem.get() : nullptr;
  ui::TImageList* glyphs = skinData ? skinData->MenuGlyphs() : nullptr;
  if (glyphs && glyphs->Count() == 0)
    glyphs = nullptr;
  systemPopup = std::make_unique<TSystemPopup>(
      (captionFlags & cfMaximizeBox) != 0, (captionFlags & cfMinimizeBox) != 0, glyphs,
      item ? item->LeftWidth : 0, [this](int tag) { SystemPopupClick(tag); });
}

void TImpl::SystemPopupClick(int tag) {
  switch (tag) {
  case spRestore:
    RestoreWindow();
    break;
  case spMaximize:
    ToggleMaximize();
    break;
  case spMinimize:
    ToggleMinimize();
    break;
  case spClose:
    StopHover();
    PostMessageW(window, WM_CLOSE, 0, 0);
    break;
  default:
    break;
  }
}

void TImpl::ShowSystemMenu(POINT screen) {
  if (systemPopup)
    systemPopup->UpdateEnabled(show);
  const DWORD now = GetTickCount();
  if (!OpensSystemMenu(now, lastSystemMenuClick, doubleClickTime)) {
    if (hot) {
      StopHover();
      PostMessageW(window, WM_CLOSE, 0, 0);
    }
    return;
  }
  if (TSkinManage* manager = Manager())
    manager->PopupKind = pkSystemMenu;
  lastSystemMenuClick = now;
  if (!skinData->HasControl(xcSystemMenu) || mdiKind == mkChild || !systemPopup) {
    TrackPopupMenu(GetSystemMenu(window, FALSE), TPM_RIGHTBUTTON, screen.x, screen.y, 0, window,
                   nullptr);
  } else {
    systemPopup->Track(window, screen, alive);
  }
}

} // namespace vela::skin
