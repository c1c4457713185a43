// The skinned menu bar of a framework form: the strip the frame reserves, its items' looks
// against the default skin, and moving between drop-downs with the keyboard and the mouse.
//
// Drop-downs run the platform's modal menu loop, so every case that opens one acts from inside
// it: a thread timer, dispatched by the loop, waits for the state each step needs (the bar
// tracking a given drop-down and its menu window shown) and then posts the next key or sends
// the next input. A step that does not come within the bound ends the loop with EndMenu and the
// case fails.
//
// Platform behaviour relied on (recorded in tests/win/platform/README.md): keys posted to the
// owner window reach the menu loop and its message-filter hook (Windows and Wine); a mouse move
// or press made with SendInput reaches the hook with its screen point in MSG.pt (both).
#include "skin/draw/primitives.h"
#include "skin/forms/caption_layout.h"
#include "skin/forms/frame_geometry.h"
#include "skin/forms/skin_manager.h"
#include "skin/forms/skin_messages.h"
#include "skin/forms/win_skin_menu.h"
#include "tests/win/mouse_input.h"
#include "tests/win/skin_frame/frame_fixture.h"
#include "ui/form.h"
#include "ui/menus.h"

#include <functional>
#include <string>
#include <vector>

namespace vela::skin::test {
namespace {

constexpr UINT kDriveMs = 20;
constexpr int kDriveTicks = 20000 / kDriveMs;

// ---- driving the menu loop

struct Step {
  std::function<bool()> ready;
  std::function<void()> act;
};

struct Drive {
  std::vector<Step> steps;
  std::size_t done = 0;
  int ticks = 0;
  bool timedOut = false;
};
Drive* drive = nullptr;

void CALLBACK DriveTick(HWND, UINT, UINT_PTR, DWORD) {
  if (!drive)
    return;
  if (++drive->ticks > kDriveTicks) {
    drive->timedOut = true;
    EndMenu();
    return;
  }
  if (drive->done < drive->steps.size() && drive->steps[drive->done].ready()) {
    Step& step = drive->steps[drive->done++];
    if (step.act)
      step.act();
  }
}

HWND VisibleMenuWindow() {
  HWND found = nullptr;
  EnumWindows(
      [](HWND w, LPARAM out) -> BOOL {
        wchar_t name[16]{};
        GetClassNameW(w, name, 16);
        if (std::wstring(name) == L"#32768" && IsWindowVisible(w)) {
          *reinterpret_cast<HWND*>(out) = w;
          return FALSE;
        }
        return TRUE;
      },
      LPARAM(&found));
  return found;
}

using vela::test::MouseAt;

void MoveMouse(POINT screen) {
  INPUT in = MouseAt(screen, 0);
  SendInput(1, &in, sizeof in);
}

void PressMouse(POINT screen) {
  INPUT in[2] = {MouseAt(screen, MOUSEEVENTF_LEFTDOWN), MouseAt(screen, MOUSEEVENTF_LEFTUP)};
  SendInput(2, in, sizeof(INPUT));
}

class MenuBar : public SkinnedFormTest {
protected:
  void SetUp() override {
    SkinnedFormTest::SetUp();
    CreateForm();
    mainMenu = new ui::TMainMenu(form);
    file = AddTop(L"&File", {L"&Open", L"-", L"E&xit"});
    edit = AddTop(L"&Edit", {L"&Undo", L"&Redo"});
    help = AddTop(L"&Help", {L"&About"});
    form->SetMenu(mainMenu);
    PumpMessages();
    GetClientRect(Window(), &clientBefore);
  }
  void TearDown() override {
    drive = nullptr;
    SkinnedFormTest::TearDown();
  }

  ui::TMenuItem* AddTop(const std::wstring& caption, std::initializer_list<const wchar_t*> items) {
    auto* top = new ui::TMenuItem(form);
    top->SetCaption(caption);
    for (const wchar_t* text : items) {
      auto* item = new ui::TMenuItem(form);
      item->SetCaption(text);
      top->Add(item);
    }
    mainMenu->Items()->Add(top);
    return top;
  }

  TWinSkinMenu* Bar() const { return Skinner() ? Skinner()->MenuBar() : nullptr; }

  POINT ScreenCentreOf(int index) const {
    const Rect& r = Bar()->Item(index)->Bounds;
    RECT wr{};
    GetWindowRect(Window(), &wr);
    return POINT{wr.left + (r.left + r.right) / 2, wr.top + (r.top + r.bottom) / 2};
  }

  // Ready when the bar tracks the drop-down of this item and its window shows.
  std::function<bool()> Showing(ui::TMenuItem* top) {
    return [this, top] {
      return Bar()->TrackedDropDown() == top->Handle() && VisibleMenuWindow() != nullptr;
    };
  }
  std::function<void()> PostKey(WPARAM key) {
    return [this, key] { PostMessageW(Window(), WM_KEYDOWN, key, 0); };
  }

  // Presses bar item `index` and runs the steps inside the loop(s) it opens.
  void RunFrom(int index, std::vector<Step> steps) {
    Drive d;
    d.steps = std::move(steps);
    drive = &d;
    const UINT_PTR timer = SetTimer(nullptr, 0, kDriveMs, DriveTick);
    const POINT at = ScreenCentreOf(index);
    SendMessageW(Window(), WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(at.x, at.y));
    KillTimer(nullptr, timer);
    drive = nullptr;
    EXPECT_FALSE(d.timedOut) << "the menu loop outlived its bound";
    EXPECT_EQ(d.done, d.steps.size()) << "steps done before the menus closed";
  }

  // Reads the open menu window and the place of one of its entries, then closes the menu.
  std::function<void()> CaptureEntry(HMENU menu, UINT position, Bitmap& shot, RECT& entry,
                                     RECT& menuWindow) {
    return [this, menu, position, &shot, &entry, &menuWindow] {
      HWND w = VisibleMenuWindow();
      GetWindowRect(w, &menuWindow);
      GetMenuItemRect(Window(), menu, position, &entry);
      shot = CaptureWindow(w);
      PostMessageW(Window(), WM_KEYDOWN, VK_ESCAPE, 0);
    };
  }

