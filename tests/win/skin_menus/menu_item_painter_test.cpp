// Owner-drawn items of skinned menus, painted off-screen and read back pixel by pixel against
// the MenuItem cells of the default skin.
#include "skin/draw/primitives.h"
#include "skin/draw/stretch.h"
#include "skin/forms/menu_item_painter.h"
#include "tests/win/skin_frame/frame_fixture.h"
#include "ui/bitmap.h"
#include "ui/image_list.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace vela::skin {
namespace {

using test::SaveForInspection;

constexpr Pixel kSentinel = MakePixel(0, 200, 0); // never in the default skin's menu
constexpr int kWidth = 160;
constexpr int kHeight = 20;

Pixel PixelOf(ColourCode colour) {
  return PixelFromColorRef(ui::ColorToRGB(colour));
}

void LoadDefaultSkin(TSkinElements& elements) {
  std::ifstream in(VELA_DEFAULT_SKN, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                        std::istreambuf_iterator<char>()};
  ASSERT_EQ(LoadSkinFile(bytes, elements), SkinLoadResult::Loaded) << VELA_DEFAULT_SKN;
  ASSERT_TRUE(elements.MenuItem && !elements.MenuItem->Bitmap.Empty());
}

class MenuItemPainter : public ::testing::Test {
protected:
  void SetUp() override { LoadDefaultSkin(skin); }

  // The item painted onto a surface first filled with the sentinel colour, which every pixel
  // of the item must cover.
  Bitmap Paint(const MenuItemContent& item, bool selected, int width = kWidth,
               int height = kHeight) const {
    ui::TBitmap target;
    target.SetSize(width, height);
    FillPixels(target.View(), Rect{0, 0, width, height}, kSentinel);
    PaintSkinnedMenuItem(target.Dc(), RECT{0, 0, width, height}, item, selected, skin);
    GdiFlush();
    const Raster view = target.View();
    Bitmap result(width, height);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        result.At(x, y) = view.At(x, y) & 0xFFFFFFu;
    return result;
  }

  // The MenuItem cell as the item's background should show it: composed at the item's size,
  // magenta showing the menu colour.
  Bitmap ExpectedCell(int cell, int width = kWidth, int height = kHeight) const {
    const TDataSkinObject& e = *skin.MenuItem;
    Bitmap cellImage = ComposeSkinRect(Rect{0, 0, width, height}, e.Bitmap.View(), e.GetMargins(),
                                       false, e.Tile != 0, e.FrameCount, cell);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (cellImage.At(x, y) == kMagenta)
          cellImage.At(x, y) = PixelOf(skin.Colours.Menu);
    return cellImage;
  }

  // Compares the parts of the item that hold no content: the outer rows and the margins
  // before the glyph and after the shortcut.
  static int BackgroundMismatches(const Bitmap& got, const Bitmap& expected) {
    int wrong = 0;
    for (int y = 0; y < got.Height(); ++y)
      for (int x = 0; x < got.Width(); ++x) {
        const bool border = y == 0 || y == got.Height() - 1 || x < 5 || x >= got.Width() - 10;
        wrong += border && got.At(x, y) != expected.At(x, y);
      }
    return wrong;
  }

  static int Count(const Bitmap& image, const Rect& area, Pixel colour) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        n += image.At(x, y) == colour;
    return n;
  }

  static MenuItemContent Item(const wchar_t* caption) {
    MenuItemContent item;
    item.caption = caption;
    return item;
  }

  TSkinElements skin;
};

// Where the caption lies: after the glyph box (1 + left width 4 + 16 + 3).
constexpr Rect kCaptionBand{24, 1, 110, kHeight - 1};

TEST_F(MenuItemPainter, NormalItemShowsTheFirstCellAndTheMenuText) {
  const Bitmap got = Paint(Item(L"&Maximize"), false);
  SaveForInspection(got, "menu-item-normal");
  EXPECT_EQ(Count(got, got.View().Bounds(), kSentinel), 0) << "part of the item left unpainted";
  EXPECT_EQ(BackgroundMismatches(got, ExpectedCell(1)), 0);
  EXPECT_GT(Count(got, kCaptionBand, PixelOf(skin.Colours.MenuText)), 10);
}

TEST_F(MenuItemPainter, HotItemShowsTheFourthCellAndTheHighlightText) {
  const Bitmap got = Paint(Item(L"&Maximize"), true);
  SaveForInspection(got, "menu-item-hot");
  EXPECT_EQ(BackgroundMismatches(got, ExpectedCell(4)), 0);
  EXPECT_GT(Count(got, kCaptionBand, PixelOf(skin.Colours.HilightText)), 10);
  EXPECT_EQ(Count(got, kCaptionBand, PixelOf(skin.Colours.MenuText)), 0);
}

