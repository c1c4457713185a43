// Options, JSON and progress formatting shared by the tools.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <thread>

#include "tools/common/args.h"
#include "tools/common/json.h"
#include "tools/common/progress.h"
#include "tools/common/socket.h"

namespace vela::tools {
namespace {

constexpr OptionSpec kSpecs[] = {{"port", true}, {"card", true}, {"udp", false}};

bool parse(std::initializer_list<const char*> words, Args& args, std::string& error) {
  std::vector<const char*> argv(words);
  return Args::parse(static_cast<int>(argv.size()), argv.data(), kSpecs, args, error);
}

TEST(ArgsTest, AcceptsBothValueFormsRepeatsAndPositionals) {
  Args args;
  std::string error;
  ASSERT_TRUE(parse({"list", "--port", "5000", "--card=A", "--card", "B", "--udp", "--", "--x"},
                    args, error))
      << error;
  EXPECT_EQ(args.value("port"), "5000");
  EXPECT_EQ(args.values("card"), (std::vector<std::string>{"A", "B"}));
  EXPECT_TRUE(args.has("udp"));
  EXPECT_FALSE(args.has("host"));
  EXPECT_EQ(args.positionals(), (std::vector<std::string>{"list", "--x"}));
}

TEST(ArgsTest, RejectsUnknownOptionsMissingValuesAndValuesOnFlags) {
  Args args;
  std::string error;
  EXPECT_FALSE(parse({"--bogus"}, args, error));
  EXPECT_EQ(error, "unknown option --bogus");
  EXPECT_FALSE(parse({"--port"}, args, error));
  EXPECT_EQ(error, "option --port needs a value");
  EXPECT_FALSE(parse({"--udp=1"}, args, error));
}

TEST(ArgsTest, IntegersAreWholeAndWithinRange) {
  Args args;
  std::string error;
  long long value = 0;
  ASSERT_TRUE(parse({"--port", "65535"}, args, error));
  EXPECT_TRUE(args.integer("port", 0, 65535, 7, value, error));
  EXPECT_EQ(value, 65535);
  EXPECT_TRUE(args.integer("card", 0, 9, 7, value, error));
  EXPECT_EQ(value, 7) << "absent option gives the fallback";
  for (const char* bad : {"65536", "-1", "12x", "", " 5", "99999999999999999999"}) {
    ASSERT_TRUE(parse({"--port", bad}, args, error));
    EXPECT_FALSE(args.integer("port", 0, 65535, 0, value, error)) << bad;
  }
}

TEST(ArgsTest, ListsSplitAtCommasOutsideQuotes) {
  EXPECT_EQ(split_list("A,B"), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(split_list("\"Net, \"\"fast\"\"\",H 3,"),
            (std::vector<std::string>{"Net, \"fast\"", "H 3", ""}));
  EXPECT_EQ(split_list(""), (std::vector<std::string>{""}));
}

TEST(EndpointTest, ParsesHostAndPortOnly) {
  Endpoint e;
  ASSERT_TRUE(parse_endpoint("10.0.0.5:5000", e));
  EXPECT_EQ(e.host, "10.0.0.5");
  EXPECT_EQ(e.port, 5000);
  ASSERT_TRUE(parse_endpoint("device-7:0", e));
  EXPECT_EQ(e.host, "device-7");
  for (const char* bad : {"10.0.0.5", ":5000", "h:", "h:65536", "h:50a0", "h:123456"}) {
    EXPECT_FALSE(parse_endpoint(bad, e)) << bad;
  }
}

// The receive timeout is kept on the socket and changed only when asked for another one;
// each kind of wait must still behave as asked after the others.
TEST(SocketTest, ReceiveHonoursEachTimeoutAfterAnother) {
  NetLibrary net;
  std::string error;
  Socket listener = Socket::listen_tcp({"127.0.0.1", 0}, &error);
  ASSERT_TRUE(listener.valid()) << error;
  Socket client = Socket::connect_tcp({"127.0.0.1", listener.local_port()}, 10000, &error);
  ASSERT_TRUE(client.valid()) << error;
  Socket server = listener.accept(10000, nullptr);
  ASSERT_TRUE(server.valid());
  std::array<char, 16> buffer{};
  std::size_t got = 0;
  EXPECT_EQ(server.receive(buffer.data(), buffer.size(), got, 0), IoStatus::timeout);
  EXPECT_EQ(server.receive(buffer.data(), buffer.size(), got, 20), IoStatus::timeout);
  EXPECT_EQ(got, 0u);
  ASSERT_TRUE(client.send_all("ab", 2));
  ASSERT_EQ(server.receive(buffer.data(), buffer.size(), got, 10000), IoStatus::ok);
  EXPECT_EQ(std::string(buffer.data(), got), "ab");
  // After a 20 ms timeout, a wait without limit must outlast it.
  EXPECT_EQ(server.receive(buffer.data(), buffer.size(), got, 20), IoStatus::timeout);
  std::thread late([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    client.send_all("c", 1);
  });
  IoStatus unlimited = server.receive(buffer.data(), buffer.size(), got, -1);
  late.join();
  EXPECT_EQ(unlimited, IoStatus::ok);
  EXPECT_EQ(std::string(buffer.data(), got), "c");
  // A moved socket keeps what is set on it.
  Socket moved = std::move(server);
  EXPECT_EQ(moved.receive(buffer.data(), buffer.size(), got, 20), IoStatus::timeout);
  client.close();
  EXPECT_EQ(moved.receive(buffer.data(), buffer.size(), got, 10000), IoStatus::closed);
}

TEST(JsonTest, EscapesControlsAndKeepsTheOutputValidUtf8) {
  EXPECT_EQ(json_quote("a\"b\\c\r\n\t\x01"), "\"a\\\"b\\\\c\\r\\n\\t\\u0001\"");
  // Full-width punctuation (UTF-8) passes through unchanged.
  EXPECT_EQ(json_quote("success！"), "\"success！\"");
  // Code page 936 bytes are not UTF-8: each byte becomes its own escaped character.
  EXPECT_EQ(json_quote("\xB0\xE5"), "\"\\u00b0\\u00e5\"");
  // A UTF-8 lead byte cut short and an overlong form are escaped too.
  EXPECT_EQ(json_quote("\xE4\xBD"), "\"\\u00e4\\u00bd\"");
  EXPECT_EQ(json_quote("\xC0\xAF"), "\"\\u00c0\\u00af\"");
}

TEST(JsonTest, BuildsObjectsInOrder) {
  std::string s = JsonObject()
                      .add("event", "block")
                      .add("block", 256)
                      .add("ok", true)
                      .add("rate", 0.5)
                      .add_raw("rows", json_array({"{}", "[]"}))
                      .str();
  EXPECT_EQ(s, "{\"event\":\"block\",\"block\":256,\"ok\":true,\"rate\":0.5,\"rows\":[{},[]]}");
  EXPECT_EQ(JsonObject().str(), "{}");
}

TEST(ProgressTest, ShowsPercentRateAndTimeLeft) {
  // Half of 2,000,000 bytes in 2 s: 500 kB/s, 2 s left.
  std::string line = format_progress("dev", 1000000, 2000000, 2.0, 80);
  EXPECT_NE(line.find(" 50%"), std::string::npos) << line;
  EXPECT_NE(line.find("500.0 kB/s"), std::string::npos) << line;
  EXPECT_NE(line.find("ETA 0:02"), std::string::npos) << line;
  EXPECT_LE(static_cast<int>(line.size()), 80);
  EXPECT_NE(line.find("[####################--------------------]"), std::string::npos) << line;
}

TEST(ProgressTest, HandlesTheEdges) {
  EXPECT_NE(format_progress("", 0, 100, 0.0, 80).find("ETA --:--"), std::string::npos);
  EXPECT_NE(format_progress("", 50, 100, 0.01, 80).find("--/s  ETA --:--"), std::string::npos)
      << "no rate from the first moments";
  EXPECT_NE(format_progress("", 100, 100, 1.0, 80).find("100%"), std::string::npos);
  EXPECT_NE(format_progress("", 500, 100, 1.0, 80).find("100%"), std::string::npos)
      << "done is clamped to total";
  std::string narrow = format_progress("a-very-long-device-label:5000", 1, 2, 1.0, 30);
  EXPECT_EQ(narrow.find('['), std::string::npos) << "no room for a bar: " << narrow;
  EXPECT_EQ(format_duration(3723), "1:02:03");
  EXPECT_EQ(format_duration(59.6), "1:00");
  EXPECT_EQ(format_bytes(999), "999 B");
  EXPECT_EQ(format_bytes(1048577), "1.0 MB");
}

} // namespace
} // namespace vela::tools