  // What the framework does with WM_SYSCHAR `key` while Alt is held, at `target` (the form
  // by default).
  LRESULT AltChar(wchar_t key, ui::TControl* target = nullptr) {
    BYTE keys[256]{};
    GetKeyboardState(keys);
    keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);
    const LRESULT taken = (target ? target : form)->Perform(ui::CM_DIALOGCHAR, key, 0);
    keys[VK_MENU] = 0;
    SetKeyboardState(keys);
    return taken;
  }

  // How many menu loops of any kind (the system's menu mode shows no menu window) the thread
  // enters until a marker posted now is handled; each is ended at once.
  int MenuLoopsBeforeMarker() {
    int entered = 0;
    Drive d;
    d.steps = {{[] {
                  GUITHREADINFO info{};
                  info.cbSize = sizeof info;
                  return GetGUIThreadInfo(GetCurrentThreadId(), &info) &&
                         (info.flags & GUI_INMENUMODE);
                },
                [&] {
                  ++entered;
                  EndMenu();
                }}};
    drive = &d;
    const UINT_PTR timer = SetTimer(nullptr, 0, kDriveMs, DriveTick);
    constexpr UINT kMarker = WM_APP + 7;
    ui::test::MessageRecorder seen(form, {kMarker});
    PostMessageW(Window(), kMarker, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !seen.seen.empty(); })) << "the marker never came";
    KillTimer(nullptr, timer);
    drive = nullptr;
    return entered;
  }

  ui::TMainMenu* mainMenu = nullptr;
  ui::TMenuItem* file = nullptr;
  ui::TMenuItem* edit = nullptr;
  ui::TMenuItem* help = nullptr;
  RECT clientBefore{};
};

// ---- the strip

TEST_F(MenuBar, TakesTheMenuOffTheWindowAndKeepsTheClientArea) {
  Skin();
  ASSERT_NE(Bar(), nullptr);
  EXPECT_EQ(GetMenu(Window()), nullptr);
  EXPECT_EQ(Skinner()->MenuBarHeight(), GetSystemMetrics(SM_CYMENU));
  ASSERT_EQ(Bar()->ItemCount(), 3);
  RECT client{};
  GetClientRect(Window(), &client);
  EXPECT_EQ(client.right, clientBefore.right);
  EXPECT_EQ(client.bottom, clientBefore.bottom);
  // The client area starts below the bar.
  POINT origin{0, 0};
  ClientToScreen(Window(), &origin);
  RECT wr{};
  GetWindowRect(Window(), &wr);
  const TSkinElements& e = Elements();
  EXPECT_EQ(origin.y - wr.top,
            e.Top.Bitmap.Height() / std::max(e.Top.FrameCount, 1) + GetSystemMetrics(SM_CYMENU));
}

TEST_F(MenuBar, UnskinningGivesTheWindowItsMenuBack) {
  Skin();
  SkinManager->Active = false;
  Skinner()->DetachFrame();
  EXPECT_EQ(GetMenu(Window()), mainMenu->Handle());
}

TEST_F(MenuBar, StripBehindTheItemsIsTheSkinsActiveCell) {
  Skin();
  const Bitmap shot = CaptureWindow(Window());
  SaveForInspection(shot, "menu-bar");
  const TDataSkinObject& element = *Elements().MenuBar;
  const TSkinElements& e = Elements();
  const Rect& last = Bar()->Item(2)->Bounds;
  RECT wr{};
  GetWindowRect(Window(), &wr);
  const int top = last.top, height = Skinner()->MenuBarHeight();
  // The bar spans the frame between the side borders, below the caption.
  const Rect bar{CellExtent(e.Left.Bitmap.Width(), e.Left.FrameCount), top,
                 (wr.right - wr.left) - CellExtent(e.Right.Bitmap.Width(), e.Right.FrameCount),
                 top + height};
  const Bitmap expected =
      ComposeSkinRect(Rect{0, 0, bar.Width(), bar.Height()}, element.Bitmap.View(),
                      Margins{element.LeftWidth, 0, element.RightWidth, 0}, true, false, 2, 1);
  int compared = 0, differing = 0;
  for (int y = 0; y < height; ++y)
    for (int x = last.right + 2; x < bar.right - 2; x += 7) {
      ++compared;
      differing += shot.At(x, top + y) != expected.At(x - bar.left, y);
    }
  EXPECT_GT(compared, 50);
  EXPECT_EQ(differing, 0) << "of " << compared << " pixels right of the items";
}

// ---- looks of one item

class MenuBarItemLook : public MenuBar {
protected:
  // The pixels of item `index`'s rectangle after the current state was painted.
  Bitmap ItemPixels(int index) {
    const Bitmap shot = CaptureWindow(Window());
    const Rect& r = Bar()->Item(index)->Bounds;
    Bitmap out(r.Width(), r.Height());
    for (int y = 0; y < r.Height(); ++y)
      for (int x = 0; x < r.Width(); ++x)
        out.At(x, y) = shot.At(r.left + x, r.top + y);
    return out;
  }
  static int Count(const Bitmap& b, Pixel colour) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x)
        n += b.At(x, y) == colour;
    return n;
  }
  static bool Outlined(const Bitmap& b, Pixel colour) {
    for (int x = 0; x < b.Width(); ++x)
      if (b.At(x, 0) != colour || b.At(x, b.Height() - 1) != colour)
        return false;
    for (int y = 0; y < b.Height(); ++y)
      if (b.At(0, y) != colour || b.At(b.Width() - 1, y) != colour)
        return false;
    return true;
  }
  Pixel Colour(ColourCode code) const { return PixelFromColorRef(ui::ColorToRGB(code)); }
};

TEST_F(MenuBarItemLook, NormalItemHasNoOutlineAndTextInTheBarTextColour) {
  Skin();
  const Bitmap item = ItemPixels(0);
  SaveForInspection(item, "menu-bar-item-normal");
  EXPECT_FALSE(Outlined(item, Colour(Elements().Colours.ButtonHilight)));
  EXPECT_GT(Count(item, Colour(Elements().Colours.MenuBarText)), 5);
}

TEST_F(MenuBarItemLook, HotItemIsOutlinedInTheSkinsHighlight) {
  Skin();
  const POINT at = ScreenCentreOf(1);
  SendMessageW(Window(), WM_NCMOUSEMOVE, HTMENU, MAKELPARAM(at.x, at.y));
  EXPECT_EQ(Bar()->Item(1)->State, TNCObject::stHot);
  const Bitmap item = ItemPixels(1);
  SaveForInspection(item, "menu-bar-item-hot");
  EXPECT_TRUE(Outlined(item, Colour(Elements().Colours.ButtonHilight)));
  EXPECT_GT(Count(item, Colour(Elements().Colours.MenuBarText)), 5);
  // Leaving it paints it normal again.
  SendMessageW(Window(), WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(at.x, at.y - 40));
  EXPECT_FALSE(Outlined(ItemPixels(1), Colour(Elements().Colours.ButtonHilight)));
}

