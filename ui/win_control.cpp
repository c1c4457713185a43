#include "ui/win_control.h"

#include "ui/application.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <map>

namespace vela::ui {

namespace {

constexpr wchar_t kControlProp[] = L"VelaUiControl";

// The control whose window is being created on this thread: it is attached to the window at
// the window's first message, before CreateWindowExW returns.
thread_local TWinControl* creatingControl = nullptr;

std::map<std::wstring, WNDPROC>& DefaultProcs() {
  static std::map<std::wstring, WNDPROC> procs;
  return procs;
}

bool IsFrameworkMessage(UINT msg) {
  return (msg >= CM_BASE && msg < CM_BASE + 0x100) || (msg >= CN_BASE && msg < CN_BASE + 0x400);
}

bool IsGraphic(const TControl* c) { return dynamic_cast<const TWinControl*>(c) == nullptr; }

UINT NextControlId() {
  static UINT next = 100;
  return next++;
}

} // namespace

const TClassInfo& TWinControl::StaticClassInfo() {
  using P = PropsOf<TWinControl>;
  static const TClassInfo info = MakeClassInfo<TWinControl>(
      "TWinControl", &TControl::StaticClassInfo(),
      {P::Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder),
       P::Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop),
       P::Bool("DoubleBuffered", &TWinControl::DoubleBuffered, &TWinControl::SetDoubleBuffered),
       P::Event("OnEnter", &TWinControl::OnEnter), P::Event("OnExit", &TWinControl::OnExit),
       P::Event("OnResize", &TWinControl::OnResize)});
  return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  Destroying();
  // Owned components first (a form's controls), then children owned elsewhere: none may
  // outlive the window they live in.
  DestroyComponents();
  while (!controls_.empty()) {
    TControl* child = controls_.back();
    RemoveControl(child);
    delete child;
  }
  DestroyHandle();
  if (Application && Application->mouseControl_ == this) Application->mouseControl_ = nullptr;
}

TWinControl* TWinControl::FromHandle(HWND window) {
  return window ? static_cast<TWinControl*>(GetPropW(window, kControlProp)) : nullptr;
}

void TWinControl::Attach(HWND window) {
  handle_ = window;
  SetPropW(window, kControlProp, this);
}

void TWinControl::Detach() {
  if (handle_) RemovePropW(handle_, kControlProp);
  handle_ = nullptr;
  trackingLeave_ = false;
  captureControl_ = nullptr;
}

void TWinControl::SetParentWindow(HWND window) {
  parentWindow_ = window;
  if (handle_ && !Parent() && window) ::SetParent(handle_, window);
}

HWND TWinControl::Handle() {
  if (!handle_) CreateWnd();
  return handle_;
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.caption = text_;
  p.style = WS_CHILD | WS_CLIPSIBLINGS;
  if (Visible()) p.style |= WS_VISIBLE;
  if (tabStop_) p.style |= WS_TABSTOP;
  if (!Enabled()) p.style |= WS_DISABLED;
  p.x = Left();
  p.y = Top();
  p.width = Width();
  p.height = Height();
  p.parent = Parent() ? Parent()->HandleIfAllocated() : parentWindow_;
  p.winClassName = Utf8ToWide(ClassName());
}

void TWinControl::CreateWnd() {
  if (Parent() && !Parent()->HandleAllocated()) {
    // The parent creates its children's windows with its own.
    Parent()->HandleNeeded();
    if (handle_) return;
  }
  TCreateParams params;
  CreateParams(params);
  if ((params.style & WS_CHILD) && !params.parent)
    throw EInvalidOperation("Control '" + Name() + "' has no parent window");
  CreateWindowHandle(params);
  if (!handle_) throw EOutOfResources("Error creating window of " + ClassName());
  SendMessageW(handle_, WM_SETFONT, WPARAM(Font()->Handle()), FALSE);
  HandleCreated();
  CreateChildHandles();
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
  std::wstring className = (params.winClassName.empty() ? Utf8ToWide(ClassName()) : params.winClassName) +
                           L".UnicodeClass";
  HINSTANCE instance = GetModuleHandleW(nullptr);
  auto& procs = DefaultProcs();
  auto known = procs.find(className);
  if (known == procs.end()) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    WNDPROC base = DefWindowProcW;
    if (!params.baseClass.empty()) {
      if (!GetClassInfoExW(nullptr, params.baseClass.c_str(), &wc)) {
        // The common controls register their classes when first asked to.
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&icc);
        if (!GetClassInfoExW(nullptr, params.baseClass.c_str(), &wc))
          throw EOutOfResources(L"Window class " + params.baseClass + L" is not available");
      }
      base = wc.lpfnWndProc;
      wc.cbSize = sizeof wc;
      wc.style &= ~UINT(CS_GLOBALCLASS);
    } else {
      wc.style = params.classStyle;
      wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    }
    wc.lpfnWndProc = StdWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = className.c_str();
    wc.lpszMenuName = nullptr;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
      throw EOutOfResources(L"Cannot register window class " + className);
    known = procs.emplace(className, base).first;
  }
  defWndProc_ = known->second;
  HMENU id = (params.style & WS_CHILD) ? reinterpret_cast<HMENU>(UINT_PTR(NextControlId())) : nullptr;
  TWinControl* previous = creatingControl;
  creatingControl = this;
  HWND window = CreateWindowExW(params.exStyle, className.c_str(), params.caption.c_str(), params.style,
                                params.x, params.y, params.width, params.height, params.parent, id, instance,
                                nullptr);
  creatingControl = previous;
  if (window && !handle_) Attach(window); // a class whose first message never reached us
}