TEST_F(MenuItemPainter, DisabledItemIsWrittenInTheButtonShadow) {
  MenuItemContent item = Item(L"&Restore");
  item.enabled = false;
  for (bool selected : {false, true}) {
    const Bitmap got = Paint(item, selected);
    SaveForInspection(got, selected ? "menu-item-disabled-hot" : "menu-item-disabled");
    EXPECT_EQ(BackgroundMismatches(got, ExpectedCell(selected ? 4 : 1)), 0) << selected;
    EXPECT_GT(Count(got, kCaptionBand, PixelOf(skin.Colours.ButtonShadow)), 10) << selected;
    EXPECT_EQ(Count(got, kCaptionBand, PixelOf(skin.Colours.MenuText)), 0) << selected;
  }
}

TEST_F(MenuItemPainter, DisabledTextFallsBackToTheSystemShadowWhenTheSkinsEqualsTheMenuText) {
  skin.Colours.ButtonShadow = skin.Colours.MenuText;
  MenuItemContent item = Item(L"Restore");
  item.enabled = false;
  const Bitmap got = Paint(item, false);
  EXPECT_GT(Count(got, kCaptionBand, PixelOf(clBtnShadow)), 10);
  EXPECT_EQ(Count(got, kCaptionBand, PixelOf(skin.Colours.MenuText)), 0);
}

TEST_F(MenuItemPainter, DefaultItemIsWrittenInBold) {
  MenuItemContent item = Item(L"Maximize");
  const Pixel ink = PixelOf(skin.Colours.MenuText);
  const int regular = Count(Paint(item, false), kCaptionBand, ink);
  item.isDefault = true;
  const int bold = Count(Paint(item, false), kCaptionBand, ink);
  EXPECT_GT(bold, regular + regular / 5);
}

