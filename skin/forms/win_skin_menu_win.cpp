#include "skin/forms/win_skin_menu.h"

#include "skin/data/skin_text_win.h"
#include "skin/draw/primitives.h"
#include "skin/draw/stretch.h"
#include "skin/forms/menu_item_painter.h"
#include "skin/forms/menu_layout.h"
#include "skin/forms/skin_data.h"
#include "skin/forms/skin_manager.h"
#include "ui/graphics.h"
#include "ui/menus.h"

#include <algorithm>

namespace vela::skin {

namespace {

constexpr int kMenuBarCells = 2; // active above inactive
constexpr UINT kCaptionFormat = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
constexpr int kEntryTextLength = 80;

RECT ToRECT(const Rect& r) {
  return RECT{r.left, r.top, r.right, r.bottom};
}

Rect Shifted(const Rect& r, int dx, int dy) {
  return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

int CaptionWidth(HDC dc, const std::wstring& caption) {
  if (caption.empty())
    return 0;
  RECT box{0, 0, 0, 0};
  DrawSkinText(dc, caption, box, DT_SINGLELINE | DT_CALCRECT);
  return box.right - box.left;
}

// The drop-down's place: below the item, at its leading edge (the right one on a right-to-left
// bar, which the drop-down then hangs from), in screen coordinates.
POINT DropDownPoint(HWND window, const Rect& item, bool rightToLeft) {
  RECT wr{};
  GetWindowRect(window, &wr);
  return POINT{wr.left + (rightToLeft ? item.right : item.left), wr.top + item.bottom};
}

// ---- tracking, one drop-down per process

struct TrackingState {
  HHOOK hook = nullptr;
  TWinSkinMenu* bar = nullptr;
  int openIndex = -1;
  HMENU dropDown = nullptr;
  // The highlighted entry as WM_MENUSELECT last told: its menu (none when nothing is
  // highlighted), and the submenu it opens (none for a command).
  HMENU selectedMenu = nullptr;
  HMENU selectedSubMenu = nullptr;
  bool firstMessage = false;
  // Alt pressed inside the loop: the menu closes and nothing opens after it.
  bool altPressed = false;
  int target = -1;
  POINT lastPoint{};
};

TrackingState tracking;

int Neighbour(int index, int count, int step) {
  return count <= 0 ? -1 : (index + step + count) % count;
}

// Decides where a message seen inside the menu loop takes the bar; true swallows it.
bool Steer(const MSG& msg) {
  TrackingState& t = tracking;
  if (!t.firstMessage) {
    t.firstMessage = true;
    // The drop-down opens with its first item highlighted, as a menu bar's does.
    PostMessageW(msg.hwnd, WM_KEYDOWN, VK_DOWN, 0);
  }
  const int count = t.bar->ItemCount();
  int target = -1;
  bool swallow = false;
  switch (msg.message) {
  case WM_KEYDOWN:
    if (msg.wParam == VK_LEFT &&
        (!t.selectedMenu || t.selectedMenu == t.dropDown || t.selectedSubMenu == t.dropDown))
      target = Neighbour(t.openIndex, count, -1);
    else if (msg.wParam == VK_RIGHT && (!t.selectedMenu || !t.selectedSubMenu))
      target = Neighbour(t.openIndex, count, +1);
    break;
  case WM_SYSKEYDOWN:
    if (msg.wParam == VK_MENU) {
      // Alt leaves the menu altogether, as it does on the system's bar; the Alt that follows
      // the close must not start the system's menu mode either.
      t.altPressed = true;
      t.target = -1;
      EndMenu();
      return true;
    }
    break;
  case WM_MOUSEMOVE:
    if (msg.pt.x != t.lastPoint.x || msg.pt.y != t.lastPoint.y) {
      t.lastPoint = msg.pt;
      if (TMenuBtn* hit = t.bar->HitMenuItem(t.bar->ToFrame(msg.pt)))
        target = hit->Index;
    }
    break;
  case WM_LBUTTONDOWN:
  case WM_NCLBUTTONDOWN: {
    // A press on the bar: on the open item it closes the drop-down, on another it moves there.
    // A non-client press carries its own screen point (a posted one was made elsewhere).
    const POINT at = msg.message == WM_NCLBUTTONDOWN
                         ? POINT{short(LOWORD(msg.lParam)), short(HIWORD(msg.lParam))}
                         : msg.pt;
    if (TMenuBtn* hit = t.bar->HitMenuItem(t.bar->ToFrame(at))) {
      swallow = true;
      if (hit->Index == t.openIndex)
        EndMenu();
      else
        target = hit->Index;
    }
    break;
  }
  default:
    break;
  }
  if (target >= 0 && target != t.openIndex && !t.altPressed) {
    t.target = target;
    EndMenu();
    return true;
  }
  return swallow;
}

// Left and Right read the other way round on a right-to-left bar, for the menu loop as much as
// for the steering: the next item and a submenu both lie to the left there.
void MirrorArrowKeys(int code, LPARAM lParam) {
  if (code != MSGF_MENU || !lParam || !tracking.bar || !tracking.bar->RightToLeft())
    return;
  auto& msg = *reinterpret_cast<MSG*>(lParam);
  if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP)
    return;
  if (msg.wParam == VK_LEFT)
    msg.wParam = VK_RIGHT;
  else if (msg.wParam == VK_RIGHT)
    msg.wParam = VK_LEFT;
}

LRESULT CALLBACK MenuFilterHook(int code, WPARAM wParam, LPARAM lParam) {
  MirrorArrowKeys(code, lParam);
  const LRESULT next = CallNextHookEx(tracking.hook, code, wParam, lParam);
  if (next != 0 || code != MSGF_MENU || !tracking.bar || !lParam)
    return next;
  try {
    return Steer(*reinterpret_cast<const MSG*>(lParam)) ? 1 : 0;
  } catch (...) {
    return 0; // nothing may leave a hook
  }
}

} // namespace

void MakeOwnerDrawn(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
    if (!GetMenuItemInfoW(menu, UINT(i), TRUE, &info))
      continue;
    if (!(info.fType & MFT_OWNERDRAW)) {
      // MIIM_FTYPE alone keeps the entry's text, which measuring by text reads.
      info.fMask = MIIM_FTYPE;
      info.fType |= MFT_OWNERDRAW;
      SetMenuItemInfoW(menu, UINT(i), TRUE, &info);
    }
    if (info.hSubMenu)
      MakeOwnerDrawn(info.hSubMenu);
  }
}

