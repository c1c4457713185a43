#include "ui/application.h"

#include "ui/button_controls.h"
#include "ui/com_controls.h"
#include "ui/dialogs.h"
#include "ui/image_list.h"
#include "ui/list_controls.h"
#include "ui/list_view.h"
#include "ui/menus.h"
#include "ui/speed_button.h"
#include "ui/std_controls.h"
#include "ui/tab_controls.h"
#include "ui/timer.h"

#include <commctrl.h>

#include <algorithm>

namespace vela::ui {

// Never freed: forms and components that outlive main are reclaimed with the process, so no
// destructor runs after the statics it depends on are gone.
TApplication* Application = new TApplication(nullptr);

void RegisterStandardClasses() {
  static const bool done = [] {
    for (const TClassInfo* info :
         {&TForm::StaticClassInfo(), &TLabel::StaticClassInfo(), &TEdit::StaticClassInfo(),
          &TMemo::StaticClassInfo(), &TButton::StaticClassInfo(), &TPanel::StaticClassInfo(),
          &TGroupBox::StaticClassInfo(), &TSpeedButton::StaticClassInfo(), &TListView::StaticClassInfo(),
          &TProgressBar::StaticClassInfo(), &TStatusBar::StaticClassInfo(), &TTrackBar::StaticClassInfo(),
          &TUpDown::StaticClassInfo(),
          &TCheckBox::StaticClassInfo(), &TRadioButton::StaticClassInfo(), &TRadioGroup::StaticClassInfo(),
          &TBitBtn::StaticClassInfo(), &TComboBox::StaticClassInfo(), &TListBox::StaticClassInfo(),
          &TScrollBar::StaticClassInfo(), &TDateTimePicker::StaticClassInfo(), &TTabControl::StaticClassInfo(),
          &TPageControl::StaticClassInfo(), &TTabSheet::StaticClassInfo(), &TTabSet::StaticClassInfo(),
          &TTimer::StaticClassInfo(), &TOpenDialog::StaticClassInfo(), &TImageList::StaticClassInfo(),
          &TMainMenu::StaticClassInfo(), &TPopupMenu::StaticClassInfo(), &TMenuItem::StaticClassInfo()})
      RegisterClass(*info);
    return true;
  }();
  (void)done;
}

const TClassInfo& TApplication::StaticClassInfo() {
  static const TClassInfo info = MakeClassInfo<TApplication>("TApplication", &TComponent::StaticClassInfo(), {});
  return info;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

TApplication::~TApplication() { Destroying(); }

void TApplication::Initialize() {
  if (initialized_) return;
  initialized_ = true;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES |
                                           ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  RegisterStandardClasses();
  if (title_.empty()) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name = path;
    name = name.substr(name.find_last_of(L"\\/") + 1);
    title_ = name.substr(0, name.find_last_of(L'.'));
  }
}

void TApplication::Run() {
  Initialize();
  terminated_ = false;
  if (mainForm_ && showMainForm_) mainForm_->Show();
  while (!terminated_) HandleMessage();
  ProcessReleases();
  DestroyComponents();
}

void TApplication::HandleMessage() {
  MSG msg;
  BOOL got = GetMessageW(&msg, nullptr, 0, 0);
  if (got <= 0) {
    terminated_ = true;
    return;
  }
  ProcessMessage(msg);
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      // Leave the quit request for the loop that owns the application's end.
      PostQuitMessage(int(msg.wParam));
      break;
    }
    ProcessMessage(msg);
  }
  ProcessReleases();
}

bool TApplication::ProcessMessage(MSG& msg) {
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  auto* form = dynamic_cast<TCustomForm*>(TWinControl::FromHandle(root));
  bool handled = false;
  try {
    if (form && msg.message == WM_SYSCHAR) handled = form->Perform(CM_DIALOGCHAR, msg.wParam, msg.lParam) != 0;
    if (form && (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)) handled = form->IsShortCut(msg.wParam);
  } catch (...) {
    HandleException(form);
    handled = true;
  }
  if (!handled && form && form->HandleIfAllocated()) handled = IsDialogMessageW(form->HandleIfAllocated(), &msg);
  if (!handled) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  ProcessReleases();
  return true;
}

void TApplication::Terminate() {
  if (terminated_) return;
  PostQuitMessage(0);
}

void TApplication::ScheduleRelease(TComponent* component) {
  if (std::find(releases_.begin(), releases_.end(), component) != releases_.end()) return;
  releases_.push_back(component);
  FreeNotification(component);
}

void TApplication::ProcessReleases() {
  while (!releases_.empty()) {
    TComponent* c = releases_.back();
    releases_.pop_back();
    RemoveFreeNotification(c);
    c->Free();
  }
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == mainForm_) mainForm_ = nullptr;
  if (component == mouseControl_) mouseControl_ = nullptr;
  releases_.erase(std::remove(releases_.begin(), releases_.end(), component), releases_.end());
}

void TApplication::SetMouseControl(TControl* control) {
  if (control == mouseControl_) return;
  TControl* old = mouseControl_;
  mouseControl_ = control;
  if (old) old->Perform(CM_MOUSELEAVE);
  if (control && mouseControl_ == control) control->Perform(CM_MOUSEENTER);
}

void TApplication::HandleException(TObject* sender) {
  static bool reporting = false;
  try {
    throw;
  } catch (const std::exception& e) {
    if (reporting) return; // an error while showing an error is dropped
    reporting = true;
    try {
      if (OnException) OnException(sender, e);
      else ShowException(e);
    } catch (...) {
    }
    reporting = false;
  } catch (...) {
    if (reporting) return;
    reporting = true;
    try {
      Exception unknown(std::string("Unknown error"));
      if (OnException) OnException(sender, unknown);
      else ShowException(unknown);
    } catch (...) {
    }
    reporting = false;
  }
}

void TApplication::ShowException(const std::exception& e) {
  std::wstring text;
  if (auto* own = dynamic_cast<const Exception*>(&e)) text = own->Message();
  else text = Utf8ToWide(e.what());
  if (!text.empty() && text.back() != L'.' && text.back() != L'!' && text.back() != L'。') text += L".";
  MessageBox(text, title_, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::wstring& text, const std::wstring& caption, UINT flags) {
  HWND owner = nullptr;
  if (TCustomForm* active = Screen->ActiveForm()) owner = active->HandleIfAllocated();
  if (!owner && mainForm_ && mainForm_->Showing()) owner = mainForm_->HandleIfAllocated();
  return MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

} // namespace vela::ui
