// The "Menus" page: a column of menu items painted by the skinned menu-item painter as they
// look inside a popup menu, a popup menu and a "Demo" menu in the bar (added while the page
// shows) with every kind of item: glyphs, a default item, shortcuts, a check item, radio items,
// a disabled item, separators and a sub-menu.
#include "skin/draw/primitives.h"
#include "skin/draw/stretch.h"
#include "skin/forms/menu_item_painter.h"
#include "skin/forms/skin_data.h"
#include "tools/skinview/skinview_form.h"
#include "ui/bitmap.h"
#include "ui/core/shortcut.h"
#include "ui/image_list.h"
#include "ui/menus.h"

namespace vela::skinview {
namespace {

constexpr int kPreviewFrame = 3; // the popup window's border the items lie inside
constexpr int kPreviewItemHeight = 22;
constexpr int kPreviewLineHeight = 8;
constexpr int kPreviewHighlighted = 1; // shown as the item under the mouse

// Glyphs of the skin's menu glyph list, by position.
enum Glyph { kRestore = 0, kMaximize = 1, kMinimize = 2, kClose = 3 };

// Fills `parent` with the sample items; every choice is told in the status bar.
void AddSampleItems(TSkinViewForm& form, ui::TMenuItem* parent) {
  auto add = [&form](ui::TMenuItem* to, const std::wstring& caption, int glyph = -1,
                     const std::wstring& shortcut = {}) {
    auto* item = new ui::TMenuItem(&form);
    item->SetCaption(caption);
    item->SetImageIndex(glyph);
    if (!shortcut.empty())
      item->SetShortCut(ui::TextToShortCut(shortcut));
    item->OnClick = [&form, item](ui::TObject*) {
      form.Say(L"Chose \"" + item->Caption() + L"\"");
    };
    to->Add(item);
    return item;
  };
  add(parent, L"&Restore", kRestore)->SetDefault(true);
  add(parent, L"Ma&ximize", kMaximize, L"Ctrl+M");
  add(parent, L"-");
  ui::TMenuItem* wrap = add(parent, L"&Word wrap");
  wrap->SetChecked(true);
  wrap->OnClick = [&form, wrap](ui::TObject*) {
    wrap->SetChecked(!wrap->Checked());
    form.Say(wrap->Checked() ? L"Word wrap on" : L"Word wrap off");
  };
  for (const wchar_t* side : {L"Align &left", L"Align &right"}) {
    ui::TMenuItem* radio = add(parent, side);
    radio->SetRadioItem(true);
    radio->SetGroupIndex(1);
    radio->OnClick = [&form, radio](ui::TObject*) {
      radio->SetChecked(true);
      form.Say(L"Chose \"" + radio->Caption() + L"\"");
    };
  }
  parent->Items(parent->Count() - 2)->SetChecked(true);
  add(parent, L"&Disabled item")->SetEnabled(false);
  add(parent, L"-");
  ui::TMenuItem* more = add(parent, L"&More");
  more->OnClick = nullptr;
  add(more, L"Sub item &one");
  add(more, L"Sub item &two", kMinimize);
  add(parent, L"&Close", kClose, L"Shift+F4");
}

// The sample items as they look inside a popup menu of the current skin.
class TMenuPreview : public ui::TGraphicControl {
public:
  TMenuPreview(TSkinViewForm& form, ui::TPopupMenu& menu)
      : ui::TGraphicControl(&form), form_(form), menu_(menu) {}

protected:
  void Paint() override {
    HDC dc = Canvas()->Handle();
    const int w = Width(), h = Height();
    if (!dc || w <= 0 || h <= 0)
      return;
    const skin::TSkinElements& skin = form_.SkinData().Elements();
    const bool skinned = form_.SkinLoaded();
    ui::TBitmap surface;
    surface.SetSize(w, h);
    const skin::Raster pixels = surface.View();
    const skin::TDataSkinObject* back = skinned ? skin.MenuBackground.get() : nullptr;
    if (back && !back->Bitmap.Empty())
      skin::DrawSkinRect(pixels, pixels.Bounds(), back->Bitmap.View(), back->GetMargins(), 1, 1,
                         false, back->Tile != 0, false);
    else
      skin::FillPixels(pixels, pixels.Bounds(), skin::PixelFromColorRef(GetSysColor(COLOR_MENU)));
    int y = kPreviewFrame;
    for (int i = 0; i < menu_.Items()->Count(); ++i) {
      ui::TMenuItem* item = menu_.Items()->Items(i);
      const int height = item->IsLine() ? kPreviewLineHeight : kPreviewItemHeight;
      const RECT rect{kPreviewFrame, y, w - kPreviewFrame, y + height};
      const bool selected = i == kPreviewHighlighted;
      const skin::MenuItemContent content = skin::ContentOf(*item);
      if (skinned)
        skin::PaintSkinnedMenuItem(surface.Dc(), rect, content, selected, skin,
                                   skin::MenuBackground{pixels, rect.left, rect.top});
      else
        skin::PaintPlainMenuItem(surface.Dc(), rect, content, selected, skin);
      if (item->Count() > 0)
        DrawSubMenuArrow(surface.Dc(), rect);
      y += height;
    }
    GdiFlush();
    BitBlt(dc, 0, 0, w, h, surface.Dc(), 0, 0, SRCCOPY);
  }

private:
  static void DrawSubMenuArrow(HDC dc, const RECT& item) {
    const int cx = item.right - 10, cy = (item.top + item.bottom) / 2;
    const POINT arrow[3] = {{cx - 2, cy - 4}, {cx + 2, cy}, {cx - 2, cy + 4}};
    const ui::TDCStateSaver state(dc);
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    SelectObject(dc, GetStockObject(BLACK_PEN));
    Polygon(dc, arrow, 3);
  }

