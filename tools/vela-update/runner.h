// Runs the command on every device, --jobs at a time, and reports a summary.
#pragma once

#include "tools/vela-update/reporter.h"
#include "tools/vela-update/update_options.h"

namespace vela::tools {

// The exit code of the first device (in the order given) that failed, else success.
ExitCode run_devices(const UpdateOptions& options, Reporter& reporter);

} // namespace vela::tools
