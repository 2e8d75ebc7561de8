// Dovrik's end of the conversation with its KWin script: an object on the session bus that
// takes the script's reports into the mirror and hands it the queued commands. Only the
// current owner of org.kde.KWin is heard; any other caller is refused, so no other program can
// feed Dovrik windows or read what it is about to do.
#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>
#include <vector>

#include "linux/kwin/KWinCommands.h"
#include "linux/mirror/WindowMirror.h"

class QDBusServiceWatcher;

namespace dovrik::kwin {

class KWinBridge : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.dovrik.KWin")

 public:
  // Serves on `connection` under `serviceName`; the mirror is forgotten whenever KWin leaves.
  // After the script fetched commands, its next fetch is held open for `warmMilliseconds`.
  KWinBridge(QDBusConnection connection, mirror::WindowMirror& mirror,
             const QString& serviceName = QStringLiteral("org.dovrik.Dovrik"),
             int warmMilliseconds = 5000);
  ~KWinBridge() override;

  // Whether the object and its name are on the bus; false when another Dovrik holds the name.
  bool isServing() const { return serving_; }
  // Queues a command and hands it to a fetch held open, or rings the script's doorbell when
  // none is and the queue was empty.
  void send(ScriptCommand command);

 public Q_SLOTS:
  void Push(const QString& message);
  QString TakeCommands();

 private:
  bool calledByKWin();
  void kwinOwnerChanged(const QString& owner);
  void ringDoorbell();
  QString takeQueue();
  void answerHeldFetch();

  QDBusConnection connection_;
  mirror::WindowMirror& mirror_;
  QString serviceName_;
  bool serving_ = false;
  QString kwinOwner_;
  QDBusServiceWatcher* watcher_ = nullptr;
  std::vector<ScriptCommand> queue_;
  // The doorbell rang for the queue and the script has not fetched it yet.
  bool rung_ = false;
  // Right after a command another tends to follow (an animation's next step, the next snap):
  // the script fetches again at once, and that fetch is held open so the next command goes out
  // without the doorbell's extra round trip. A few quiet seconds answer it empty, and from then
  // on nothing runs until the doorbell rings.
  std::optional<QDBusMessage> heldFetch_;
  QTimer* warmth_ = nullptr;
  bool answerQueued_ = false;
};

}  // namespace dovrik::kwin
