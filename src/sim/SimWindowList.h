// The simulated on-screen window list: whatever the test scripts, counting the queries.
#pragma once

#include <vector>

#include "core/platform/WindowList.h"

namespace dovrik::sim {

class SimWindowList : public WindowList {
 public:
  std::vector<WindowListEntry> onScreenWindows() override {
    ++queries;
    return windows;
  }

  // Front to back.
  std::vector<WindowListEntry> windows;
  int queries = 0;
};

}  // namespace dovrik::sim
