#pragma once
// TWinSkinForm: the frame skinner of one top-level window.
//
// It takes over the window's messages (the window procedure, and for a framework form also the
// form's WindowProc), hides the system caption and paints the frame, caption, title and caption
// buttons from the skin. The skin manager creates it, sets its window, attaches it and posts
// SKM_SKINCHILDREN to finish; unskinning calls DetachFrame, and a window that is destroyed
// while skinned is released at WM_NCDESTROY (DetachOnDestroy).
//
// A skinner owned by a form is freed with the form, before WM_NCDESTROY reaches the window:
// the destructor then puts the window procedure and the form's WindowProc back silently.
#include "skin/controls/skin_control.h"
#include "ui/core/component.h"
#include "ui/messages.h"

#include <windows.h>
#include "ui/win_names.h"

#include <memory>

namespace vela::ui {
class TCustomForm;
}

namespace vela::skin {

class TSkinData;
class TWinSkinMenu;
class TWinSkinForm : public ui::TComponent, public TSkinHost {
  VELA_CLASS_INFO
public:
  // The owner is the form the skinner serves, or nullptr for a bare window.
  explicit TWinSkinForm(ui::TComponent* ownerForm);
  ~TWinSkinForm() override;

  void SetWindow(HWND window);
  HWND Window() const;

  void AttachToForm(TSkinData* skinData, ui::TCustomForm* form);
  void AttachToWindow(TSkinData* skinData);
  void DetachFrame();
  void ReskinForm();
  // false strips the system caption bits, true puts them back.
  void SetCaptionStyle(bool value);

  // 0 created, 1 skinned, 3 re-skinning, 4 being destroyed, 5 fitting, 6 destroyed.
  int LifeState() const;
  TSkinData* SkinData() const;
  ui::TCustomForm* Form() const;
  // 0 none, 1 MDI frame, 2 MDI child.
  int MdiKind() const;

  // The manager's skin-changed action: forget what was built from the old skin, then rebuild.
  void DropCaptionObjects();
  void UpdateFrameMetrics();
  // The manager's MDI-maximised handling.
  void DropRegion();
  void UpdateRegion();
  void RestoreNormalFrame();
  // The size grip ("ScrollBar" with SBS_SIZEGRIP) created in this window.
  void SetSizeGrip(HWND grip);
  HWND SizeGrip() const;

  // TSkinHost: the control skinners of this window and its hot control.
  const TSkinElements* SkinElements() const override;
  bool AddControlSkinner(TSkinControl* skinner) override;
  void RemoveControlSkinner(TSkinControl* skinner) override;
  TSkinControl* FindControlSkinner(HWND window) const override;
  TSkinControl* HotControl() const override;
  void SetHotControl(TSkinControl* skinner) override;
  int ControlSkinnerCount() const;
  TSkinControl* ControlSkinner(int index) const;

  // The skinned menu bar, or null when the window shows none.
  TWinSkinMenu* MenuBar() const;
  // Height of the strip the frame reserves for it (0 without one).
  int MenuBarHeight() const;

  int DisableTag() const;
  void SetDisableTag(int value);

  class TImpl;

private:
  std::unique_ptr<TImpl> impl_;
};

} // namespace vela::skin
