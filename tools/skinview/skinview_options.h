#pragma once
// The command line of skinview, read without touching the window system so that it can be
// tested on any platform:
//
//   skinview [SKIN.skn] [--page NAME] [--shot FILE.bmp]
#include <string>
#include <vector>

namespace vela::skinview {

// What a run of skinview ends with.
enum ExitCode : int {
  kExitShown = 0,          // the window closed, or the shot of the skinned window was saved
  kExitShotFailed = 1,     // the shot could not be taken or written
  kExitUsage = 2,          // a wrong command line
  kExitSkinUnreadable = 3, // the skin could not be read: the shot shows the unskinned window
  kExitNotSkinned = 4,     // the window was not skinned and painted within the time allowed
};

struct Options {
  std::string skinFile; // empty: the default skin the program carries
  std::string page;     // empty: the first page
  std::string shotFile; // empty: stay open until closed
  bool help = false;
  bool version = false;
};

// Reads the words after the program name. False with a one-line `error` for a wrong command
// line; `pages` are the names --page accepts (case is ignored, the registered spelling is kept).
bool ParseOptions(const std::vector<std::string>& words, const std::vector<std::string>& pages,
                  Options& out, std::string& error);

// The --help text, naming the pages and every exit code.
std::string HelpText(const std::vector<std::string>& pages);

} // namespace vela::skinview
