// Command line of vela-bootsim.
#pragma once

#include <string>

#include "tools/common/socket.h"
#include "tools/vela-bootsim/device.h"

namespace vela::tools {

struct SimOptions {
  Endpoint listen{"127.0.0.1", 0};
  bool udp = false;
  bool quiet = false; // only the listening line and errors
  DeviceIdentity identity;
  std::string out_path; // empty: the image is not written
  FaultPlan faults;
};

enum class ParseOutcome { ok, help, version, error };

ParseOutcome parse_sim_options(int argc, const char* const* argv, SimOptions& out,
                               std::string& error);
const char* sim_usage();

} // namespace vela::tools
