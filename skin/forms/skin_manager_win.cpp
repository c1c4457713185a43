#include "skin/forms/skin_manager.h"

#include "skin/forms/skin_messages.h"
#include "skin/forms/win_skin_form.h"
#include "skin/forms/win_skin_pop_menu.h"
#include "ui/core/text.h"
#include "ui/form.h"
#include "ui/timer.h"

#include <algorithm>

namespace vela::skin {

TSkinManage* SkinManager = nullptr;

void FreeSkinManager() {
  TSkinManage* manager = SkinManager;
  SkinManager = nullptr;
  delete manager;
}

namespace {

// Frees the manager when the program ends, taking its hook away with it.
struct ManagerFinalizer {
  ~ManagerFinalizer() { FreeSkinManager(); }
} finalizer;

constexpr int kMaxClassName = 100;
constexpr LPARAM kSkinChildrenDelay = 1000;

std::string Lower(std::string text) { return ui::AsciiLowerCase(text); }

bool HasStyle(HWND window, LONG_PTR bits) { return (GetWindowLongPtrW(window, GWL_STYLE) & bits) != 0; }

} // namespace

std::string WindowClassName(HWND window) {
  wchar_t name[kMaxClassName + 1] = {};
  int n = GetClassNameW(window, name, kMaxClassName + 1);
  return ui::WideToUtf8(std::wstring_view(name, std::size_t(std::max(n, 0))));
}

TSkinManage::TSkinManage() : timer_(std::make_unique<ui::TTimer>(nullptr)) {
  timer_->SetEnabled(false);
  timer_->SetInterval(kActionDelay);
  timer_->OnTimer = [this](ui::TObject*) { RunPendingAction(); };
}

TSkinManage::~TSkinManage() {
  ActivationState = asDestroying;
  timer_.reset();
  if (hook_) UnhookWindowsHookEx(hook_);
  hook_ = nullptr;
  formSkinners_.clear();
  popupSkinners_.clear();
  skinDataList_.clear();
}

// ---- the hook

void TSkinManage::InstallHook() {
  HHOOK previous = hook_;
  hook_ = SetWindowsHookExW(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
  if (previous) UnhookWindowsHookEx(previous);
}

LRESULT CALLBACK TSkinManage::CbtHook(int code, WPARAM wParam, LPARAM lParam) {
  TSkinManage* self = SkinManager;
  HHOOK hook = self ? self->hook_ : nullptr;
  try {
    if (self && code >= 0 && self->Active) {
      HWND window = reinterpret_cast<HWND>(wParam);
      switch (code) {
      case HCBT_CREATEWND:
        self->HandleCreate(window, *reinterpret_cast<CBT_CREATEWNDW*>(lParam));
        break;
      case HCBT_DESTROYWND:
        self->DetachPopup(window);
        break;
      case HCBT_ACTIVATE:
        if (self->ActivationState == asNone) self->ActivationState = asActivated;
        self->AttachWindow(window);
        break;
      default:
        break;
      }
    } else if (self && code == HCBT_ACTIVATE && self->ActivationState == asNone) {
      self->ActivationState = asActivated;
    }
  } catch (...) {
    // Whatever goes wrong while deciding about a window leaves it unskinned; the system's
    // window creation and activation must go on.
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

void TSkinManage::HandleCreate(HWND window, const CBT_CREATEWNDW& create) {
  const CREATESTRUCTW* cs = create.lpcs;
  std::string className = WindowClassName(window);
  // A size grip created inside a skinned window belongs to its frame.
  if (className == "ScrollBar" && (cs->style & SBS_SIZEGRIP) && cs->hwndParent) {
    if (TWinSkinForm* skinner = FindFormSkinner(cs->hwndParent)) skinner->SetSizeGrip(window);
  }
  if (cs->style & WS_CHILD) return;
  if (className == "#32768") AttachPopup(window);
  if (MainSkinData && MainSkinData->OnWindowCreated) {
    try {
      MainSkinData->OnWindowCreated(MainSkinData, window, className);
    } catch (...) {
      // The application's notification must not stop the window from being created.
    }
  }
}

// ---- skin data

void TSkinManage::RegisterSkinData(TSkinData* data) {
  skinDataList_.push_back(data);
  if (!MainSkinData && data->SkinFormtype() == TSkinFormType::sfMainform) MainSkinData = data;
}

void TSkinManage::UnregisterSkinData(TSkinData* data) {
  auto it = std::find(skinDataList_.begin(), skinDataList_.end(), data);
  if (it != skinDataList_.end()) skinDataList_.erase(it);
  // A component that goes away must not be used by a later action or decision.
  if (PendingSkinData == data) PendingSkinData = nullptr;
  if (MainSkinData == data) {
    MainSkinData = nullptr;
    for (TSkinData* other : skinDataList_)
      if (other->SkinFormtype() == TSkinFormType::sfMainform) {
        MainSkinData = other;
        break;
      }
  }
}

TSkinData* TSkinManage::FindSkinData(HWND window) const {
  TSkinData* found = nullptr;
  for (TSkinData* data : skinDataList_) {
    auto* owner = dynamic_cast<ui::TWinControl*>(data->Owner());
    if (data->SkinFormtype() == TSkinFormType::sfOnlyThisForm && owner && owner->HandleIfAllocated() == window)
      found = data;
  }
  if (found) return found;
  std::string className = Lower(WindowClassName(window));
  if (className == "tmessageform" || className == "#32770") {
    for (TSkinData* data : skinDataList_)
      if (data->SkinFormtype() == TSkinFormType::sfDialog) found = data;
    if (found) return found;
  }
  for (TSkinData* data : skinDataList_)
    if (data->SkinFormtype() == TSkinFormType::sfMainform) found = data;
  if (found) return found;
  return skinDataList_.empty() ? nullptr : skinDataList_.front();
}

bool TSkinManage::AskFormSkin(const std::string& className) {
  bool doSkin = true;
  if (MainSkinData) MainSkinData->DecideFormSkin(className, doSkin);
  return doSkin;
}

// ---- form skinners

TWinSkinForm* TSkinManage::FindFormSkinner(HWND window) const {
  for (TWinSkinForm* skinner : formSkinners_)
    if (skinner->Window() == window) return skinner;
  return nullptr;
}

void TSkinManage::RemoveFormSkinner(HWND window) {
  auto it = std::find_if(formSkinners_.begin(), formSkinners_.end(),
                         [window](TWinSkinForm* s) { return s->Window() == window; });
  if (it != formSkinners_.end()) formSkinners_.erase(it);
}

void TSkinManage::FreeSkinner(TWinSkinForm* skinner) {
  skinner->Free();
  // The skinner takes itself off the list when it goes; make sure, by identity, in case its
  // window handle no longer says which entry it was.
  auto it = std::find(formSkinners_.begin(), formSkinners_.end(), skinner);
  if (it != formSkinners_.end()) formSkinners_.erase(it);
}

void TSkinManage::PurgeDestroyedForms() {
  constexpr int kWindowDestroyed = 6;
  for (std::size_t i = formSkinners_.size(); i-- > 0;) {
    if (i >= formSkinners_.size()) continue;
    TWinSkinForm* skinner = formSkinners_[i];
    if (skinner->LifeState() == kWindowDestroyed) FreeSkinner(skinner);
  }
}

ui::TCustomForm* TSkinManage::FindFormObject(HWND window) const {
  if (!ui::Screen) return nullptr;
  for (int i = 0; i < ui::Screen->FormCount(); ++i) {
    ui::TCustomForm* form = ui::Screen->Forms(i);
    if (form->HandleIfAllocated() == window) return form;
  }
  return nullptr;
}

bool TSkinManage::IsMdiChild(HWND window) const {
  if (!HasStyle(window, WS_CHILD)) return false;
  HWND parent = GetParent(window);
  return parent && Lower(WindowClassName(parent)) == "mdiclient";
}

bool TSkinManage::AttachWindow(HWND window) {
  if (!Active) return false;
  PurgeDestroyedForms();
  if (SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1 || FindFormSkinner(window)) return false;
  ui::TCustomForm* form = FindFormObject(window);
  if (!BulkPass && IsMdiChild(window)) return false;
  RECT r{};
  if (!GetWindowRect(window, &r)) return false;
  if (std::int64_t(r.right - r.left) * std::int64_t(r.bottom - r.top) == 0) return false;
  if (form && form->Tag() == kNeverSkinTag) return false;
  std::string className = WindowClassName(window);
  if (className == "TApplication" || className == "TQRStandardPreview") return false;
  if (!AskFormSkin(className)) return false;
  TSkinData* data = FindSkinData(window);
  if (!data || data->SkinEmpty()) return false;

  auto* skinner = new TWinSkinForm(form);
  skinner->SetWindow(window);
  formSkinners_.push_back(skinner);
  try {
    if (form) skinner->AttachToForm(data, form);
    else skinner->AttachToWindow(data);
  } catch (...) {
    FreeSkinner(skinner);
    throw;
  }
  PostMessageW(window, SKM_SKINCHILDREN, 0, kSkinChildrenDelay);
  return true;
}

void TSkinManage::AttachForm(ui::TCustomForm* form) {
  if (!form->Visible()) return;
  HWND window = form->Handle();
  if (HasStyle(window, WS_CHILD) && form->FormStyle() != ui::TFormStyle::fsMDIChild) return;
  AttachWindow(window);
}

// ---- popup menus

namespace {

bool PopupKindSkinned(const TSkinData& data, int kind) {
  switch (kind) {
  case pkPopup: return data.HasControl(xcPopupMenu);
  case pkMenuBar: return data.HasControl(xcMainMenu) || data.HasControl(xcMenuItem);
  case pkSystemMenu: return data.HasControl(xcSystemMenu);
  default: return false;
  }
}

} // namespace

bool TSkinManage::AttachPopup(HWND window) {
  if (!Active || SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1 || IsPopupSkinned(window)) return false;
  TSkinData* data = FindSkinData(window);
  if (!data || data->SkinEmpty() || !PopupKindSkinned(*data, PopupKind)) return false;
  auto skinner = std::make_unique<TWinSkinPopMenu>();
  if (!skinner->Attach(window, data, nullptr)) return false;
  popupSkinners_.push_back(std::move(skinner));
  return true;
}

bool TSkinManage::DetachPopup(HWND window) {
  const auto found = std::find_if(popupSkinners_.begin(), popupSkinners_.end(),
                                  [window](const auto& s) { return s->Window() == window; });
  const bool had = found != popupSkinners_.end();
  if (had) popupSkinners_.erase(found); // its destructor gives the window its procedure back
  // The kind of the next popup starts again from an ordinary popup menu.
  if (popupSkinners_.empty()) PopupKind = pkPopup;
  return had;
}

bool TSkinManage::IsPopupSkinned(HWND window) const {
  return std::any_of(popupSkinners_.begin(), popupSkinners_.end(),
                     [window](const auto& s) { return s->Window() == window; });
}

Raster TSkinManage::PopupBitmapForMenu(HMENU menu) const {
  if (!menu) return Raster{};
  for (const auto& s : popupSkinners_)
    if (s->Menu() == menu && !s->Background().Empty()) return s->Background();
  return Raster{};
}

// ---- MDI

void TSkinManage::SetMdiMaximized(bool value) {
  if (value == MdiMaximized) return;
  MdiMaximized = value;
  constexpr int kMdiChild = 2;
  for (TWinSkinForm* skinner : std::vector<TWinSkinForm*>(formSkinners_)) {
    if (skinner->MdiKind() != kMdiChild) continue;
    if (value) skinner->DropRegion();
    else skinner->RestoreNormalFrame();
  }
}

// ---- deferred actions

void TSkinManage::ScheduleAction(int action, unsigned ms) {
  pendingAction_ = action;
  timer_->SetInterval(ms);
  if (ActivationState != asNone) {
    // Restarting the countdown makes a later request replace an earlier one.
    timer_->SetEnabled(false);
    timer_->SetEnabled(true);
  } else if (action == saSkin || action == saUnskin) {
    Active = action == saSkin;
  }
}

bool TSkinManage::ActionTimerRunning() const { return timer_->Enabled(); }

void TSkinManage::RefreshFormSkins() {
  for (TWinSkinForm* skinner : formSkinners_)
    if (skinner->SkinData() == PendingSkinData) skinner->DropCaptionObjects();
}

void TSkinManage::RunPendingAction() {
  // One shot, also when there is nothing to run: an action without a component to run it
  // for is dropped rather than retried every tick.
  timer_->SetEnabled(false);
  TSkinData* data = PendingSkinData;
  if (!data) return;
  if (pendingAction_ == saPurge) PurgeDestroyedForms();
  else if (data->SkinFormtype() == TSkinFormType::sfOnlyThisForm) RunForOwnerForm(pendingAction_, data);
  else RunForAllForms(pendingAction_, data);
  // The action may have freed forms and with them this component.
  if (PendingSkinData == data) {
    data->NotifySkinChanged();
    PendingSkinData = nullptr;
  }
}

void TSkinManage::AttachScreenForms(TSkinData* onlyOwnedBy) {
  Active = true;
  BulkPass = true;
  struct BulkPassEnd {
    bool& flag;
    ~BulkPassEnd() { flag = false; }
  } end{BulkPass};
  if (!ui::Screen) return;
  for (int i = ui::Screen->FormCount(); i-- > 0;) {
    if (i >= ui::Screen->FormCount()) continue;
    ui::TCustomForm* form = ui::Screen->Forms(i);
    if (onlyOwnedBy && form != onlyOwnedBy->Owner()) continue;
    AttachForm(form);
    if (onlyOwnedBy) return;
  }
}

void TSkinManage::UnskinAndFree(TWinSkinForm* skinner) {
  skinner->DetachFrame();
  FreeSkinner(skinner);
}

void TSkinManage::RunForOwnerForm(int action, TSkinData* data) {
  auto lastUsing = [this, data]() -> TWinSkinForm* {
    for (std::size_t i = formSkinners_.size(); i-- > 0;)
      if (formSkinners_[i]->SkinData() == data) return formSkinners_[i];
    return nullptr;
  };
  switch (action) {
  case saSkin:
    AttachScreenForms(data);
    break;
  case saUnskin:
    Active = false;
    PurgeDestroyedForms();
    if (TWinSkinForm* skinner = lastUsing()) UnskinAndFree(skinner);
    break;
  case saSkinChanged:
    PurgeDestroyedForms();
    for (TWinSkinForm* skinner : formSkinners_) {
      if (skinner->SkinData() != data) continue;
      skinner->DropCaptionObjects();
      skinner->UpdateFrameMetrics();
      skinner->ReskinForm();
      break;
    }
    break;
  default:
    break;
  }
}

void TSkinManage::RunForAllForms(int action, TSkinData* data) {
  switch (action) {
  case saSkin:
    Active = true;
    PurgeDestroyedForms();
    AttachScreenForms(nullptr);
    break;
  case saUnskin:
    Active = false;
    PurgeDestroyedForms();
    while (!formSkinners_.empty()) UnskinAndFree(formSkinners_.back());
    break;
  case saSkinChanged: {
    PurgeDestroyedForms();
    std::vector<TWinSkinForm*> using_;
    for (TWinSkinForm* skinner : formSkinners_)
      if (skinner->SkinData() == data) using_.push_back(skinner);
    for (TWinSkinForm* skinner : using_) {
      skinner->DropCaptionObjects();
      skinner->UpdateFrameMetrics();
    }
    for (TWinSkinForm* skinner : using_) skinner->ReskinForm();
    break;
  }
  default:
    break;
  }
}

} // namespace vela::skin