TEST_F(MenuBarItemLook, DisabledItemIsWrittenInTheSystemShadowColour) {
  help->SetEnabled(false);
  Skin();
  const Bitmap item = ItemPixels(2);
  SaveForInspection(item, "menu-bar-item-disabled");
  EXPECT_GT(Count(item, PixelFromColorRef(GetSysColor(COLOR_BTNSHADOW))), 5);
  EXPECT_EQ(Count(item, Colour(Elements().Colours.MenuBarText)), 0);
}

// ---- opening and moving

TEST_F(MenuBar, RightAndLeftMoveAlongTheBarAndWrapRound) {
  Skin();
  std::vector<ui::TMenuItem*> opened;
  auto note = [&opened](ui::TMenuItem* item, std::function<void()> then) {
    return [&opened, item, then] {
      opened.push_back(item);
      then();
    };
  };
  RunFrom(0, {{Showing(file), note(file, PostKey(VK_RIGHT))},
              {Showing(edit), note(edit, PostKey(VK_RIGHT))},
              {Showing(help), note(help, PostKey(VK_RIGHT))},
              {Showing(file), note(file, PostKey(VK_LEFT))},
              {Showing(help), note(help, PostKey(VK_ESCAPE))}});
  EXPECT_EQ(opened, (std::vector<ui::TMenuItem*>{file, edit, help, file, help}));
  EXPECT_FALSE(Bar()->Tracking());
  EXPECT_EQ(VisibleMenuWindow(), nullptr);
}

TEST_F(MenuBar, RightOnAnItemWithASubmenuOpensTheSubmenuInstead) {
  auto* more = new ui::TMenuItem(form);
  more->SetCaption(L"&More");
  auto* inner = new ui::TMenuItem(form);
  inner->SetCaption(L"Inner");
  more->Add(inner);
  file->Insert(0, more); // the first item, highlighted when the drop-down opens
  Skin();
  bool stayed = false;
  RunFrom(0, {{Showing(file), PostKey(VK_RIGHT)},
              // The submenu opens in a second menu window while File stays tracked.
              {[this] {
                 int windows = 0;
                 EnumWindows(
                     [](HWND w, LPARAM n) -> BOOL {
                       wchar_t name[16]{};
                       GetClassNameW(w, name, 16);
                       *reinterpret_cast<int*>(n) +=
                           std::wstring(name) == L"#32768" && IsWindowVisible(w);
                       return TRUE;
                     },
                     LPARAM(&windows));
                 return windows >= 2;
               },
               [&] {
                 stayed = Bar()->TrackedDropDown() == file->Handle();
                 EndMenu();
               }}});
  EXPECT_TRUE(stayed);
}

TEST_F(MenuBar, MovingTheMouseOntoAnotherItemOpensItsDropDown) {
  Skin();
  RunFrom(0, {{Showing(file), [this] { MoveMouse(ScreenCentreOf(2)); }},
              {Showing(help), PostKey(VK_ESCAPE)}});
}

TEST_F(MenuBar, PressOnTheOpenItemClosesItsDropDownForGood) {
  Skin();
  MoveMouse(ScreenCentreOf(0));
  RunFrom(0, {{Showing(file), [this] { PressMouse(ScreenCentreOf(0)); }}});
  EXPECT_FALSE(Bar()->Tracking());
  // Whatever the press left queued is handled before the marker; a drop-down it reopened would
  // be seen.
  EXPECT_EQ(MenuLoopsBeforeMarker(), 0);
}

TEST_F(MenuBar, ChosenItemRunsItsClickAfterTheMenuCloses) {
  int clicks = 0;
  edit->Items(0)->OnClick = [&clicks](ui::TObject*) { ++clicks; };
  Skin();
  // The first item is highlighted on opening; Return chooses it.
  RunFrom(1, {{Showing(edit), PostKey(VK_RETURN)}});
  EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
}

TEST_F(MenuBar, ItemWithoutDropDownRunsItsClickAndOpensNothing) {
  auto* now = new ui::TMenuItem(form);
  now->SetCaption(L"&Now");
  int clicks = 0;
  now->OnClick = [&clicks](ui::TObject*) { ++clicks; };
  mainMenu->Items()->Add(now);
  Skin();
  ASSERT_EQ(Bar()->ItemCount(), 4);
  const POINT at = ScreenCentreOf(3);
  SendMessageW(Window(), WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(at.x, at.y));
  EXPECT_FALSE(Bar()->Tracking());
  EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
}

TEST_F(MenuBar, DisabledItemOpensNoDropDown) {
  edit->SetEnabled(false);
  Skin();
  int menuWindows = 0;
  Drive d;
  d.steps = {{[&] { return VisibleMenuWindow() != nullptr; },
              [&] {
                ++menuWindows;
                EndMenu();
              }}};
  drive = &d;
  const UINT_PTR timer = SetTimer(nullptr, 0, kDriveMs, DriveTick);
  const POINT at = ScreenCentreOf(1);
  SendMessageW(Window(), WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(at.x, at.y));
  KillTimer(nullptr, timer);
  drive = nullptr;
  EXPECT_EQ(menuWindows, 0);
}

TEST_F(MenuBar, AltAndTheAcceleratorOpenTheItemWithItsFirstEntryHighlighted) {
  Skin();
  HMENU highlighted = nullptr;
  Drive d;
  d.steps = {{Showing(edit), [&] {
                // The first entry shows highlighted once the loop has taken the Down key.
                MENUITEMINFOW info{};
                info.cbSize = sizeof info;
                info.fMask = MIIM_STATE;
                GetMenuItemInfoW(edit->Handle(), 0, TRUE, &info);
                if (info.fState & MFS_HILITE)
                  highlighted = edit->Handle();
                PostMessageW(Window(), WM_KEYDOWN, VK_ESCAPE, 0);
              }}};
  drive = &d;
  const UINT_PTR timer = SetTimer(nullptr, 0, kDriveMs, DriveTick);
  EXPECT_EQ(AltChar(L'e'), 1);
  PumpUntil([&] { return d.done == d.steps.size() && !Bar()->Tracking(); });
  KillTimer(nullptr, timer);
  drive = nullptr;
  EXPECT_EQ(d.done, d.steps.size()) << "Alt+E did not open Edit";
  EXPECT_EQ(highlighted, edit->Handle()) << "the first entry was not highlighted";
}

