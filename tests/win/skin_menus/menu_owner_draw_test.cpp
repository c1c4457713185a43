// A form's framework menus handed to the skin: which menus and items get the skin's events,
// what the measure events add and what the draw event paints.
#include "skin/forms/menu_owner_draw.h"
#include "skin/forms/skin_data.h"
#include "skin/forms/skin_manager.h"
#include "ui/application.h"
#include "ui/bitmap.h"
#include "ui/control.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/menus.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace vela::skin {
namespace {

class MenuOwnerDraw : public ::testing::Test {
protected:
  void SetUp() override {
    ui::Application->Initialize();
    form = new ui::TForm(nullptr);
    data = new TSkinData(form);
    data->SetSkinFile(L"" VELA_DEFAULT_SKN);
    ASSERT_FALSE(data->SkinEmpty());
  }
  void TearDown() override {
    delete form;
    FreeSkinManager();
  }

  ui::TMenuItem* AddItem(ui::TMenuItem* parent, const wchar_t* caption) {
    auto* item = new ui::TMenuItem(form);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
  }
  // Width and height the item measures at on a screen DC.
  std::pair<int, int> Measure(ui::TMenuItem* item) {
    HDC dc = GetDC(nullptr);
    ui::TCanvas canvas;
    int w = 0, h = 0;
    {
      ui::TCanvasBinding binding(canvas, dc);
      item->MeasureItem(&canvas, w, h);
    }
    ReleaseDC(nullptr, dc);
    return {w, h};
  }

  ui::TForm* form = nullptr;
  TSkinData* data = nullptr;
};

TEST_F(MenuOwnerDraw, PopupMenusFollowTheSwitchAndTheDisableTag) {
  auto* skinned = new ui::TPopupMenu(form);
  ui::TMenuItem* open = AddItem(skinned->Items(), L"Open");
  ui::TMenuItem* nested = AddItem(open, L"Recent");
  auto* refused = new ui::TPopupMenu(form);
  refused->SetTag(199); // 199 mod 100 is the DisableTag 99
  ui::TMenuItem* other = AddItem(refused->Items(), L"Other");

  SetPopupOwnerDraw(form, data, true);
  EXPECT_TRUE(skinned->OwnerDraw());
  EXPECT_TRUE(open->OnDrawItem && open->OnMeasureItem);
  EXPECT_TRUE(nested->OnDrawItem && nested->OnMeasureItem) << "items at every depth";
  EXPECT_FALSE(refused->OwnerDraw());
  EXPECT_FALSE(other->OnDrawItem);

  SetPopupOwnerDraw(form, data, false);
  EXPECT_FALSE(skinned->OwnerDraw());
  EXPECT_FALSE(open->OnDrawItem || open->OnMeasureItem || nested->OnDrawItem);

  data->SetSkinControls(data->SkinControls() & ~SkinControlBit(xcPopupMenu));
  SetPopupOwnerDraw(form, data, true);
  EXPECT_FALSE(skinned->OwnerDraw());
  EXPECT_FALSE(open->OnDrawItem);
}

TEST_F(MenuOwnerDraw, MainMenusLeaveTheBarAndItemsThatDrawThemselves) {
  auto* menu = new ui::TMainMenu(form);
  ui::TMenuItem* file = AddItem(menu->Items(), L"&File");
  ui::TMenuItem* open = AddItem(file, L"&Open");
  ui::TMenuItem* own = AddItem(file, L"Own");
  bool ownDrawn = false;
  own->OnDrawItem = [&](ui::TObject*, ui::TCanvas*, const RECT&, bool) { ownDrawn = true; };

  SetMainMenuOwnerDraw(form, data, true);
  EXPECT_TRUE(menu->OwnerDraw());
  EXPECT_FALSE(file->OnDrawItem) << "the bar's items belong to the skinned menu bar";
  EXPECT_TRUE(open->OnDrawItem && open->OnMeasureItem);
  ASSERT_TRUE(own->OnDrawItem);
  own->OnDrawItem(own, nullptr, RECT{}, false);
  EXPECT_TRUE(ownDrawn) << "an item's own drawing was replaced";
  EXPECT_FALSE(own->OnMeasureItem);

  SetMainMenuOwnerDraw(form, data, false);
  EXPECT_FALSE(menu->OwnerDraw());
  EXPECT_FALSE(open->OnDrawItem || open->OnMeasureItem || own->OnDrawItem);
}

TEST_F(MenuOwnerDraw, MeasuringAddsTheSkinsColumnsToTheFrameworksWidth) {
  const int left = data->Elements().MenuItem->LeftWidth;
  auto* popup = new ui::TPopupMenu(form);
  ui::TMenuItem* item = AddItem(popup->Items(), L"Properties");
  const auto plain = Measure(item);
  SetPopupOwnerDraw(form, data, true);
  const auto skinned = Measure(item);
  EXPECT_EQ(skinned.first, plain.first + left + 35) << "no image list";
  EXPECT_EQ(skinned.second, plain.second);
  auto* images = new ui::TImageList(form);
  popup->SetImages(images);
  SetPopupOwnerDraw(form, data, false);
  const int withImages = Measure(item).first;
  SetPopupOwnerDraw(form, data, true);
  EXPECT_EQ(Measure(item).first, withImages + left + 12);

  auto* menu = new ui::TMainMenu(form);
  ui::TMenuItem* file = AddItem(menu->Items(), L"File");
  ui::TMenuItem* open = AddItem(file, L"Open");
  menu->SetImages(images);
  const int own = Measure(open).first;
  SetMainMenuOwnerDraw(form, data, true);
  EXPECT_EQ(Measure(open).first, own + left + 10);
}

TEST_F(MenuOwnerDraw, TheDrawEventPaintsTheSkinsCell) {
  auto* popup = new ui::TPopupMenu(form);
  ui::TMenuItem* item = AddItem(popup->Items(), L"Open");
  SetPopupOwnerDraw(form, data, true);
  const TDataSkinObject& element = *data->Elements().MenuItem;
  const int cell = element.CellWidth();
  const Pixel selectedFill = element.Bitmap.At(3 * cell + cell / 2, element.Bitmap.Height() / 2);
  ui::TBitmap target;
  target.SetSize(160, 20);
  ui::TCanvas canvas;
  {
    ui::TCanvasBinding binding(canvas, target.Dc());
    item->DrawItem(&canvas, RECT{0, 0, 160, 20}, true);
  }
  GdiFlush();
  EXPECT_EQ(target.View().At(150, 10) & 0xFFFFFFu, selectedFill & 0xFFFFFFu);
}

} // namespace
} // namespace vela::skin
