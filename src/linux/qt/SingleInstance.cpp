// One Dovrik per user and display: a lock file decides who runs, a local socket carries the
// re-open request of later starts and the command requests of the command line.
#include "linux/qt/SingleInstance.h"

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <cerrno>

#include "linux/files/FileIo.h"

namespace dovrik::qt {
namespace {

const QByteArray kReopen = "reopen\n";
// How long a later start keeps trying to reach a primary that holds the lock but may still be
// starting up and not yet listening.
constexpr int kConnectWindowMs = 3000;
// How long a command line client waits for the whole exchange.
constexpr int kAnswerWindowMs = 5000;
constexpr int kRetryPauseMs = 50;
// How long a relaunched Dovrik waits for the one it replaces to quit.
constexpr int kHandOverWindowMs = 10000;
// Any local process of the user can write to the socket: a request longer than this, or a
// connection that sends no request in time, is dropped.
constexpr qint64 kMaxRequestBytes = 64 * 1024;
constexpr int kIdleConnectionMs = 5000;
constexpr qint64 kMaxReplyBytes = 4 * 1024 * 1024;

QString sanitized(const QString& text) {
  QString out;
  for (const QChar c : text)
    out += (c.isLetterOrNumber() || c == '.' || c == '-') ? c : QChar('_');
  return out;
}

// Whether the process at the other end runs as this user. The socket's mode already keeps
// others out, but a runtime folder with loose permissions must not let them in.
bool fromThisUser(const QLocalSocket& socket) {
  ucred peer{};
  socklen_t size = sizeof peer;
  return ::getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer,
                      &size) == 0 &&
         peer.uid == ::getuid();
}

int remainingMs(const QDeadlineTimer& deadline) {
  return static_cast<int>(deadline.remainingTime());
}

// Connects before the deadline, retrying while `keepTrying` says a primary may still come.
std::unique_ptr<QLocalSocket> connectTo(const QString& path, const QDeadlineTimer& deadline,
                                        const std::function<bool()>& keepTrying) {
  while (!deadline.hasExpired()) {
    auto socket = std::make_unique<QLocalSocket>();
    socket->connectToServer(path);
    if (socket->waitForConnected(remainingMs(deadline)))
      return socket;
    if (!keepTrying())
      break;
    QThread::msleep(kRetryPauseMs);
  }
  return nullptr;
}

}  // namespace

SingleInstance::SingleInstance(QString directory, QString key)
    : directory_(std::move(directory)), key_(std::move(key)) {}

SingleInstance::~SingleInstance() {
  release();
}

void SingleInstance::release() {
  if (server_)
    server_->close();
  if (lock_)
    lock_->unlock();
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

QString SingleInstance::lockPath() const {
  return directory_ + QStringLiteral("/dovrik-") + key_ + QStringLiteral(".lock");
}

SingleInstance::Claim SingleInstance::claim(std::optional<qint64> predecessor) {
  // A runtime folder that has to be made is the user's alone; one that exists stays as it is.
  files::createFolders(directory_.toStdString());
  auto lock = std::make_unique<QLockFile>(lockPath());
  // A lock is stale only when its process is gone, never because it is old: Dovrik runs for
  // days.
  lock->setStaleLockTime(0);
  const bool taken = lock->tryLock(0) || (predecessor && lockHolder() == predecessor &&
                                          lock->tryLock(kHandOverWindowMs));
  if (!taken)
    return forwardReopen() ? Claim::forwarded : Claim::failed;

  lock_ = std::move(lock);
  // QLockFile creates the file with the umask's mode; it names this process, for the user only.
  QFile::setPermissions(lockPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
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

std::optional<qint64> SingleInstance::lockHolder() const {
  qint64 pid = 0;
  QString hostname, appname;
  if (!QLockFile(lockPath()).getLockInfo(&pid, &hostname, &appname) || pid <= 0)
    return std::nullopt;
  if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM)
    return std::nullopt;
  return pid;
}

bool SingleInstance::forwardReopen() {
  const QDeadlineTimer deadline(kConnectWindowMs);
  const auto socket = connectTo(socketPath(), deadline, [] { return true; });
  if (!socket)
    return false;
  socket->write(kReopen);
  const bool sent = socket->waitForBytesWritten(remainingMs(deadline));
  socket->disconnectFromServer();
  return sent;
}

SingleInstance::Answer SingleInstance::ask(const QByteArray& request) const {
  const QDeadlineTimer deadline(kAnswerWindowMs);
  const auto socket = connectTo(socketPath(), deadline, [this] { return primaryHoldsLock(); });
  if (!socket)
    return {primaryHoldsLock() ? Answer::Status::noAnswer : Answer::Status::notRunning, {}};
  socket->write(request + '\n');
  while (!socket->canReadLine()) {
    if (socket->bytesAvailable() > kMaxReplyBytes ||
        !socket->waitForReadyRead(remainingMs(deadline)))
      return {Answer::Status::noAnswer, {}};
  }
  return {Answer::Status::answered, socket->readLine().chopped(1)};
}

void SingleInstance::acceptConnections() {
  while (QLocalSocket* socket = server_->nextPendingConnection())
    serve(socket);
}

void SingleInstance::serve(QLocalSocket* socket) {
  if (!fromThisUser(*socket)) {
    socket->abort();
    socket->deleteLater();
    return;
  }
  auto readRequests = [this, socket] {
    while (socket->canReadLine()) {
      const QByteArray line = socket->readLine();
      if (line == kReopen) {
        if (onReopen_)
          onReopen_();
        continue;
      }
      if (line.size() > kMaxRequestBytes || !onRequest_) {
        socket->abort();
        return;
      }
      // One request per connection: the reply ends it, and whatever follows is not read.
      QObject::disconnect(socket, &QLocalSocket::readyRead, nullptr, nullptr);
      socket->write(onRequest_(line.chopped(1)) + '\n');
      // Now, not on a later turn: the request may have been to quit.
      socket->flush();
      socket->disconnectFromServer();
      return;
    }
    if (socket->bytesAvailable() > kMaxRequestBytes)
      socket->abort();
  };
  QObject::connect(socket, &QLocalSocket::readyRead, socket, readRequests);
  QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
  QTimer::singleShot(kIdleConnectionMs, socket, [socket] {
    socket->abort();
    socket->deleteLater();
  });
  // The request may have arrived, and the sender gone, before the signals were connected.
  readRequests();
  if (socket->state() == QLocalSocket::UnconnectedState)
    socket->deleteLater();
}

}  // namespace dovrik::qt