  TSkinViewForm& form_;
  ui::TPopupMenu& menu_;
};

void FillMenusPage(TPageHost& host) {
  TSkinViewForm& form = host.Form();
  ui::TImageList* glyphs = form.SkinData().MenuGlyphs();

  auto* popup = new ui::TPopupMenu(&form);
  popup->SetImages(glyphs);
  AddSampleItems(form, popup->Items());

  auto* intro = host.Add<ui::TLabel>(16, 12, 600, 16);
  intro->SetCaption(L"Menu items as this skin draws them; the button and the Demo menu open "
                    L"the same items for real.");
  int height = 2 * kPreviewFrame;
  for (int i = 0; i < popup->Items()->Count(); ++i)
    height += popup->Items()->Items(i)->IsLine() ? kPreviewLineHeight : kPreviewItemHeight;
  auto* preview = new TMenuPreview(form, *popup);
  preview->SetParent(&host.Panel());
  preview->SetBounds(16, 40, 230, height);

  auto* open = host.Add<ui::TButton>(272, 40, 170, 28);
  open->SetCaption(L"Show &popup menu");
  open->OnClick = [popup, open](ui::TObject*) {
    const POINT at = open->ClientToScreen(POINT{0, open->Height()});
    popup->Popup(at.x, at.y);
  };
  auto* note = host.Add<ui::TLabel>(272, 80, 340, 16);
  note->SetCaption(L"The Demo menu shows in the bar while this page does.");

  // The bar's Demo menu: added to the main menu while the page shows, which the skinned bar
  // hears of and rebuilds itself for.
  ui::TMainMenu* bar = form.MainMenu();
  auto* demo = new ui::TMenuItem(&form);
  demo->SetCaption(L"&Demo");
  AddSampleItems(form, demo);
  bar->SetImages(glyphs);
  host.OnShowChanged = [bar, demo](bool shown) {
    if (shown && !demo->Parent())
      bar->Items()->Insert(bar->Items()->Count() - 1, demo);
    else if (!shown && demo->Parent())
      bar->Items()->Remove(demo);
  };
}

[[maybe_unused]] const bool registered = RegisterPage("Menus", 10, &FillMenusPage);

} // namespace
} // namespace vela::skinview
