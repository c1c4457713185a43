// Menu items as a skinner meets them: command ids, the menu-changed notification through the
// window, the items' drawing properties and owner-drawn entries handed to their items.
#include "tests/win/ui/ui_test_util.h"
#include "ui/bitmap.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/menus.h"

#include <gtest/gtest.h>

#include <set>

namespace vela::ui::test {
namespace {

// Subclasses a window the way a skinner does and counts CM_MENUCHANGED arriving there.
class WindowSubclass {
public:
  explicit WindowSubclass(HWND window) : window_(window) {
    current = this;
    previous_ = WNDPROC(SetWindowLongPtrW(window, GWLP_WNDPROC, LONG_PTR(&Proc)));
  }
  ~WindowSubclass() {
    SetWindowLongPtrW(window_, GWLP_WNDPROC, LONG_PTR(previous_));
    current = nullptr;
  }
  int menuChanges = 0;
  HMENU menuAfterDefault = nullptr;

private:
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    WindowSubclass* self = current;
    LRESULT r = CallWindowProcW(self->previous_, w, msg, wp, lp);
    if (msg == CM_MENUCHANGED) {
      ++self->menuChanges;
      self->menuAfterDefault = GetMenu(w);
    }
    return r;
  }
  static inline WindowSubclass* current = nullptr;
  HWND window_;
  WNDPROC previous_;
};

class MenuItems : public ::testing::Test {
protected:
  void SetUp() override {
    Application->Initialize();
    form = new TForm(nullptr);
    form->SetBounds(60, 60, 320, 200);
    menu = new TMainMenu(form);
    file = NewItem(L"&File");
    save = NewItem(L"&Save");
    quit = NewItem(L"E&xit");
    file->Add(save);
    file->Add(quit);
    menu->Items()->Add(file);
    form->SetMenu(menu);
  }
  void TearDown() override { delete form; }

  TMenuItem* NewItem(const std::wstring& caption) {
    auto* item = new TMenuItem(form);
    item->SetCaption(caption);
    return item;
  }
  std::wstring EntryText(HMENU m, int position) {
    wchar_t text[128] = {};
    GetMenuStringW(m, UINT(position), text, 128, MF_BYPOSITION);
    return text;
  }
  UINT EntryState(HMENU m, int position) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_STATE;
    GetMenuItemInfoW(m, UINT(position), TRUE, &mii);
    return mii.fState;
  }

  TForm* form = nullptr;
  TMainMenu* menu = nullptr;
  TMenuItem* file = nullptr;
  TMenuItem* save = nullptr;
  TMenuItem* quit = nullptr;
};

TEST_F(MenuItems, CommandIdsAreDistinctAndBelowTheForeignRange) {
  std::set<UINT> ids;
  for (TMenuItem* item : {file, save, quit}) {
    EXPECT_GE(item->Command(), kFirstMenuCommand);
    EXPECT_LT(item->Command(), 4096u) << "ids from 4096 up belong to menus the framework did not build";
    ids.insert(item->Command());
  }
  EXPECT_EQ(ids.size(), 3u);
  // A freed item's id is not handed straight to the next item: a command still queued for the
  // old item must not run the new one.
  UINT freed = quit->Command();
  delete quit;
  quit = nullptr;
  TMenuItem* next = NewItem(L"Next");
  EXPECT_NE(next->Command(), freed);
  SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(freed, 0), 0); // must not crash or click
}

TEST_F(MenuItems, MenuChangesReachASubclassedWindowAndTheFormPutsItsMenuBack) {
  HWND h = form->Handle();
  WindowSubclass subclass(h);
  // A skinner takes the native menu off the window to draw its own bar.
  ::SetMenu(h, nullptr);
  save->SetCaption(L"&Save all");
  EXPECT_EQ(subclass.menuChanges, 1) << "CM_MENUCHANGED must arrive through the window procedure";
  EXPECT_EQ(subclass.menuAfterDefault, menu->Handle()) << "the form's default handling re-sets its menu";
  EXPECT_EQ(EntryText(file->Handle(), 0), L"&Save all");
}

