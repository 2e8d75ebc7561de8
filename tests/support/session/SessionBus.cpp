// Starting a session's bus and connecting the test process to it.
#include "SessionBus.h"

#include <atomic>
#include <chrono>
#include <stdexcept>

namespace dovrik::sessiontest {

namespace {

// Generous: three people build on two cores while the tests run.
constexpr std::chrono::seconds startLimit{30};

}  // namespace

SessionBus::SessionBus(const DesktopSession& session) {
  // Only the bus's owner may connect to a session bus unless its configuration names others:
  // here root, the test process.
  const std::string config = session.folder() + "/bus.conf";
  writeFile(config,
            "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\" "
            "\"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
            "<busconfig>\n  <type>session</type>\n  <listen>unix:path=" +
                session.runtimeDir() +
                "/bus</listen>\n  <auth>EXTERNAL</auth>\n"
                "  <policy context=\"default\">\n"
                "    <allow user=\"root\"/>\n"
                "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                "    <allow eavesdrop=\"true\"/>\n    <allow own=\"*\"/>\n"
                "  </policy>\n</busconfig>\n",
            everyoneReads);
  ChildLaunch launch;
  launch.argv = {"dbus-daemon", "--config-file=" + config, "--nofork", "--nopidfile",
                 "--print-address"};
  launch.pipeOutput = true;
  launch.logFile = session.folder() + "/bus.log";
  daemon_ = session.launch(launch);
  const auto address = daemon_->nextLine(startLimit);
  if (!address || address->empty())
    throw std::runtime_error("the session bus did not start: " +
                             fileText(session.folder() + "/bus.log"));
  address_ = *address;
  static std::atomic<int> buses{0};
  connectionName_ = "dovrik-test-bus-" + std::to_string(++buses);
  if (!connection().isConnected())
    throw std::runtime_error("cannot connect to the session bus at " + address_);
}

SessionBus::~SessionBus() {
  QDBusConnection::disconnectFromBus(QString::fromStdString(connectionName_));
}

QDBusConnection SessionBus::connection() const {
  return QDBusConnection::connectToBus(QString::fromStdString(address_),
                                       QString::fromStdString(connectionName_));
}

}  // namespace dovrik::sessiontest
