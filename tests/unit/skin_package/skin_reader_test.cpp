// The package reader: names, lookups, versions and packages that lie about their structure.
#include <gtest/gtest.h>

#include "skin/data/lzh_encoder.h"
#include "skin/data/package_writer.h"
#include "skin/data/skin_reader.h"
#include "tests/unit/skin_package/lzh_streams.h"

namespace vela::skin {
namespace {

void PutInt32(std::vector<std::uint8_t>& v, std::size_t at, std::int32_t value) {
  for (int i = 0; i < 4; ++i)
    v[at + std::size_t(i)] = std::uint8_t(std::uint32_t(value) >> (8 * i));
}

// A package laid out by hand: the name text as given, then the sizes, then the member bytes.
std::vector<std::uint8_t> RawPackage(std::int32_t version, const std::string& names,
                                     const std::vector<std::int32_t>& sizes,
                                     const std::string& members) {
  std::vector<std::uint8_t> p(16, 0xAB); // the reserved bytes are never read
  PutInt32(p, 0, version);
  PutInt32(p, 4, std::int32_t(names.size()));
  p.insert(p.end(), names.begin(), names.end());
  for (std::int32_t s : sizes) {
    p.resize(p.size() + 4);
    PutInt32(p, p.size() - 4, s);
  }
  p.insert(p.end(), members.begin(), members.end());
  return p;
}

std::string Text(const MemoryStream& s) {
  return std::string(s.Bytes().begin(), s.Bytes().end());
}

class SkinReaderTest : public ::testing::Test {
protected:
  bool Load(const std::vector<std::uint8_t>& package) {
    MemoryStream source(LzhCompress(package));
    return reader.LoadPackage(source);
  }

