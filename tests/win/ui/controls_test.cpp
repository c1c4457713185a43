// Controls over their native counterparts: list view rows and ticks, progress bar, label, and
// bitmaps with their raster view.
#include "tests/win/ui/ui_test_util.h"
#include "ui/bitmap.h"
#include "ui/com_controls.h"
#include "ui/core/stream.h"
#include "ui/form.h"
#include "ui/list_view.h"
#include "ui/std_controls.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace vela::ui::test {
namespace {

class ListViewRows : public ::testing::Test {
protected:
  void SetUp() override {
    Application->Initialize();
    form = new TForm(nullptr);
    form->SetBounds(80, 80, 500, 300);
    list = new TListView(form);
    list->SetParent(form);
    list->SetBounds(0, 0, 480, 250);
    list->SetViewStyle(TViewStyle::vsReport);
    list->SetCheckboxes(true);
    list->SetRowSelect(true);
    for (const wchar_t* caption : {L"", L"Device Name", L"Card Name "}) {
      TListColumn* c = list->Columns()->Add();
      c->SetCaption(caption);
      c->SetWidth(caption[0] ? 150 : 25);
    }
    // Rows added before the window exists and after.
    AddRow(L"Rack-A", L"CPU-1");
    form->Show();
    AddRow(L"Rack-A", L"IO-2");
    PumpMessages();
  }
  void TearDown() override { delete form; }

  TListItem* AddRow(const wchar_t* device, const wchar_t* card) {
    TListItem* item = list->Items()->Add();
    item->SubItems()->Add(device);
    item->SubItems()->Add(card);
    return item;
  }
  std::wstring NativeText(int row, int column) {
    wchar_t buffer[64] = {};
    LVITEMW lv{};
    lv.iSubItem = column;
    lv.pszText = buffer;
    lv.cchTextMax = 64;
    SendMessageW(list->Handle(), LVM_GETITEMTEXTW, row, LPARAM(&lv));
    return buffer;
  }
  // A point on a row's check box, found by asking the control.
  POINT CheckBoxPoint(int row) {
    RECT r{};
    r.left = LVIR_BOUNDS;
    SendMessageW(list->Handle(), LVM_GETITEMRECT, row, LPARAM(&r));
    for (int x = r.left; x < r.left + 30; ++x) {
      LVHITTESTINFO hit{};
      hit.pt = POINT{x, (r.top + r.bottom) / 2};
      SendMessageW(list->Handle(), LVM_SUBITEMHITTEST, 0, LPARAM(&hit));
      if (hit.flags & LVHT_ONITEMSTATEICON) return hit.pt;
    }
    ADD_FAILURE() << "no check box found on row " << row;
    return POINT{r.left + 8, (r.top + r.bottom) / 2};
  }

