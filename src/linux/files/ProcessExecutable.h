// The program a process runs, as the system knows it.
#pragma once

#include <string>

#include "core/platform/RunningApps.h"

namespace dovrik::files {

// The file name of the process's executable ("xterm"), else its command name when the
// executable cannot be read; empty for a process that is gone.
std::string processExecutable(ProcessId pid);

}  // namespace dovrik::files
