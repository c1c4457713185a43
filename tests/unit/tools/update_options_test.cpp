// The command line of vela-update.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "tools/vela-update/reporter.h"
#include "tools/vela-update/update_options.h"

namespace vela::tools {
namespace {

UpdateParse parse(std::vector<const char*> argv, UpdateOptions& options, std::string& error) {
  options = UpdateOptions();
  return parse_update_options(static_cast<int>(argv.size()), argv.data(), options, error);
}

TEST(UpdateOptionsTest, UpgradeTakesDefaultsOfTheWindow) {
  UpdateOptions o;
  std::string error;
  ASSERT_EQ(parse({"upgrade", "--host", "10.0.0.5", "--port", "5000", "--image", "a.bin", "--cards",
                   "CPU-A1,CPU-A2", "--cards", "CPU-A3"},
                  o, error),
            UpdateParse::ok)
      << error;
  EXPECT_EQ(o.command, Command::upgrade);
  ASSERT_EQ(o.devices.size(), 1u);
  EXPECT_EQ(o.devices[0].port, 5000);
  EXPECT_EQ(o.cards, (std::vector<std::string>{"CPU-A1", "CPU-A2", "CPU-A3"}));
  EXPECT_EQ(o.pace_ms, 100);
  EXPECT_EQ(o.ack_timeout_ms, 5000);
  EXPECT_EQ(o.retries, 5);
  EXPECT_EQ(o.select_pause_ms, 2000);
  EXPECT_EQ(o.reconnects, 7);
}

TEST(UpdateOptionsTest, DevicesComeFromOptionsAndAFile) {
  auto path = std::filesystem::temp_directory_path() / "vela-update-devices-test.txt";
  std::ofstream(path) << "# rack 1\n10.0.0.1:5000\r\n\n   10.0.0.2:5001  \n";
  UpdateOptions o;
  std::string error;
  ASSERT_EQ(parse({"list", "--device", "h:1", "--devices", path.c_str(), "--jobs", "4"}, o, error),
            UpdateParse::ok)
      << error;
  ASSERT_EQ(o.devices.size(), 3u);
  EXPECT_EQ(o.devices[2].host, "10.0.0.2");
  EXPECT_EQ(o.devices[2].port, 5001);
  EXPECT_EQ(o.jobs, 4);
  std::ofstream(path) << "10.0.0.1\n";
  EXPECT_EQ(parse({"list", "--devices", path.c_str()}, o, error), UpdateParse::error);
  std::filesystem::remove(path);
}

TEST(UpdateOptionsTest, RejectsIncompleteCommands) {
  UpdateOptions o;
  std::string error;
  EXPECT_EQ(parse({"upgrade", "--device", "h:1", "--cards", "A"}, o, error), UpdateParse::error);
  EXPECT_EQ(parse({"upgrade", "--device", "h:1", "--image", "a"}, o, error), UpdateParse::error);
  EXPECT_EQ(parse({"upgrade", "--device", "h:1", "--image", "a", "--cards", "A,,B"}, o, error),
            UpdateParse::error);
  EXPECT_EQ(parse({"list", "--host", "h"}, o, error), UpdateParse::error);
  EXPECT_EQ(parse({"list", "--device", "h:1", "--pace", "-1"}, o, error), UpdateParse::error);
  EXPECT_EQ(parse({"flash", "--device", "h:1"}, o, error), UpdateParse::error);
  EXPECT_EQ(parse({"list", "extra", "--device", "h:1"}, o, error), UpdateParse::error);
  EXPECT_EQ(parse({"--help"}, o, error), UpdateParse::help);
  EXPECT_EQ(parse({"--version"}, o, error), UpdateParse::version);
  EXPECT_EQ(parse({"list", "--device", "h:1", "--expect-cards", "x"}, o, error),
            UpdateParse::error);
  EXPECT_EQ(error, "option --expect-cards needs a whole number from 0 to 10000");
}

TEST(UpdateOptionsTest, ListWaitsForExpectedCardsAndOptionsTakeEitherForm) {
  UpdateOptions o;
  std::string error;
  ASSERT_EQ(parse({"list", "--device=h:1", "--expect-cards=3", "--connect-timeout", "900",
                   "--pace=0"},
                  o, error),
            UpdateParse::ok)
      << error;
  EXPECT_EQ(o.expect_cards, 3);
  EXPECT_EQ(o.connect_timeout_ms, 900);
  EXPECT_EQ(o.pace_ms, 0);
  EXPECT_EQ(o.devices[0].host, "h");
  ASSERT_EQ(parse({"list", "--device", "h:1"}, o, error), UpdateParse::ok);
  EXPECT_EQ(o.expect_cards, 0) << "by default only the quiet time ends a list";
}

// Block lines may be held back for a while at --pace 0; flush() and every other event
// write them out, in order.
TEST(JsonReporterTest, HeldBlockLinesComeOutOnFlushAndBeforeOtherEvents) {
  auto path = std::filesystem::temp_directory_path() / "vela-update-json-reporter-test.txt";
  std::FILE* out = std::fopen(path.c_str(), "w");
  ASSERT_NE(out, nullptr);
  auto lines = [&] {
    std::ifstream in(path);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    return std::count(text.begin(), text.end(), '\n');
  };
  auto reporter = make_reporter(true, false, out);
  for (int block = 1; block <= 3; ++block) {
    reporter->emit({.kind = EventKind::block, .device = "d", .block = block, .blocks = 4,
                    .bytes = block * 1024, .total = 4000});
  }
  reporter->flush();
  EXPECT_EQ(lines(), 3);
  reporter->emit({.kind = EventKind::block, .device = "d", .block = 4, .blocks = 4,
                  .bytes = 4000, .total = 4000});
  reporter->emit({.kind = EventKind::done, .device = "d", .text = "ok"});
  EXPECT_EQ(lines(), 5);
  std::fclose(out);
  std::filesystem::remove(path);
}

TEST(TableTest, PadsColumnsToTheWidestText) {
  std::string table = format_table({{"Dev", "Main", "1", "2"}, {"Dev", "CPU-LONG-NAME", "3", "4"}});
  EXPECT_EQ(table, "Device Name  Card Name      Hardware Version  Software Version\n"
                   "Dev          Main           1                 2\n"
                   "Dev          CPU-LONG-NAME  3                 4\n");
}

} // namespace
} // namespace vela::tools
