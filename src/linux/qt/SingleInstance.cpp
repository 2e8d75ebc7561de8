// One Dovrik per user and display: a lock file decides who runs, a local socket carries the
// re-open request of later starts.
#include "linux/qt/SingleInstance.h"

#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace dovrik::qt {
namespace {

const QByteArray kReopen = "reopen\n";
// How long a later start keeps trying to reach a primary that holds the lock but may still be
// starting up and not yet listening.
constexpr int kConnectWindowMs = 3000;
constexpr int kRetryPauseMs = 50;

QString sanitized(const QString& text) {
  QString out;
  for (const QChar c : text)
    out += (c.isLetterOrNumber() || c == '.' || c == '-') ? c : QChar('_');
  return out;
}

}  // namespace

SingleInstance::SingleInstance(QString directory, QString key)
    : directory_(std::move(directory)), key_(std::move(key)) {}

SingleInstance::~SingleInstance() {
  if (server_)
    server_->close();
}

SingleInstance SingleInstance::forCurrentSession() {
  QString directory = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (directory.isEmpty())
    directory = QDir::tempPath();
  const QString display = qEnvironmentVariable("DISPLAY", QStringLiteral("none"));
  return SingleInstance(directory, QString::number(::getuid()) + '-' + sanitized(display));
}

QString SingleInstance::socketPath() const {
  return directory_ + QStringLiteral("/dovrik-") + key_ + QStringLiteral(".socket");
}

SingleInstance::Claim SingleInstance::claim() {
  QDir().mkpath(directory_);
  auto lock = std::make_unique<QLockFile>(directory_ + QStringLiteral("/dovrik-") + key_ +
                                          QStringLiteral(".lock"));
  // A lock is stale only when its process is gone, never because it is old: Dovrik runs for
  // days.
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0))
    return forwardReopen() ? Claim::forwarded : Claim::failed;

  lock_ = std::move(lock);
  // Holding the lock means any socket left behind belongs to a process that died.
  QLocalServer::removeServer(socketPath());
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(socketPath())) {
    // Still the primary: only re-open requests of later starts are lost.
    server_.reset();
    return Claim::primary;
  }
  QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(),
                   [this] { acceptConnections(); });
  return Claim::primary;
}

bool SingleInstance::forwardReopen() {
  QDeadlineTimer deadline(kConnectWindowMs);
  while (!deadline.hasExpired()) {
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) {
      socket.write(kReopen);
      const bool sent = socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()));
      socket.disconnectFromServer();
      return sent;
    }
    QThread::msleep(kRetryPauseMs);
  }
  return false;
}

void SingleInstance::acceptConnections() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    auto readRequest = [this, socket] {
      while (socket->canReadLine()) {
        if (socket->readLine() == kReopen && onReopen_)
          onReopen_();
      }
      // A request is one short line; anything longer is not one of ours.
      if (socket->bytesAvailable() > kReopen.size())
        socket->abort();
    };
    QObject::connect(socket, &QLocalSocket::readyRead, socket, readRequest);
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    // The request may have arrived, and the sender gone, before the signals were connected.
    readRequest();
    if (socket->state() == QLocalSocket::UnconnectedState)
      socket->deleteLater();
  }
}

}  // namespace dovrik::qt
