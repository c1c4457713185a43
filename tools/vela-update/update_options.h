// Command line of vela-update.
#pragma once

#include <string>
#include <vector>

#include "tools/common/socket.h"

namespace vela::tools {

enum class Command { list, upgrade, goto_app };

struct UpdateOptions {
  Command command = Command::list;
  std::vector<Endpoint> devices;
  std::string image_path;
  std::vector<std::string> cards;
  int pace_ms = 100;         // the GUI's block timer; 0 sends as soon as acknowledged
  int ack_timeout_ms = 5000; // silence after a frame before it is sent again
  int retries = 5;           // resends of one block, for any reason, before giving up
  int reconnects = 7;        // reconnection attempts after the device closed the link
  int reconnect_delay_ms = 1000;
  int select_pause_ms = 2000; // after the select message, before block 1
  int connect_timeout_ms = 5000;
  int announce_wait_ms = 300; // quiet time that ends the announcements
  int expect_cards = 0;       // list: cards to wait for before the quiet time counts
  int jobs = 1;
  bool json = false;
  bool verbose = false; // the link's own log lines too
};

enum class UpdateParse { ok, help, version, error };

UpdateParse parse_update_options(int argc, const char* const* argv, UpdateOptions& out,
                                 std::string& error);
const char* update_usage();

} // namespace vela::tools
