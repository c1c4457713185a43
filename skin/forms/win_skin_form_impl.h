#pragma once
// The inside of TWinSkinForm, shared by its message handling (win_skin_form_win.cpp) and its
// painting (win_skin_form_paint_win.cpp). Not for other layers.
#include "skin/forms/caption_layout.h"
#include "skin/forms/frame_geometry.h"
#include "skin/forms/nc_objects.h"
#include "skin/forms/win_skin_form.h"
#include "ui/bitmap.h"
#include "ui/graphics.h"
#include "ui/messages.h"

#include <windows.h>
#include "ui/win_names.h"

#include <memory>
#include <string>
#include <vector>

namespace vela::ui {
class TTimer;
} // namespace vela::ui

namespace vela::skin {

class TMenuBtn;
class TSkinData;
class TSystemPopup;
namespace mapping {
struct MappingDecision;
enum class ChildAction;
} // namespace mapping
class TWinSkinMenu;

// Life states.
enum TLifeState : int {
  lsCreated = 0,
  lsSkinned = 1,
  lsReskinning = 3,
  lsDestroying = 4,
  lsFitting = 5,
  lsDestroyed = 6
};
// MDI kinds.
enum TMdiKind : int { mkNone = 0, mkFrame = 1, mkChild = 2 };

class TWinSkinForm::TImpl : public TNCHost {
public:
  explicit TImpl(TWinSkinForm& self);
  ~TImpl();

  // ---- attaching and detaching (win_skin_form_win.cpp)
  void AttachToForm(TSkinData* data, ui::TCustomForm* form);
  void AttachToWindow(TSkinData* data);
  void DetachFrame();
  void DetachOnDestroy();
  void DetachPlain();
  bool ReleaseFrame();
  // Puts back the window procedure and the form's WindowProc when they are still ours.
  void ReleaseWindow();
  void ReskinForm();
  void SetCaptionStyle(bool value);
  void Finish();
  // Unskins (unless its window is gone) and frees every control skinner.
  void FreeControlSkinners();
  // The control mapping: a form's components, or a bare window's child windows.
  void SkinComponents(ui::TComponent* container);
  void MapControl(ui::TControl* control, ui::TComponent* container);
  // Carries out the mapping's decision for one control: its skinner, the properties it
  // writes and what happens to the control's children.
  void ApplyDecision(ui::TControl* control, const mapping::MappingDecision& decision);
  void MapChildren(ui::TControl* control, mapping::ChildAction action);
  bool IsControlSkinned(const ui::TControl* control) const;
  void SkinChildWindows();
  void SkinChildWindow(HWND child);
  void RestoreNormalFrame();

  // ---- messages
  void FrameWndProc(ui::TMessage& m);
  void FormWndProc(ui::TMessage& m);
  void MdiClientWndProc(ui::TMessage& m);
  // Calls the previous window procedure; false when the skinner was freed meanwhile.
  bool CallOldProc(ui::TMessage& m);
  void HoverCheck();

  // ---- geometry and painting (win_skin_form_paint_win.cpp)
  void UpdateFrameMetrics();
  void BuildCaptionObjects();
  void DropCaptionObjects();
  void BuildIconBitmap();
  void FitWindowToFrame(bool keepClient);
  void RefreshFrame();
  void PaintFrame(HDC dc);
  void PaintCaptionBar(int width);
  void PaintTitle(const Rect& area);
  void PaintCaptionButtons();
  // An MDI frame whose active child is maximised: the child's buttons in the bar.
  void PaintMdiChildControls();
  void UpdateRegion();
  // The union of the four border pieces of a w x h window, cut along transparent pixels.
  ui::TGdiObject<HRGN> BorderRegion(int w, int h);
  void DropRegion();
  void LayoutCaptionButtons(const Rect& title, int width);
  bool IsCaptionButtonVisible(std::size_t index);
  CaptionState CurrentCaptionState() const;
  TWinSysButton* HitCaptionButton(Point framePoint);
  Point ScreenToFrame(POINT screen) const;
  std::wstring WindowTitle() const;

  // TNCHost
  TNCObject* HotObject() const override { return hot; }
  void SetHotObject(TNCObject* object) override { hot = object; }
  void PaintObject(TNCObject& object) override;

