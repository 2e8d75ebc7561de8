// Starting the shared server and Qt, and waiting on the Qt loop.
#include "QtDesktop.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdlib>
#include <memory>

namespace dovrik::x11test {
namespace {

std::unique_ptr<XServer> sharedServer;
std::unique_ptr<QApplication> sharedApplication;

class TearDownAfterAllTests : public ::testing::Environment {
 public:
  void TearDown() override { QtDesktop::shutDown(); }
};

[[maybe_unused]] auto* const environment =
    ::testing::AddGlobalTestEnvironment(new TearDownAfterAllTests);

}  // namespace

XServer& QtDesktop::server() {
  if (!sharedServer) {
    sharedServer = std::make_unique<XServer>(1920, 1080);
    sharedServer->startWindowManager(XServer::WmConfig::Test);
    setenv("DISPLAY", sharedServer->display().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    static int argc = 1;
    static char name[] = "dovrik_x11_drag_tests";
    static char* argv[] = {name, nullptr};
    sharedApplication = std::make_unique<QApplication>(argc, argv);
  }
  return *sharedServer;
}

void QtDesktop::shutDown() {
  sharedApplication.reset();
  sharedServer.reset();
}

bool QtDesktop::waitFor(const std::function<bool()>& condition, double seconds) {
  if (condition())
    return true;
  QEventLoop loop;
  // The condition usually asks the server on another connection, which wakes no Qt event:
  // look again on a short tick as well.
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
    if (condition())
      loop.quit();
  });
  tick.start(5);
  QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
  loop.exec();
  return condition();
}

}  // namespace dovrik::x11test
