// What the Wayland adapters' tests share: the real main queue and background pool on the test's
// Qt loop, Dovrik's own connections to the fixture's KWin, and waiting on a condition.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "KWinTest.h"
#include "linux/qt/QtMainQueue.h"
#include "linux/qt/ThreadPoolBackground.h"
#include "linux/wayland/WaylandConnection.h"

namespace dovrik::waylandtest {

class WaylandTest : public kwintest::KWinTest {
 protected:
  // A new connection of Dovrik's to the fixture's compositor.
  std::unique_ptr<wayland::WaylandConnection> connect() const;
  // Runs the loop until `condition` holds; false when it still does not after `seconds`.
  static bool runUntil(const std::function<bool()>& condition, double seconds = 10);
  // A child of the session: the test window, which copies on command and reports pastes.
  std::unique_ptr<kwintest::ChildProcess> launchWindow(const std::string& title) const;
  // The next line `child` prints that starts with `prefix`, within a bound.
  static std::string awaitLine(kwintest::ChildProcess& child, const std::string& prefix);

  qt::QtMainQueue mainQueue;
  qt::ThreadPoolBackground background;
};

}  // namespace dovrik::waylandtest
