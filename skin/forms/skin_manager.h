#pragma once
// The skin manager: the one object per process that decides which top-level windows are
// skinned and keeps their frame skinners listed.
//
// The first TSkinData to finish loading creates it (SkinManager). It watches window creation,
// activation and destruction on the GUI thread through a CBT hook, attaches a frame skinner to
// every eligible top-level window when it is activated, and runs skin-all, unskin-all and
// skin-changed requests through a one-shot timer, so that several requests in quick succession
// come down to the last one.
#include "skin/forms/skin_data.h"

#include <windows.h>
#include "ui/win_names.h"

#include <memory>
#include <string>
#include <vector>

namespace vela::ui {
class TCustomForm;
class TTimer;
} // namespace vela::ui

namespace vela::skin {

class TWinSkinForm;
class TWinSkinPopMenu;

// Deferred actions.
enum TSkinAction : int { saSkin = 1, saUnskin = 2, saSkinChanged = 3, saPurge = 6 };
// What the manager's activation state says.
enum TActivationState : int { asNone = 0, asActivated = 1, asDestroying = 4 };
// Kind of the popup menu about to open.
enum TPopupKind : int { pkPopup = 0, pkMenuBar = 1, pkSystemMenu = 2 };

class TSkinManage {
public:
  static constexpr unsigned kActionDelay = 250;
  // A form with this Tag is never skinned, whatever the skin data's DisableTag says.
  static constexpr int kNeverSkinTag = 99;

  TSkinManage();
  ~TSkinManage();
  TSkinManage(const TSkinManage&) = delete;
  TSkinManage& operator=(const TSkinManage&) = delete;

  // Installs the thread CBT hook on the calling thread (replacing one installed before).
  void InstallHook();
  bool HookInstalled() const { return hook_ != nullptr; }
  void RegisterSkinData(TSkinData* data);
  void UnregisterSkinData(TSkinData* data);

  // Attaches a frame skinner to a top-level window; true only when one was created.
  bool AttachWindow(HWND window);
  // Skips invisible forms and child forms that are not MDI children.
  void AttachForm(ui::TCustomForm* form);
  TWinSkinForm* FindFormSkinner(HWND window) const;
  // Forgets the window's skinner without freeing it (the skinner's destructor calls this).
  void RemoveFormSkinner(HWND window);
  // Frees every form skinner whose window has been destroyed.
  void PurgeDestroyedForms();
  const std::vector<TWinSkinForm*>& FormSkinners() const { return formSkinners_; }

  ui::TCustomForm* FindFormObject(HWND window) const;
  TSkinData* FindSkinData(HWND window) const;
  bool IsMdiChild(HWND window) const;
  bool AskFormSkin(const std::string& className);

  // Popup-menu windows. AttachPopup gives the window a popup skinner when the switches allow
  // the kind of menu about to open, and says whether it did; DetachPopup frees the window's
  // skinner and says whether there was one.
  bool AttachPopup(HWND window);
  bool DetachPopup(HWND window);
  bool IsPopupSkinned(HWND window) const;
  // The background of the popup skinner showing this menu; empty when none is known.
  Raster PopupBitmapForMenu(HMENU menu) const;
  std::size_t PopupSkinnerCount() const { return popupSkinners_.size(); }

  void SetMdiMaximized(bool value);
  // Runs `action` after `ms` milliseconds; a later call before then replaces it. Before any
  // window has been activated, actions 1 and 2 only switch Active on or off.
  void ScheduleAction(int action, unsigned ms);
  int PendingAction() const { return pendingAction_; }
  bool ActionTimerRunning() const;
  void RefreshFormSkins();
  void RunPendingAction();

  const std::vector<TSkinData*>& SkinDataList() const { return skinDataList_; }

  // Plain state, read and written by the frame skinner.
  bool Active = false;
  bool BulkPass = false;
  bool MdiMaximized = false;
  int ActivationState = asNone;
  int PopupKind = pkPopup;
  HWND MdiClientWindow = nullptr;
  ui::TCustomForm* MdiFrameForm = nullptr;
  TSkinData* PendingSkinData = nullptr;
  TSkinData* MainSkinData = nullptr;

private:
  static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam);
  void HandleCreate(HWND window, const CBT_CREATEWNDW& create);
  void RunForOwnerForm(int action, TSkinData* data);
  void RunForAllForms(int action, TSkinData* data);
  void AttachScreenForms(TSkinData* onlyOwnedBy);
  void UnskinAndFree(TWinSkinForm* skinner);
  void FreeSkinner(TWinSkinForm* skinner);

  std::unique_ptr<ui::TTimer> timer_;
  HHOOK hook_ = nullptr;
  std::vector<TWinSkinForm*> formSkinners_;
  std::vector<std::unique_ptr<TWinSkinPopMenu>> popupSkinners_;
  std::vector<TSkinData*> skinDataList_;
  int pendingAction_ = 0;
};

// The process-wide manager; none until the first skin data component loads.
extern TSkinManage* SkinManager;
// Frees the manager (at program end, and by tests between cases).
void FreeSkinManager();

// The class name of a window (GetClassNameW, at most 100 characters), in UTF-8.
std::string WindowClassName(HWND window);

} // namespace vela::skin
