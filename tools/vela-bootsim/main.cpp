#include <cstdio>

#include "tools/common/console.h"
#include "tools/common/socket.h"
#include "tools/vela-bootsim/server.h"
#include "tools/vela-bootsim/sim_options.h"

int main(int argc, char** argv) {
  using namespace vela::tools;
  SimOptions options;
  std::string error;
  switch (parse_sim_options(argc - 1, argv + 1, options, error)) {
  case ParseOutcome::help:
    std::fputs(sim_usage(), stdout);
    return 0;
  case ParseOutcome::version:
    std::fputs("vela-bootsim " VELA_VERSION "\n", stdout);
    return 0;
  case ParseOutcome::error:
    std::fprintf(stderr, "vela-bootsim: %s (try --help)\n", error.c_str());
    return 2;
  case ParseOutcome::ok:
    break;
  }
  NetLibrary net;
  if (!net.ok()) {
    std::fprintf(stderr, "vela-bootsim: the socket library did not start\n");
    return 3;
  }
  install_stop_handlers();
  return run_simulator(options, stdout, stderr);
}
