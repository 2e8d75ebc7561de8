// Puts Dovrik's script into KWin: at start, again whenever KWin comes back to the bus, and out
// again when Dovrik quits. The script travels inside the program, so a relocated copy has it;
// KWin reads it from a file in Dovrik's private runtime folder.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QTimer>

class QDBusServiceWatcher;

namespace dovrik::kwin {

class KWinScriptLoader : public QObject {
  Q_OBJECT

 public:
  // `runtimeFolder` empty means $XDG_RUNTIME_DIR/dovrik.
  explicit KWinScriptLoader(QDBusConnection connection, QString runtimeFolder = {},
                            QString scriptName = QStringLiteral("dovrik"));
  ~KWinScriptLoader() override;

  // Whether the last attempt got the script running.
  bool isLoaded() const { return loaded_; }
  // Why it did not, for the logs; empty when it did.
  const QString& lastError() const { return lastError_; }

  // The script's text as shipped.
  static QByteArray scriptSource();

 private:
  void load();
  bool attempt();
  bool writeScript(QString& path);
  bool run(int id);

  QDBusConnection connection_;
  QString folder_;
  QString name_;
  QDBusServiceWatcher* watcher_ = nullptr;
  static constexpr int maxAttempts = 40;
  static constexpr int retryIntervalMs = 250;
  bool loaded_ = false;
  int attemptsLeft_ = maxAttempts;
  QTimer retry_;
  QString lastError_;
};

}  // namespace dovrik::kwin
