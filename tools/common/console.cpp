#include "tools/common/console.h"

#include <csignal>
#include <cstdlib>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace vela::tools {
namespace {

volatile std::sig_atomic_t stop_flag = 0;

extern "C" void on_stop_signal(int) {
  stop_flag = 1;
}

} // namespace

bool is_terminal(std::FILE* stream) {
#ifdef _WIN32
  return _isatty(_fileno(stream)) != 0;
#else
  return isatty(fileno(stream)) != 0;
#endif
}

int terminal_width(std::FILE* stream) {
#ifndef _WIN32
  winsize size{};
  if (ioctl(fileno(stream), TIOCGWINSZ, &size) == 0 && size.ws_col >= 20)
    return size.ws_col;
#else
  (void)stream;
#endif
  if (const char* columns = std::getenv("COLUMNS")) {
    int value = std::atoi(columns);
    if (value >= 20 && value <= 1000)
      return value;
  }
  return 80;
}

void prepare_console() {
#ifdef _WIN32
  SetConsoleOutputCP(CP_UTF8);
#endif
}

void install_stop_handlers() {
  std::signal(SIGINT, on_stop_signal);
  std::signal(SIGTERM, on_stop_signal);
}

bool stop_requested() {
  return stop_flag != 0;
}

void request_stop() {
  stop_flag = 1;
}

} // namespace vela::tools