void TWinControl::CreateChildHandles() {
  std::vector<TWinControl*> windowed;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) windowed.push_back(w);
  std::stable_sort(windowed.begin(), windowed.end(), [](TWinControl* a, TWinControl* b) {
    return (a->tabOrder_ < 0 ? INT32_MAX : a->tabOrder_) < (b->tabOrder_ < 0 ? INT32_MAX : b->tabOrder_);
  });
  HWND after = HWND_TOP;
  for (TWinControl* w : windowed) {
    w->HandleNeeded();
    // Tab order follows the windows' z-order.
    SetWindowPos(w->handle_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = w->handle_;
  }
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
  HWND window = handle_;
  DestroyWindow(window);
  if (handle_ == window) Detach(); // a window of another thread or already gone
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  DestroyHandle();
  HandleNeeded();
}

LRESULT CALLBACK TWinControl::StdWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = FromHandle(window);
  if (!control) {
    if (!creatingControl) return DefWindowProcW(window, msg, wParam, lParam);
    control = creatingControl;
    creatingControl = nullptr;
    control->Attach(window);
  }
  TMessage m{msg, wParam, lParam, 0};
  try {
    if (control->WindowProc) control->WindowProc(m);
    else control->WndProc(m);
  } catch (...) {
    if (Application) Application->HandleException(control);
  }
  // The control may be gone by now; only the window property tells.
  if (msg == WM_NCDESTROY) {
    if (TWinControl* still = FromHandle(window)) still->Detach();
  }
  return m.Result;
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (!handle_ || IsFrameworkMessage(m.Msg)) return;
  m.Result = CallWindowProcW(defWndProc_ ? defWndProc_ : DefWindowProcW, handle_, m.Msg, m.WParam, m.LParam);
}

// ---- children

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  control->parent_ = this;
  control->ParentFontChanged();
  control->ParentColorChanged();
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    if (handle_ && !w->handle_) w->HandleNeeded();
  } else {
    control->Invalidate();
  }
  if (control->Align() != TAlign::alNone) Realign();
}

void TWinControl::RemoveControl(TControl* control) {
  auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it == controls_.end()) return;
  if (IsGraphic(control)) control->Invalidate();
  if (captureControl_ == control) {
    captureControl_ = nullptr;
    if (handle_ && GetCapture() == handle_) ReleaseCapture();
  }
  if (Application && Application->mouseControl_ == control) Application->mouseControl_ = nullptr;
  controls_.erase(std::find(controls_.begin(), controls_.end(), control));
  control->parent_ = nullptr;
  if (auto* w = dynamic_cast<TWinControl*>(control)) w->DestroyHandle();
  if (control->Align() != TAlign::alNone && !HasState(csDestroying)) Realign();
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!IsGraphic(c) || !c->Visible() || (!c->Enabled() && !allowDisabled)) continue;
    RECT r = c->BoundsRect();
    if (PtInRect(&r, p)) return c;
  }
  return nullptr;
}

void TWinControl::SetTabOrder(int order) { tabOrder_ = order; }

void TWinControl::SetTabStop(bool value) {
  if (value == tabStop_) return;
  tabStop_ = value;
  if (handle_) {
    LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
    SetWindowLongPtrW(handle_, GWL_STYLE, value ? (style | WS_TABSTOP) : (style & ~LONG_PTR(WS_TABSTOP)));
  }
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  ::SetFocus(Handle());
}

std::wstring TWinControl::GetText() const {
  if (!handle_) return text_;
  int n = GetWindowTextLengthW(handle_);
  std::wstring text(std::size_t(n) + 1, L'\0');
  n = GetWindowTextW(handle_, text.data(), n + 1);
  text.resize(std::size_t(std::max(n, 0)));
  return text;
}

