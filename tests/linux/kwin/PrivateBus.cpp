#include "PrivateBus.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QStandardPaths>
#include <string>

namespace dovrik::kwin::test {

bool waitFor(const std::function<bool()>& condition) {
  const QDeadlineTimer deadline(5000);
  while (!condition()) {
    if (deadline.hasExpired())
      return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

// The daemon prints its address once it accepts connections; its socket file appears before
// that, and a connection made in between is refused.
PrivateBus::PrivateBus() {
  const QString socket = folder_.path() + QStringLiteral("/bus");
  address_ = QStringLiteral("unix:path=") + socket;
  int ready[2];
  if (pipe(ready) != 0)
    return;
  pid_ = fork();
  if (pid_ == 0) {
    close(ready[0]);
    const std::string listen = "--address=" + address_.toStdString();
    const std::string print = "--print-address=" + std::to_string(ready[1]);
    execlp("dbus-daemon", "dbus-daemon", "--session", "--nofork", "--nopidfile", listen.c_str(),
           print.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(ready[1]);
  pollfd readable{ready[0], POLLIN, 0};
  char line[512];
  if (poll(&readable, 1, 5000) > 0) [[maybe_unused]]
    const ssize_t got = read(ready[0], line, sizeof line);
  close(ready[0]);
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
  static char name[] = "dovrik_linux_kwin_tests";
  static char* argv[] = {name, nullptr};
  if (!QCoreApplication::instance())
    new QCoreApplication(argc, argv);
}

}  // namespace dovrik::kwin::test
