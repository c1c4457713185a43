#include "link/transfer.h"

#include <filesystem>
#include <fstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "link/texts.h"
#include "recording_ports.h"

namespace vela::link {
namespace {

using ::testing::ElementsAre;
using testing::PatternImage;
using testing::RecordingPorts;

std::uint16_t FrameBlock(const std::vector<std::uint8_t>& f) {
  return std::uint16_t(f[6] << 8 | f[7]);
}
std::uint16_t FrameLength(const std::vector<std::uint8_t>& f) {
  return std::uint16_t(f[8] << 8 | f[9]);
}

class TransferTest : public ::testing::Test {
protected:
  void LoadAndStart(std::size_t image_size) {
    image = PatternImage(image_size);
    ASSERT_EQ(transfer.image().LoadBytes(image).status, ImageLoadStatus::kLoaded);
    model.AddRow("", {"Dev", "Main", "H", "S"});
    model.SetTicked(0, true);
    ASSERT_EQ(transfer.StartUpgrade(true, model), StartResult::kStarted);
  }
  // One tick of the send timer; returns the frame it sent, if any.
  bool Tick() {
    const std::size_t before = ports.frames.size();
    transfer.OnSendTimerTick();
    return ports.frames.size() > before;
  }

  RecordingPorts ports;
  Transfer transfer{ports};
  VectorListModel model;
  std::vector<std::uint8_t> image;
};

TEST_F(TransferTest, ImageOf1500BytesGoesOutInTwoBlocksAndCompletesOnce) {
  LoadAndStart(1500);
  EXPECT_THAT(ports.commands, ElementsAre("!Select:Main\r\n"));
  EXPECT_THAT(ports.pauses, ElementsAre(2000, 50));
  EXPECT_EQ(ports.progress_max, 1500);
  EXPECT_EQ(ports.progress.back(), 1);
  EXPECT_FALSE(ports.load_enabled);
  EXPECT_FALSE(ports.send_enabled);
  EXPECT_TRUE(ports.timer_running);

  ASSERT_TRUE(Tick());
  EXPECT_FALSE(ports.timer_running);
  EXPECT_FALSE(Tick()); // one frame per arming
  EXPECT_EQ(FrameBlock(ports.frames[0]), 1);
  EXPECT_EQ(FrameLength(ports.frames[0]), 1024);

  transfer.OnAcknowledgement(1);
  EXPECT_THAT(ports.log, ElementsAre("指令序列号:1*发送成功！"));
  EXPECT_EQ(ports.progress.back(), 1024);
  ASSERT_TRUE(Tick());
  EXPECT_EQ(FrameBlock(ports.frames[1]), 2);
  EXPECT_EQ(FrameLength(ports.frames[1]), 476);
  EXPECT_TRUE(std::equal(image.begin() + 1024, image.end(), ports.frames[1].begin() + 10));
  EXPECT_TRUE(ports.messages.empty());

  transfer.OnAcknowledgement(2);
  EXPECT_TRUE(transfer.Completed());
  EXPECT_THAT(ports.log, ElementsAre("指令序列号:1*发送成功！", "板卡程序升级成功！"));
  EXPECT_EQ(ports.progress.back(), 1500);
  EXPECT_THAT(ports.messages, ElementsAre(text::kUpgradeSuccess));
  EXPECT_TRUE(ports.load_enabled);
  EXPECT_TRUE(ports.send_enabled);

  // The last acknowledgement repeated sends nothing and completes nothing again.
  transfer.OnAcknowledgement(2);
  EXPECT_FALSE(Tick());
  EXPECT_EQ(ports.messages.size(), 1u);
  EXPECT_EQ(ports.log.size(), 2u);
  EXPECT_LE(ports.progress.back(), 1500);
}

TEST_F(TransferTest, PauseAfterSelectCanBeSetForOtherDevices) {
  transfer.SetPauseAfterSelect(std::chrono::milliseconds(0));
  LoadAndStart(10);
  EXPECT_THAT(ports.pauses, ElementsAre(0, 50));
}

TEST_F(TransferTest, ImageOf2048BytesCompletesOnTheSecondAcknowledgement) {
  LoadAndStart(2048);
  Tick();
  transfer.OnAcknowledgement(1);
  Tick();
  EXPECT_EQ(FrameLength(ports.frames[1]), 1024);
  EXPECT_FALSE(transfer.Completed());
  transfer.OnAcknowledgement(2);
  EXPECT_TRUE(transfer.Completed());
  EXPECT_FALSE(Tick());
}

TEST_F(TransferTest, LargestImageSends1025BlocksTheLastOfOneByte) {
  LoadAndStart(kImageCapacity);
  for (int block = 1; block <= 1025; ++block) {
    ASSERT_TRUE(Tick()) << block;
    transfer.OnAcknowledgement(block);
  }
  EXPECT_TRUE(transfer.Completed());
  EXPECT_EQ(ports.frames.size(), 1025u);
  const auto& last = ports.frames.back();
  EXPECT_EQ(FrameBlock(last), 1025);
  EXPECT_EQ(FrameLength(last), 1);
  EXPECT_EQ(last[10], image.back());
}

TEST_F(TransferTest, WrongOrRepeatedAcknowledgementResendsTheCurrentBlock) {
  LoadAndStart(4096);
  Tick();
  transfer.OnAcknowledgement(1);
  Tick();
  transfer.OnAcknowledgement(1); // repeated: block 2 again
  ASSERT_TRUE(Tick());
  EXPECT_EQ(FrameBlock(ports.frames.back()), 2);
  EXPECT_EQ(ports.progress.back(), 1024);
  transfer.OnAcknowledgement(9);
  ASSERT_TRUE(Tick());
  EXPECT_EQ(FrameBlock(ports.frames.back()), 2);
  EXPECT_EQ(transfer.CurrentBlock(), 2);
  transfer.ResendCurrentBlock();
  ASSERT_TRUE(Tick());
  EXPECT_EQ(FrameBlock(ports.frames.back()), 2);
}

TEST_F(TransferTest, AResendPendingWhenTheLastBlockCompletesSendsNothingPastTheImage) {
  LoadAndStart(1500);
  Tick();
  transfer.OnAcknowledgement(1);
  Tick();                        // block 2, the last
  transfer.OnAcknowledgement(1); // repeated: arms a resend of block 2
  transfer.OnAcknowledgement(2); // ... and the last block completes before the tick
  EXPECT_FALSE(Tick());
  EXPECT_FALSE(ports.timer_running);
  EXPECT_EQ(ports.frames.size(), 2u);
  EXPECT_THAT(ports.messages, ElementsAre(text::kUpgradeSuccess));
}

TEST_F(TransferTest, AcknowledgementsBeforeAnyUpgradeSendNothing) {
  transfer.image().LoadBytes(PatternImage(4096));
  transfer.OnAcknowledgement(0);
  transfer.OnAcknowledgement(1);
  EXPECT_FALSE(Tick());
  EXPECT_FALSE(ports.timer_running);
  EXPECT_TRUE(ports.log.empty());
  EXPECT_EQ(transfer.CurrentBlock(), 0);
}

TEST_F(TransferTest, RefusalsShowTheirMessageAndSendNothing) {
  struct Case {
    bool file_chosen;
    std::size_t image_size;
    int rows;
    int ticked;
    std::size_t name_length;
    StartResult expected;
    std::string_view message;
  };
  const Case cases[] = {
      {false, 100, 1, 1, 4, StartResult::kNoImage, text::kSelectBinaryFile},
      {true, 0, 1, 1, 4, StartResult::kNoImage, text::kSelectBinaryFile},
      {true, 100, 0, 0, 4, StartResult::kNoRows, text::kNoCardFound},
      {true, 100, 3, 0, 4, StartResult::kNoTickedRow, text::kSelectCard},
      {true, 100, 4098, 4098, 4, StartResult::kTooManyCards, text::kTooManyCards},
      {true, 100, 4097, 4097, 4, StartResult::kStarted, {}},
      {true, 100, 1, 1, 102391, StartResult::kSelectTooLong, text::kSelectTooLong},
      {true, 100, 1, 1, 102390, StartResult::kStarted, {}}, // exactly 102400 bytes
  };
  for (const Case& c : cases) {
    RecordingPorts p;
    Transfer t(p);
    if (c.image_size > 0)
      t.image().LoadBytes(PatternImage(c.image_size));
    VectorListModel rows;
    for (int r = 0; r < c.rows; ++r) {
      rows.AddRow("", {"Dev", std::string(c.name_length, 'N'), "H", "S"});
      rows.SetTicked(r, r < c.ticked);
    }
    EXPECT_EQ(t.StartUpgrade(c.file_chosen, rows), c.expected) << c.rows;
    if (c.expected == StartResult::kStarted) {
      EXPECT_EQ(p.commands.size(), 1u);
      EXPECT_LE(p.commands[0].size(), kSendBufferSize);
      continue;
    }
    EXPECT_THAT(p.messages, ElementsAre(c.message));
    EXPECT_TRUE(p.commands.empty());
    EXPECT_FALSE(p.timer_running);
    EXPECT_TRUE(p.send_enabled);
    // Only a refusal with an image to send keeps the file button disabled.
    EXPECT_EQ(p.load_enabled, !c.file_chosen || c.image_size == 0);
  }
}

class ImageFileTest : public ::testing::Test {
protected:
  std::filesystem::path Write(const std::string& name, std::size_t size) {
    const auto path = dir / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(PatternImage(size).data()), std::streamsize(size));
    return path;
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  std::filesystem::path dir = [] {
    auto d =
        std::filesystem::temp_directory_path() /
        ("vela-link-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(d);
    return d;
  }();
  FirmwareImage image;
};

TEST_F(ImageFileTest, LoadsUpToTheBufferAndRefusesLargerOrEmptyFiles) {
  ImageLoad load = image.LoadFile(Write("full.bin", kImageCapacity));
  EXPECT_EQ(load.status, ImageLoadStatus::kLoaded);
  EXPECT_EQ(image.size(), 1048577);
  EXPECT_EQ(image.block_count(), 1025);
  EXPECT_TRUE(std::ranges::equal(image.bytes(), PatternImage(kImageCapacity)));

  load = image.LoadFile(Write("big.bin", kImageCapacity + 1));
  EXPECT_EQ(load.status, ImageLoadStatus::kTooLarge);
  EXPECT_EQ(load.message, text::kImageTooLarge);
  EXPECT_EQ(image.size(), 0);
  EXPECT_EQ(image.block_count(), 0);

  image.LoadFile(Write("small.bin", 1500));
  EXPECT_EQ(image.block_count(), 2);
  EXPECT_EQ(image.LoadFile(Write("empty.bin", 0)).status, ImageLoadStatus::kEmpty);
  EXPECT_EQ(image.size(), 0);
}

TEST_F(ImageFileTest, UnreadableFileIsNamedInTheMessage) {
  const auto missing = dir / "missing.bin";
  ImageLoad load = image.LoadFile(missing);
  EXPECT_EQ(load.status, ImageLoadStatus::kUnreadable);
  EXPECT_THAT(load.message, ::testing::HasSubstr("missing.bin"));
  EXPECT_EQ(image.LoadFile(dir).status, ImageLoadStatus::kUnreadable);
}

} // namespace
} // namespace vela::link