void TWinControl::SetText(const std::wstring& text) {
  if (text == GetText()) return;
  text_ = text;
  if (handle_) SetWindowTextW(handle_, text.c_str());
  Perform(CM_TEXTCHANGED);
  if (PaintsItself()) Invalidate();
}

// ---- geometry and alignment

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (left == Left() && top == Top() && width == Width() && height == Height()) return;
  bool resized = width != Width() || height != Height();
  UpdateBoundsStore(left, top, width, height);
  if (handle_) SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (resized) Realign();
  BoundsChanged();
  RequestParentAlign();
}

void TWinControl::UpdateBoundsFromWindow() {
  RECT r;
  if (!handle_ || !GetWindowRect(handle_, &r)) return;
  if (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD) {
    HWND parent = GetParent(handle_);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  }
  int w = r.right - r.left, h = r.bottom - r.top;
  if (r.left == Left() && r.top == Top() && w == Width() && h == Height()) return;
  bool resized = w != Width() || h != Height();
  UpdateBoundsStore(r.left, r.top, w, h);
  // A minimised window has no client area worth laying out; restoring it realigns.
  if (resized && !IsIconic(handle_)) {
    Realign();
    if (OnResize) OnResize(this);
  }
}

RECT TWinControl::ClientRect() const {
  RECT r{0, 0, Width(), Height()};
  if (handle_) GetClientRect(handle_, &r);
  return r;
}

POINT TWinControl::ClientOrigin() const {
  if (!handle_) return TControl::ClientOrigin();
  POINT p{0, 0};
  ::ClientToScreen(handle_, &p);
  return p;
}

void TWinControl::AdjustClientRect(RECT&) const {}

void TWinControl::EnableAlign() {
  if (alignDisabled_ > 0 && --alignDisabled_ == 0) Realign();
}

void TWinControl::Realign() {
  if (alignDisabled_ > 0 || aligning_ || HasState(csLoading | csDestroying)) return;
  RECT r = ClientRect();
  AdjustClientRect(r);
  AlignControls(r);
}

void TWinControl::Loaded() {
  TControl::Loaded();
  Realign();
}

void TWinControl::AlignControls(RECT rect) {
  std::vector<TControl*> aligned;
  for (TControl* c : controls_)
    if (c->Visible() && c->Align() != TAlign::alNone) aligned.push_back(c);
  if (aligned.empty()) return;
  aligning_ = true;
  auto pick = [&](TAlign a, auto less) {
    std::vector<TControl*> out;
    for (TControl* c : aligned)
      if (c->Align() == a) out.push_back(c);
    std::stable_sort(out.begin(), out.end(), less);
    return out;
  };
  try {
    for (TControl* c : pick(TAlign::alTop, [](TControl* a, TControl* b) { return a->Top() < b->Top(); })) {
      c->SetBounds(rect.left, rect.top, rect.right - rect.left, c->Height());
      rect.top += c->Height();
    }
    for (TControl* c : pick(TAlign::alBottom, [](TControl* a, TControl* b) {
           return a->Top() + a->Height() > b->Top() + b->Height();
         })) {
      c->SetBounds(rect.left, rect.bottom - c->Height(), rect.right - rect.left, c->Height());
      rect.bottom -= c->Height();
    }
    for (TControl* c : pick(TAlign::alLeft, [](TControl* a, TControl* b) { return a->Left() < b->Left(); })) {
      c->SetBounds(rect.left, rect.top, c->Width(), rect.bottom - rect.top);
      rect.left += c->Width();
    }
    for (TControl* c : pick(TAlign::alRight, [](TControl* a, TControl* b) {
           return a->Left() + a->Width() > b->Left() + b->Width();
         })) {
      c->SetBounds(rect.right - c->Width(), rect.top, c->Width(), rect.bottom - rect.top);
      rect.right -= c->Width();
    }
    for (TControl* c : pick(TAlign::alClient, [](TControl*, TControl*) { return false; }))
      c->SetBounds(rect.left, rect.top, std::max(0L, rect.right - rect.left), std::max(0L, rect.bottom - rect.top));
  } catch (...) {
    aligning_ = false;
    throw;
  }
  aligning_ = false;
}

// ---- state changes

void TWinControl::SetEnabled(bool enabled) {
  if (enabled == Enabled()) return;
  if (handle_) EnableWindow(handle_, enabled);
  TControl::SetEnabled(enabled);
}

void TWinControl::VisibleChanged() { ApplyShowing(); }

