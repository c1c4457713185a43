#pragma once
// TSkinComBox: combo boxes and date pickers. The control paints itself; the skinner then
// draws the frame and the drop button from "ComboButton" (see combo_geometry.h for the three
// ways), leaving the edit area to the control. The edit field of a drop-down combo is
// subclassed, so that its own painting is followed by the skin's and a press on it shows the
// pressed look. The list of a combo whose list always shows gets its scroll bars from a
// TSkinScrollbarH.
#include "skin/controls/button_looks.h"
#include "skin/controls/skin_control.h"
#include "skin/controls/skin_scrollbar.h"

namespace vela::skin {

class TSkinComBox : public TSkinControl {
  VELA_CLASS_INFO
public:
  explicit TSkinComBox(ui::TComponent* owner);
  ~TSkinComBox() override;

  void AttachControl(TSkinHost* host, bool recolour, ui::TCanvas* canvas) override;
  void AttachHandle(HWND window, TSkinHost* host, ui::TCanvas* canvas) override;
  void Unskin() override;

  // The look painted last (0 before the first paint).
  int CurrentLook() const { return look_; }
  // The subclassed edit field, null when there is none.
  HWND EditField() const { return edit_; }
  // The skinner of the list's scroll bars (a combo whose list always shows), or null.
  TSkinScrollbarH* ListBars() const { return listBars_; }

protected:
  void AfterMessage(ui::TMessage& m) override;
  void Draw(HDC dc, const RECT& rect) override;
  void Notification(ui::TComponent* component, ui::TOperation operation) override;

private:
  void TakeOverEditField();
  void SkinListBars();
  void ReleaseEditField();
  static void EditMessage(void* owner, ui::TMessage& m);
  void SetPressed(bool pressed);
  void SetHot(bool hot);
  ButtonState ReadState() const;

  DWORD style_ = 0;
  DWORD exStyle_ = 0;
  HWND edit_ = nullptr;
  int look_ = 0;
  bool trackingLeave_ = false;
  TSkinScrollbarH* listBars_ = nullptr;
};

} // namespace vela::skin
