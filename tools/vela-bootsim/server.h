// Serves a simulated device over TCP (connection after connection) or UDP until a stop
// signal arrives.
#pragma once

#include <cstdio>

#include "tools/vela-bootsim/sim_options.h"

namespace vela::tools {

// Prints "listening on HOST:PORT" on out, then serves. Returns the exit code.
int run_simulator(const SimOptions& options, std::FILE* out, std::FILE* log);

} // namespace vela::tools