TEST_F(MenuItems, ShortCutAndDefaultShowInTheNativeEntry) {
  save->SetShortCut(ShortCut('S', scCtrl));
  quit->SetDefault(true);
  EXPECT_EQ(EntryText(file->Handle(), 0), L"&Save\tCtrl+S");
  EXPECT_EQ(EntryState(file->Handle(), 1) & MFS_DEFAULT, UINT(MFS_DEFAULT));
  EXPECT_EQ(EntryState(file->Handle(), 0) & MFS_DEFAULT, 0u);
  EXPECT_EQ(save->Caption(), L"&Save") << "the shortcut is not part of the caption";
}

TEST_F(MenuItems, DrawingPropertiesAreReadFromADescription) {
  TForm loaded(nullptr);
  loaded.ReadDescriptionText(R"(object Loaded: TForm
  object Glyphs: TImageList
  end
  object Menu1: TMainMenu
    Images = Glyphs
    object MiSave: TMenuItem
      Caption = 'Save'
      ImageIndex = 2
      ShortCut = 16467
      Default = True
      Tag = 7
    end
  end
end
)");
  auto* m = dynamic_cast<TMainMenu*>(loaded.FindComponent("Menu1"));
  auto* item = dynamic_cast<TMenuItem*>(loaded.FindComponent("MiSave"));
  ASSERT_TRUE(m && item);
  EXPECT_EQ(m->Images(), loaded.FindComponent("Glyphs"));
  EXPECT_EQ(item->ImageIndex(), 2);
  EXPECT_EQ(item->ShortCut(), ShortCut('S', scCtrl));
  EXPECT_TRUE(item->Default());
  EXPECT_EQ(item->Tag(), 7);
  // The menu forgets images that go away.
  delete loaded.FindComponent("Glyphs");
  EXPECT_EQ(m->Images(), nullptr);
}

// ---- owner-drawn entries

class OwnerDrawnItems : public MenuItems {
protected:
  void SetUp() override {
    MenuItems::SetUp();
    menu->SetOwnerDraw(true);
  }
  LRESULT Measure(TMenuItem* item, UINT command, MEASUREITEMSTRUCT& mis) {
    mis = MEASUREITEMSTRUCT{};
    mis.CtlType = ODT_MENU;
    mis.itemID = command;
    mis.itemData = ULONG_PTR(item);
    return SendMessageW(form->Handle(), WM_MEASUREITEM, 0, LPARAM(&mis));
  }
  LRESULT Draw(TMenuItem* item, HDC dc, RECT rect, bool selected) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = item->Command();
    dis.itemData = ULONG_PTR(item);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = selected ? ODS_SELECTED : 0;
    dis.hDC = dc;
    dis.rcItem = rect;
    return SendMessageW(form->Handle(), WM_DRAWITEM, 0, LPARAM(&dis));
  }
};

TEST_F(OwnerDrawnItems, MeasureAndDrawReachTheItemNamedByTheEntry) {
  TObject* measured = nullptr;
  save->OnMeasureItem = [&](TObject* sender, TCanvas* canvas, int& w, int& h) {
    measured = sender;
    EXPECT_TRUE(canvas && canvas->HandleAllocated());
    w = 123;
    h = 21;
  };
  MEASUREITEMSTRUCT mis;
  EXPECT_EQ(Measure(save, save->Command(), mis), 1);
  EXPECT_EQ(measured, save);
  EXPECT_EQ(mis.itemWidth, 123u);
  EXPECT_EQ(mis.itemHeight, 21u);

  TBitmap target;
  target.SetSize(100, 20);
  RECT drawnRect{};
  bool drawnSelected = false;
  save->OnDrawItem = [&](TObject*, TCanvas* canvas, const RECT& r, bool selected) {
    EXPECT_EQ(canvas->Handle(), target.Canvas()->Handle());
    drawnRect = r;
    drawnSelected = selected;
  };
  EXPECT_EQ(Draw(save, target.Canvas()->Handle(), RECT{2, 3, 90, 19}, true), 1);
  EXPECT_EQ(drawnRect.left, 2);
  EXPECT_EQ(drawnRect.bottom, 19);
  EXPECT_TRUE(drawnSelected);
}