  // ---- the menu bar and owner-drawn menu items (win_skin_form_menu_win.cpp)
  void CreateMenuBar();
  // Frees the bar; `giveBack` first puts the window's menu back on it.
  void FreeMenuBar(bool giveBack);
  TMenuBtn* HitMenuBarItem(Point framePoint) const;
  // A press on a bar item: shows it pressed and tracks its drop-down.
  void PressMenuBarItem(TMenuBtn& item);
  // After the framework rebuilt the form's menu (CM_MENUCHANGED).
  void MenuChanged();
  // The bar's items again from the form's main menu (merged with the window's menu when the
  // skin data says so).
  void RebuildMenuBar();
  // The MDI client changed the frame's menu (`menu`, from WM_MDISETMENU), or its last child went
  // (none): the bar follows.
  void MdiMenuChanged(HMENU menu);
  // Alt+letter through the framework (CM_DIALOGCHAR); true when an item opens.
  bool MenuAccelerator(ui::TMessage& m);
  // WM_SYSCOMMAND with SC_KEYMENU; true when consumed.
  bool KeyMenu(ui::TMessage& m);
  // WM_MEASUREITEM and WM_DRAWITEM of menu entries; true when handled.
  bool MenuItemMessage(ui::TMessage& m);
  bool MeasureMenuItem(MEASUREITEMSTRUCT& mis);
  bool DrawMenuItem(const DRAWITEMSTRUCT& dis);
  // Owner drawing of the form's framework menus on or off (attach, reskin, detach).
  void SetFormMenusOwnerDraw(bool on);

  // ---- caption buttons and the system menu (win_skin_form_win.cpp)
  void DoCaptionButtonAction(POINT screen);
  void ToggleMaximize();
  void ToggleMinimize();
  void RestoreWindow();
  void MdiChildCommand(UINT command);
  void ShowSystemMenu(POINT screen);
  void BuildSystemPopup();
  void SystemPopupClick(int tag);
  bool MdiChildActiveAndMaximized() const;
  void ReadShowState();
  void StopHover();

  TWinSkinForm& self;
  // Shared with every message in progress, so that a handler can tell whether the skinner was
  // freed by the message it passed on.
  std::shared_ptr<bool> alive = std::make_shared<bool>(true);

  bool formHooked = false;
  ui::TWndMethod previousFormProc;
  WNDPROC previousProc = nullptr;
  bool procInstalled = false;
  bool mdiClientHooked = false;

  ui::TGdiObject<HFONT> captionFont;
  bool childrenSkinned = false;
  std::unique_ptr<ui::TTimer> hoverTimer;
  int disableTag = 0;
  std::wstring titleSuffix = L"  ";
  std::wstring titlePrefix = L" ";
  std::wstring measuredTitle;
  std::string className;
  bool captionStyleApplied = true;
  bool mdiMenuUpdate = true;
  bool frameSkinning = false;
  RECT clientRect{};
  DWORD lastSystemMenuClick = 0;
  UINT doubleClickTime = 500;
  int titleWidth = 0;
  HWND ownerWindow = nullptr;
  HICON icon = nullptr;
  // The icon at caption size, made once when the icon bitmap is built.
  HICON smallIcon = nullptr;
  int iconSize = 16;
  FrameWidths frame;
  RECT windowRect{};
  Rect titleRect;
  Size initialFrame;
  int menuBarHeight = 0;
  bool trackingMenu = false;
  bool rightToLeft = false;
  bool sizeable = false;
  bool unicodeWindow = false;
  bool dialogClass = false;
  bool detachOnDestroy = false;
  std::unique_ptr<TSystemPopup> systemPopup;
  std::unique_ptr<TWinSkinMenu> menuBar;
  // The menu changed while a drop-down was open: rebuild the bar when it closes.
  bool menuRebuildPending = false;
  HWND mdiClient = nullptr;
  HWND newMdiChild = nullptr;
  HMENU menu = nullptr;
  HMENU systemMenu = nullptr;
  ui::TColor savedColor = ui::clBtnFace;
  DWORD savedStyle = 0;
  int buttonClip = 0;
  TNCObject* hot = nullptr;
  bool regionSet = false;
  ui::TCustomForm* form = nullptr;
  HWND window = nullptr;
  TSkinData* skinData = nullptr;
  std::vector<std::unique_ptr<TWinSysButton>> captionObjects;
  ui::TBitmap iconBitmap;
  // The same pixels for the raster primitives (a system-menu button without its own image).
  Bitmap iconStrip;
  // The composed frame, window-sized; its top strip is the caption bitmap.
  ui::TBitmap frameBitmap;
  bool captionValid = false;
  std::vector<TSkinControl*> controlSkinners;
  Size frameSize;
  Size regionSize;
  bool active = true;
  int mdiKind = mkNone;
  BorderKind border = BorderKind::Single;
  unsigned captionFlags = 0;
  ShowState show = ShowState::Normal;
  int lifeState = lsCreated;
  TSkinControl* hotControl = nullptr;
  // What control skinners draw on: a canvas of their own, bound to no device context.
  ui::TCanvas controlCanvas;
  // Skinners of bare child windows, which the frame skinner owns.
  std::vector<std::unique_ptr<TSkinControl>> ownedSkinners;
  HWND sizeGrip = nullptr;
};

// The face colour brush of a skin data (the system's button face when there is none).
HBRUSH FaceBrushOf(const TSkinData* data);

} // namespace vela::skin
