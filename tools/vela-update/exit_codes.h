// Exit codes of vela-update, also printed by --help.
#pragma once

namespace vela::tools {

enum class ExitCode : int {
  kSuccess = 0,
  kFailure = 1,       // anything not listed below (a socket library that does not start)
  kUsage = 2,         // bad command line
  kCannotConnect = 3, // no connection, or no announcement after connecting
  kCardRejected = 4,  // no such card, cards of more than one type, too many cards
  kImageRefused = 5,  // image too large, empty or unreadable
  kAckTimeout = 6,    // no acknowledgement after the retries
  kLinkClosed = 7,    // the device closed the link and reconnecting failed
};

inline int as_int(ExitCode code) {
  return static_cast<int>(code);
}

} // namespace vela::tools