TEST_F(MenuBar, AcceleratorWhileADropDownIsOpenMovesToItsItem) {
  Skin();
  RunFrom(0, {{Showing(file), [this] { AltChar(L'h'); }}, {Showing(help), PostKey(VK_ESCAPE)}});
}

TEST_F(MenuBar, AcceleratorWithoutAltIsLeftToTheForm) {
  Skin();
  EXPECT_EQ(form->Perform(ui::CM_DIALOGCHAR, L'e', 0), 0);
}

TEST_F(MenuBar, F10IsTakenSoTheSystemMenuModeNeverStarts) {
  Skin();
  EXPECT_EQ(SendMessageW(Window(), WM_SYSCOMMAND, SC_KEYMENU, 0), 1);
}

// ---- the drop-down window

TEST_F(MenuBar, DropDownWindowIsSkinnedAndFramedFromTheSkinsMenuBackground) {
  Skin();
  LRESULT answer = 0;
  Bitmap frame;
  RunFrom(0, {{[this] { return Showing(file)() && IsWindowVisible(VisibleMenuWindow()); },
               [&] {
                 HWND w = VisibleMenuWindow();
                 answer = SendMessageW(w, SKM_ISSKINNED, 0, 0);
                 frame = CaptureWindow(w);
                 PostMessageW(Window(), WM_KEYDOWN, VK_ESCAPE, 0);
               }}});
  EXPECT_EQ(answer, 1);
  ASSERT_FALSE(frame.Empty());
  SaveForInspection(frame, "menu-bar-drop-down");
  const TDataSkinObject& back = *Elements().MenuBackground;
  const Bitmap expected =
      ComposeSkinRect(Rect{0, 0, frame.Width(), frame.Height()}, back.Bitmap.View(),
                      back.GetMargins(), false, back.Tile != 0, 1, 1);
  int differing = 0, compared = 0;
  for (int x = 0; x < frame.Width(); ++x)
    for (int y : {0, 1, 2, frame.Height() - 3, frame.Height() - 2, frame.Height() - 1}) {
      ++compared;
      differing += frame.At(x, y) != expected.At(x, y);
    }
  for (int y = 0; y < frame.Height(); ++y)
    for (int x : {0, 1, 2, frame.Width() - 3, frame.Width() - 2, frame.Width() - 1}) {
      ++compared;
      differing += frame.At(x, y) != expected.At(x, y);
    }
  EXPECT_EQ(differing, 0) << "of " << compared << " border pixels";
}

// Pixels of a highlighted entry that differ from cell 4 of the skin's MenuItem strip, right of
// its caption where nothing but the cell is drawn; `compared` counts what was looked at.
int DifferFromHighlightCell(const Bitmap& shot, const RECT& entry, const RECT& menuWindow,
                            const TDataSkinObject& cells, int& compared) {
  const Rect item{entry.left - menuWindow.left, entry.top - menuWindow.top,
                  entry.right - menuWindow.left, entry.bottom - menuWindow.top};
  const Bitmap expected =
      ComposeSkinRect(Rect{0, 0, item.Width(), item.Height()}, cells.Bitmap.View(),
                      cells.GetMargins(), false, cells.Tile != 0, std::max(cells.FrameCount, 1), 4);
  int differing = 0;
  compared = 0;
  for (int x = item.Width() - 12; x < item.Width() - cells.RightWidth; ++x)
    for (int y = cells.TopHeight; y < item.Height() - cells.BottomHeight; ++y) {
      const Pixel want = expected.At(x, y);
      if (want == kMagenta)
        continue;
      ++compared;
      differing += shot.At(item.left + x, item.top + y) != want;
    }
  return differing;
}

// The highlighted entry of a captured menu window shows the skin's highlight cell; the capture
// is kept for a person to look at.
void ExpectHighlightCell(const Bitmap& shot, const RECT& entry, const RECT& menuWindow,
                         const TSkinElements& skin, const std::string& name) {
  ASSERT_FALSE(shot.Empty()) << "the menu was not captured";
  SaveForInspection(shot, name);
  int compared = 0;
  EXPECT_EQ(DifferFromHighlightCell(shot, entry, menuWindow, *skin.MenuItem, compared), 0)
      << "of " << compared << " pixels of the entry";
  EXPECT_GT(compared, 10);
}

bool Highlighted(HMENU menu, UINT position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE;
  return GetMenuItemInfoW(menu, position, TRUE, &info) && (info.fState & MFS_HILITE);
}

TEST_F(MenuBar, DropDownItemsAreDrawnWithTheSkinsMenuItemCells) {
  Skin();
  Bitmap shot;
  RECT first{}, menuWindow{};
  RunFrom(1, {{[this] { return Showing(edit)() && Highlighted(edit->Handle(), 0); },
               CaptureEntry(edit->Handle(), 0, shot, first, menuWindow)}});
  ExpectHighlightCell(shot, first, menuWindow, Elements(), "menu-bar-drop-down-items");
}

TEST_F(MenuBar, ForeignEntryOfADropDownIsDrawnFromItsText) {
  Skin();
  // An entry the framework does not know, with an id above the program's own range.
  constexpr UINT kForeignId = 5000;
  AppendMenuW(file->Handle(), MF_STRING, kForeignId, L"Foreign entry");
  const int last = GetMenuItemCount(file->Handle()) - 1;
  Bitmap shot;
  RECT entry{}, menuWindow{};
  RunFrom(0, {{Showing(file), PostKey(VK_UP)}, // from the first entry round to the last
              {[&] { return Highlighted(file->Handle(), UINT(last)); },
               CaptureEntry(file->Handle(), UINT(last), shot, entry, menuWindow)}});
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  GetMenuItemInfoW(file->Handle(), kForeignId, FALSE, &info);
  EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
  ExpectHighlightCell(shot, entry, menuWindow, Elements(), "menu-bar-foreign-entry");
}

