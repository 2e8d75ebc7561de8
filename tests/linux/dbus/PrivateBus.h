// A session bus of the test's own, for D-Bus code that must be tested against other
// connections (a stand-in compositor or Shell, a stranger) without any desktop.
#pragma once

#include <sys/types.h>

#include <QDBusConnection>
#include <QString>
#include <QTemporaryDir>
#include <functional>

namespace dovrik::dbustest {

// True as soon as `condition` holds, handling Qt's events meanwhile; false after
// `milliseconds`.
bool waitFor(const std::function<bool()>& condition, int milliseconds = 5000);

// A dbus-daemon started for the test and stopped by its process id.
class PrivateBus {
 public:
  PrivateBus();
  PrivateBus(const PrivateBus&) = delete;
  PrivateBus& operator=(const PrivateBus&) = delete;
  ~PrivateBus();

  QDBusConnection connect(const QString& name) const;
  const QString& address() const { return address_; }

  static bool available();
  // D-Bus in Qt needs an application object.
  static void ensureApplication();

 private:
  QTemporaryDir folder_;
  QString address_;
  pid_t pid_ = -1;
};

}  // namespace dovrik::dbustest
