// Serving the script's calls and ringing for the queued commands.
#include "linux/kwin/KWinBridge.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <utility>

#include "linux/kwin/KWinNames.h"
#include "linux/scriptreport/ScriptReportFeed.h"

namespace dovrik::kwin {

KWinBridge::KWinBridge(QDBusConnection connection, mirror::WindowMirror& mirror,
                       const QString& serviceName, int warmMilliseconds)
    : connection_(std::move(connection)),
      mirror_(mirror),
      serviceName_(serviceName),
      warmth_(new QTimer(this)) {
  warmth_->setSingleShot(true);
  warmth_->setInterval(warmMilliseconds);
  connect(warmth_, &QTimer::timeout, this, [this] { answerHeldFetch(); });
  watcher_ = new QDBusServiceWatcher(QString::fromLatin1(kwinService), connection_,
                                     QDBusServiceWatcher::WatchForOwnerChange, this);
  connect(
      watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
      [this](const QString&, const QString&, const QString& owner) { kwinOwnerChanged(owner); });
  // The watcher only reports changes: the owner at start is asked for once.
  if (QDBusConnectionInterface* bus = connection_.interface()) {
    const QDBusReply<QString> owner = bus->serviceOwner(QString::fromLatin1(kwinService));
    if (owner.isValid())
      kwinOwner_ = owner.value();
  }
  serving_ = connection_.registerObject(QString::fromLatin1(bridgePath), this,
                                        QDBusConnection::ExportAllSlots) &&
             connection_.registerService(serviceName_);
}

KWinBridge::~KWinBridge() {
  answerHeldFetch();
  connection_.unregisterObject(QString::fromLatin1(bridgePath));
  if (serving_)
    connection_.unregisterService(serviceName_);
}

bool KWinBridge::calledByKWin() {
  if (!calledFromDBus())
    return false;
  if (!kwinOwner_.isEmpty() && message().service() == kwinOwner_)
    return true;
  sendErrorReply(QDBusError::AccessDenied, QStringLiteral("Only KWin may call Dovrik here."));
  return false;
}

void KWinBridge::kwinOwnerChanged(const QString& owner) {
  kwinOwner_ = owner;
  // Whatever the old KWin reported, or was asked, is gone with it.
  queue_.clear();
  rung_ = false;
  warmth_->stop();
  heldFetch_.reset();
  mirror_.forget();
}

void KWinBridge::Push(const QString& message) {
  if (!calledByKWin())
    return;
  const auto parsed = scriptreport::parseScriptMessage(message.toStdString());
  if (!parsed)
    return;
  scriptreport::applyScriptMessage(mirror_, *parsed);
  // Commands queued while the script was starting were rung for in vain.
  if (std::holds_alternative<scriptreport::HelloMessage>(parsed->body) && !queue_.empty())
    ringDoorbell();
}

QString KWinBridge::TakeCommands() {
  if (!calledByKWin())
    return {};
  rung_ = false;
  if (queue_.empty() && !heldFetch_) {
    setDelayedReply(true);
    heldFetch_ = message();
    warmth_->start();
    return {};
  }
  return takeQueue();
}

QString KWinBridge::takeQueue() {
  const std::string commands = encodeCommands(queue_);
  queue_.clear();
  return QString::fromStdString(commands);
}

void KWinBridge::answerHeldFetch() {
  warmth_->stop();
  if (!heldFetch_)
    return;
  const QDBusMessage fetch = *std::exchange(heldFetch_, std::nullopt);
  connection_.send(fetch.createReply(takeQueue()));
}

void KWinBridge::send(ScriptCommand command) {
  // Without KWin nobody could carry it out; a KWin that comes later reports afresh.
  if (kwinOwner_.isEmpty())
    return;
  queue_.push_back(std::move(command));
  // Commands sent together (a frame and an activation) go out in one answer.
  if (heldFetch_) {
    if (!answerQueued_) {
      answerQueued_ = true;
      QTimer::singleShot(0, this, [this] {
        answerQueued_ = false;
        answerHeldFetch();
      });
    }
    return;
  }
  // One ring fetches everything queued until the script's call arrives.
  if (!rung_)
    ringDoorbell();
}

void KWinBridge::ringDoorbell() {
  rung_ = true;
  QDBusMessage ring = QDBusMessage::createMethodCall(
      QString::fromLatin1(globalAccelService), QStringLiteral("/component/kwin"),
      QStringLiteral("org.kde.kglobalaccel.Component"), QStringLiteral("invokeShortcut"));
  ring << QString::fromLatin1(doorbellShortcut);
  ring.setAutoStartService(false);
  auto* pending = new QDBusPendingCallWatcher(connection_.asyncCall(ring), this);
  connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
    // Unanswered (the script not yet listening, or KWin busy): the next command rings again,
    // and so does the script's hello.
    if (call->isError())
      rung_ = false;
    call->deleteLater();
  });
}

}  // namespace dovrik::kwin
