#include "tools/vela-update/update_options.h"

#include <fstream>

#include "tools/common/args.h"

namespace vela::tools {
namespace {

constexpr OptionSpec kSpecs[] = {
    {"help", false},           {"host", true},         {"port", true},
    {"device", true},          {"devices", true},      {"jobs", true},
    {"image", true},           {"cards", true},        {"pace", true},
    {"ack-timeout", true},     {"retries", true},      {"reconnects", true},
    {"reconnect-delay", true}, {"select-pause", true}, {"connect-timeout", true},
    {"announce-wait", true},   {"json", false},        {"verbose", false},
    {"expect-cards", true},    {"version", false},
};

bool int_option(const Args& args, const char* name, int min, int max, int& value,
                std::string& error) {
  long long parsed = 0;
  if (!args.integer(name, min, max, value, parsed, error))
    return false;
  value = static_cast<int>(parsed);
  return true;
}

bool add_device(const std::string& text, std::vector<Endpoint>& devices, std::string& error) {
  Endpoint endpoint;
  if (!parse_endpoint(text, endpoint)) {
    error = "\"" + text + "\" is not HOST:PORT";
    return false;
  }
  devices.push_back(endpoint);
  return true;
}

bool read_device_file(const std::string& path, std::vector<Endpoint>& devices, std::string& error) {
  std::ifstream in(path);
  if (!in) {
    error = "cannot read the device list " + path;
    return false;
  }
  std::string line;
  while (std::getline(in, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
      line.pop_back();
    }
    std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#')
      continue;
    if (!add_device(line.substr(first), devices, error))
      return false;
  }
  return true;
}

bool collect_devices(const Args& args, UpdateOptions& out, std::string& error) {
  if (args.has("host") || args.has("port")) {
    if (!args.has("host") || !args.has("port")) {
      error = "--host and --port go together";
      return false;
    }
    long long port = 0;
    if (!args.integer("port", 1, 65535, 0, port, error))
      return false;
    out.devices.push_back(Endpoint{args.value("host"), static_cast<std::uint16_t>(port)});
  }
  for (const auto& text : args.values("device")) {
    if (!add_device(text, out.devices, error))
      return false;
  }
  for (const auto& path : args.values("devices")) {
    if (!read_device_file(path, out.devices, error))
      return false;
  }
  if (out.devices.empty()) {
    error = "name a device: --host H --port P, --device HOST:PORT or --devices FILE";
    return false;
  }
  return true;
}

bool timing_options(const Args& args, UpdateOptions& out, std::string& error) {
  return int_option(args, "pace", 0, 60000, out.pace_ms, error) &&
         int_option(args, "ack-timeout", 1, 600000, out.ack_timeout_ms, error) &&
         int_option(args, "retries", 0, 1000, out.retries, error) &&
         int_option(args, "reconnects", 0, 1000, out.reconnects, error) &&
         int_option(args, "reconnect-delay", 0, 600000, out.reconnect_delay_ms, error) &&
         int_option(args, "select-pause", 0, 600000, out.select_pause_ms, error) &&
         int_option(args, "connect-timeout", 1, 600000, out.connect_timeout_ms, error) &&
         int_option(args, "announce-wait", 1, 600000, out.announce_wait_ms, error) &&
         int_option(args, "expect-cards", 0, 10000, out.expect_cards, error) &&
         int_option(args, "jobs", 1, 256, out.jobs, error);
}

bool upgrade_options(const Args& args, UpdateOptions& out, std::string& error) {
  out.image_path = args.value("image");
  if (out.image_path.empty()) {
    error = "upgrade needs --image FILE";
    return false;
  }
  for (const auto& list : args.values("cards")) {
    for (auto& name : split_list(list)) {
      if (name.empty()) {
        error = "--cards holds an empty card name";
        return false;
      }
      out.cards.push_back(std::move(name));
    }
  }
  if (out.cards.empty()) {
    error = "upgrade needs --cards NAME[,NAME...]";
    return false;
  }
  return true;
}

} // namespace

const char* update_usage() {
  return "usage: vela-update list     DEVICES [--expect-cards N] [--json]\n"
         "       vela-update upgrade  DEVICES --image FILE --cards NAME[,NAME...]\n"
         "                            [--pace MS] [--ack-timeout MS] [--retries N] [--json]\n"
         "       vela-update goto-app DEVICES\n"
         "\n"
         "DEVICES is --host H --port P, or --device HOST:PORT (repeatable), or --devices FILE\n"
         "(one HOST:PORT per line, # starts a comment); --jobs N serves N devices at once.\n"
         "\n"
         "list      connects, asks the bootloader for its boards and prints them once the\n"
         "          device has been quiet for --announce-wait (after --expect-cards cards).\n"
         "upgrade   checks that every named card was announced and that all are of one type,\n"
         "          sends the select message, waits, then sends the image block by block,\n"
         "          one block in flight. A wrong acknowledgement resends the block; the\n"
         "          answers to a block sent more than once are all taken as one. When the\n"
         "          device closes the link, it is queried, its cards checked and selected\n"
         "          again, and the image sent again from block 1.\n"
         "goto-app  tells the bootloader to start the application.\n"
         "\n"
         "options:\n"
         "  --pace MS            delay before each block (default 100; 0: at once)\n"
         "  --ack-timeout MS     resend a block after this much silence (default 5000)\n"
         "  --retries N          resends of one block (for silence or wrong answers) before\n"
         "                       failing (default 5)\n"
         "  --reconnects N       reconnection attempts when the device closes the link\n"
         "                       during an upgrade (default 7, one per --reconnect-delay)\n"
         "  --reconnect-delay MS (default 1000)\n"
         "  --select-pause MS    wait after the select message (default 2000)\n"
         "  --connect-timeout MS for the connection and for the first announcements\n"
         "                       (default 5000)\n"
         "  --announce-wait MS   quiet time that ends the announcements (default 300); an\n"
         "                       upgrade goes on as soon as its cards are announced\n"
         "  --expect-cards N     list: wait for N cards (up to --connect-timeout) first\n"
         "  --json               one JSON object per event on standard output\n"
         "  --verbose            also print the link's log lines\n"
         "  --version            print the version\n"
         "\n"
         "exit codes:\n"
         "  0  success\n"
         "  1  other failure\n"
         "  2  usage error\n"
         "  3  cannot connect, or the device announced nothing\n"
         "  4  no such card, cards of more than one type, or too many cards\n"
         "  5  image refused: too large (over 1048577 bytes), empty or unreadable\n"
         "  6  no right acknowledgement after the retries\n"
         "  7  link closed by the device (and reconnecting failed)\n"
         "With several devices the exit code is that of the first device that failed.\n";
}

UpdateParse parse_update_options(int argc, const char* const* argv, UpdateOptions& out,
                                 std::string& error) {
  Args args;
  if (!Args::parse(argc, argv, kSpecs, args, error))
    return UpdateParse::error;
  if (args.has("help"))
    return UpdateParse::help;
  if (args.has("version"))
    return UpdateParse::version;
  const auto& words = args.positionals();
  if (words.size() != 1) {
    error = words.empty() ? "name a command: list, upgrade or goto-app"
                          : "unexpected argument \"" + words[1] + "\"";
    return UpdateParse::error;
  }
  if (words[0] == "list") {
    out.command = Command::list;
  } else if (words[0] == "upgrade") {
    out.command = Command::upgrade;
  } else if (words[0] == "goto-app") {
    out.command = Command::goto_app;
  } else {
    error = "unknown command \"" + words[0] + "\"";
    return UpdateParse::error;
  }
  out.json = args.has("json");
  out.verbose = args.has("verbose");
  if (!collect_devices(args, out, error) || !timing_options(args, out, error)) {
    return UpdateParse::error;
  }
  if (out.command == Command::upgrade && !upgrade_options(args, out, error)) {
    return UpdateParse::error;
  }
  return UpdateParse::ok;
}

} // namespace vela::tools
