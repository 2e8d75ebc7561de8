// Connections, loop turns and the test window for the Wayland adapters' tests.
#include "WaylandSession.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include "Await.h"

namespace dovrik::waylandtest {

std::unique_ptr<wayland::WaylandConnection> WaylandTest::connect() const {
  const std::string socket = session().runtimeDir() + "/" + session().waylandDisplay();
  return std::make_unique<wayland::WaylandConnection>(socket.c_str());
}

bool WaylandTest::runUntil(const std::function<bool()>& condition, double seconds) {
  return kwintest::await(condition, std::chrono::milliseconds(static_cast<int>(seconds * 1000)));
}

std::unique_ptr<kwintest::ChildProcess> WaylandTest::launchWindow(const std::string& title) const {
  kwintest::ChildLaunch launch;
  launch.argv = {DOVRIK_TEST_WINDOW, "--title", title, "--app-id", "dovrik-wayland-test"};
  launch.environment = {"QT_QPA_PLATFORM=wayland"};
  launch.pipeInput = true;
  launch.pipeOutput = true;
  auto window = session().launch(launch);
  // A Wayland client may set the clipboard only while it has the keyboard focus.
  if (awaitLine(*window, "active") != "active")
    ADD_FAILURE() << "the test window was not activated";
  return window;
}

std::string WaylandTest::awaitLine(kwintest::ChildProcess& child, const std::string& prefix) {
  const QDeadlineTimer deadline(10000);
  while (!deadline.hasExpired()) {
    const auto line = child.nextLine(std::chrono::milliseconds(50));
    if (line && line->starts_with(prefix))
      return *line;
    // The test's own adapters serve the window meanwhile (it may be pasting from them).
    QCoreApplication::processEvents();
  }
  return {};
}

}  // namespace dovrik::waylandtest
