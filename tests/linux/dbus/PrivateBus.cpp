#include "PrivateBus.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>

namespace dovrik::dbustest {

bool waitFor(const std::function<bool()>& condition, int milliseconds) {
  const QDeadlineTimer deadline(milliseconds);
  while (!condition()) {
    if (deadline.hasExpired())
      return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

PrivateBus::PrivateBus() {
  const QString socket = folder_.path() + QStringLiteral("/bus");
  address_ = QStringLiteral("unix:path=") + socket;
  pid_ = fork();
  if (pid_ == 0) {
    const std::string listen = "--address=" + address_.toStdString();
    execlp("dbus-daemon", "dbus-daemon", "--session", "--nofork", "--nopidfile", listen.c_str(),
           static_cast<char*>(nullptr));
    _exit(127);
  }
  // The socket appears before the daemon listens on it: ready is when a connection is taken.
  waitFor([&] {
    if (!QFile::exists(socket))
      return false;
    const QString probe = QStringLiteral("probe");
    const bool connected = QDBusConnection::connectToBus(address_, probe).isConnected();
    QDBusConnection::disconnectFromBus(probe);
    return connected;
  });
}

PrivateBus::~PrivateBus() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
}

QDBusConnection PrivateBus::connect(const QString& name) const {
  return QDBusConnection::connectToBus(address_, name);
}

bool PrivateBus::available() {
  return !QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty();
}

void PrivateBus::ensureApplication() {
  static int argc = 1;
  static char name[] = "dovrik_dbus_tests";
  static char* argv[] = {name, nullptr};
  if (!QCoreApplication::instance())
    new QCoreApplication(argc, argv);
}

}  // namespace dovrik::dbustest
