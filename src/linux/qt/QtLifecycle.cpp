// Quitting and relaunching the agent.
#include "linux/qt/QtLifecycle.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <cstdlib>
#include <utility>

namespace dovrik::qt {
namespace {

// Names the process a relaunched Dovrik replaces.
constexpr char kReplacesVariable[] = "DOVRIK_REPLACES";

}  // namespace

QtLifecycle::QtLifecycle(std::filesystem::path executable,
                         std::function<void(const std::string&)> log)
    : executable_(std::move(executable)), log_(std::move(log)) {}

void QtLifecycle::quit() {
  // Queued: a command line request that asked for it still gets its answer.
  QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                            Qt::QueuedConnection);
}

void QtLifecycle::relaunch() {
  QProcess process;
  process.setProgram(QString::fromStdString(executable_.string()));
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(kReplacesVariable, QString::number(QCoreApplication::applicationPid()));
  process.setProcessEnvironment(environment);
  // Quitting without a successor would leave the user with no Dovrik at all.
  if (!process.startDetached()) {
    log_("Dovrik could not start again from " + executable_.string() + ": " +
         process.errorString().toStdString() + "; it keeps running.");
    return;
  }
  quit();
}

std::optional<qint64> QtLifecycle::takePredecessor() {
  const QByteArray value = qgetenv(kReplacesVariable);
  ::unsetenv(kReplacesVariable);
  bool ok = false;
  const qint64 pid = value.toLongLong(&ok);
  if (!ok || pid <= 0)
    return std::nullopt;
  return pid;
}

}  // namespace dovrik::qt
