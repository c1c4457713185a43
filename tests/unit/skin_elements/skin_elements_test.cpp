#include "skin/data/skin_elements.h"

#include <gtest/gtest.h>

#include "skin/data/lzh_encoder.h"
#include "tests/unit/skin_elements/skin_fixture.h"

namespace vela::skin {
namespace {

using testing::SkinFixture;
using testing::Strip;

// Every optional section of the element table, each naming the same image.
const char* const kAllSections =
    "[Progress]\nBitmap=s.bmp\n[Personality]\nmenuBar=s.bmp\n[GroupBoxEdge]\nImage=s.bmp\n"
    "[GroupBox]\nImage=s.bmp\n[ToolBars]\nImage=s.bmp\n[Tabs]\nImage=s.bmp\n"
    "[StatusBarEdges]\nImage=s.bmp\n[ComboButton]\nImage=s.bmp\n[SunkEdge]\nImage=s.bmp\n"
    "[ExtraImages]\nImage=s.bmp\n[Headerbar]\nImage=s.bmp\n[MenuItem]\nImage=s.bmp\n"
    "[MenuBackground]\nImage=s.bmp\n[Scrollbar]\nImage=s.bmp\n[HorzScroll]\nImage=s.bmp\n"
    "[VertScroll]\nImage=s.bmp\n[HorzScrollThumb]\nImage=s.bmp\nFrameCount=7\n"
    "[VertScrollThumb]\nImage=s.bmp\n[Trackbar.ThumbHorz]\nImage=s.bmp\n"
    "[Trackbar.ThumbVert]\nImage=s.bmp\n[Trackbar.ThumbLeft]\nImage=s.bmp\n"
    "[Trackbar.ThumbRight]\nImage=s.bmp\n[Trackbar.ThumbUp]\nImage=s.bmp\n"
    "[Trackbar.ThumbDown]\nImage=s.bmp\n[UpDown.Horz]\nImage=s.bmp\n[UpDown.Vert]\nImage=s.bmp\n"
    "[TitlebarSkin]\nSkinName=Calm\n";

class SkinElementsLoad : public SkinFixture {};

TEST_F(SkinElementsLoad, EveryElementGetsTheCellCountOfTheTable) {
  AddBitmap("s.bmp", Strip(1, 46, 23));
  Load(kAllSections);
  const TSkinElements& e = elements_;
  const std::pair<const TDataSkinObject*, int> expected[] = {
      {e.Progress.get(), 2},       {e.MenuBar.get(), 2},         {e.GroupBoxEdge.get(), 2},
      {e.GroupBox.get(), 1},       {e.Toolbars.get(), 5},        {e.Tabs.get(), 5},
      {e.StatusBarEdges.get(), 3}, {e.ComboButton.get(), 4},     {e.SunkEdge.get(), 4},
      {e.ExtraImages.get(), 5},    {e.Headerbar.get(), 5},       {e.MenuItem.get(), 5},
      {e.MenuBackground.get(), 1}, {e.Scrollbar.get(), 23},      {e.HorzScroll.get(), 4},
      {e.VertScroll.get(), 4},     {e.HorzScrollThumb.get(), 7}, {e.VertScrollThumb.get(), 3},
      {e.UpDownHorz.get(), 8},     {e.UpDownVert.get(), 8},      {&e.Buttons, 5},
      {&e.Title, 2},               {&e.Top, 1},
  };
  for (const auto& [element, frames] : expected) {
    ASSERT_NE(element, nullptr) << "element with " << frames << " cells is missing";
    EXPECT_EQ(element->FrameCount, frames) << element->Name;
  }
  for (int i = 0; i < kTrackbarThumbCount; ++i) {
    const TDataSkinObject* thumb = e.TrackbarThumbElement(TrackbarThumb(i));
    ASSERT_NE(thumb, nullptr);
    EXPECT_EQ(thumb->Name, kTrackbarThumbSections[std::size_t(i)]);
    EXPECT_EQ(thumb->FrameCount, 5);
  }
  EXPECT_EQ(e.Toolbars->Name, "Toolbars") << "named after the element, whatever the case";
  EXPECT_EQ(e.SkinName, "Calm");
  EXPECT_EQ(problems_, std::vector<std::string>{});
}

// The report names every image key whose image stays empty, and why; listening to it changes
// nothing the programs see.
TEST_F(SkinElementsLoad, ReportNamesEachUnusableImageAndLeavesTheElementsAsTheyLoad) {
  AddBitmap("s.bmp", Strip(1, 46, 23));
  AddMember("cut.bmp", [] {
    std::vector<std::uint8_t> b = testing::EncodeBmp24(Strip(1, 4, 4));
    b.resize(b.size() - 20);
    return b;
  }());
  const std::string ini = "[Personality]\nTop=s.bmp\nBottom=gone.bmp\nTextBack=title.png\n"
                          "[Buttons]\nBitmap=cut.bmp\nCheckButton=S.bmp\n[Toolbars]\nImage=cut.bmp\n";
  Load(ini);
  EXPECT_EQ(problems_, (std::vector<std::string>{
                           "[Personality] Bottom=gone.bmp: no member \"gone.bmp\" in the package",
                           "[Buttons] Bitmap=cut.bmp: member \"cut.bmp\" does not decode: pixel "
                           "rows truncated",
                           "[Personality] TextBack=title.png: \"title.png\" does not name a .bmp "
                           "member",
                           "[Toolbars] Image=cut.bmp: member \"cut.bmp\" does not decode: pixel "
                           "rows truncated",
                       }));
  EXPECT_EQ(elements_.Buttons.CheckBitmap, Strip(1, 46, 23)) << "a member decoded once serves twice";

  TSkinElements quiet;
  LoadSkinElements(*package_, ini_, quiet);
  for (auto [heard, unheard] : {std::pair{&elements_.Top, &quiet.Top},
                                {&elements_.Bottom, &quiet.Bottom}}) {
    EXPECT_EQ(heard->Bitmap, unheard->Bitmap) << heard->Name;
  }
  EXPECT_EQ(elements_.Buttons.CheckBitmap, quiet.Buttons.CheckBitmap);
  EXPECT_TRUE(quiet.Buttons.Bitmap.Empty());
  ASSERT_TRUE(elements_.Toolbars && quiet.Toolbars);
  EXPECT_TRUE(quiet.Toolbars->Bitmap.Empty());
}

// A member named again and again is decoded once, and each image still takes its pixels from
// the load's budget; one that cannot fit what is left is refused from its headers.
TEST_F(SkinElementsLoad, RepeatedMembersDecodeOnceAndStillSpendTheBudget) {
  testing::BmpSpec big;
  big.width = 4096;
  big.height = 4096;
  big.bitCount = 8;
  big.compression = 1;
  big.palette = {0, 0xFF0000};
  big.pixels = {0, 1}; // all black: the end of the bitmap straight away
  AddMember("big.bmp", testing::BuildBmp(big));
  Load("[Buttons]\nBitmap=big.bmp\nCheckButton=big.bmp\nRadioButton=big.bmp\n");
  EXPECT_EQ(elements_.Buttons.Bitmap.Width(), 4096);
  EXPECT_EQ(elements_.Buttons.CheckBitmap.Width(), 4096);
  EXPECT_TRUE(elements_.Buttons.RadioBitmap.Empty()) << "two of them spend the whole budget";
  EXPECT_EQ(problems_, std::vector<std::string>{
                           "[Buttons] RadioButton=big.bmp: member \"big.bmp\": beyond the pixels "
                           "left for this skin (0)"});
}

TEST_F(SkinElementsLoad, ALaterSkinWithoutAnElementLeavesItsSlotEmpty) {
  AddBitmap("s.bmp", Strip(1, 46, 23));
  Load(kAllSections);
  ASSERT_TRUE(elements_.Scrollbar);
  Load("[Personality]\nTop=s.bmp\n");
  EXPECT_FALSE(elements_.Scrollbar);
  EXPECT_FALSE(elements_.ComboButton);
  EXPECT_FALSE(elements_.TrackbarThumbs[0]);
  EXPECT_EQ(elements_.SkinName, "");
  EXPECT_FALSE(elements_.Top.Bitmap.Empty());
  EXPECT_TRUE(elements_.Left.Bitmap.Empty());
}

std::vector<std::uint8_t> SkinFile(const std::string& ini, std::int32_t version) {
  std::vector<std::uint8_t> package = BuildPackage(
      {{"Top.bmp", testing::EncodeBmp24(Strip(2, 5, 4))},
       {"Default.INI", std::vector<std::uint8_t>(ini.begin(), ini.end())}});
  for (int k = 0; k < 4; ++k) package[std::size_t(k)] = std::uint8_t(version >> (8 * k));
  return LzhCompress(package);
}

TEST(LoadSkinFile, ExpandsThePackageFindsTheDescriptionAndLoadsEveryElement) {
  TSkinElements elements;
  const std::string ini = "[Personality]\nTop=top.bmp\nTopFrame=2\n[Colours]\nButtonText=1 2 3\n"
                          "[Toolbars]\nImage=x.bmp\n";
  ASSERT_EQ(LoadSkinFile(SkinFile(ini, 20000), elements), SkinLoadResult::Loaded);
  EXPECT_EQ(elements.Top.Bitmap, Strip(2, 5, 4));
  EXPECT_EQ(elements.Top.FrameCount, 2);
  ASSERT_TRUE(elements.Toolbars);
  EXPECT_EQ(elements.Toolbars->NormalColour2, RgbColour(1, 2, 3));
  EXPECT_EQ(elements.CaptionButtons.size(), 3u);

  // A failed load leaves every element as it was; only a wrong version is told to the user.
  std::vector<std::string> shown;
  SkinLoadOptions options;
  options.ShowMessage = [&shown](std::string_view text) { shown.emplace_back(text); };
  EXPECT_EQ(LoadSkinFile(SkinFile("", 20001), elements, options), SkinLoadResult::WrongVersion);
  EXPECT_EQ(shown, std::vector<std::string>{std::string(TSkinReader::kOlderSkinMessage)});
  EXPECT_EQ(LoadSkinFile(SkinFile("", 19999), elements), SkinLoadResult::WrongVersion);
  const std::vector<std::uint8_t> garbage = {1, 2, 3};
  EXPECT_EQ(LoadSkinFile(garbage, elements), SkinLoadResult::Damaged);
  EXPECT_EQ(elements.Top.Bitmap, Strip(2, 5, 4));
  EXPECT_TRUE(elements.Toolbars);
}

TEST(LoadSkinFile, ReportsAPackageThatDoesNotOpenAndADescriptionItCannotRead) {
  std::vector<std::string> heard;
  SkinLoadOptions options;
  options.Report = [&heard](const SkinLoadProblem& p) { heard.push_back(p.Where + ": " + p.What); };
  TSkinElements elements;
  LoadSkinFile(SkinFile("", 19999), elements, options);
  const std::vector<std::uint8_t> garbage = {1, 2, 3};
  LoadSkinFile(garbage, elements, options);
  ASSERT_EQ(heard.size(), 2u);
  EXPECT_EQ(heard[0], "package: " + std::string(TSkinReader::kOlderSkinMessage) +
                          " (version 19999 instead of 20000)");
  EXPECT_EQ(heard[1], "package: damaged: no size field");

  // A description beyond the cap is not read: the skin loads with none.
  heard.clear();
  std::string longIni = "[Toolbars]\nImage=x.bmp\n";
  longIni.resize(kMaxDescriptionSize + 1, ';');
  ASSERT_EQ(LoadSkinFile(SkinFile(longIni, 20000), elements, options), SkinLoadResult::Loaded);
  EXPECT_FALSE(elements.Toolbars);
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0], "default.ini: 1048577 bytes, more than the 1048576 a description may hold");
}

} // namespace
} // namespace vela::skin