TEST_F(OwnerDrawnItems, EntriesThatAreNotTheFormsOwnItemsAreLeftAlone) {
  int calls = 0;
  save->OnMeasureItem = [&](TObject*, TCanvas*, int&, int&) { ++calls; };
  MEASUREITEMSTRUCT mis;
  // The right item under another item's id, and an item of no menu of this form.
  Measure(save, quit->Command(), mis);
  TMenuItem stray(nullptr);
  stray.OnMeasureItem = [&](TObject*, TCanvas*, int&, int&) { ++calls; };
  Measure(&stray, stray.Command(), mis);
  EXPECT_EQ(calls, 0);
}

TEST_F(OwnerDrawnItems, PopupMenusOfTheFormAreServedToo) {
  auto* popup = new TPopupMenu(form);
  popup->SetOwnerDraw(true);
  TMenuItem* copy = NewItem(L"Copy");
  popup->Items()->Add(copy);
  int calls = 0;
  copy->OnMeasureItem = [&](TObject*, TCanvas*, int&, int&) { ++calls; };
  MEASUREITEMSTRUCT mis;
  Measure(copy, copy->Command(), mis);
  EXPECT_EQ(calls, 1);
}

TEST_F(OwnerDrawnItems, DefaultMeasureMakesRoomForTheShortCut) {
  MEASUREITEMSTRUCT plain, withKeys;
  Measure(save, save->Command(), plain);
  save->SetShortCut(ShortCut('S', scCtrl | scShift));
  Measure(save, save->Command(), withKeys);
  EXPECT_GT(plain.itemWidth, 0u);
  EXPECT_GT(withKeys.itemWidth, plain.itemWidth);
  EXPECT_GE(int(plain.itemHeight), GetSystemMetrics(SM_CYMENU));
  MEASUREITEMSTRUCT line;
  TMenuItem* separator = NewItem(L"-");
  file->Add(separator);
  Measure(separator, separator->Command(), line);
  EXPECT_LT(line.itemHeight, plain.itemHeight);
}

TEST_F(OwnerDrawnItems, DefaultDrawingHighlightsSelectionAndMarksCheckedItems) {
  TBitmap target;
  target.SetSize(120, 20);
  save->SetChecked(true);
  Draw(save, target.Canvas()->Handle(), RECT{0, 0, 120, 20}, true);
  vela::skin::Raster pixels = target.View();
  COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  auto rgb = [](std::uint32_t p) { return COLORREF(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF)); };
  EXPECT_EQ(rgb(pixels.At(1, 1)), highlight);
  EXPECT_EQ(rgb(pixels.At(118, 18)), highlight);
  // The check mark sits in the glyph column (x 4..20): some pixel there is not the highlight.
  bool marked = false;
  for (int y = 0; y < 20; ++y)
    for (int x = 4; x < 20; ++x) marked |= rgb(pixels.At(x, y)) != highlight;
  EXPECT_TRUE(marked);

  save->SetChecked(false);
  Draw(save, target.Canvas()->Handle(), RECT{0, 0, 120, 20}, false);
  pixels = target.View();
  COLORREF face = GetSysColor(COLOR_MENU);
  bool empty = true;
  for (int y = 0; y < 20; ++y)
    for (int x = 4; x < 20; ++x) empty &= rgb(pixels.At(x, y)) == face;
  EXPECT_TRUE(empty) << "an unchecked item without an image leaves its glyph column blank";
}

