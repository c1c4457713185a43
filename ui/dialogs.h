#pragma once
// Message boxes and the file-open dialog.
//
//   ShowMessage(L"Please select a binary file！");     // application title, no icon, OK
//   TOpenDialog* d = new TOpenDialog(form);
//   d->SetFilter(L"Bin File(*.bin)|*.bin");               // "Description|pattern|..."
//   if (d->Execute()) path = d->FileName();
#include "ui/core/component.h"

#include <windows.h>

#include <string>

namespace vela::ui {

// A message box with the application's title as caption, no icon and one OK button.
void ShowMessage(const std::wstring& text);

enum TOpenOptionBits : std::uint32_t {
  ofReadOnly = 1, ofOverwritePrompt = 2, ofHideReadOnly = 4, ofNoChangeDir = 8,
  ofAllowMultiSelect = 16, ofPathMustExist = 32, ofFileMustExist = 64, ofEnableSizing = 128
};
using TOpenOptions = std::uint32_t;

class TOpenDialog : public TComponent {
  VELA_CLASS_INFO
public:
  explicit TOpenDialog(TComponent* owner);

  std::wstring Filter() const { return filter_; }
  void SetFilter(const std::wstring& filter) { filter_ = filter; }
  int FilterIndex() const { return filterIndex_; }
  void SetFilterIndex(int index) { filterIndex_ = index; }
  std::wstring FileName() const { return fileName_; }
  void SetFileName(const std::wstring& name) { fileName_ = name; }
  std::wstring InitialDir() const { return initialDir_; }
  void SetInitialDir(const std::wstring& dir) { initialDir_ = dir; }
  std::wstring DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const std::wstring& ext) { defaultExt_ = ext; }
  std::wstring Title() const { return title_; }
  void SetTitle(const std::wstring& title) { title_ = title; }
  TOpenOptions Options() const { return options_; }
  void SetOptions(TOpenOptions options) { options_ = options; }

  // Shows the dialog, owned by the active form; true when the operator chose a file. The
  // dialog always has a hook procedure: that keeps it the classic explorer-style window of
  // ordinary child windows on every Windows version (so the skin can paint it), and the hook
  // adds a child dialog of class "#32770" inside it.
  bool Execute();
  // The dialog's window while it shows, otherwise null.
  HWND Handle() const { return handle_; }
  // Called when the dialog has been created and before it shows (Handle() is set).
  TNotifyEvent OnShow;

  // "Bin File(*.bin)|*.bin" as the double-NUL-terminated list the native dialog takes.
  static std::wstring NativeFilter(const std::wstring& filter);

private:
  std::wstring filter_;
  int filterIndex_ = 1;
  std::wstring fileName_;
  std::wstring initialDir_;
  std::wstring defaultExt_;
  std::wstring title_;
  TOpenOptions options_ = ofHideReadOnly | ofEnableSizing;
  HWND handle_ = nullptr;

  static UINT_PTR CALLBACK HookProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam);
};

} // namespace vela::ui
