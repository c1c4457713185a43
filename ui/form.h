#pragma once
// Forms: top-level windows made of controls, usually read from a stored description.
//
// A form class binds its fields and handlers and reads its description in its constructor
// (see ui/README.md):
//
//   class TForm1 : public TForm {
//     VELA_CLASS_INFO
//   public:
//     explicit TForm1(TComponent* owner);
//     TSpeedButton* BtnConnect = nullptr;
//     void FormCreate(TObject* Sender);
//     void BtnConnectClick(TObject* Sender);
//   };
//   TForm1::TForm1(TComponent* owner) : TForm(owner) {
//     BindField("BtnConnect", BtnConnect);
//     BindMethod("FormCreate", &TForm1::FormCreate);
//     BindMethod("BtnConnectClick", &TForm1::BtnConnectClick);
//     ReadDescription();     // the RCDATA resource named "TFORM1", then OnCreate
//   }
//
// The form puts its Menu back on its window when it receives CM_MENUCHANGED, and hands the
// WM_MEASUREITEM / WM_DRAWITEM of owner-drawn entries of its menus to their items.
//
// Closing: WM_CLOSE calls Close(): OnCloseQuery may refuse, OnClose chooses what happens
// (caHide by default; caFree releases the form). Closing the application's main form ends the
// application's message loop.
#include "ui/win_control.h"

#include <string>
#include <string_view>
#include <vector>

namespace vela::ui {

class TMainMenu;

enum TBorderIconBits : std::uint32_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = std::uint32_t;
enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum class TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TCustomControl {
  VELA_CLASS_INFO
public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  // Reads the description stored as the RCDATA resource `resourceName` (default: the class
  // name) of the executable, then fires OnCreate. Throws EReadError.
  void ReadDescription(std::wstring_view resourceName = {});
  // The same from description text (tests, tools).
  void ReadDescriptionText(std::string_view text);

  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle style);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);
  // When on, scroll bars appear while controls lie beyond the client area.
  bool AutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool value);
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);
  // The window icon (not owned).
  HICON Icon() const { return icon_; }
  void SetIcon(HICON icon);
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control);

  void SetClientWidth(int value) override;
  void SetClientHeight(int value) override;
  RECT ClientRect() const override;
  POINT ClientOrigin() const override;
  bool Showing() const override;

  // Runs the OnClick of the enabled item of the form's Menu whose ShortCut is this key with
  // the modifier keys now held; true when there was one. The message loop asks before a key
  // reaches the focused control.
  bool IsShortCut(WPARAM key);

  void Close();
  // Frees the form once the messages being handled are done (posts CM_RELEASE).
  void Release();
  void BringToFront();

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  // Runs when the form is freed by its owner, by Release or by Free(), while the form's class
  // is still whole; a plain delete does not run it.
  TNotifyEvent OnDestroy;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;

  void Notification(TComponent* component, TOperation operation) override;
  // Fires OnDestroy (freeing through the owner, Release or Free).
  void BeforeDestruction() override;
  // A form stored as visible is shown once everything has been read.
  void Loaded() override;

protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void WndProc(TMessage& message) override;
  void VisibleChanged() override;
  void Paint() override;

private:
  void FrameSize(int& extraWidth, int& extraHeight) const;
  void UpdateScrollRange();
  void ScrollBy(int bar, int code);
  void DoCreate();
  void RestoreFocus();
  // Hands an owner-drawn entry of one of this form's menus to its item.
  bool DispatchOwnerDrawnEntry(TMessage& message);

  TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
  TFormStyle formStyle_ = TFormStyle::fsNormal;
  TPosition position_ = TPosition::poDesigned;
  TWindowState windowState_ = TWindowState::wsNormal;
  bool autoScroll_ = false;
  POINT scrollPos_{0, 0};
  TMainMenu* menu_ = nullptr;
  HICON icon_ = nullptr;
  TWinControl* activeControl_ = nullptr;
  bool created_ = false;
  bool shownOnce_ = false;
  HWND lastFocus_ = nullptr; // the child that had the focus when the form was deactivated
};

class TForm : public TCustomForm {
  VELA_CLASS_INFO
public:
  explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};

// The application's list of forms.
class TScreen {
public:
  int FormCount() const { return int(forms_.size()); }
  TCustomForm* Forms(int index) const { return forms_.at(std::size_t(index)); }
  // The form whose window is active, or nullptr.
  TCustomForm* ActiveForm() const;

private:
  friend class TCustomForm;
  std::vector<TCustomForm*> forms_;
};

extern TScreen* Screen;

} // namespace vela::ui
