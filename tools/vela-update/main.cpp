#include <cstdio>

#include "tools/common/console.h"
#include "tools/common/socket.h"
#include "tools/vela-update/runner.h"
#include "tools/vela-update/update_options.h"

int main(int argc, char** argv) {
  using namespace vela::tools;
  UpdateOptions options;
  std::string error;
  switch (parse_update_options(argc - 1, argv + 1, options, error)) {
  case UpdateParse::help:
    std::fputs(update_usage(), stdout);
    return as_int(ExitCode::kSuccess);
  case UpdateParse::version:
    std::fputs("vela-update " VELA_VERSION "\n", stdout);
    return as_int(ExitCode::kSuccess);
  case UpdateParse::error:
    std::fprintf(stderr, "vela-update: %s (try --help)\n", error.c_str());
    return as_int(ExitCode::kUsage);
  case UpdateParse::ok:
    break;
  }
  NetLibrary net;
  if (!net.ok()) {
    std::fprintf(stderr, "vela-update: the socket library did not start\n");
    return as_int(ExitCode::kFailure);
  }
  prepare_console();
  install_stop_handlers();
  bool bar = !options.json && options.devices.size() == 1 && is_terminal(stdout);
  auto reporter = make_reporter(options.json, bar, stdout);
  return as_int(run_devices(options, *reporter));
}
