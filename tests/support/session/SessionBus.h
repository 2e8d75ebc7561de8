// A private session bus for one test session: dbus-daemon run as the session's user, listening
// in the session's runtime folder. The test process talks to it directly: its configuration
// admits root beside its owner. Nothing is activated on demand, so no service the test did not
// start can outlive it.
#pragma once

#include <memory>
#include <string>

#include <QDBusConnection>

#include "ChildProcess.h"
#include "DesktopSession.h"

namespace dovrik::sessiontest {

class SessionBus {
 public:
  // Starts the bus and waits until it serves; throws when it does not within the time limit.
  explicit SessionBus(const DesktopSession& session);
  SessionBus(const SessionBus&) = delete;
  SessionBus& operator=(const SessionBus&) = delete;
  ~SessionBus();

  // As DBUS_SESSION_BUS_ADDRESS carries it.
  const std::string& address() const { return address_; }
  // This process's own connection to the bus.
  QDBusConnection connection() const;

 private:
  std::string address_;
  std::string connectionName_;
  std::unique_ptr<ChildProcess> daemon_;
};

}  // namespace dovrik::sessiontest
