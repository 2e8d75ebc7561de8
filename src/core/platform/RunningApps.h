// The running applications of the user's session, as the window logic needs them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/support/Signal.h"

namespace dovrik {

// Identifies a running application; on platforms without a process per application it is a
// stable number the adapter assigns.
using ProcessId = std::int64_t;

enum class ActivationPolicy { Regular, Accessory, Prohibited };

struct RunningApp {
  ProcessId pid = 0;
  std::string bundleIdentifier;
  std::string localizedName;
  ActivationPolicy activationPolicy = ActivationPolicy::Regular;
  bool isTerminated = false;
  // What the system says of the program, for choices the identity alone does not settle (the
  // keystroke that pastes in it); empty where the platform cannot tell.
  std::vector<std::string> categories = {};  // of its desktop entry: "TerminalEmulator"
  std::string executable = {};               // its program's file name: "xterm"
  std::string windowClass = {};              // its windows' class: "XTerm"
  friend bool operator==(const RunningApp&, const RunningApp&) = default;
};

class RunningApps {
 public:
  virtual ~RunningApps() = default;
  // The application with the keyboard focus.
  virtual std::optional<RunningApp> frontmostApplication() = 0;
  // Every running application, in the platform's order.
  virtual std::vector<RunningApp> runningApplications() = 0;
  // Dovrik's own process.
  virtual ProcessId currentProcessId() = 0;

  // An application was launched. Comes on the main queue, once per launch; applications that
  // run already when Dovrik starts, or that open another window, are not announced. Where an
  // application runs as a process per window, each new process is a launch of its own.
  Signal<const RunningApp&> didLaunch;
};

}  // namespace dovrik