TEST_F(MenuBar, MergedBarTakesNativeEntriesAndFillsEmptyCaptionsFromTheMainMenu) {
  Skin();
  HMENU merged = mainMenu->Handle();
  HMENU native = CreatePopupMenu();
  AppendMenuW(native, MF_STRING, 5100, L"Inside");
  AppendMenuW(merged, MF_POPUP, UINT_PTR(native), L"&Native");
  // An entry that carries no text of its own, as owner-drawn entries may.
  MENUITEMINFOW blank{};
  blank.cbSize = sizeof blank;
  blank.fMask = MIIM_STRING;
  blank.dwTypeData = const_cast<wchar_t*>(L"");
  SetMenuItemInfoW(merged, 1, TRUE, &blank);
  SetMenu(Window(), merged);

  Bar()->RebuildMerged();
  ASSERT_EQ(Bar()->ItemCount(), 4);
  EXPECT_EQ(Bar()->Item(1)->Caption, L"&Edit") << "by position from the main menu";
  EXPECT_EQ(Bar()->Item(1)->DropDown, edit->Handle());
  EXPECT_EQ(Bar()->Item(3)->Caption, L"&Native");
  EXPECT_EQ(Bar()->Item(3)->DropDown, native);
  EXPECT_EQ(GetMenu(Window()), nullptr);

  SetMenu(Window(), merged);
  Bar()->RebuildFromHandle(nullptr); // the window's menu as last taken, captions by command
  ASSERT_EQ(Bar()->ItemCount(), 4);
  EXPECT_EQ(Bar()->Item(1)->Caption, L"&Edit");
  EXPECT_EQ(Bar()->Item(1)->Command, edit->Command());
  EXPECT_EQ(GetMenu(Window()), nullptr);
}

// A window without a form object: its bar comes from its own menu handle.
class BareWindowMenuBar : public MenuBar {
protected:
  void SetUp() override {
    MenuBar::SetUp();
    HMENU tools = CreatePopupMenu();
    AppendMenuW(tools, MF_STRING, 5001, L"&Alpha");
    AppendMenuW(tools, MF_STRING, 5002, L"&Beta");
    go = CreatePopupMenu();
    AppendMenuW(go, MF_STRING, 5003, L"&Gamma");
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, UINT_PTR(tools), L"&Tools");
    AppendMenuW(bar, MF_POPUP, UINT_PTR(go), L"&Go");
    bare = CreateBareWindow(L"VelaBareMenuWindow", DefWindowProcW, RECT{200, 160, 520, 360},
                            nullptr, bar);
    ASSERT_NE(bare, nullptr);
  }
  void TearDown() override {
    if (bare)
      DestroyWindow(bare);
    MenuBar::TearDown();
  }
  TWinSkinMenu* BareBar() const {
    TWinSkinForm* skinner = SkinManager ? SkinManager->FindFormSkinner(bare) : nullptr;
    return skinner ? skinner->MenuBar() : nullptr;
  }
  HWND bare = nullptr;
  HMENU go = nullptr;
};

TEST_F(BareWindowMenuBar, TakesItsItemsFromTheMenuHandleAndOpensThemByAltLetter) {
  Skin();
  ASSERT_TRUE(SkinBareWindow(bare));
  ASSERT_NE(BareBar(), nullptr);
  EXPECT_EQ(GetMenu(bare), nullptr);
  ASSERT_EQ(BareBar()->ItemCount(), 2);
  EXPECT_EQ(BareBar()->Item(0)->Caption, L"&Tools");
  EXPECT_EQ(BareBar()->Item(1)->DropDown, go);

  // Alt+G reaches a bare window as the keyboard-menu command.
  bool opened = false;
  Drive d;
  d.steps = {{[&] { return BareBar()->TrackedDropDown() == go && VisibleMenuWindow(); },
              [&] {
                opened = true;
                PostMessageW(bare, WM_KEYDOWN, VK_ESCAPE, 0);
              }}};
  drive = &d;
  const UINT_PTR timer = SetTimer(nullptr, 0, kDriveMs, DriveTick);
  EXPECT_EQ(SendMessageW(bare, WM_SYSCOMMAND, SC_KEYMENU, L'g'), 1);
  PumpUntil([&] { return d.done == d.steps.size() && !BareBar()->Tracking(); });
  KillTimer(nullptr, timer);
  drive = nullptr;
  EXPECT_TRUE(opened);
}

// ---- changes to the menu

TEST_F(MenuBar, AddingAnItemAtRunTimeShowsItInTheBar) {
  Skin();
  ASSERT_EQ(Bar()->ItemCount(), 3);
  auto* tools = new ui::TMenuItem(form);
  tools->SetCaption(L"&Tools");
  mainMenu->Items()->Add(tools); // the framework sends CM_MENUCHANGED
  PumpMessages();
  ASSERT_EQ(Bar()->ItemCount(), 4);
  EXPECT_EQ(Bar()->Item(3)->Caption, L"&Tools");
  EXPECT_EQ(GetMenu(Window()), nullptr) << "the system's bar came back";
  EXPECT_GT(Bar()->Item(3)->Bounds.left, Bar()->Item(2)->Bounds.left);
  EXPECT_EQ(
      Bar()->HitMenuItem(Point{Bar()->Item(3)->Bounds.left + 2, Bar()->Item(3)->Bounds.top + 2}),
      Bar()->Item(3));
}

TEST_F(MenuBar, MenuChangedInsideTheMenuLoopRebuildsTheBarOnceTheDropDownCloses) {
  // The bar item's own command is posted as its drop-down opens; the platform's menu loop
  // dispatches it (Wine does, inside the loop), and its handler changes the menu.
  bool added = false;
  file->OnClick = [&](ui::TObject*) {
    if (added)
      return;
    added = true;
    auto* tools = new ui::TMenuItem(form);
    tools->SetCaption(L"&Tools");
    mainMenu->Items()->Add(tools);
  };
  Skin();
  bool addedInside = false, systemBarInside = false;
  int itemsInside = 0;
  RunFrom(0, {{[&] { return Showing(file)() && added; },
               [&] {
                 addedInside = true;
                 systemBarInside = GetMenu(Window()) != nullptr;
                 itemsInside = Bar()->ItemCount();
                 PostMessageW(Window(), WM_KEYDOWN, VK_ESCAPE, 0);
               }}});
  ASSERT_TRUE(addedInside) << "the handler did not run inside the menu loop";
  EXPECT_FALSE(systemBarInside) << "the system's bar showed while the drop-down was open";
  EXPECT_EQ(itemsInside, 3) << "the items were rebuilt under the open drop-down";
  EXPECT_EQ(Bar()->ItemCount(), 4);
  EXPECT_EQ(GetMenu(Window()), nullptr);
}

