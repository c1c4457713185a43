#pragma once
// The commands of the skin packer, callable without a process so that tests can drive them.
#include <iosfwd>
#include <string>
#include <vector>

namespace vela::tools {

enum SkinpackExit {
  kSkinpackOk = 0,
  kSkinpackFailed = 1, // a file could not be read or written, or its content is unusable
  kSkinpackUsage = 2,  // the command line is wrong
};

// Runs one command line (without the program name). Results go to `out`, messages to `err`.
int RunSkinpack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace vela::tools
