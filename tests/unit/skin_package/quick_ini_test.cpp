// The INI reader: lines, sections, keys, values and integers as skins write them.
#include <gtest/gtest.h>

#include "skin/data/quick_ini.h"

namespace vela::skin {
namespace {

TQuickIni Ini(std::string_view text) {
  TQuickIni ini;
  ini.LoadFromText(text);
  return ini;
}

TEST(QuickIni, FindsKeysInTheirSectionIgnoringCase) {
  const TQuickIni ini = Ini("; a skin\r\n"
                            "[Colours]\r\n"
                            "ButtonFace=213 222 242\r\n"
                            "  Hint  =  a; b  \r\n"
                            "hint=second\r\n"
                            "Empty=\r\n"
                            "   ;Commented=1\r\n"
                            "[Personality]\r\n"
                            "Only=here\r\n");
  EXPECT_EQ(ini.ReadString("colours", "buttonface", "none"), "213 222 242");
  EXPECT_EQ(ini.ReadString("COLOURS", "BUTTONFACE", "none"), "213 222 242");
  // Blanks around "=" go; a semicolon inside a value stays; the first occurrence decides.
  EXPECT_EQ(ini.ReadString("Colours", "hint", "none"), "a; b");
  // An empty value and a commented key both read as the default.
  EXPECT_EQ(ini.ReadString("Colours", "Empty", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadString("Colours", "Commented", "dflt"), "dflt");
  // A key of a later section is not found in an earlier one, nor a missing section at all.
  EXPECT_EQ(ini.ReadString("Colours", "Only", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadString("Personality", "Only", "dflt"), "here");
  EXPECT_EQ(ini.ReadString("Nowhere", "Only", "dflt"), "dflt");
}

TEST(QuickIni, ARepeatedSectionHeaderFindsOnlyItsFirstOccurrence) {
  const TQuickIni ini = Ini("[A]\nx=1\n[B]\ny=2\n[A]\nz=3\n");
  EXPECT_EQ(ini.ReadString("A", "x", "-"), "1");
  EXPECT_EQ(ini.ReadString("A", "z", "-"), "-");
  std::vector<std::string> sections = {"stale"};
  ini.ReadSections(sections);
  EXPECT_EQ(sections, (std::vector<std::string>{"A", "B", "A"}));
}

TEST(QuickIni, ReadsIntegersInDecimalAndHexadecimal) {
  const TQuickIni ini = Ini("[Personality]\n"
                            "BackgroundLeftShift=-6\n"
                            "Hex=0x10\n"
                            "HexUpper=0X1f\n"
                            "Dollar=$20\n"
                            "NegativeDollar=-$10\n"
                            "SystemColour=0xFF00000F\n"
                            "Letters=abc\n"
                            "Trailing=12px\n"
                            "Empty=\n"
                            "JustPrefix=0x\n"
                            "Big=2147483648\n"
                            "Smallest=-2147483648\n"
                            "Plus=+7\n");
  auto read = [&](const char* key) { return ini.ReadInteger("personality", key, 99); };
  EXPECT_EQ(read("BackgroundLeftShift"), -6);
  EXPECT_EQ(read("Hex"), 16);
  EXPECT_EQ(read("HexUpper"), 31);
  EXPECT_EQ(read("Dollar"), 32);
  EXPECT_EQ(read("NegativeDollar"), -16);
  // A system colour code fills all 32 bits and reads as the negative number it is.
  EXPECT_EQ(read("SystemColour"), std::int32_t(0xFF00000Fu));
  EXPECT_EQ(read("Letters"), 99);
  EXPECT_EQ(read("Trailing"), 99);
  EXPECT_EQ(read("Empty"), 99);
  EXPECT_EQ(read("JustPrefix"), 99);
  EXPECT_EQ(read("Big"), 99);
  EXPECT_EQ(read("Smallest"), -2147483647 - 1);
  EXPECT_EQ(read("Plus"), 7);
  EXPECT_EQ(read("Missing"), 99);
}

TEST(QuickIni, SplitsLinesAtCrLfAndStopsAtAZeroByte) {
  // Lone CR and lone LF end lines too; a zero byte ends the text.
  const std::string text("[S]\ra=1\nb=2\r\n\r\n[ T ]\r\nc=3\0d=4\r\n", 31);
  const TQuickIni ini = Ini(text);
  EXPECT_EQ(ini.ReadString("S", "a", "-"), "1");
  EXPECT_EQ(ini.ReadString("S", "b", "-"), "2");
  EXPECT_EQ(ini.Lines(), (std::vector<std::string>{"[S]", "a=1", "b=2", "[ T ]", "c=3"}));
  std::vector<std::string> sections;
  ini.ReadSections(sections);
  EXPECT_EQ(sections, (std::vector<std::string>{"S", "T"}));
  // The header keeps its inner blanks for lookups, so "T" alone does not find it.
  EXPECT_EQ(ini.ReadString("T", "c", "-"), "-");
  EXPECT_EQ(ini.ReadString(" T ", "c", "-"), "3");
}

TEST(QuickIni, LoadsFromTheStreamPositionAndReplacesEarlierContent) {
  TQuickIni ini;
  ini.LoadFromText("[Old]\nk=v\n");
  const std::string text = "junk[New]\nk=w\n";
  MemoryStream stream(std::vector<std::uint8_t>(text.begin(), text.end()));
  stream.SetPosition(4);
  ini.LoadFromStream(stream);
  EXPECT_EQ(ini.ReadString("New", "k", "-"), "w");
  EXPECT_EQ(ini.ReadString("Old", "k", "-"), "-");
  // An empty stream leaves nothing to find.
  MemoryStream empty;
  ini.LoadFromStream(empty);
  EXPECT_TRUE(ini.Lines().empty());
  EXPECT_EQ(ini.ReadString("New", "k", "-"), "-");
}

} // namespace
} // namespace vela::skin
