// The frame skinner's menus: the skinned menu bar in the frame, its keyboard access, and the
// owner-drawn entries of the window's menus.
#include "skin/forms/menu_item_painter.h"
#include "skin/forms/menu_layout.h"
#include "skin/forms/menu_owner_draw.h"
#include "skin/forms/skin_data.h"
#include "skin/forms/skin_manager.h"
#include "skin/forms/win_skin_form_impl.h"
#include "skin/forms/win_skin_menu.h"
#include "ui/control.h"
#include "ui/form.h"
#include "ui/menus.h"

#include <string_view>
#include <utility>

namespace vela::skin {

namespace {

using TImpl = TWinSkinForm::TImpl;

const TDataSkinObject* MenuItemElement(const TSkinData* data) {
  const TDataSkinObject* element = data ? data->Elements().MenuItem.get() : nullptr;
  return element && !element->Bitmap.Empty() ? element : nullptr;
}

// The menu font on a canvas, as the framework's own measuring expects it.
void UseMenuFont(ui::TCanvas& canvas) {
  if (const ui::TGdiObject<HFONT> font = MenuFont())
    canvas.Font()->AssignHandle(font.Get());
}

bool IsMenuWindow(HWND window) {
  wchar_t name[8]{};
  return GetClassNameW(window, name, 8) && std::wstring_view(name) == L"#32768";
}

bool AltAlone() {
  return GetKeyState(VK_MENU) < 0 && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0;
}

} // namespace

// ---- the bar

void TImpl::CreateMenuBar() {
  TMenuBarFrame bar;
  bar.window = window;
  bar.host = this;
  bar.screenToFrame = [this](POINT screen) { return ScreenToFrame(screen); };
  menuBar = std::make_unique<TWinSkinMenu>(std::move(bar), skinData, form ? form->Menu() : nullptr);
  menuBar->SetRightToLeft(rightToLeft);
  menuBarHeight = GetSystemMetrics(SM_CYMENU);
  // A bare window has no framework menu to read captions from: its own entries give them.
  if (menuBar->MainMenu())
    menuBar->BuildFromMainMenu();
  else
    menuBar->RebuildFromHandle(menu);
}

void TImpl::FreeMenuBar(bool giveBack) {
  if (!menuBar)
    return;
  if (giveBack && menuBar->MenuHandle() && IsWindow(window))
    SetMenu(window, menuBar->MenuHandle());
  menuBar.reset();
}

TMenuBtn* TImpl::HitMenuBarItem(Point framePoint) const {
  return menuBar && menuBarHeight > 0 ? menuBar->HitMenuItem(framePoint) : nullptr;
}

void TImpl::PressMenuBarItem(TMenuBtn& item) {
  if (menuBar->Tracking()) {
    // Never a second menu loop inside the first: the open drop-down ends and this one opens
    // once it has.
    menuBar->MoveTo(item);
    return;
  }
  if (!active)
    SetForegroundWindow(window);
  item.MouseDown();
  const std::shared_ptr<bool> stillAlive = alive;
  trackingMenu = true;
  menuBar->OpenMenuItem(item);
  if (!*stillAlive)
    return;
  trackingMenu = false;
  if (std::exchange(menuRebuildPending, false))
    RebuildMenuBar();
}

void TImpl::MenuChanged() {
  if (menuBar && menuBar->Tracking()) {
    // The framework refilled the entries of its menus, the open drop-down's among them, as
    // plain entries: they must stay owner-drawn while it shows.
    if (HMENU open = menuBar->TrackedDropDown())
      MakeOwnerDrawn(open);
  }
  if (!menuBar || !skinData->MenuUpdate() || !GetMenu(window))
    return;
  if (menuBar->Tracking()) {
    // The items are in use by the open drop-down (a click handler run inside the menu loop
    // changed the menu): the bar is rebuilt once the drop-down has closed, and only the
    // system's bar is taken away now.
    SetMenu(window, nullptr);
    menuRebuildPending = true;
    return;
  }
  RebuildMenuBar();
}

void TImpl::RebuildMenuBar() {
  if (!menuBar)
    return; // unskinned while the drop-down was open
  if (skinData->MenuMerge())
    menuBar->RebuildMerged();
  else
    menuBar->BuildFromMainMenu();
  PaintFrame(nullptr);
}

void TImpl::MdiMenuChanged(HMENU set) {
  if (!menuBar)
    return;
  if (!set) {
    // The last child went: the frame's own menu again.
    menuBar->BuildFromMainMenu();
  } else if (set != menuBar->MenuHandle() || newMdiChild) {
    menuBar->RebuildFromHandle(GetMenu(window));
  }
  SetMenu(window, nullptr);
  PaintFrame(nullptr);
}

bool TImpl::MenuAccelerator(ui::TMessage& m) {
  TMenuBtn* item = menuBar ? menuBar->FindAccelItem(wchar_t(m.WParam)) : nullptr;
  if (item && AltAlone()) {
    menuBar->PostPressOn(*item);
    m.Result = 1;
    return true;
  }
  // An MDI child shows no bar of its own: its Alt+letter opens the frame's menu.
  ui::TCustomForm* frameForm = SkinManager ? SkinManager->MdiFrameForm : nullptr;
  if (mdiKind != mkChild || !frameForm || frameForm == form ||
      GetAncestor(window, GA_ROOT) != frameForm->HandleIfAllocated())
    return false;
  const LRESULT taken = frameForm->Perform(ui::CM_DIALOGCHAR, m.WParam, m.LParam);
  if (taken == 0)
    return false;
  m.Result = taken;
  return true;
}

bool TImpl::KeyMenu(ui::TMessage& m) {
  if (!menuBar || menuBar->KeyboardInMenu() || (m.WParam & 0xFFF0) != SC_KEYMENU)
    return false;
  // A captured mouse (a drag) keeps the system's handling; the capture of the menu window that
  // Alt is closing is not one.
  if (HWND capture = GetCapture(); capture && !(menuBar->Tracking() && IsMenuWindow(capture)))
    return false;
  const auto key = wchar_t(m.LParam);
  if (key == L' ' || key == L'-')
    return false;
  // F10, or Alt alone, would put the window into the system's menu mode on a bar it no
  // longer shows.
  if (key == 0) {
    m.Result = 1;
    return true;
  }
  TMenuBtn* item = menuBar->FindAccelItem(key);
  if (!item)
    return false;
  // A form opens the item when the framework offers the key (CM_DIALOGCHAR); a bare window
  // has no framework to do that.
  if (!form)
    menuBar->PostPressOn(*item);
  m.Result = 1;
  return true;
}

// ---- owner-drawn entries

void TImpl::SetFormMenusOwnerDraw(bool on) {
  if (!form || !skinData)
    return;
  if (skinData->HasControl(xcPopupMenu))
    SetPopupOwnerDraw(form, skinData, on);
  if (skinData->HasControl(xcMenuItem))
    SetMainMenuOwnerDraw(form, skinData, on);
}

bool TImpl::MenuItemMessage(ui::TMessage& m) {
  if (!menu || !m.LParam)
    return false;
  if (m.Msg == WM_MEASUREITEM) {
    auto& mis = *reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    if (mis.CtlType != ODT_MENU || !MeasureMenuItem(mis))
      return false;
  } else {
    const auto& dis = *reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
    if (dis.CtlType != ODT_MENU || !DrawMenuItem(dis))
      return false;
  }
  m.Result = 1;
  return true;
}

bool TImpl::MeasureMenuItem(MEASUREITEMSTRUCT& mis) {
  ui::TMainMenu* mainMenu = form ? form->Menu() : nullptr;
  if (ui::TMenuItem* item = mainMenu ? mainMenu->FindItem(mis.itemID) : nullptr) {
    ui::TWindowDC dc(window);
    ui::TCanvas canvas;
    ui::TCanvasBinding binding(canvas, dc.Handle());
    UseMenuFont(canvas);
    int width = int(mis.itemWidth), height = int(mis.itemHeight);
    MeasureMainMenuItem(item, skinData, &canvas, width, height);
    mis.itemWidth = UINT(std::max(width, 0));
    mis.itemHeight = UINT(std::max(height, 0));
    return true;
  }
  if (form && IsOwnCommandId(mis.itemID))
    return false;
  // A foreign entry: measured from its text in the drop-down being tracked.
  HMENU source = menuBar ? menuBar->TrackedDropDown() : nullptr;
  if (!source)
    source = menu;
  wchar_t text[80]{};
  const int length = GetMenuStringW(source, mis.itemID, text, 80, MF_BYCOMMAND);
  const std::wstring entry(text, std::size_t(std::max(length, 0)));
  ui::TWindowDC dc(window);
  ui::TCanvas canvas;
  ui::TCanvasBinding binding(canvas, dc.Handle());
  UseMenuFont(canvas);
  const MenuItemContent content = ContentOfEntry(source, mis.itemID);
  const int textWidth = content.IsLine() ? 0 : canvas.TextWidth(entry);
  const TDataSkinObject* element = MenuItemElement(skinData);
  const ItemSize size = MeasureItemByText(textWidth, entry.empty(), int(mis.itemHeight),
                                          element ? element->LeftWidth : 0, false);
  mis.itemWidth = UINT(std::max(size.width, 0));
  mis.itemHeight = UINT(std::max(size.height, 0));
  return true;
}

bool TImpl::DrawMenuItem(const DRAWITEMSTRUCT& dis) {
  if (!skinData || skinData->SkinEmpty())
    return false;
  ui::TMainMenu* mainMenu = form ? form->Menu() : nullptr;
  const bool selected = (dis.itemState & ODS_SELECTED) != 0;
  if (ui::TMenuItem* item = mainMenu ? mainMenu->FindItem(dis.itemID) : nullptr) {
    const ui::TDCStateSaver state(dis.hDC);
    ui::TCanvas canvas;
    ui::TCanvasBinding binding(canvas, dis.hDC);
    PaintSkinnedMenuItem(item, skinData, &canvas, dis.rcItem, selected);
    return true;
  }
  if (form && IsOwnCommandId(dis.itemID))
    return false;
  auto* owner = reinterpret_cast<HMENU>(dis.hwndItem);
  PaintSkinnedMenuItem(dis.hDC, dis.rcItem, ContentOfEntry(owner, dis.itemID), selected,
                       skinData->Elements(), ItemBackground(owner, dis.rcItem));
  return true;
}

} // namespace vela::skin
