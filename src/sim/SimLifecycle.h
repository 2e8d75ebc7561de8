// Counts the requests to quit and to relaunch.
#pragma once

#include "core/platform/Lifecycle.h"

namespace dovrik::sim {

class SimLifecycle : public Lifecycle {
 public:
  void quit() override { ++quits; }
  void relaunch() override { ++relaunches; }

  int quits = 0;
  int relaunches = 0;
};

}  // namespace dovrik::sim
