// One private X server with a window manager, and a Qt application on it, for the tests that show
// Qt windows. Qt opens one display per process, so both live as long as the test program.
#pragma once

#include <functional>

#include "XServer.h"

namespace dovrik::x11test {

class QtDesktop {
 public:
  // Started on first use.
  static XServer& server();
  // Qt first, then the server. Qt does not survive static destruction, so this runs before
  // main returns: after the last test, or at the end of a program that is not a test.
  static void shutDown();
  // Runs the Qt event loop until `condition` holds or `seconds` pass; answers the condition.
  static bool waitFor(const std::function<bool()>& condition, double seconds = 5);
};

}  // namespace dovrik::x11test
