#include "ui/dialogs.h"

#include "ui/application.h"

#include <commdlg.h>

#include <vector>

namespace vela::ui {

void ShowMessage(const std::wstring& text) {
  Application->MessageBox(text, Application->Title(), MB_OK);
}

const TClassInfo& TOpenDialog::StaticClassInfo() {
  using P = PropsOf<TOpenDialog>;
  static const TClassInfo info = MakeClassInfo<TOpenDialog>(
      "TOpenDialog", &TComponent::StaticClassInfo(),
      {P::Str("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt),
       P::Str("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName),
       P::Str("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter),
       P::Int("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex),
       P::Str("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir),
       P::Set("Options", &TOpenDialog::Options, &TOpenDialog::SetOptions,
              {"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofAllowMultiSelect",
               "ofPathMustExist", "ofFileMustExist", "ofEnableSizing"}),
       P::Str("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle)});
  return info;
}

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

std::wstring TOpenDialog::NativeFilter(const std::wstring& filter) {
  std::wstring out = filter;
  for (wchar_t& c : out)
    if (c == L'|') c = L'\0';
  out.push_back(L'\0');
  out.push_back(L'\0');
  return out;
}

bool TOpenDialog::Execute() {
  std::vector<wchar_t> buffer(32768, L'\0');
  fileName_.copy(buffer.data(), std::min(fileName_.size(), buffer.size() - 1));
  std::wstring filter = NativeFilter(filter_);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  if (TCustomForm* active = Screen->ActiveForm()) ofn.hwndOwner = active->HandleIfAllocated();
  else if (Application->MainForm()) ofn.hwndOwner = Application->MainForm()->HandleIfAllocated();
  ofn.lpstrFilter = filter_.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = DWORD(filterIndex_);
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = DWORD(buffer.size());
  ofn.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
  ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
  ofn.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK;
  ofn.lpfnHook = &TOpenDialog::HookProc;
  ofn.lCustData = reinterpret_cast<LPARAM>(this);
  if (options_ & ofReadOnly) ofn.Flags |= OFN_READONLY;
  if (options_ & ofHideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
  if (options_ & ofNoChangeDir) ofn.Flags |= OFN_NOCHANGEDIR;
  if (options_ & ofAllowMultiSelect) ofn.Flags |= OFN_ALLOWMULTISELECT;
  if (options_ & ofPathMustExist) ofn.Flags |= OFN_PATHMUSTEXIST;
  if (options_ & ofFileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
  if (options_ & ofEnableSizing) ofn.Flags |= OFN_ENABLESIZING;
  const BOOL chosen = GetOpenFileNameW(&ofn);
  handle_ = nullptr;
  if (!chosen) return false;
  fileName_ = buffer.data();
  filterIndex_ = int(ofn.nFilterIndex);
  return true;
}

UINT_PTR CALLBACK TOpenDialog::HookProc(HWND child, UINT message, WPARAM, LPARAM lParam) {
  // The hook runs in the child dialog the system creates for it; the dialog is its parent.
  if (message != WM_INITDIALOG) return 0;
  auto* self = reinterpret_cast<TOpenDialog*>(reinterpret_cast<const OPENFILENAMEW*>(lParam)->lCustData);
  self->handle_ = GetParent(child);
  try {
    if (self->OnShow) self->OnShow(self);
  } catch (...) {
    Application->HandleException(self); // no exception leaves a dialog procedure
  }
  return 0;
}

} // namespace vela::ui