void TWinControl::ApplyShowing() {
  if (!handle_) return;
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                   (Visible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::FontChanged() {
  if (handle_) SendMessageW(handle_, WM_SETFONT, WPARAM(Font()->Handle()), TRUE);
  TControl::FontChanged();
  for (TControl* c : controls_) c->ParentFontChanged();
}

void TWinControl::ColorChanged() {
  TControl::ColorChanged();
  for (TControl* c : controls_) c->ParentColorChanged();
}

HBRUSH TWinControl::ColorBrush() {
  if (!brush_ || brushColor_ != Color()) {
    brush_.Reset(CreateSolidBrush(ColorToRGB(Color())));
    brushColor_ = Color();
  }
  return brush_.Get();
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

// ---- painting

bool TWinControl::EraseBackground(HDC dc) {
  RECT r;
  GetClientRect(handle_, &r);
  FillRect(dc, &r, ColorBrush());
  return true;
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC dc) {
  // Copy: painting may not change the list, but a handler could.
  std::vector<TControl*> children = controls_;
  for (TControl* c : children) {
    if (!IsGraphic(c) || !c->Visible()) continue;
    RECT r = c->BoundsRect();
    if (!RectVisible(dc, &r)) continue;
    TDCStateSaver saver(dc);
    POINT old;
    OffsetViewportOrgEx(dc, r.left, r.top, &old);
    IntersectClipRect(dc, 0, 0, r.right - r.left, r.bottom - r.top);
    c->Perform(WM_PAINT, WPARAM(dc), 0);
  }
}

void TWinControl::PaintHandler(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  PAINTSTRUCT ps{};
  bool began = false;
  if (!PaintsItself()) {
    // A native control paints itself; graphic children go on top.
    DefaultHandler(m);
    if (dc) {
      PaintControls(dc);
    } else if (HDC windowDc = GetDC(handle_)) {
      PaintControls(windowDc);
      ReleaseDC(handle_, windowDc);
    }
    return;
  }
  if (!dc) {
    dc = BeginPaint(handle_, &ps);
    began = true;
  }
  try {
    if (doubleBuffered_ && began) {
      RECT client;
      GetClientRect(handle_, &client);
      // Declared before the DC so that it is deleted after it: a bitmap still selected into a
      // DC cannot be deleted, and deleting the DC lets it go.
      const TGdiObject<HBITMAP> buffer(
          CreateCompatibleBitmap(dc, std::max(1L, client.right), std::max(1L, client.bottom)));
      const TGdiObject<HDC> mem(CreateCompatibleDC(dc));
      if (!mem || !buffer) throw EOutOfResources("Cannot create a paint buffer");
      SelectObject(mem.Get(), buffer.Get());
      EraseBackground(mem.Get());
      PaintWindow(mem.Get());
      PaintControls(mem.Get());
      BitBlt(dc, 0, 0, client.right, client.bottom, mem.Get(), 0, 0, SRCCOPY);
    } else {
      PaintWindow(dc);
      PaintControls(dc);
    }
  } catch (...) {
    if (began) EndPaint(handle_, &ps);
    throw;
  }
  if (began) EndPaint(handle_, &ps);
  m.Result = 0;
}

// ---- messages

namespace {

// Where a reflected message names the child control it concerns.
enum class TChildIn { LParamHandle, NotifyHeader, DrawItem, MeasureItem };

// The messages a windowed control hands to the child they concern, as CN_BASE + message: the
// one list of them.
struct TReflectedMessage {
  UINT msg;
  TChildIn childIn;
};
constexpr TReflectedMessage kReflectedMessages[] = {
    {WM_COMMAND, TChildIn::LParamHandle},        {WM_NOTIFY, TChildIn::NotifyHeader},
    {WM_HSCROLL, TChildIn::LParamHandle},        {WM_VSCROLL, TChildIn::LParamHandle},
    {WM_CTLCOLOREDIT, TChildIn::LParamHandle},   {WM_CTLCOLORSTATIC, TChildIn::LParamHandle},
    {WM_CTLCOLORBTN, TChildIn::LParamHandle},    {WM_CTLCOLORLISTBOX, TChildIn::LParamHandle},
    {WM_DRAWITEM, TChildIn::DrawItem},           {WM_MEASUREITEM, TChildIn::MeasureItem},
};

} // namespace

bool TWinControl::ReflectToChild(TMessage& m) {
  const auto* entry = std::find_if(std::begin(kReflectedMessages), std::end(kReflectedMessages),
                                   [&](const TReflectedMessage& r) { return r.msg == m.Msg; });
  if (entry == std::end(kReflectedMessages)) return false;
  HWND child = nullptr;
  switch (entry->childIn) {
  case TChildIn::LParamHandle:
    child = reinterpret_cast<HWND>(m.LParam);
    break;
  case TChildIn::NotifyHeader:
    child = reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom;
    break;
  case TChildIn::DrawItem: {
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    if (dis->CtlType != ODT_MENU) child = dis->hwndItem;
    break;
  }
  case TChildIn::MeasureItem: {
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    if (mis->CtlType != ODT_MENU && handle_) child = GetDlgItem(handle_, int(mis->CtlID));
    break;
  }
  }
  TWinControl* target = FromHandle(child);
  if (!target || target == this) return false;
  m.Result = target->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
  // Colour requests the child leaves unanswered get the default colours.
  if (m.Result == 0 && m.Msg >= WM_CTLCOLORMSGBOX && m.Msg <= WM_CTLCOLORSTATIC) return false;
  return true;
}

void TWinControl::UpdateMouseControl(TControl* target) {
  if (target && handle_ && !trackingLeave_) {
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, handle_, 0};
    trackingLeave_ = TrackMouseEvent(&tme) != FALSE;
  }
  if (Application) Application->SetMouseControl(target);
}

bool TWinControl::RouteMouseToGraphic(TMessage& m) {
  POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  if (m.Msg == WM_MOUSEMOVE) {
    TControl* hover = ControlAtPos(p);
    RECT client = ClientRect();
    if (!hover && PtInRect(&client, p)) hover = this;
    UpdateMouseControl(hover);
  }
  TControl* target = captureControl_ ? captureControl_ : ControlAtPos(p);
  if (!target) return false;
  TMessage routed = m;
  routed.LParam = MAKELPARAM(p.x - target->Left(), p.y - target->Top());
  if (target->WindowProc) target->WindowProc(routed);
  m.Result = routed.Result;
  return true;
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
  case WM_PAINT:
    if (PaintsItself() || std::any_of(controls_.begin(), controls_.end(), IsGraphic)) {
      PaintHandler(m);
      return;
    }
    break;
  case WM_ERASEBKGND:
    if (PaintsItself()) {
      m.Result = EraseBackground(reinterpret_cast<HDC>(m.WParam)) ? 1 : 0;
      return;
    }
    break;
  case CN_CTLCOLOREDIT:
  case CN_CTLCOLORSTATIC:
  case CN_CTLCOLORLISTBOX: {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    SetBkColor(dc, ColorToRGB(Color()));
    m.Result = reinterpret_cast<LRESULT>(ColorBrush());
    return;
  }
  case WM_WINDOWPOSCHANGED:
    DefaultHandler(m);
    UpdateBoundsFromWindow();
    return;
  case WM_SETFOCUS:
    DefaultHandler(m);
    if (OnEnter) OnEnter(this);
    return;
  case WM_KILLFOCUS:
    DefaultHandler(m);
    if (OnExit) OnExit(this);
    return;
  case WM_DESTROY:
    text_ = GetText();
    HandleDestroying();
    break;
  case WM_MOUSELEAVE:
    trackingLeave_ = false;
    if (Application && Application->mouseControl_ &&
        (Application->mouseControl_ == this ||
         (Application->mouseControl_->Parent() == this && IsGraphic(Application->mouseControl_)))) {
      // Only a control of this window loses the mouse here: when the cursor moved onto a
      // child window, that window has already become the mouse control.
      Application->SetMouseControl(nullptr);
    }
    break;
  case WM_CAPTURECHANGED:
    captureControl_ = nullptr;
    break;
  default:
    // The reflected messages are found by ReflectToChild alone, so the switch lists none.
    if (ReflectToChild(m)) return;
    if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MBUTTONDBLCLK && RouteMouseToGraphic(m)) return;
    break;
  }
  TControl::WndProc(m);
}

// ---- TCustomControl

const TClassInfo& TCustomControl::StaticClassInfo() {
  static const TClassInfo info =
      MakeClassInfo<TCustomControl>("TCustomControl", &TWinControl::StaticClassInfo(), {});
  return info;
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) { clickOnRelease_ = true; }

TCustomControl::~TCustomControl() { Destroying(); }

void TCustomControl::PaintWindow(HDC dc) {
  canvas_.SetHandle(dc);
  canvas_.Font()->Assign(Font());
  canvas_.Brush()->SetColor(Color());
  try {
    Paint();
  } catch (...) {
    canvas_.SetHandle(nullptr);
    throw;
  }
  canvas_.SetHandle(nullptr);
}

} // namespace vela::ui
