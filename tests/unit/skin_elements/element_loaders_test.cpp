#include "skin/data/element_loaders.h"

#include <gtest/gtest.h>

#include "tests/unit/skin_elements/skin_fixture.h"

namespace vela::skin {
namespace {

using testing::SkinFixture;
using testing::Strip;

TEST(SkinImageMember, TakesTheFileNamePartAndAcceptsOnlyLowerCaseBmp) {
  EXPECT_EQ(SkinImageMember("FrameTop.bmp"), "FrameTop.bmp");
  EXPECT_EQ(SkinImageMember("skins\\blue\\FrameTop.bmp"), "FrameTop.bmp");
  EXPECT_EQ(SkinImageMember("C:top.bmp"), "top.bmp");
  EXPECT_EQ(SkinImageMember("dir/top.bmp"), "dir/top.bmp") << "only \\ and : separate";
  EXPECT_EQ(SkinImageMember("top.BMP"), "");
  EXPECT_EQ(SkinImageMember("top.png"), "");
  EXPECT_EQ(SkinImageMember("dir\\top.bmp.png"), "");
  EXPECT_EQ(SkinImageMember("top"), "");
  EXPECT_EQ(SkinImageMember("dir\\"), "");
  EXPECT_EQ(SkinImageMember(""), "");
}

class ElementLoaders : public SkinFixture {};

TEST_F(ElementLoaders, BitmapLookupIgnoresCaseAndRefusesOtherFormatsAndBadMembers) {
  AddBitmap("frametop.bmp", Strip(1, 3, 2));
  AddMember("broken.bmp", {'B', 'M', 1, 2, 3});
  AddMember("empty.bmp", {});
  Load("");
  Bitmap b(1, 1);
  LoadSkinBitmap(*package_, b, "skins\\FrameTop.bmp");
  EXPECT_EQ(b, Strip(1, 3, 2));
  for (const char* value : {"frametop.png", "missing.bmp", "broken.bmp", "empty.bmp", ""}) {
    Bitmap other(1, 1);
    LoadSkinBitmap(*package_, other, value);
    EXPECT_TRUE(other.Empty()) << value;
  }
}

TEST_F(ElementLoaders, ImagesBeyondThePixelBudgetAreLeftEmpty) {
  AddBitmap("a.bmp", Strip(1, 8, 8));
  Load("[Toolbars]\nImage=a.bmp\n[MenuItem]\nImage=a.bmp\n");
  PixelBudget budget(100);
  ElementSource source = Source();
  source.Budget = &budget;
  std::unique_ptr<TDataSkinObject> first, second;
  LoadPlainElement(source, "Toolbars", first);
  LoadPlainElement(source, "MenuItem", second);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->Bitmap.Width(), 8);
  EXPECT_TRUE(second->Bitmap.Empty()) << "64 + 64 pixels exceed a budget of 100";
  EXPECT_EQ(budget.Remaining(), 36);
  EXPECT_GE(kSkinPixelBudget, std::int64_t(1) << 24) << "room for the largest single image";
}

TEST_F(ElementLoaders, PlainElementReadsItsKeysAndIsAbsentWithoutImage) {
  AddBitmap("sunk.bmp", Strip(4, 6, 5));
  Load("[SunkEdge]\nImage=sunk.bmp\nStyle=3\nLeftWidth=1\nTopHeight=2\nRightWidth=3\n"
       "BottomHeight=4\nTrans=1\nTile=2\nNormalColour=7\nNormalColour2=1 2 3\n"
       "[Headerbar]\nImage=head.png\n[MenuItem]\nImage=\n");
  const auto& e = elements_.SunkEdge;
  ASSERT_TRUE(e);
  EXPECT_EQ(e->Name, "SunkEdge");
  EXPECT_EQ(e->Style, 3);
  EXPECT_EQ(e->GetMargins(), (Margins{1, 2, 3, 4}));
  EXPECT_EQ(e->Trans, 1);
  EXPECT_EQ(e->Tile, 0) << "a Tile above 1 reads as 0";
  EXPECT_EQ(e->NormalColour, 7);
  EXPECT_EQ(e->MouseOverColour, -1);
  EXPECT_EQ(e->NormalColour2, RgbColour(1, 2, 3));
  EXPECT_EQ(e->PressedColour2, SystemColour(18)) << "defaults to the ButtonText colour";

  ASSERT_TRUE(elements_.Headerbar) << "an image of another format leaves the element present";
  EXPECT_TRUE(elements_.Headerbar->Bitmap.Empty());
  EXPECT_FALSE(elements_.MenuItem) << "an empty image value makes the element absent";
  EXPECT_FALSE(elements_.Toolbars);

  std::unique_ptr<TDataSkinObject> slot = std::make_unique<TDataSkinObject>("old");
  LoadPlainElement(Source(), "Toolbars", slot);
  EXPECT_FALSE(slot) << "the loader frees what the slot held";
}

TEST_F(ElementLoaders, TextColoursDefaultToTheSkinsButtonText) {
  Load("[Colours]\nButtonText=10 20 30\n[Toolbars]\nImage=x.bmp\nMouseOverColour2=4 5 6\n");
  ASSERT_TRUE(elements_.Toolbars);
  EXPECT_EQ(elements_.Toolbars->NormalColour2, RgbColour(10, 20, 30));
  EXPECT_EQ(elements_.Toolbars->MouseOverColour2, RgbColour(4, 5, 6));
}

TEST_F(ElementLoaders, SecondImagesProgressAndBoxLabel) {
  AddBitmap("tab.bmp", Strip(5, 4, 4));
  AddBitmap("border.bmp", Strip(1, 2, 2));
  AddBitmap("chunk.bmp", Strip(1, 3, 3));
  Load("[Tabs]\nImage=tab.bmp\nBorder=border.bmp\nStyle=4\n"
       "[UpDown.Horz]\nImage=tab.bmp\n"
       "[Progress]\nBitmap=tab.bmp\nChunk=chunk.bmp\nTile=2\nStyle=1\nNormalColour=5\n"
       "[GroupBox]\nImage=tab.bmp\nBackgroundLeftShift=-6\nBackgroundRightShift=3\n"
       "BackgroundAlignment=2\n");
  ASSERT_TRUE(elements_.Tabs);
  EXPECT_EQ(elements_.Tabs->Bitmap2, Strip(1, 2, 2));
  EXPECT_EQ(elements_.Tabs->Style, 0) << "bordered elements read no style";
  ASSERT_TRUE(elements_.UpDownHorz);
  EXPECT_TRUE(elements_.UpDownHorz->Bitmap2.Empty());

  ASSERT_TRUE(elements_.Progress);
  EXPECT_EQ(elements_.Progress->Bitmap2, Strip(1, 3, 3));
  EXPECT_EQ(elements_.Progress->Tile, 2) << "the progress bar keeps its Tile as read";
  EXPECT_EQ(elements_.Progress->Style, 1);
  EXPECT_EQ(elements_.Progress->NormalColour, -1) << "the progress bar reads no colours";

  ASSERT_TRUE(elements_.GroupBox);
  EXPECT_EQ(elements_.GroupBox->BackgroundLeftShift, -6);
  EXPECT_EQ(elements_.GroupBox->BackgroundRightShift, 3);
  EXPECT_EQ(elements_.GroupBox->BackgroundAlignment, 2);
}

TEST_F(ElementLoaders, PushButtonMarksAndColourFlags) {
  AddBitmap("radio.bmp", Strip(5, 13, 13));
  AddBitmap("check.bmp", Strip(1, 40, 13));
  Load("[Buttons]\nBitmap=btn.bmp\nRadioButton=radio.bmp\nCheckButton=check.bmp\n"
       "NormalColour2=\nPressedColour2=1 1 1\nTile=3\nLeftWidth=4\n");
  const TDataSkinButton& b = elements_.Buttons;
  EXPECT_EQ(b.RadioButtonFrame, 5) << "65 x 13: cells 13 wide";
  EXPECT_EQ(b.CheckButtonFrame, 4) << "40 x 13 gives 3 cells, raised to the minimum of 4";
  EXPECT_EQ(b.HasNormalColour2, 0);
  EXPECT_EQ(b.NormalColour2, SystemColour(18));
  EXPECT_EQ(b.HasPressedColour2, 1);
  EXPECT_EQ(b.PressedColour2, RgbColour(1, 1, 1));
  EXPECT_EQ(b.Tile, 3) << "the push button keeps its Tile as read";
  EXPECT_EQ(b.LeftWidth, 4);
  EXPECT_EQ(b.FrameCount, 5);

  EXPECT_EQ(MarkStripFrames(Strip(6, 16, 16)), 6) << "16 high: cells 16 wide";
  EXPECT_EQ(MarkStripFrames(Bitmap()), 4);

  Load("[Buttons]\nRadioButton=radio.bmp\nRadioButtonFrame=2\n");
  EXPECT_EQ(elements_.Buttons.RadioButtonFrame, 2) << "the skin's own count is kept";
}

TEST_F(ElementLoaders, TitleTextPlacementAndCaptionColours) {
  Load("[Personality]\nTextShift=5\nTextShiftVert=6\nTextRightClip=7\nTextAlignment=1\n"
       "Textbackground=1\nActiveTextR=300\nActiveTextG=0\nActiveTextB=10\n"
       "InActiveTextR=1\nInActiveTextG=2\n[Fonts]\nFontHeight=17\n");
  const TDataSkinTitle& t = elements_.Title;
  EXPECT_EQ(t.Name, "Title");
  EXPECT_EQ(t.GetMargins(), (Margins{5, 6, 7, 0}));
  EXPECT_EQ(t.TextAlignment, 1);
  EXPECT_EQ(t.Textbackground, 1);
  EXPECT_EQ(t.FontHeight, 17);
  EXPECT_EQ(t.ActiveText, RgbColour(44, 0, 10));
  EXPECT_EQ(t.InActiveText, kColourNotGiven) << "all three keys are needed";
  EXPECT_EQ(t.FrameCount, 2);

  Load("");
  EXPECT_EQ(elements_.Title.FontHeight, 14);
  EXPECT_EQ(elements_.Title.ActiveText, kColourNotGiven);
}

TEST_F(ElementLoaders, FrameBordersKeepTheirEndsAlongTheStrip) {
  AddBitmap("top.bmp", Strip(2, 30, 4));
  Load("[Personality]\nTop=top.bmp\nTopTopHeight=8\nTopBotHeight=9\nTopFrame=2\nTopStretch=0\n"
       "LeftTopHeight=3\nLeftBotHeight=4\nLeftTrans=0\n");
  EXPECT_EQ(elements_.Top.GetMargins(), (Margins{8, 0, 9, 0}));
  EXPECT_EQ(elements_.Top.FrameCount, 2);
  EXPECT_EQ(elements_.Top.Tile, 0);
  EXPECT_EQ(elements_.Top.Trans, 1);
  EXPECT_EQ(elements_.Top.Bitmap, Strip(2, 30, 4));
  EXPECT_EQ(elements_.Left.GetMargins(), (Margins{0, 3, 0, 4}));
  EXPECT_EQ(elements_.Left.FrameCount, 1);
  EXPECT_EQ(elements_.Left.Tile, 1);
  EXPECT_EQ(elements_.Left.Trans, 0);
  EXPECT_TRUE(elements_.Left.Bitmap.Empty());
  EXPECT_EQ(elements_.Bottom.Name, "Bottom");
}

TEST_F(ElementLoaders, MenuBarCarriesItsTileFlagsInTheMargins) {
  AddBitmap("menubar.bmp", Strip(2, 10, 20));
  Load("[Personality]\nmenuBar=menubar.bmp\nTileMenu=1\nTileRightMenu=0\n");
  ASSERT_TRUE(elements_.MenuBar);
  EXPECT_EQ(elements_.MenuBar->Name, "Personality");
  EXPECT_EQ(elements_.MenuBar->GetMargins(), (Margins{1, 0, 0, 0}));
  EXPECT_EQ(elements_.MenuBar->Tile, 1);
  EXPECT_EQ(elements_.MenuBar->FrameCount, 2);
}

} // namespace
} // namespace vela::skin
