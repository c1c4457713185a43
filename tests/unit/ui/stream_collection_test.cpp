// Memory streams and collections.
#include "tests/unit/ui/test_classes.h"
#include "ui/core/stream.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace vela::ui::test {
namespace {

TEST(MemoryStreams, ReadsStopAtTheEndAndExactReadsFailThere) {
  TMemoryStream s;
  s.WriteInt32(-2);
  s.WriteInt32(0x01020304);
  EXPECT_EQ(s.Size(), 8);
  EXPECT_EQ(s.Memory()[4], 0x04); // little-endian
  s.SetPosition(0);
  EXPECT_EQ(s.ReadInt32(), -2);
  std::uint8_t buffer[8];
  EXPECT_EQ(s.Read(buffer, 8), 4u);
  EXPECT_EQ(s.Read(buffer, 8), 0u);
  s.SetPosition(6);
  EXPECT_THROW(s.ReadInt32(), EStreamError);
  // Writing past the end grows the stream; seeking before the start stops at 0.
  s.Seek(10, TSeekOrigin::Beginning);
  s.WriteBuffer("\x7F", 1);
  EXPECT_EQ(s.Size(), 11);
  EXPECT_EQ(s.Memory()[9], 0);
  EXPECT_EQ(s.Seek(-100, TSeekOrigin::Current), 0);
}

TEST(MemoryStreams, FilesRoundTripAndMissingFilesNameThemselves) {
  auto path = std::filesystem::temp_directory_path() / "vela_ui_stream_test.bin";
  std::wstring wide = path.wstring();
  TMemoryStream out;
  for (int i = 0; i < 3000; ++i) out.WriteBuffer(&i, 1);
  out.SaveToFile(wide);
  TMemoryStream in;
  in.LoadFromFile(wide);
  EXPECT_EQ(in.Bytes(), out.Bytes());
  std::filesystem::remove(path);
  try {
    in.LoadFromFile(wide);
    FAIL() << "a missing file loaded";
  } catch (const EStreamError& e) {
    EXPECT_NE(e.Message().find(L"vela_ui_stream_test.bin"), std::wstring::npos);
  }
  EXPECT_EQ(in.Size(), 3000); // a failed load keeps what was there
}

TEST(MemoryStreams, CopyFromTakesACountOrTheWholeSource) {
  TMemoryStream source(std::vector<std::uint8_t>{1, 2, 3, 4, 5});
  source.SetPosition(3);
  TMemoryStream target;
  EXPECT_EQ(target.CopyFrom(source, 2), 2);
  EXPECT_EQ(target.Bytes(), (std::vector<std::uint8_t>{4, 5}));
  EXPECT_EQ(target.CopyFrom(source, 0), 5);
  EXPECT_EQ(target.Size(), 7);
  source.SetPosition(4);
  EXPECT_THROW(target.CopyFrom(source, 3), EStreamError);
}

TEST(Collections, AssignCopiesItemsAndUpdatesAreBatched) {
  TParts parts;
  int updates = 0;
  parts.OnUpdate = [&](TCollectionItem*) { ++updates; };
  parts.BeginUpdate();
  parts.Add()->SetSize(25);
  parts.Add()->SetSize(180);
  parts.EndUpdate();
  EXPECT_EQ(updates, 1);
  EXPECT_EQ(parts.Items(1)->Index(), 1);
  TParts copy;
  copy.Assign(&parts);
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(copy.Items(1)->Size(), 180);
  EXPECT_NE(copy.Items(1), parts.Items(1));
  parts.Delete(0);
  EXPECT_EQ(parts.Items(0)->Size(), 180);
  EXPECT_THROW(parts.Delete(5), EInvalidOperation);
}

} // namespace
} // namespace vela::ui::test