TWinSkinMenu::TWinSkinMenu(TMenuBarFrame frame, TSkinData* skinData, ui::TMainMenu* mainMenu)
    : frame_(std::move(frame)), skinData_(skinData), mainMenu_(mainMenu) {}

TWinSkinMenu::~TWinSkinMenu() {
  *alive_ = false;
  if (tracking.bar == this) {
    tracking.bar = nullptr;
    EndMenu();
  }
  FreeItems();
}

void TWinSkinMenu::FreeItems() {
  if (frame_.host) {
    TNCObject* hot = frame_.host->HotObject();
    for (const auto& item : items_)
      if (hot == item.get())
        frame_.host->SetHotObject(nullptr);
  }
  items_.clear();
}

TMenuBtn* TWinSkinMenu::Item(int index) const {
  return index >= 0 && index < ItemCount() ? items_[std::size_t(index)].get() : nullptr;
}

Point TWinSkinMenu::ToFrame(POINT screen) const {
  return frame_.screenToFrame ? frame_.screenToFrame(screen) : Point{screen.x, screen.y};
}

// ---- building

void TWinSkinMenu::BuildFromMainMenu() {
  if (HMENU current = GetMenu(frame_.window))
    menuHandle_ = current;
  if (!menuHandle_ || !mainMenu_)
    return;
  FreeItems();
  ui::TMenuItem* root = mainMenu_->Items();
  for (int i = 0; i < root->Count(); ++i) {
    ui::TMenuItem* source = root->Items(i);
    auto item = std::make_unique<TMenuBtn>(*frame_.host, i);
    item->Visible = source->Visible();
    item->Enabled = source->Enabled();
    item->Command = source->Command();
    item->Caption = source->Caption();
    item->Item = source;
    item->DropDown = source->Count() > 0 ? source->Handle() : nullptr;
    items_.push_back(std::move(item));
  }
  SetMenu(frame_.window, nullptr);
}