TEST_F(OwnerDrawnItems, DefaultDrawingShowsTheImageOfTheMenusList) {
  auto* images = new TImageList(form);
  images->SetSize(16, 16);
  TBitmap strip;
  strip.SetSize(32, 16);
  strip.Canvas()->Brush()->SetColor(0x0000FF); // red
  strip.Canvas()->FillRect(RECT{0, 0, 16, 16});
  strip.Canvas()->Brush()->SetColor(0xFF0000); // blue
  strip.Canvas()->FillRect(RECT{16, 0, 32, 16});
  images->Add(strip);
  menu->SetImages(images);
  save->SetImageIndex(1);
  TBitmap target;
  target.SetSize(120, 20);
  Draw(save, target.Canvas()->Handle(), RECT{0, 0, 120, 20}, false);
  EXPECT_EQ(target.View().At(10, 10), 0x0000FFu) << "image 1 (blue) drawn in the glyph column";
}

} // namespace
} // namespace vela::ui::test

namespace vela::ui::test {
namespace {

// A popup shown for a window without a form object: the window owns the menu loop.
TEST_F(OwnerDrawnItems, APopupShownForAnyWindowIsOwnedByThatWindow) {
  static int initMenus;
  static HMENU initialised;
  initMenus = 0;
  initialised = nullptr;
  WNDCLASSW wc{};
  wc.lpfnWndProc = [](HWND w, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
    if (msg == WM_INITMENUPOPUP) {
      ++initMenus;
      initialised = reinterpret_cast<HMENU>(wp);
    }
    return DefWindowProcW(w, msg, wp, lp);
  };
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VelaPopupOwnerProbe";
  RegisterClassW(&wc);
  HWND owner = CreateWindowExW(0, wc.lpszClassName, L"Owner", WS_POPUP | WS_VISIBLE, 10, 10, 100, 100, nullptr,
                               nullptr, wc.hInstance, nullptr);
  auto* popup = new TPopupMenu(form);
  popup->Items()->Add(NewItem(L"Copy"));
  // The menu loop runs inside PopupAt; a timer of this thread ends it.
  UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
  popup->PopupAt(owner, 20, 20);
  KillTimer(nullptr, timer);
  DestroyWindow(owner);
  EXPECT_EQ(initMenus, 1);
  EXPECT_EQ(initialised, popup->Handle());
}

} // namespace
} // namespace vela::ui::test

namespace vela::ui::test {
namespace {

// Holds modifier keys down in the thread's keyboard state for the scope.
class HeldKeys {
public:
  explicit HeldKeys(std::initializer_list<int> keys) {
    GetKeyboardState(saved_);
    BYTE state[256];
    std::copy(std::begin(saved_), std::end(saved_), state);
    for (int k : keys) state[k] = 0x80;
    SetKeyboardState(state);
  }
  ~HeldKeys() { SetKeyboardState(saved_); }

private:
  BYTE saved_[256];
};

TEST_F(MenuItems, AShortCutKeyClicksItsItemBeforeTheFocusedControlSeesIt) {
  int saved = 0, quit = 0;
  save->SetShortCut(ShortCut('S', scCtrl));
  save->OnClick = [&](TObject*) { ++saved; };
  this->quit->OnClick = [&](TObject*) { ++quit; };
  // The key arrives through the application's message loop, as typed keys do.
  auto key = [this] {
    PostMessageW(form->Handle(), WM_KEYDOWN, 'S', 0);
    Application->ProcessMessages();
  };
  key(); // S alone: not the shortcut
  EXPECT_EQ(saved, 0);
  {
    HeldKeys ctrl({VK_CONTROL});
    key();
    EXPECT_EQ(saved, 1);
    save->SetEnabled(false);
    key();
    EXPECT_EQ(saved, 1) << "a disabled item does not answer its shortcut";
  }
  {
    HeldKeys ctrlShift({VK_CONTROL, VK_SHIFT});
    save->SetEnabled(true);
    key();
    EXPECT_EQ(saved, 1) << "Ctrl+Shift+S is another shortcut";
  }
  EXPECT_EQ(quit, 0);
}

} // namespace
} // namespace vela::ui::test
