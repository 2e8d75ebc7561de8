// A Dovrik connected to a stand-in of its Shell extension on a private bus, with virtual time
// for the main queue and the background pool.
#pragma once

#include <gtest/gtest.h>

#include <QThread>
#include <memory>

#include "PrivateBus.h"
#include "ShellExtensionStandIn.h"
#include "linux/gnome/GnomeShell.h"
#include "linux/mirror/WindowMirror.h"
#include "sim/SimBackground.h"
#include "sim/SimClock.h"

namespace dovrik::gnome::test {

class ShellFixture : public testing::Test {
 protected:
  static void SetUpTestSuite() { dbustest::PrivateBus::ensureApplication(); }
  void SetUp() override;
  void TearDown() override;

  // Turns the Qt loop and the virtual main queue until `condition` holds; false after a bound.
  bool waitUntil(const std::function<bool()>& condition);
  std::size_t callCount(const char* method) const {
    return extension.callsOf(QLatin1String(method)).size();
  }

  dbustest::PrivateBus bus;
  ShellExtensionStandIn extension;
  QThread extensionThread;
  mirror::WindowMirror mirror;
  std::unique_ptr<GnomeShell> shell;
  sim::SimClock clock;
  sim::SimBackground background{clock};
};

}  // namespace dovrik::gnome::test