  TSkinReader reader;
  std::vector<std::string> messages;
  void SetUp() override {
    reader.ShowMessage = [this](std::string_view m) { messages.emplace_back(m); };
  }
};

TEST_F(SkinReaderTest, ServesMembersByNameIgnoringAsciiCase) {
  ASSERT_TRUE(Load(BuildPackage({{"FrameTop.bmp", test::Bytes("TOP")},
                                 {"closebutton.bmp", test::Bytes("CLOSE!")},
                                 {"My Skin.INI", test::Bytes("[Colours]\r\n")}})));
  EXPECT_EQ(reader.Status(), PackageStatus::Loaded);
  EXPECT_EQ(reader.MemberNames(),
            (std::vector<std::string>{"frametop.bmp", "closebutton.bmp", "my skin.ini"}));
  EXPECT_EQ(reader.MemberSize(1), 6);

  MemoryStream member;
  member.Write(test::Bytes("left over"));
  EXPECT_TRUE(reader.ExtractMember("FrameTop.BMP", member));
  EXPECT_EQ(Text(member), "TOP");
  EXPECT_EQ(member.Position(), 0u);
  EXPECT_TRUE(reader.ExtractMember("CLOSEBUTTON.bmp", member));
  EXPECT_EQ(Text(member), "CLOSE!");
  // Only whole names match.
  EXPECT_FALSE(reader.ExtractMember("frametop", member));
  EXPECT_EQ(member.Size(), 0u);

  std::string name = "unchanged";
  EXPECT_TRUE(reader.ExtractFirstMatching(".ini", member, name));
  EXPECT_EQ(name, "my skin.ini");
  EXPECT_EQ(Text(member), "[Colours]\r\n");
  // The fragment is searched as given in the lower-cased names.
  name = "unchanged";
  EXPECT_FALSE(reader.ExtractFirstMatching(".INI", member, name));
  EXPECT_EQ(name, "unchanged");
  EXPECT_EQ(member.Size(), 0u);
  EXPECT_TRUE(reader.ExtractFirstMatching("button", member, name));
  EXPECT_EQ(name, "closebutton.bmp");
  EXPECT_TRUE(messages.empty());
}

TEST_F(SkinReaderTest, OtherVersionsShowTheOlderSkinMessageAndServeNothing) {
  for (const std::int32_t version : {19999, 20001, 0}) {
    messages.clear();
    EXPECT_FALSE(Load(RawPackage(version, "a.bmp\r\n", {1}, "x"))) << version;
    EXPECT_EQ(reader.Status(), PackageStatus::WrongVersion);
    EXPECT_EQ(reader.MemberCount(), 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "This is Older Skin File\rPlease update to new version !");
  }
}

TEST_F(SkinReaderTest, SplitsNameLinesAsAStringList) {
  // No break after the last name: it is still a member.
  ASSERT_TRUE(Load(RawPackage(20000, "a.bmp\r\nb.bmp", {1, 2}, "xyz")));
  EXPECT_EQ(reader.MemberNames(), (std::vector<std::string>{"a.bmp", "b.bmp"}));
  // CR LF at the end adds nothing; CR and LF alone also end lines; an empty line between two
  // breaks is a member with an empty name, whose size still counts.
  ASSERT_TRUE(Load(RawPackage(20000, "a\rb\n\r\nc\r\n", {1, 1, 2, 3}, "ABCCDDD")));
  EXPECT_EQ(reader.MemberNames(), (std::vector<std::string>{"a", "b", "", "c"}));
  MemoryStream member;
  EXPECT_TRUE(reader.ExtractMember("c", member));
  EXPECT_EQ(Text(member), "DDD");
  // A zero byte ends the list.
  ASSERT_TRUE(Load(RawPackage(20000, std::string("a\r\nb\0c\r\n", 8), {1, 1}, "AB")));
  EXPECT_EQ(reader.MemberNames(), (std::vector<std::string>{"a", "b"}));
}

TEST_F(SkinReaderTest, MembersBeyondTheMemberAreaYieldNothing) {
  // The sizes add up to more than the bytes present: earlier members are served, the one that
  // runs past the end is not.
  ASSERT_TRUE(Load(RawPackage(20000, "a\r\nb\r\nc\r\n", {2, 3, 1000}, "AABBBCC")));
  MemoryStream member;
  EXPECT_TRUE(reader.ExtractMember("b", member));
  EXPECT_EQ(Text(member), "BBB");
  EXPECT_FALSE(reader.ExtractMember("c", member));
  EXPECT_EQ(member.Size(), 0u);
  EXPECT_FALSE(reader.MemberReadable(2));
  // Sizes near the 32-bit limit do not wrap around into the area.
  ASSERT_TRUE(Load(RawPackage(20000, "a\r\nb\r\n", {0x7FFFFFFF, 1}, "AB")));
  EXPECT_FALSE(reader.ExtractMember("a", member));
  EXPECT_FALSE(reader.ExtractMember("b", member));
}

TEST_F(SkinReaderTest, PackagesThatBreakTheirStructureLoadWithNoMembers) {
  std::string names1002;
  for (int i = 0; i < 1002; ++i)
    names1002 += "m" + std::to_string(i) + "\r\n";
  std::string names1001;
  for (int i = 0; i < 1001; ++i)
    names1001 += "m" + std::to_string(i) + "\r\n";
  const std::vector<std::vector<std::uint8_t>> broken = {
      RawPackage(20000, names1002, std::vector<std::int32_t>(1002, 0), ""),
      RawPackage(20000, "a\r\nb\r\n", {1, -1}, "AB"),
      [] {
        auto p = RawPackage(20000, "a\r\n", {1}, "A");
        PutInt32(p, 4, -3); // negative name length
        return p;
      }(),
      [] {
        auto p = RawPackage(20000, "a\r\n", {1}, "A");
        PutInt32(p, 4, 1000); // name text longer than the package
        return p;
      }(),
      RawPackage(20000, "a\r\nb\r\nc\r\n", {1}, ""),     // sizes missing
      std::vector<std::uint8_t>{0x20, 0x4E, 0, 0, 0, 0}, // header cut short
      {},
  };
  for (std::size_t i = 0; i < broken.size(); ++i) {
    EXPECT_FALSE(Load(broken[i])) << i;
    EXPECT_EQ(reader.Status(), PackageStatus::Damaged) << i;
    EXPECT_EQ(reader.MemberCount(), 0) << i;
    EXPECT_FALSE(reader.Problem().empty()) << i;
  }
  EXPECT_TRUE(messages.empty());
  // Exactly 1001 names is still a package.
  EXPECT_TRUE(Load(RawPackage(20000, names1001, std::vector<std::int32_t>(1001, 0), "")));
  EXPECT_EQ(reader.MemberCount(), 1001);
}

TEST_F(SkinReaderTest, RefusesAnExpandedSizeBeyondTheCapWithoutExpanding) {
  // Claims 2 GiB - 1 expanded bytes; a well-behaved reader neither allocates nor decodes them.
  MemoryStream source(std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0x7F, 0x12, 0x34});
  EXPECT_FALSE(reader.LoadPackage(source));
  EXPECT_EQ(reader.Status(), PackageStatus::Damaged);
  // A stream whose size field is missing.
  MemoryStream empty;
  EXPECT_FALSE(reader.LoadPackage(empty));
  EXPECT_EQ(reader.Status(), PackageStatus::Damaged);
}

TEST(PackageWriter, RefusesMembersTheReaderCouldNotServe) {
  EXPECT_THROW(BuildPackage({{"a\r\nb", {}}}), std::invalid_argument);
  EXPECT_THROW(BuildPackage({{"", {}}}), std::invalid_argument);
  EXPECT_THROW(BuildPackage({{"Frame.bmp", {}}, {"frame.BMP", {}}}), std::invalid_argument);
  std::vector<PackageMember> many(1002);
  for (std::size_t i = 0; i < many.size(); ++i)
    many[i].name = std::to_string(i);
  EXPECT_THROW(BuildPackage(many), std::invalid_argument);
  many.pop_back();
  EXPECT_NO_THROW(BuildPackage(many));
}

} // namespace
} // namespace vela::skin
