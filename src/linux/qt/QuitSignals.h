// The signals a session sends to end a program (SIGTERM at logout or from systemd, SIGINT from
// a terminal, SIGHUP when the terminal goes) end Dovrik's event loop as "Quit Dovrik" does, so
// that what waits to be saved is written before the process ends.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace dovrik::qt {

class QuitSignals : public QObject {
 public:
  // Installs the handlers; one instance per process.
  explicit QuitSignals(QObject* parent = nullptr);
  ~QuitSignals() override;

 private:
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace dovrik::qt