TEST_F(MenuBar, UnskinningFromInsideTheMenuLoopEndsTheDropDownAndGivesTheMenuBack) {
  Skin();
  RunFrom(0, {{Showing(file), [this] { Skinner()->DetachFrame(); }}});
  EXPECT_EQ(Bar(), nullptr);
  EXPECT_EQ(GetMenu(Window()), mainMenu->Handle());
  EXPECT_EQ(VisibleMenuWindow(), nullptr);
}

TEST_F(MenuBar, WithoutMenuUpdateTheBarKeepsItsItems) {
  Skin();
  data->SetMenuUpdate(false);
  auto* tools = new ui::TMenuItem(form);
  tools->SetCaption(L"&Tools");
  mainMenu->Items()->Add(tools);
  PumpMessages();
  EXPECT_EQ(Bar()->ItemCount(), 3);
}

TEST_F(BareWindowMenuBar, MdiFrameBarFollowsTheMenuItsClientSets) {
  CLIENTCREATESTRUCT mdi{nullptr, 50000};
  HWND client = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 100, 100,
                                bare, nullptr, GetModuleHandleW(nullptr), &mdi);
  ASSERT_NE(client, nullptr);
  Skin();
  ASSERT_TRUE(SkinBareWindow(bare));
  ASSERT_EQ(SkinManager->FindFormSkinner(bare)->MdiKind(), 1);
  ASSERT_EQ(BareBar()->ItemCount(), 2);

  HMENU windows = CreatePopupMenu();
  AppendMenuW(windows, MF_STRING, 5200, L"&Cascade");
  HMENU other = CreateMenu();
  AppendMenuW(other, MF_POPUP, UINT_PTR(windows), L"&Window");
  SendMessageW(client, WM_MDISETMENU, WPARAM(other), 0);
  ASSERT_EQ(BareBar()->ItemCount(), 1);
  EXPECT_EQ(BareBar()->Item(0)->Caption, L"&Window");
  EXPECT_EQ(BareBar()->MenuHandle(), other);
  EXPECT_EQ(GetMenu(bare), nullptr) << "the system's bar came back";
}

TEST_F(MenuBar, DropDownRefilledWhileOpenStaysOwnerDrawn) {
  // The handler of the bar item's own command runs inside the menu loop (see above) and adds
  // an entry to the open drop-down: the framework fills its entries again, as plain ones.
  bool added = false;
  file->OnClick = [&](ui::TObject*) {
    if (added)
      return;
    added = true;
    auto* later = new ui::TMenuItem(form);
    later->SetCaption(L"&Later");
    file->Add(later);
  };
  Skin();
  int entries = 0, ownerDrawn = 0;
  RunFrom(0, {{[&] { return Showing(file)() && added; },
               [&] {
                 entries = GetMenuItemCount(file->Handle());
                 for (int i = 0; i < entries; ++i) {
                   MENUITEMINFOW info{};
                   info.cbSize = sizeof info;
                   info.fMask = MIIM_FTYPE;
                   if (GetMenuItemInfoW(file->Handle(), UINT(i), TRUE, &info) &&
                       (info.fType & MFT_OWNERDRAW))
                     ++ownerDrawn;
                 }
                 PostMessageW(Window(), WM_KEYDOWN, VK_ESCAPE, 0);
               }}});
  ASSERT_TRUE(added) << "the handler did not run inside the menu loop";
  EXPECT_EQ(entries, 4);
  EXPECT_EQ(ownerDrawn, entries);
}

// What the window answers to the keyboard-menu command sent right after the menu loop has
// seen Alt, before the loop unwinds (as Alt's release may bring it there).
HHOOK altWatch = nullptr;
HWND altWindow = nullptr;
LRESULT altAnswer = -1;

LRESULT CALLBACK AltWatch(int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT next = CallNextHookEx(altWatch, code, wParam, lParam);
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  if (code == MSGF_MENU && msg && msg->message == WM_SYSKEYDOWN && msg->wParam == VK_MENU &&
      altAnswer == -1)
    altAnswer = SendMessageW(altWindow, WM_SYSCOMMAND, SC_KEYMENU, 0);
  return next;
}

TEST_F(MenuBar, AltInsideADropDownClosesTheMenuAndStartsNoMenuModeAfterIt) {
  Skin();
  altWindow = Window();
  altAnswer = -1;
  RunFrom(0, {{Showing(file), [this] {
                 // Called before the bar's own hook, which it passes the message on to first.
                 altWatch = SetWindowsHookExW(WH_MSGFILTER, AltWatch, nullptr,
                                              GetCurrentThreadId());
                 PostMessageW(Window(), WM_SYSKEYDOWN, VK_MENU, 0x20000001);
                 PostMessageW(Window(), WM_SYSKEYUP, VK_MENU, LPARAM(0xC0000001));
               }}});
  if (altWatch)
    UnhookWindowsHookEx(altWatch);
  altWatch = nullptr;
  EXPECT_EQ(altAnswer, 1) << "the keyboard-menu command after Alt was not taken";
  EXPECT_FALSE(Bar()->Tracking());
  EXPECT_EQ(VisibleMenuWindow(), nullptr);
  EXPECT_EQ(MenuLoopsBeforeMarker(), 0);
}

// ---- right to left

