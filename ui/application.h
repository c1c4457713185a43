#pragma once
// The application: title, forms, message loop and default error handling.
//
//   int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
//     Application->Initialize();
//     Application->SetTitle(L"Vela System Firmware Update Tool");
//     Application->CreateForm(Form1);      // TForm1* Form1; the first form is the main form
//     Application->Run();                  // until the main form closes; then frees the forms
//   }
//
// An exception that leaves an event handler or a window procedure is caught at the window
// procedure and given to HandleException: OnException when assigned, otherwise an error box
// with the exception's text and the application title as caption.
#include "ui/core/component.h"
#include "ui/form.h"

#include <windows.h>
#include "ui/win_names.h"

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace vela::ui {

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

class TApplication : public TComponent {
  VELA_CLASS_INFO
public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  // Starts the common controls and registers the framework's classes for reading.
  void Initialize();
  std::wstring Title() const { return title_; }
  void SetTitle(const std::wstring& title) { title_ = title; }

  template <class T>
  void CreateForm(T*& reference) {
    reference = nullptr;
    T* form = new T(this);
    reference = form;
    if (!mainForm_) mainForm_ = form;
  }
  TCustomForm* MainForm() const { return mainForm_; }
  bool ShowMainForm() const { return showMainForm_; }
  void SetShowMainForm(bool value) { showMainForm_ = value; }

  // Shows the main form and dispatches messages until Terminate; then frees every form.
  void Run();
  // Dispatches every pending message and returns.
  void ProcessMessages();
  // Waits for one message and dispatches it.
  void HandleMessage();
  void Terminate();
  bool Terminated() const { return terminated_; }

  // To be called inside a catch block: reports the exception being handled.
  void HandleException(TObject* sender);
  void ShowException(const std::exception& e);
  // MessageBoxW owned by the active form.
  int MessageBox(const std::wstring& text, const std::wstring& caption, UINT flags);

  TExceptionEvent OnException;

  // The control under the mouse, kept for the enter/leave notifications.
  TControl* MouseControl() const { return mouseControl_; }
  void Notification(TComponent* component, TOperation operation) override;

private:
  friend class TWinControl;
  friend class TControl;
  friend class TCustomForm;
  bool ProcessMessage(MSG& msg);
  void SetMouseControl(TControl* control);
  // Frees forms whose Release() has come through, once no handler of theirs is running.
  void ScheduleRelease(TComponent* component);
  void ProcessReleases();
  std::vector<TComponent*> releases_;

  std::wstring title_;
  TCustomForm* mainForm_ = nullptr;
  bool showMainForm_ = true;
  bool terminated_ = false;
  bool initialized_ = false;
  TControl* mouseControl_ = nullptr;
};

extern TApplication* Application;

// Registers every control class of the framework for creation by name (idempotent).
void RegisterStandardClasses();

} // namespace vela::ui
