// One Dovrik per user and display: a lock file decides who runs, a local socket carries the
// re-open request of later starts and the command requests of the command line.
#include "linux/qt/SingleInstance.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include "linux/files/FileIo.h"
#include "linux/ipc/InstancePaths.h"

namespace dovrik::qt {
namespace {

const QByteArray kReopen = "reopen\n";
// How long a later start keeps trying to reach a primary that holds the lock but may still be
// starting up and not yet listening.
constexpr int kConnectWindowMs = 3000;
constexpr int kRetryPauseMs = 50;
// How long a relaunched Dovrik waits for the one it replaces to quit.
constexpr int kHandOverWindowMs = 10000;
// Any local process of the user can write to the socket: a request longer than this, or a
// connection that sends no request in time, is dropped.
constexpr qint64 kMaxRequestBytes = 64 * 1024;
constexpr int kIdleConnectionMs = 5000;

ipc::InstancePaths pathsOf(const QString& directory, const QString& key) {
  return {QFile::encodeName(directory).toStdString(), QFile::encodeName(key).toStdString()};
}

QString fileName(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.native()));
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

// Connects before the deadline, retrying while a primary may still be starting.
std::unique_ptr<QLocalSocket> connectTo(const QString& path, const QDeadlineTimer& deadline) {
  while (!deadline.hasExpired()) {
    auto socket = std::make_unique<QLocalSocket>();
    socket->connectToServer(path);
    if (socket->waitForConnected(remainingMs(deadline)))
      return socket;
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
  const ipc::InstancePaths paths = ipc::InstancePaths::forCurrentSession();
  return SingleInstance(fileName(paths.directory), QFile::decodeName(paths.key.c_str()));
}

QString SingleInstance::socketPath() const {
  return fileName(pathsOf(directory_, key_).socket());
}

QString SingleInstance::lockPath() const {
  return fileName(pathsOf(directory_, key_).lock());
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
  return ipc::lockHolder(pathsOf(directory_, key_).lock());
}

bool SingleInstance::forwardReopen() {
  const QDeadlineTimer deadline(kConnectWindowMs);
  const auto socket = connectTo(socketPath(), deadline);
  if (!socket)
    return false;
  socket->write(kReopen);
  const bool sent = socket->waitForBytesWritten(remainingMs(deadline));
  socket->disconnectFromServer();
  return sent;
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
      // A reply that comes later finds the socket gone if the client gave up meanwhile.
      onRequest_(line.chopped(1),
                 [socket = QPointer<QLocalSocket>(socket)](const QByteArray& reply) {
                   if (!socket)
                     return;
                   socket->write(reply + '\n');
                   // Now, not on a later turn: the request may have been to quit.
                   socket->flush();
                   socket->disconnectFromServer();
                 });
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