class RightToLeftMenuBar : public MenuBar {
protected:
  void SetUp() override {
    MenuBar::SetUp();
    SetWindowLongPtrW(Window(), GWL_EXSTYLE,
                      GetWindowLongPtrW(Window(), GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
  }
};

TEST_F(RightToLeftMenuBar, ItemsRunFromTheRightEdgeLeftwards) {
  Skin();
  ASSERT_TRUE(Bar()->RightToLeft());
  const TSkinElements& e = Elements();
  RECT wr{};
  GetWindowRect(Window(), &wr);
  const int barRight =
      (wr.right - wr.left) - CellExtent(e.Right.Bitmap.Width(), e.Right.FrameCount);
  EXPECT_EQ(Bar()->Item(0)->Bounds.right, barRight - (e.MenuBar->RightWidth + 8));
  EXPECT_EQ(Bar()->Item(1)->Bounds.right, Bar()->Item(0)->Bounds.left);
  EXPECT_EQ(Bar()->Item(2)->Bounds.right, Bar()->Item(1)->Bounds.left);
  EXPECT_LT(Bar()->Item(2)->Bounds.left, Bar()->Item(2)->Bounds.right);

  // The captions are written where the items now lie, and a press there finds them.
  const Bitmap shot = CaptureWindow(Window());
  SaveForInspection(shot, "menu-bar-right-to-left");
  const Pixel text = PixelFromColorRef(ui::ColorToRGB(e.Colours.MenuBarText));
  const Rect& first = Bar()->Item(0)->Bounds;
  int written = 0;
  for (int y = first.top; y < first.bottom; ++y)
    for (int x = first.left; x < first.right; ++x)
      written += shot.At(x, y) == text;
  EXPECT_GT(written, 5);
  const Point middle{(first.left + first.right) / 2, (first.top + first.bottom) / 2};
  EXPECT_EQ(Bar()->HitMenuItem(middle), Bar()->Item(0));
}

TEST_F(RightToLeftMenuBar, DropDownHangsFromTheItemsRightEdge) {
  Skin();
  RECT menuWindow{};
  RunFrom(1, {{Showing(edit), [&] {
                 GetWindowRect(VisibleMenuWindow(), &menuWindow);
                 PostMessageW(Window(), WM_KEYDOWN, VK_ESCAPE, 0);
               }}});
  RECT wr{};
  GetWindowRect(Window(), &wr);
  const Rect& item = Bar()->Item(1)->Bounds;
  EXPECT_EQ(menuWindow.right, wr.left + item.right);
  EXPECT_EQ(menuWindow.top, wr.top + item.bottom);
}

TEST_F(RightToLeftMenuBar, LeftAndRightMoveTheOtherWayAlongTheBar) {
  Skin();
  // Left goes to the next item (it lies to the left), Right to the previous one, wrapping.
  RunFrom(0, {{Showing(file), PostKey(VK_LEFT)},
              {Showing(edit), PostKey(VK_RIGHT)},
              {Showing(file), PostKey(VK_RIGHT)},
              {Showing(help), PostKey(VK_ESCAPE)}});
}

// ---- MDI

// A framework form as MDI child: created inside the frame's MDI client.
class TMdiChildForm : public ui::TForm {
public:
  TMdiChildForm(HWND client) : ui::TForm(nullptr), client_(client) {}

protected:
  void CreateParams(ui::TCreateParams& params) override {
    ui::TForm::CreateParams(params);
    params.style = (params.style & ~DWORD(WS_POPUP)) | WS_CHILD;
    params.exStyle |= WS_EX_MDICHILD;
    params.parent = client_;
  }

private:
  HWND client_;
};

class MdiFormMenuBar : public MenuBar {
protected:
  void SetUp() override {
    MenuBar::SetUp();
    CLIENTCREATESTRUCT mdi{nullptr, 50000};
    RECT r{};
    GetClientRect(Window(), &r);
    client = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, r.right,
                             r.bottom, Window(), nullptr, GetModuleHandleW(nullptr), &mdi);
    ASSERT_NE(client, nullptr);
  }
  void TearDown() override {
    delete child;
    child = nullptr;
    MenuBar::TearDown();
  }
  HWND client = nullptr;
  TMdiChildForm* child = nullptr;
};

TEST_F(MdiFormMenuBar, AltAndALetterInAChildOpenTheFramesMenu) {
  Skin();
  ASSERT_EQ(Skinner()->MdiKind(), 1);
  ASSERT_EQ(SkinManager->MdiFrameForm, form);
  child = new TMdiChildForm(client);
  child->SetFormStyle(ui::TFormStyle::fsMDIChild);
  child->SetCaption(L"Child");
  child->SetBounds(10, 10, 200, 120);
  child->Show();
  PumpMessages();
  ASSERT_NE(GetWindowLongPtrW(child->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD, 0);
  SkinManager->BulkPass = true;
  SkinManager->AttachForm(child);
  SkinManager->BulkPass = false;
  TWinSkinForm* childSkinner = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    childSkinner = SkinManager->FindFormSkinner(child->Handle());
    return childSkinner && childSkinner->LifeState() == 1;
  }));
  ASSERT_EQ(childSkinner->MdiKind(), 2);
  EXPECT_EQ(childSkinner->MenuBar(), nullptr);

  Drive d;
  d.steps = {{Showing(edit), PostKey(VK_ESCAPE)}};
  drive = &d;
  const UINT_PTR timer = SetTimer(nullptr, 0, kDriveMs, DriveTick);
  const LRESULT taken = AltChar(L'e', child);
  PumpUntil([&] { return d.done == d.steps.size() && !Bar()->Tracking(); });
  KillTimer(nullptr, timer);
  drive = nullptr;
  EXPECT_EQ(taken, 1);
  EXPECT_EQ(d.done, d.steps.size()) << "Alt+E in the child did not open the frame's Edit";
  // A letter no bar item takes stays with the child.
  EXPECT_EQ(AltChar(L'q', child), 0);
}

// A bare MDI frame (the system's frame procedure) with one child, maximised.
LRESULT CALLBACK MdiFrameProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND client = FindWindowExW(window, nullptr, L"MDIClient", nullptr);
  return DefFrameProcW(window, client, msg, wParam, lParam);
}