  TForm* form = nullptr;
  TListView* list = nullptr;
};

TEST_F(ListViewRows, RowsSubItemsAndChecksAreMirroredInTheNativeControl) {
  ASSERT_EQ(SendMessageW(list->Handle(), LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(NativeText(0, 1), L"Rack-A");
  EXPECT_EQ(NativeText(1, 2), L"IO-2");
  list->Items()->Item(1)->SubItems()->Put(1, L"IO-3");
  EXPECT_EQ(NativeText(1, 2), L"IO-3");
  list->Items()->Item(0)->SetChecked(true);
  EXPECT_TRUE(list->Items()->Item(0)->Checked());
  EXPECT_FALSE(list->Items()->Item(1)->Checked());
  list->Items()->Delete(0);
  EXPECT_EQ(SendMessageW(list->Handle(), LVM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_EQ(NativeText(0, 2), L"IO-3");
  list->Items()->Clear();
  EXPECT_EQ(SendMessageW(list->Handle(), LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(ListViewRows, ChecksAndRowsSurviveRecreatingTheWindow) {
  list->Items()->Item(1)->SetChecked(true);
  list->SetMultiSelect(true); // a style that needs a new window
  EXPECT_EQ(SendMessageW(list->Handle(), LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_TRUE(list->Items()->Item(1)->Checked());
  EXPECT_EQ(NativeText(1, 1), L"Rack-A");
}

TEST_F(ListViewRows, ItemAtAPointAnyColumnOfItsRow) {
  RECT r{};
  r.left = LVIR_BOUNDS;
  SendMessageW(list->Handle(), LVM_GETITEMRECT, 1, LPARAM(&r));
  int y = (r.top + r.bottom) / 2;
  EXPECT_EQ(list->GetItemAt(200, y), list->Items()->Item(1));
  EXPECT_EQ(list->GetItemAt(10, y), list->Items()->Item(1));
  EXPECT_EQ(list->GetItemAt(200, 240), nullptr); // below the rows
}

TEST_F(ListViewRows, MouseDownHandlerSeesTheTickTheControlHasJustMade) {
  std::vector<bool> seen;
  list->OnMouseDown = [&](TObject* sender, TMouseButton button, TShiftState, int x, int y) {
    auto* lv = static_cast<TListView*>(sender);
    TListItem* item = lv->GetItemAt(x, y);
    EXPECT_EQ(button, TMouseButton::mbLeft);
    ASSERT_NE(item, nullptr);
    seen.push_back(item->Checked());
  };
  POINT p = CheckBoxPoint(0);
  SendMessageW(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  SendMessageW(list->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_TRUE(seen[0]);
  EXPECT_TRUE(list->Items()->Item(0)->Checked());
}

TEST(ProgressBar, PositionStaysWithinTheRangeAndReachesTheNativeBar) {
  Application->Initialize();
  TForm form(nullptr);
  auto* bar = new TProgressBar(&form);
  bar->SetParent(&form);
  bar->SetMax(1500);
  bar->SetPosition(1024);
  EXPECT_EQ(SendMessageW(bar->Handle(), PBM_GETPOS, 0, 0), 1024);
  EXPECT_EQ(SendMessageW(bar->Handle(), PBM_GETRANGE, FALSE, 0), 1500);
  bar->SetPosition(2000);
  EXPECT_EQ(bar->Position(), 1500);
  bar->SetPosition(-5);
  EXPECT_EQ(SendMessageW(bar->Handle(), PBM_GETPOS, 0, 0), 0);
  bar->SetMax(1048577); // beyond 16 bits
  bar->SetPosition(1048577);
  EXPECT_EQ(SendMessageW(bar->Handle(), PBM_GETPOS, 0, 0), 1048577);
}

TEST(Labels, AutoSizeFitsTheCaptionAndFixedSizeKeepsTheBounds) {
  Application->Initialize();
  TForm form(nullptr);
  auto* fitted = new TLabel(&form);
  fitted->SetParent(&form);
  fitted->SetCaption(L"Local Host Port：");
  int oneLine = fitted->Height();
  EXPECT_GT(fitted->Width(), 40);
  fitted->SetCaption(L"Port");
  EXPECT_LT(fitted->Width(), 40);
  EXPECT_EQ(fitted->Height(), oneLine);
  auto* fixed = new TLabel(&form);
  fixed->SetAutoSize(false);
  fixed->SetBounds(12, 21, 89, 13);
  fixed->SetCaption(L"Local Host IP：with a much longer text");
  EXPECT_EQ(fixed->Width(), 89);
  // Properties the skin engine reads by name.
  EXPECT_EQ(GetStrProp(fixed, "Caption"), L"Local Host IP：with a much longer text");
  EXPECT_EQ(GetEnumProp(fixed, "Enabled"), "True");
  EXPECT_EQ(GetObjectProp<TFont>(fixed, "Font"), fixed->Font());
  EXPECT_EQ(GetOrdProp(fixed, "NumGlyphs"), 0);
  EXPECT_EQ(GetObjectProp(fixed, "Glyph"), nullptr);
}

TEST(Bitmaps, GdiDrawingShowsInTheRasterView) {
  TBitmap bmp;
  bmp.SetSize(6, 4);
  TCanvas* canvas = bmp.Canvas();
  canvas->Brush()->SetColor(TColor(RGB(0x10, 0x20, 0x30)));
  canvas->FillRect(RECT{2, 1, 4, 3});
  auto r = bmp.View();
  ASSERT_EQ(r.width, 6);
  EXPECT_EQ(r.At(2, 1), 0x102030u); // 0x00RRGGBB, top row first
  EXPECT_EQ(r.At(3, 2), 0x102030u);
  EXPECT_EQ(r.At(1, 1), 0u);
  EXPECT_EQ(r.At(2, 3), 0u);
  EXPECT_THROW(bmp.SetSize(20000, 2), EOutOfResources);
}

TEST(Bitmaps, BmpFilesOfOtherDepthsAndOrientationsLoadTheRightWayUp) {
  // A 2 x 2 24-bit bottom-up BMP: bottom row red, green; top row blue, white.
  std::vector<std::uint8_t> bmp = {
      'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                  // file header
      40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,    // info header
      16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
      0, 0, 255, 0, 255, 0, 0, 0,                                      // bottom row, padded
      255, 0, 0, 255, 255, 255, 0, 0};                                 // top row, padded
  TBitmap b;
  b.LoadFromBytes(bmp.data(), bmp.size());
  auto r = b.View();
  EXPECT_EQ(r.At(0, 0), 0x0000FFu);
  EXPECT_EQ(r.At(1, 0), 0xFFFFFFu);
  EXPECT_EQ(r.At(0, 1), 0xFF0000u);
  EXPECT_EQ(r.At(1, 1), 0x00FF00u);
  // A copy saved and loaded again is the same picture.
  auto saved = b.SaveToBytes();
  TBitmap again;
  again.LoadFromBytes(saved.data(), saved.size());
  EXPECT_EQ(again.View().At(1, 1), 0x00FF00u);
  // Truncated pixels, a wrong signature and an absurd size are refused.
  EXPECT_THROW(again.LoadFromBytes(bmp.data(), bmp.size() - 4), EReadError);
  bmp[0] = 'X';
  EXPECT_THROW(again.LoadFromBytes(bmp.data(), bmp.size()), EReadError);
  bmp[0] = 'B';
  bmp[18] = 0xFF;
  bmp[19] = 0xFF;
  bmp[20] = 0xFF;
  bmp[21] = 0x7F;
  EXPECT_THROW(again.LoadFromBytes(bmp.data(), bmp.size()), EReadError);
}

// A raster whose every pixel differs, with junk in some fourth bytes.
vela::skin::Bitmap Numbered(int width, int height) {
  vela::skin::Bitmap b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b.At(x, y) = std::uint32_t(y * 4099 + x * 37 + 1) & 0xFFFFFF;
  return b;
}

TEST(Bitmaps, RastersBlitOntoADcAndAreCapturedBack) {
  vela::skin::Bitmap image = Numbered(23, 17);
  TBitmap canvas;
  canvas.SetSize(50, 40);
  BlitRaster(canvas.Dc(), 11, 6, image.View());
  EXPECT_EQ(CaptureDc(canvas.Dc(), vela::skin::Rect{11, 6, 34, 23}), image);
  EXPECT_EQ(canvas.View().At(10, 6), 0u) << "nothing lands beside the copy";
  // A view of part of each row: its rows stay `stride` apart.
  const vela::skin::Raster part{&image.At(3, 2), 5, 4, image.Width()};
  BlitRaster(canvas.Dc(), 0, 0, part);
  const vela::skin::Bitmap captured = CaptureDc(canvas.Dc(), vela::skin::Rect{0, 0, 5, 4});
  ASSERT_EQ(captured.Width(), 5);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) ASSERT_EQ(captured.At(x, y), image.At(x + 3, y + 2)) << x << "," << y;
  EXPECT_TRUE(CaptureDc(canvas.Dc(), vela::skin::Rect{5, 5, 5, 9}).Empty());
  EXPECT_TRUE(CaptureDc(canvas.Dc(), vela::skin::Rect{0, 0, 20000, 2}).Empty());
}

TEST(Bitmaps, CopiesOfPartOfARasterAreBlackWhereTheRasterEnds) {
  vela::skin::Bitmap image = Numbered(23, 17);
  image.At(0, 15) |= 0xAB000000u;
  TBitmap b;
  b.CopyFrom(image.View(), vela::skin::Rect{-2, 15, 3, 19});
  ASSERT_EQ(b.Width(), 5);
  ASSERT_EQ(b.Height(), 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) {
      const bool inside = x >= 2 && y < 2;
      const std::uint32_t expected = inside ? image.At(x - 2, y + 15) & 0xFFFFFF : 0u;
      ASSERT_EQ(b.View().At(x, y), expected) << x << "," << y;
    }
  }
  b.CopyFrom(image.View(), vela::skin::Rect{4, 4, 4, 9});
  EXPECT_TRUE(b.Empty());
}

TEST(Bitmaps, TheDcStaysAcrossResizesAndShowsTheNewPixels) {
  TBitmap b;
  b.SetSize(4, 4);
  const HDC dc = b.Dc();
  TCanvas* canvas = b.Canvas();
  EXPECT_EQ(canvas->Handle(), dc);
  b.SetSize(9, 3);
  EXPECT_EQ(b.Dc(), dc);
  EXPECT_EQ(canvas->Handle(), dc);
  canvas->Brush()->SetColor(TColor(RGB(1, 2, 3)));
  canvas->FillRect(RECT{7, 1, 9, 3});
  EXPECT_EQ(b.View().At(8, 2), 0x010203u);
  EXPECT_EQ(b.View().At(6, 2), 0u);
}

TEST(Bitmaps, RunLengthFilesLoadAndAFailedLoadKeepsThePicture) {
  // A 2 x 2 8-bit run-length BMP with two palette entries, red (0) and blue (1): the bottom
  // row is a run of two reds, the top row blue then red.
  const std::vector<std::uint8_t> rle = {
      'B', 'M', 72, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0,                 // file header
      40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 8, 0, 1, 0, 0, 0,    // info header, RLE8
      10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0,
      0, 0, 255, 0, 255, 0, 0, 0,                                     // palette
      2, 0, 0, 0, 1, 1, 1, 0, 0, 1};                                  // runs, end of bitmap
  TBitmap b;
  b.LoadFromBytes(rle.data(), rle.size());
  ASSERT_EQ(b.Width(), 2);
  ASSERT_EQ(b.Height(), 2);
  EXPECT_EQ(b.View().At(0, 0), 0x0000FFu);
  EXPECT_EQ(b.View().At(1, 0), 0xFF0000u);
  EXPECT_EQ(b.View().At(0, 1), 0xFF0000u);
  EXPECT_EQ(b.View().At(1, 1), 0xFF0000u);
  // Pixels said to lie beyond the end of the file are refused; the picture already loaded stays.
  std::vector<std::uint8_t> bad = rle;
  bad[10] = 200;
  EXPECT_THROW(b.LoadFromBytes(bad.data(), bad.size()), EReadError);
  EXPECT_EQ(b.Width(), 2);
  EXPECT_EQ(b.View().At(0, 0), 0x0000FFu);
}

} // namespace
} // namespace vela::ui::test
