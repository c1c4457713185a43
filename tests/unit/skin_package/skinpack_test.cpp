// The skin packer driven as its command line would drive it, on files in a scratch folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "skin/data/skin_reader.h"
#include "tools/skinpack/file_io.h"
#include "tools/skinpack/skinpack_commands.h"

namespace vela::tools {
namespace {

namespace fs = std::filesystem;

class SkinpackTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("skinpack_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "skin");
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path Put(const fs::path& relative, const std::string& content) {
    const fs::path p = dir_ / relative;
    std::ofstream(p, std::ios::binary) << content;
    return p;
  }
  std::string Get(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  int Run(const std::vector<std::string>& args) {
    out_.str("");
    err_.str("");
    return RunSkinpack(args, out_, err_);
  }
  std::string P(const fs::path& relative) { return (dir_ / relative).string(); }

  fs::path dir_;
  std::ostringstream out_, err_;
};

TEST_F(SkinpackTest, BuildsAReproduciblePackageOfTheBitmapsAndTheIni) {
  Put("skin/Skin.INI", "[Colours]\r\nButtonFace=1 2 3\r\n");
  Put("skin/frametop.bmp", std::string(3000, 'T'));
  Put("skin/Close Button.BMP", "close");
  Put("skin/notes.txt", "not packed");
  ASSERT_EQ(Run({"build", P("skin"), P("a.skn")}), kSkinpackOk) << err_.str();
  ASSERT_EQ(Run({"build", P("skin"), P("b.skn")}), kSkinpackOk);
  EXPECT_EQ(Get(dir_ / "a.skn"), Get(dir_ / "b.skn"));

  ASSERT_EQ(Run({"list", P("a.skn")}), kSkinpackOk) << err_.str();
  EXPECT_EQ(out_.str(), "         5  close button.bmp\n"
                        "      3000  frametop.bmp\n"
                        "        29  skin.ini\n"
                        "3 members, 3034 bytes\n");

  ASSERT_EQ(Run({"extract", P("a.skn"), "FRAMETOP.bmp", P("top.bmp")}), kSkinpackOk);
  EXPECT_EQ(Get(dir_ / "top.bmp"), std::string(3000, 'T'));
}

TEST_F(SkinpackTest, CompressAndExpandRoundTripAnyFile) {
  std::string data;
  for (int i = 0; i < 20000; ++i)
    data += char(i * 7 % 251);
  Put("data.bin", data);
  ASSERT_EQ(Run({"compress", P("data.bin"), P("data.lzh")}), kSkinpackOk);
  EXPECT_LT(fs::file_size(dir_ / "data.lzh"), data.size());
  ASSERT_EQ(Run({"expand", P("data.lzh"), P("back.bin")}), kSkinpackOk);
  EXPECT_EQ(Get(dir_ / "back.bin"), data);
}

TEST_F(SkinpackTest, RefusesFoldersWithoutExactlyOneIni) {
  Put("skin/a.bmp", "a");
  EXPECT_EQ(Run({"build", P("skin"), P("x.skn")}), kSkinpackFailed);
  EXPECT_NE(err_.str().find("no .ini file"), std::string::npos);
  Put("skin/one.ini", "[A]");
  Put("skin/two.ini", "[B]");
  EXPECT_EQ(Run({"build", P("skin"), P("x.skn")}), kSkinpackFailed);
  EXPECT_NE(err_.str().find("more than one .ini file"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir_ / "x.skn"));
}

TEST_F(SkinpackTest, ReportsBadFilesAndMissingMembersWithAFailureStatus) {
  Put("skin/s.ini", "[A]");
  ASSERT_EQ(Run({"build", P("skin"), P("s.skn")}), kSkinpackOk);
  EXPECT_EQ(Run({"extract", P("s.skn"), "absent.bmp", P("out")}), kSkinpackFailed);
  EXPECT_NE(err_.str().find("no member named 'absent.bmp'"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir_ / "out"));

  EXPECT_EQ(Run({"list", P("missing.skn")}), kSkinpackFailed);
  EXPECT_NE(err_.str().find("cannot open"), std::string::npos);
  Put("short.skn", "ab");
  EXPECT_EQ(Run({"list", P("short.skn")}), kSkinpackFailed);
  EXPECT_NE(err_.str().find("no size field"), std::string::npos);
  // A stream that claims more than any skin may hold is refused before expanding.
  Put("huge.skn", std::string("\xFF\xFF\xFF\x7F", 4) + "xyz");
  EXPECT_EQ(Run({"list", P("huge.skn")}), kSkinpackFailed);
  EXPECT_NE(err_.str().find("beyond the limit"), std::string::npos);
  // A compressed file that is not a package of the right version.
  Put("plain.txt", "hello hello hello hello");
  ASSERT_EQ(Run({"compress", P("plain.txt"), P("plain.lzh")}), kSkinpackOk);
  EXPECT_EQ(Run({"list", P("plain.lzh")}), kSkinpackFailed);
  EXPECT_NE(err_.str().find("version 20000"), std::string::npos);
}

TEST_F(SkinpackTest, CommandLineMistakesAreOneLineUsageErrors) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {}, {"frobnicate"}, {"list"}, {"extract", "a", "b"}}) {
    EXPECT_EQ(Run(args), kSkinpackUsage);
    const std::string said = err_.str();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("(try skinpack --help)"), std::string::npos) << said;
  }
  EXPECT_EQ(Run({"--help"}), kSkinpackOk);
  EXPECT_NE(out_.str().find("build DIR OUT.skn"), std::string::npos);
}

} // namespace
} // namespace vela::tools
