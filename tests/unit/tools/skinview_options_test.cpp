// skinview's command line and its list of pages.
#include "tools/skinview/page_registry.h"
#include "tools/skinview/skinview_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vela::skinview {

// The host is only named by the registry; the tests never fill a page.
class TPageHost {};

namespace {

const std::vector<std::string> kPages = {"Menus", "Window"};

struct ParseCase {
  std::vector<std::string> words;
  bool ok;
  std::string skin, page, shot;
};

class SkinViewOptions : public ::testing::TestWithParam<ParseCase> {};

TEST_P(SkinViewOptions, ReadsTheCommandLine) {
  const ParseCase& c = GetParam();
  Options options;
  std::string error;
  ASSERT_EQ(ParseOptions(c.words, kPages, options, error), c.ok) << error;
  if (!c.ok) {
    EXPECT_FALSE(error.empty());
    return;
  }
  EXPECT_EQ(options.skinFile, c.skin);
  EXPECT_EQ(options.page, c.page);
  EXPECT_EQ(options.shotFile, c.shot);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SkinViewOptions,
    ::testing::Values(ParseCase{{}, true, "", "", ""},
                      ParseCase{{"my.skn"}, true, "my.skn", "", ""},
                      ParseCase{{"my.skn", "--page", "window", "--shot", "out.bmp"},
                                true,
                                "my.skn",
                                "Window",
                                "out.bmp"},
                      ParseCase{{"--shot=a.bmp", "--page=MENUS"}, true, "", "Menus", "a.bmp"},
                      ParseCase{{"a.skn", "b.skn"}, false, "", "", ""},
                      ParseCase{{"--page", "Buttons"}, false, "", "", ""},
                      ParseCase{{"--page"}, false, "", "", ""},
                      ParseCase{{"--shot="}, false, "", "", ""},
                      ParseCase{{"--colour", "red"}, false, "", "", ""}));

TEST(SkinViewOptionsErrors, UnknownPageNamesThePagesThereAre) {
  Options options;
  std::string error;
  ASSERT_FALSE(ParseOptions({"--page", "Tabs"}, kPages, options, error));
  EXPECT_NE(error.find("Tabs"), std::string::npos);
  EXPECT_NE(error.find("Menus, Window"), std::string::npos);
}

TEST(SkinViewHelp, NamesThePagesAndEveryExitCode) {
  const std::string help = HelpText(kPages);
  EXPECT_NE(help.find("Menus, Window"), std::string::npos);
  for (int code : {kExitShown, kExitShotFailed, kExitUsage, kExitSkinUnreadable, kExitNotSkinned})
    EXPECT_NE(help.find("  " + std::to_string(code) + "  "), std::string::npos) << code;
}

TEST(SkinViewPages, ShowInRankOrderThenByNameAndRefuseTakenNames) {
  PageRegistry pages;
  int filled = 0;
  auto fill = [&filled](TPageHost&) { ++filled; };
  EXPECT_TRUE(pages.Add({"Window", 20, fill}));
  EXPECT_TRUE(pages.Add({"Menus", 10, fill}));
  EXPECT_TRUE(pages.Add({"Buttons", 20, fill}));
  EXPECT_FALSE(pages.Add({"menus", 30, fill})) << "a name differing only in case";
  EXPECT_FALSE(pages.Add({"", 5, fill}));
  EXPECT_EQ(pages.Names(), (std::vector<std::string>{"Menus", "Buttons", "Window"}));
  const PageEntry* found = pages.Find("WINDOW");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->name, "Window");
  TPageHost host;
  found->fill(host);
  EXPECT_EQ(filled, 1);
  EXPECT_EQ(pages.Find("Tabs"), nullptr);
}

} // namespace
} // namespace vela::skinview