void TWinSkinMenu::RebuildMerged() {
  HMENU current = GetMenu(frame_.window);
  ReadHandleItems(current ? current : menuHandle_, true);
}

void TWinSkinMenu::RebuildFromHandle(HMENU menu) {
  ReadHandleItems(menu ? menu : menuHandle_, false);
}

void TWinSkinMenu::ReadHandleItems(HMENU menu, bool byPosition) {
  if (!menu)
    return;
  menuHandle_ = menu;
  FreeItems();
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    wchar_t text[kEntryTextLength]{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = kEntryTextLength - 1;
    if (!GetMenuItemInfoW(menu, UINT(i), TRUE, &info))
      info = MENUITEMINFOW{};
    auto item = std::make_unique<TMenuBtn>(*frame_.host, i);
    item->DropDown = info.hSubMenu;
    item->Enabled = (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
    item->Visible = true;
    item->Command = info.wID;
    item->Caption = text;
    if (item->Caption.empty() && mainMenu_) {
      // Owner-drawn entries carry no text: the framework's items supply the captions.
      auto fill = [&item](ui::TMenuItem* source, UINT command) {
        item->Item = source;
        item->Caption = source->Caption();
        item->Enabled = source->Enabled();
        item->Command = command;
        item->DropDown = source->Count() > 0 ? source->Handle() : nullptr;
      };
      ui::TMenuItem* root = mainMenu_->Items();
      if (byPosition) {
        if (i < root->Count())
          fill(root->Items(i), GetMenuItemID(menu, i));
      } else {
        for (int j = 0; j < root->Count(); ++j)
          if (root->Items(j)->Command() == info.wID)
            fill(root->Items(j), root->Items(j)->Command());
      }
    }
    items_.push_back(std::move(item));
  }
  SetMenu(frame_.window, nullptr);
}

// ---- painting

void TWinSkinMenu::PaintMenuBar(ui::TBitmap& canvas, const Rect& bar, bool active) {
  bar_ = bar;
  active_ = active;
  if (bar.Width() <= 0 || bar.Height() <= 0 || !skinData_)
    return;
  const TSkinElements& e = skinData_->Elements();
  const Raster pixels = canvas.View();
  const TDataSkinObject* element =
      e.MenuBar && !e.MenuBar->Bitmap.Empty() ? e.MenuBar.get() : nullptr;
  MenuBarSkin layoutSkin;
  if (element) {
    layoutSkin = MenuBarSkin{true, element->LeftWidth, element->RightWidth};
    const Margins margins{element->LeftWidth, 0, element->RightWidth, 0};
    const int cell = active ? 1 : 2;
    if (element->Tile == 1)
      DrawSkinRect(pixels, bar, element->Bitmap.View(), margins, cell, kMenuBarCells, false, false,
                   true);
    else
      DrawSkinStrip(pixels, bar, element->Bitmap.View(), margins, cell, kMenuBarCells, false, true);
  } else {
    FillPixels(pixels, bar, PixelFromColorRef(ui::ColorToRGB(e.Colours.Menubar)));
  }
  background_.Resize(bar.Width(), bar.Height());
  CopyPixels(background_.View(), 0, 0, pixels, bar);

  HDC dc = canvas.Dc();
  const ui::TDCStateSaver state(dc);
  const ui::TGdiObject<HFONT> font = MenuFont();
  if (font)
    SelectObject(dc, font.Get());
  SetBkMode(dc, TRANSPARENT);
  std::vector<MenuBarEntry> entries;
  for (const auto& item : items_)
    entries.push_back(
        MenuBarEntry{CaptionWidth(dc, item->Caption), item->Caption.empty(), item->Visible});
  const int start = MenuBarStart(layoutSkin, bar.Width(), rightToLeft_);
  const std::vector<Rect> rects = LayoutMenuBar(entries, bar, start, rightToLeft_);
  for (std::size_t i = 0; i < items_.size(); ++i) {
    TMenuBtn& item = *items_[i];
    item.Bounds = rects[i];
    if (!item.Visible || item.Caption.empty())
      continue;
    SetTextColor(dc, item.Enabled ? ui::ColorToRGB(e.Colours.MenuBarText)
                                  : GetSysColor(COLOR_BTNSHADOW));
    RECT box = ToRECT(item.Bounds);
    DrawSkinText(dc, item.Caption, box, kCaptionFormat);
  }
  GdiFlush();
}

void TWinSkinMenu::PaintItem(const TMenuBtn& item) {
  if (!skinData_ || background_.Empty() || item.Bounds.Width() <= 0)
    return;
  // The item's column of the bar, from the bar's top to its bottom.
  const Rect column{item.Bounds.left, bar_.top, item.Bounds.right, bar_.bottom};
  ui::TBitmap surface;
  surface.SetSize(column.Width(), column.Height());
  const Rect source = Shifted(column, -bar_.left, -bar_.top);
  CopyPixels(surface.View(), 0, 0, background_.View(),
             Rect{std::max(source.left, 0), source.top, source.right, source.bottom});
  HDC dc = surface.Dc();
  {
    const ui::TDCStateSaver state(dc);
    const TSkinElements& e = skinData_->Elements();
    const Rect inItem = Shifted(item.Bounds, -column.left, -column.top);
    RECT box = ToRECT(inItem);
    if (item.State == TNCObject::stPressed || item.State == TNCObject::stHot) {
      ui::TGdiObject<HBRUSH> line(CreateSolidBrush(ui::ColorToRGB(e.Colours.ButtonHilight)));
      FrameRect(dc, &box, line.Get());
    }
    const ui::TGdiObject<HFONT> font = MenuFont();
    if (font)
      SelectObject(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, item.Enabled ? ui::ColorToRGB(e.Colours.MenuBarText)
                                  : GetSysColor(COLOR_BTNSHADOW));
    DrawSkinText(dc, item.Caption, box, kCaptionFormat);
  }
  GdiFlush();
  HDC target = GetWindowDC(frame_.window);
  if (!target)
    return;
  BitBlt(target, column.left, column.top, column.Width(), column.Height(), dc, 0, 0, SRCCOPY);
  ReleaseDC(frame_.window, target);
}

// ---- finding items

TMenuBtn* TWinSkinMenu::HitMenuItem(Point framePoint) const {
  std::vector<Rect> rects;
  std::vector<MenuBarEntry> entries;
  for (const auto& item : items_) {
    rects.push_back(item->Visible ? item->Bounds : Rect{});
    entries.push_back(MenuBarEntry{0, item->Caption.empty(), item->Visible});
  }
  return Item(HitMenuBarItem(rects, entries, framePoint));
}

TMenuBtn* TWinSkinMenu::FindAccelItem(wchar_t key) const {
  for (const auto& item : items_)
    if (item->Enabled && item->Visible && IsAccelerator(item->Caption, key))
      return item.get();
  return nullptr;
}

void TWinSkinMenu::PostPressOn(const TMenuBtn& item) const {
  RECT wr{};
  GetWindowRect(frame_.window, &wr);
  PostMessageW(frame_.window, WM_NCLBUTTONDOWN, HTMENU,
               MAKELPARAM(wr.left + item.Bounds.left + 1, wr.top + item.Bounds.top + 1));
}

// ---- opening and tracking

bool TWinSkinMenu::Tracking() const {
  return tracking.bar == this;
}

bool TWinSkinMenu::KeyboardInMenu() const {
  return Tracking() && !tracking.altPressed;
}

void TWinSkinMenu::MoveTo(const TMenuBtn& item) {
  if (!Tracking() || item.Index == tracking.openIndex || tracking.altPressed)
    return;
  tracking.target = item.Index;
  EndMenu();
}

HMENU TWinSkinMenu::TrackedDropDown() const {
  return Tracking() ? tracking.dropDown : nullptr;
}

void TWinSkinMenu::MenuSelected(WPARAM wParam, LPARAM lParam) {
  if (!Tracking())
    return;
  const UINT flags = HIWORD(wParam);
  if (flags == 0xFFFF && lParam == 0)
    return; // the menu closed; TrackPopupMenu returning ends the tracking
  auto* menu = reinterpret_cast<HMENU>(lParam);
  tracking.selectedMenu = menu;
  tracking.selectedSubMenu = (flags & MF_POPUP) ? GetSubMenu(menu, LOWORD(wParam)) : nullptr;
}

void TWinSkinMenu::TidySeparatorsOf(ui::TMenuItem* item) {
  std::vector<DropDownEntry> entries;
  for (int i = 0; i < item->Count(); ++i)
    entries.push_back(DropDownEntry{item->Items(i)->IsLine(), item->Items(i)->Visible()});
  const std::vector<bool> visible = TidySeparators(entries);
  for (int i = 0; i < item->Count(); ++i)
    if (item->Items(i)->IsLine() && item->Items(i)->Visible() != visible[std::size_t(i)])
      item->Items(i)->SetVisible(visible[std::size_t(i)]);
}

int TWinSkinMenu::TrackDropDown(TMenuBtn& item) {
  if (item.Item)
    TidySeparatorsOf(item.Item);
  MakeOwnerDrawn(item.DropDown);
  tracking = TrackingState{};
  tracking.bar = this;
  tracking.openIndex = item.Index;
  tracking.dropDown = item.DropDown;
  GetCursorPos(&tracking.lastPoint);
  if (SkinManager)
    SkinManager->PopupKind = pkMenuBar;
  tracking.hook = SetWindowsHookExW(WH_MSGFILTER, MenuFilterHook, nullptr, GetCurrentThreadId());
  const HWND window = frame_.window;
  const std::shared_ptr<bool> alive = alive_;
  UINT command = 0;
  if (item.Enabled) {
    // The chosen command is returned rather than sent, so that it arrives the same way on
    // every platform: posted after the menu has gone.
    const POINT at = DropDownPoint(window, item.Bounds, rightToLeft_);
    command = UINT(TrackPopupMenu(item.DropDown,
                                  TPM_RETURNCMD | TPM_RIGHTBUTTON |
                                      (rightToLeft_ ? TPM_RIGHTALIGN : TPM_LEFTALIGN),
                                  at.x, at.y, 0, window, nullptr));
  }
  if (tracking.hook)
    UnhookWindowsHookEx(tracking.hook);
  const int next = *alive ? tracking.target : -1;
  tracking = TrackingState{};
  if (command)
    PostMessageW(window, WM_COMMAND, command, 0);
  return next;
}

bool TWinSkinMenu::OpenMenuItem(TMenuBtn& first) {
  if (tracking.bar)
    return false; // never a drop-down inside another's menu loop
  PostMessageW(frame_.window, WM_COMMAND, first.Command, 0);
  if (!first.DropDown)
    return false;
  const std::shared_ptr<bool> alive = alive_;
  TMenuBtn* item = &first;
  while (item) {
    const int next = TrackDropDown(*item);
    if (!*alive)
      return true;
    TMenuBtn* following = Item(next);
    if (following && following != item) {
      item->MouseLeave();
      following->MouseDown();
      // Moving along the bar opens drop-downs; it never runs an item's command.
      if (following->DropDown)
        PostMessageW(frame_.window, WM_COMMAND, following->Command, 0);
      else
        following = nullptr;
    } else {
      following = nullptr;
    }
    if (!following) {
      TMenuBtn* last = Item(next) ? Item(next) : item;
      POINT cursor{};
      GetCursorPos(&cursor);
      if (RectContains(last->Bounds, ToFrame(cursor)))
        last->MouseUp();
      else
        last->MouseLeave();
    }
    item = following;
  }
  return true;
}

} // namespace vela::skin