TEST_F(MenuItemPainter, ShortcutEndsTenPixelsShortOfTheTextEdge) {
  MenuItemContent item = Item(L"Close");
  item.shortcut = L"Shift+F4";
  const Bitmap got = Paint(item, false);
  SaveForInspection(got, "menu-item-shortcut");
  const Pixel background = PixelOf(skin.Colours.Menu);
  int rightmostInk = -1;
  for (int y = 1; y < kHeight - 1; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (got.At(x, y) != background)
        rightmostInk = std::max(rightmostInk, x);
  // The text band ends at width - 1; the shortcut 10 before it.
  EXPECT_LT(rightmostInk, kWidth - 11);
  EXPECT_GE(rightmostInk, kWidth - 15);
}

TEST_F(MenuItemPainter, SeparatorIsCutFromTheSecondCell) {
  const int height = 8;
  const Bitmap got = Paint(Item(L"-"), false, kWidth, height);
  SaveForInspection(got, "menu-item-separator");
  const TDataSkinObject& e = *skin.MenuItem;
  const int cell = e.CellWidth();
  const Raster image = e.Bitmap.View();
  const int sourceTop = image.height - height;
  auto expected = [&](int sourceX, int y) {
    const Pixel p = image.At(sourceX, sourceTop + y);
    return p == kMagenta ? PixelOf(skin.Colours.Menu) : p;
  };
  int lineRows = 0;
  for (int y = 0; y < height; ++y) {
    EXPECT_EQ(got.At(0, y), expected(cell, y)) << y;
    EXPECT_EQ(got.At(kWidth / 2, y), expected(cell + cell / 2, y)) << y;
    EXPECT_EQ(got.At(kWidth - 1, y), expected(2 * cell - 1, y)) << y;
    lineRows += got.At(kWidth / 2, y) != PixelOf(skin.Colours.Menu);
  }
  EXPECT_GE(lineRows, 1) << "the cell's line did not reach the item";
}

TEST_F(MenuItemPainter, ImageGlyphSitsInTheGlyphBoxAndCheckedOnesOnThePattern) {
  ui::TImageList images(nullptr);
  ui::TBitmap glyph;
  glyph.SetSize(16, 16);
  FillPixels(glyph.View(), Rect{0, 0, 16, 16}, MakePixel(200, 0, 0));
  ASSERT_EQ(images.Add(glyph), 0);
  MenuItemContent item = Item(L"Maximize");
  item.images = &images;
  item.imageIndex = 0;
  const Pixel red = MakePixel(200, 0, 0);
  const Rect box{5, 1, 21, 17}; // 1 + the element's left width 4
  Bitmap got = Paint(item, false);
  SaveForInspection(got, "menu-item-glyph");
  EXPECT_EQ(Count(got, box, red), 16 * 16);
  EXPECT_EQ(Count(got, Rect{0, 0, kWidth, kHeight}, red), 16 * 16);
  // A checked item's image is drawn over the checked box; the image covers it whole here.
  item.checked = true;
  got = Paint(item, false);
  EXPECT_EQ(Count(got, box, red), 16 * 16);
  // Drawing the image leaves the caption's colours alone.
  got = Paint(item, true);
  SaveForInspection(got, "menu-item-glyph-hot");
  EXPECT_GT(Count(got, kCaptionBand, PixelOf(skin.Colours.HilightText)), 10);
  EXPECT_EQ(Count(got, kCaptionBand, PixelOf(skin.Colours.MenuText)), 0);
  item.enabled = false;
  got = Paint(item, false);
  EXPECT_GT(Count(got, kCaptionBand, PixelOf(skin.Colours.ButtonShadow)), 10);
  EXPECT_EQ(Count(got, kCaptionBand, PixelOf(skin.Colours.MenuText)), 0);
}

TEST_F(MenuItemPainter, ACheckedImageStandsOnTheCheckedPattern) {
  ui::TImageList images(nullptr);
  ui::TBitmap glyph;
  glyph.SetSize(16, 16);
  FillPixels(glyph.View(), Rect{0, 0, 16, 16}, kMagenta);
  FillPixels(glyph.View(), Rect{6, 6, 10, 10}, MakePixel(200, 0, 0));
  ASSERT_EQ(images.AddMasked(glyph, RgbColour(255, 0, 255)), 0);
  MenuItemContent item = Item(L"Pinned");
  item.images = &images;
  item.imageIndex = 0;
  const Rect inside{7, 3, 19, 15}; // the box less its sunken edge
  const Pixel face = PixelFromColorRef(GetSysColor(COLOR_BTNFACE));
  const Pixel light = PixelFromColorRef(GetSysColor(COLOR_BTNHIGHLIGHT));
  const Bitmap plain = Paint(item, false);
  EXPECT_EQ(Count(plain, inside, face), 0);
  EXPECT_EQ(Count(plain, inside, MakePixel(200, 0, 0)), 16);
  item.checked = true;
  const Bitmap checked = Paint(item, false);
  SaveForInspection(checked, "menu-item-checked-image");
  EXPECT_GT(Count(checked, inside, face), 20);
  EXPECT_GT(Count(checked, inside, light), 20);
  EXPECT_EQ(Count(checked, inside, MakePixel(200, 0, 0)), 16)
      << "the image is not over the pattern";
}

TEST_F(MenuItemPainter, CheckAndRadioMarksWithoutAnImageUseTheButtonText) {
  const Rect box{5, 1, 22, 18}; // the glyph box, the mark nudged one pixel
  const Pixel mark = PixelFromColorRef(GetSysColor(COLOR_BTNTEXT));
  MenuItemContent item = Item(L"Option");
  EXPECT_EQ(Count(Paint(item, false), box, mark), 0);
  item.checked = true;
  const Bitmap checked = Paint(item, false);
  SaveForInspection(checked, "menu-item-check");
  EXPECT_GT(Count(checked, box, mark), 6);
  item.radio = true;
  const Bitmap radio = Paint(item, false);
  SaveForInspection(radio, "menu-item-radio");
  EXPECT_GT(Count(radio, box, mark), 6);
  EXPECT_NE(checked, radio) << "the radio bullet looks like the check mark";
}

TEST_F(MenuItemPainter, WithoutAMenuItemElementItemsArePaintedPlainly) {
  skin.MenuItem.reset();
  const Bitmap normal = Paint(Item(L"Minimize"), false);
  const Bitmap hot = Paint(Item(L"Minimize"), true);
  EXPECT_EQ(normal.At(kWidth - 2, kHeight / 2), PixelOf(skin.Colours.Menu));
  EXPECT_EQ(hot.At(kWidth - 2, kHeight / 2), PixelOf(skin.Colours.Hilight));
  EXPECT_EQ(hot.At(0, 0), PixelOf(skin.Colours.Hilight));
  EXPECT_GT(Count(hot, Rect{18, 1, 110, kHeight - 1}, PixelOf(skin.Colours.HilightText)), 10);
}

TEST_F(MenuItemPainter, EntriesOfANativeMenuAreReadByCommand) {
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING | MF_GRAYED | MF_CHECKED, 5000, L"&Open\tCtrl+O");
  AppendMenuW(menu, MF_OWNERDRAW, 5001, nullptr);
  const MenuItemContent open = ContentOfEntry(menu, 5000);
  EXPECT_EQ(open.caption, L"&Open");
  EXPECT_EQ(open.shortcut, L"Ctrl+O");
  EXPECT_FALSE(open.enabled);
  EXPECT_TRUE(open.checked);
  EXPECT_TRUE(ContentOfEntry(menu, 5001).IsLine()); // no text: a line
  DestroyMenu(menu);
}

} // namespace
} // namespace vela::skin
