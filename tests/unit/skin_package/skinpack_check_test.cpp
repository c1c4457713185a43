// `skinpack check`: a skin file loaded as the programs load it, every problem on a line of its
// own naming the member, key or package part, and an exit status that says whether there were
// any. What the loader reports about single images is tested with the loader; here, that each
// kind of problem reaches the output.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "skin/data/lzh_encoder.h"
#include "skin/data/package_writer.h"
#include "tests/unit/skin_elements/bmp_builder.h"
#include "tools/skinpack/skinpack_commands.h"

namespace vela::tools {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes GoodBitmap() { return skin::testing::EncodeBmp24(skin::Bitmap(6, 4, 0x336699)); }

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes SkinFile(const std::vector<skin::PackageMember>& members) {
  return skin::LzhCompress(skin::BuildPackage(members));
}

// A good skin with one bitmap and the description naming it.
std::vector<skin::PackageMember> GoodMembers() {
  return {{"b.bmp", GoodBitmap()}, {"skin.ini", Text("[Buttons]\nBitmap=b.bmp\n")}};
}

void PutU32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) b[at + std::size_t(k)] = std::uint8_t(v >> (8 * k));
}

struct CheckCase {
  const char* name;
  Bytes (*file)();
  std::vector<std::string> lines; // each must appear, in this order, as a whole output line
};

const CheckCase kCases[] = {
    {"BitmapBeyondTheRasterCaps",
     [] {
       skin::testing::BmpSpec s;
       s.width = 20000;
       s.height = 1;
       s.bitCount = 8;
       s.compression = 1;
       s.palette = {0};
       s.pixels = {0, 1};
       return SkinFile({{"b.bmp", skin::testing::BuildBmp(s)},
                        {"skin.ini", Text("[Toolbars]\nImage=b.bmp\n")}});
     },
     {"[Toolbars] Image=b.bmp: member \"b.bmp\" does not decode: dimensions beyond the raster "
      "caps"}},
    {"WrongVersion",
     [] {
       Bytes package = skin::BuildPackage(GoodMembers());
       PutU32(package, 0, 19999);
       return skin::LzhCompress(package);
     },
     {"package: This is Older Skin File Please update to new version ! (version 19999 instead of "
      "20000)"}},
    {"NameTableLongerThanThePackage",
     [] {
       Bytes package = skin::BuildPackage(GoodMembers());
       PutU32(package, 4, 0x7FFFFFF0u);
       return skin::LzhCompress(package);
     },
     {"package: damaged: name text length 2147483632 does not fit the package"}},
    {"MillionsOfEmptyMemberNames",
     [] {
       const std::size_t names = 5'000'000;
       Bytes package(16, 0);
       PutU32(package, 0, 20000);
       PutU32(package, 4, std::uint32_t(2 * names));
       for (std::size_t i = 0; i < names; ++i) {
         package.push_back('\r');
         package.push_back('\n');
       }
       return skin::LzhCompress(package);
     },
     {"package: damaged: more than 1001 member names"}},
    {"ExpandedSizeBeyondTheCap",
     [] {
       Bytes file = SkinFile(GoodMembers());
       PutU32(file, 0, 0x7FFFFFFFu);
       return file;
     },
     {"package: damaged: expanded size beyond the limit of 67108864 bytes"}},
    {"NoDescription",
     [] { return SkinFile({{"b.bmp", GoodBitmap()}}); },
     {"package: no readable member whose name contains \".ini\""}},
    {"EveryProblemOnItsOwnLine",
     [] {
       return SkinFile({{"b.bmp", {'B', 'M'}},
                        {"skin.ini", Text("[Buttons]\nBitmap=b.bmp\n[Tabs]\nImage=t.png\n"
                                          "Border=none.bmp\n")}});
     },
     {"[Buttons] Bitmap=b.bmp: member \"b.bmp\" does not decode: not a bitmap file (no \"BM\" "
      "header)",
      "[Tabs] Image=t.png: \"t.png\" does not name a .bmp member",
      "[Tabs] Border=none.bmp: no member \"none.bmp\" in the package", "3 problems"}},
};

class SkinpackCheck : public ::testing::TestWithParam<CheckCase> {
protected:
  void SetUp() override {
    path_ = fs::temp_directory_path() /
            ("skinpack_check_" + std::string(GetParam().name) + ".skn");
  }
  void TearDown() override { fs::remove(path_); }

  int Check(const Bytes& file) {
    std::ofstream(path_, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    out_.str("");
    err_.str("");
    return RunSkinpack({"check", path_.string()}, out_, err_);
  }
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    std::istringstream in(out_.str());
    const std::string prefix = path_.string() + ": ";
    for (std::string line; std::getline(in, line);) {
      EXPECT_EQ(line.rfind(prefix, 0), 0u) << line;
      lines.push_back(line.substr(std::min(prefix.size(), line.size())));
    }
    return lines;
  }

  fs::path path_;
  std::ostringstream out_, err_;
};

TEST_P(SkinpackCheck, ReportsEachProblemAndFails) {
  ASSERT_EQ(Check(GetParam().file()), kSkinpackFailed) << out_.str() << err_.str();
  const std::vector<std::string> lines = Lines();
  auto at = lines.begin();
  for (const std::string& expected : GetParam().lines) {
    at = std::find(at, lines.end(), expected);
    ASSERT_NE(at, lines.end()) << "missing or out of order: " << expected << "\n" << out_.str();
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SkinpackCheck, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

class SkinpackCheckClean : public SkinpackCheck {};

TEST_P(SkinpackCheckClean, AGoodSkinPassesAndMistakesInTheCommandLineAreUsageErrors) {
  ASSERT_EQ(Check(SkinFile(GoodMembers())), kSkinpackOk) << out_.str();
  EXPECT_EQ(Lines(), std::vector<std::string>{"no problems"});
  EXPECT_EQ(RunSkinpack({"check"}, out_, err_), kSkinpackUsage);
  EXPECT_EQ(RunSkinpack({"check", "a", "b"}, out_, err_), kSkinpackUsage);
  EXPECT_EQ(RunSkinpack({"check", (path_.string() + ".absent")}, out_, err_), kSkinpackFailed);
}

INSTANTIATE_TEST_SUITE_P(Good, SkinpackCheckClean, ::testing::Values(CheckCase{"Good", nullptr, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace vela::tools