class MdiFrameMenuBar : public MenuBar {
protected:
  void SetUp() override {
    MenuBar::SetUp();
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW frameClass{};
    frameClass.lpfnWndProc = MdiFrameProc;
    frameClass.hInstance = instance;
    frameClass.lpszClassName = L"VelaMdiFrameWindow";
    RegisterClassW(&frameClass);
    WNDCLASSW childClass{};
    childClass.lpfnWndProc = DefMDIChildProcW;
    childClass.hInstance = instance;
    childClass.lpszClassName = L"VelaMdiChildWindow";
    RegisterClassW(&childClass);
    HMENU tools = CreatePopupMenu();
    AppendMenuW(tools, MF_STRING, 5001, L"&Alpha");
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, UINT_PTR(tools), L"&Tools");
    frame = CreateWindowExW(0, frameClass.lpszClassName, L"Frame",
                            WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 160, 120, 520,
                            340, nullptr, bar, instance, nullptr);
    ASSERT_NE(frame, nullptr);
    CLIENTCREATESTRUCT mdi{nullptr, 50000};
    client = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0,
                             0, 100, 100, frame, nullptr, instance, &mdi);
    ASSERT_NE(client, nullptr);
    SetForegroundWindow(frame);
  }
  void TearDown() override {
    if (frame)
      DestroyWindow(frame);
    MenuBar::TearDown();
  }

  TWinSkinForm* FrameSkinner() const { return SkinManager->FindFormSkinner(frame); }

  void SkinFrame() {
    Skin();
    ASSERT_TRUE(SkinManager->AttachWindow(frame));
    ASSERT_TRUE(PumpUntil([&] { return FrameSkinner() && FrameSkinner()->LifeState() == 1; }));
    ASSERT_EQ(FrameSkinner()->MdiKind(), 1);
  }

  HWND CreateChild(DWORD style) {
    MDICREATESTRUCTW create{};
    create.szClass = L"VelaMdiChildWindow";
    create.szTitle = L"Child";
    create.hOwner = GetModuleHandleW(nullptr);
    create.cx = 220;
    create.cy = 120;
    create.style = style;
    return reinterpret_cast<HWND>(SendMessageW(client, WM_MDICREATE, 0, LPARAM(&create)));
  }

  bool ChildMaximized() const {
    BOOL maximized = FALSE;
    HWND active =
        reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, LPARAM(&maximized)));
    return active && maximized;
  }

  // Where the skin puts the MDI control with `action` in the bar of the frame.
  Rect ControlRect(int action) const {
    const TSkinElements& e = Elements();
    for (const auto& button : e.CaptionButtons) {
      if (button->Action != action)
        continue;
      RECT wr{};
      GetWindowRect(frame, &wr);
      CaptionGeometry g;
      g.windowWidth = wr.right - wr.left;
      g.frame = FrameWidths{CellExtent(e.Left.Bitmap.Width(), e.Left.FrameCount),
                            e.Top.Bitmap.Height() / std::max(e.Top.FrameCount, 1),
                            CellExtent(e.Right.Bitmap.Width(), e.Right.FrameCount),
                            e.Bottom.Bitmap.Height() / std::max(e.Bottom.FrameCount, 1)};
      g.menuBarHeight = FrameSkinner()->MenuBarHeight();
      g.menuBarLeftWidth = e.MenuBar ? e.MenuBar->LeftWidth : 0;
      return LayoutCaptionButton(*button, CellExtent(button->Bitmap.Width(), button->FrameCount),
                                 button->Bitmap.Height(), g);
    }
    return Rect{};
  }

  // How many pixels of `r` in the frame show cell 1 of the control's strip (magenta left out);
  // `compared` counts the pixels looked at.
  int MatchingCellPixels(int action, const Rect& r, int& compared) const {
    const Bitmap shot = CaptureWindow(frame);
    for (const auto& button : Elements().CaptionButtons) {
      if (button->Action != action)
        continue;
      const Raster strip = button->Bitmap.View();
      int matching = 0;
      compared = 0;
      for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < r.Width(); ++x) {
          const Pixel want = strip.At(x, y) & 0xFFFFFFu;
          if (want == kMagenta)
            continue;
          ++compared;
          matching += shot.At(r.left + x, r.top + y) == want;
        }
      return matching;
    }
    return 0;
  }

  void Click(const Rect& r) {
    RECT wr{};
    GetWindowRect(frame, &wr);
    const LPARAM at =
        MAKELPARAM(wr.left + (r.left + r.right) / 2, wr.top + (r.top + r.bottom) / 2);
    SendMessageW(frame, WM_NCMOUSEMOVE, HTMENU, at);
    SendMessageW(frame, WM_NCLBUTTONDOWN, HTMENU, at);
    SendMessageW(frame, WM_NCLBUTTONUP, HTMENU, at);
  }

  HWND frame = nullptr;
  HWND client = nullptr;
};

TEST_F(MdiFrameMenuBar, MaximisedChildShowsItsButtonsInTheBarAndTheyWork) {
  SkinFrame();
  HWND child = CreateChild(WS_MAXIMIZE | WS_VISIBLE);
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(ChildMaximized());
  const int actions[] = {7, 8, 9}; // minimise, restore, close
  std::vector<Rect> places;
  for (int action : actions)
    places.push_back(ControlRect(action));
  ASSERT_GT(places[2].Width(), 0) << "the skin has no MDI controls";
  // The frame's bar is painted again once the child shows maximised.
  ASSERT_TRUE(PumpUntil([&] {
    int compared = 0;
    return MatchingCellPixels(9, places[2], compared) == compared && compared > 0;
  })) << "the close control did not show in the bar";
  SaveForInspection(CaptureWindow(frame), "menu-bar-mdi-controls");
  for (std::size_t i = 0; i < 3; ++i) {
    int compared = 0;
    EXPECT_EQ(MatchingCellPixels(actions[i], places[i], compared), compared) << "control " << i;
    EXPECT_GT(compared, 5); // the minimise control is a short line
    // They lie in the bar, left of the frame's right border, in skin order right to left.
    EXPECT_GE(places[i].top, Elements().Top.Bitmap.Height() / std::max(Elements().Top.FrameCount, 1));
  }
  EXPECT_LT(places[0].left, places[1].left);
  EXPECT_LT(places[1].left, places[2].left);
  EXPECT_TRUE(SkinManager->MdiMaximized);

  // Restore gives the child its place back and the bar loses the controls.
  Click(places[1]);
  EXPECT_FALSE(ChildMaximized());
  EXPECT_TRUE(IsWindow(child));
  ASSERT_TRUE(PumpUntil([&] {
    int compared = 0;
    return MatchingCellPixels(9, places[2], compared) < compared / 2;
  })) << "the close control stayed in the bar";

  // Close, on a child maximised again, closes it.
  SendMessageW(client, WM_MDIMAXIMIZE, WPARAM(child), 0);
  ASSERT_TRUE(ChildMaximized());
  ASSERT_TRUE(PumpUntil([&] {
    int compared = 0;
    return MatchingCellPixels(9, places[2], compared) == compared && compared > 0;
  }));
  Click(places[2]);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(child); })) << "the close control did nothing";
}

} // namespace
} // namespace vela::skin::test
