#include "skin/data/colours.h"

#include <gtest/gtest.h>

#include "skin/data/quick_ini.h"

namespace vela::skin {
namespace {

constexpr ColourCode kFallback = 0x00ABCDEF;

TEST(ParseColour, ReadsThreeNumbersSeparatedByAnythingNotADigit) {
  EXPECT_EQ(ParseColour("59 97 131", kFallback), RgbColour(59, 97, 131));
  EXPECT_EQ(ParseColour("59 97 131", kFallback), 0x83613B);
  EXPECT_EQ(ParseColour("59,97,131", kFallback), RgbColour(59, 97, 131));
  EXPECT_EQ(ParseColour("  (1;2;3)  ", kFallback), RgbColour(1, 2, 3));
  EXPECT_EQ(ParseColour("-5 6 7", kFallback), RgbColour(5, 6, 7)) << "a sign is a separator";
}

TEST(ParseColour, IncompleteOversizedAndEmptyTexts) {
  EXPECT_EQ(ParseColour("", kFallback), kFallback);
  EXPECT_EQ(ParseColour("10 20", kFallback), RgbColour(10, 0, 0))
      << "a number open at the end counts only after two others";
  EXPECT_EQ(ParseColour("10 20 ", kFallback), RgbColour(10, 0, 0)) << "trimmed first";
  EXPECT_EQ(ParseColour("10 20,", kFallback), RgbColour(10, 20, 0));
  EXPECT_EQ(ParseColour("no digits", kFallback), 0);
  EXPECT_EQ(ParseColour("300 256 511", kFallback), RgbColour(44, 0, 255));
  EXPECT_EQ(ParseColour("1 2 3 4", kFallback), RgbColour(1, 2, 3));
  EXPECT_EQ(ParseColour("99999999999 0 0", kFallback), RgbColour(255, 0, 0))
      << "long numbers are taken modulo 256 like short ones";
}

TEST(SkinColours, GivenKeysAreParsedAndAbsentOnesFallBackToSystemColours) {
  TQuickIni ini;
  ini.LoadFromText("[Colours]\nButtonFace=213 222 242\nbuttontext = 1 2 3\nMenuText=\n"
                   "[Customcolors]\nColor3=9 8 7\n");
  const TSkinColours c = LoadSkinColours(ini);
  EXPECT_EQ(c.ButtonFace, RgbColour(213, 222, 242));
  EXPECT_EQ(c.ButtonText, RgbColour(1, 2, 3));
  EXPECT_EQ(c.Menubar, RgbColour(213, 222, 242)) << "the menu bar follows the button face";
  EXPECT_EQ(c.MenuText, SystemColour(7));
  EXPECT_EQ(c.WindowText, SystemColour(8));
  EXPECT_EQ(c.Buttonlight, SystemColour(20));
  EXPECT_EQ(c.ButtonDkShadow, SystemColour(21));
  EXPECT_EQ(c.TitleTextNoActive, SystemColour(19));
  EXPECT_EQ(std::uint32_t(SystemColour(15)), 0xFF00000Fu);

  const TCustomColours custom = LoadCustomColours(ini);
  for (int i = 0; i < kCustomColourCount; ++i)
    EXPECT_EQ(custom[std::size_t(i)], i == 3 ? RgbColour(9, 8, 7) : 0xFFFFFF) << i;

  TQuickIni none;
  none.LoadFromText("");
  EXPECT_EQ(LoadSkinColours(none).Menubar, SystemColour(15));
}

} // namespace
} // namespace vela::skin
