// The test server: one request per connection, then the route's answer.
#include "UpdateTestServer.h"

#include <QTcpSocket>

namespace {

constexpr qint64 kStreamBytes = 50LL * 1024 * 1024;

QByteArray header(const QByteArray& status, const QByteArray& fields) {
  return "HTTP/1.1 " + status + "\r\nConnection: close\r\n" + fields + "\r\n";
}

}  // namespace

UpdateTestServer::UpdateTestServer() {
  server_.listen(QHostAddress::LocalHost);
  connect(&server_, &QTcpServer::newConnection, this, [this] {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
      connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
        if (socket->property("answered").toBool() || !socket->peek(8192).contains("\r\n\r\n"))
          return;
        socket->setProperty("answered", true);
        const QList<QByteArray> requestLine = socket->readLine().trimmed().split(' ');
        answer(socket, requestLine.value(1));
      });
    }
  });
}

QString UpdateTestServer::url(const QByteArray& path) const {
  return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
}

void UpdateTestServer::answer(QTcpSocket* socket, const QByteArray& path) {
  const auto found = routes_.constFind(path);
  const Behaviour behaviour = found == routes_.cend() ? Behaviour::serve : found->behaviour;
  if (behaviour == Behaviour::stayQuiet)
    return;
  if (behaviour == Behaviour::stream)
    return stream(socket);
  if (found == routes_.cend()) {
    socket->write(header("404 Not Found", "Content-Length: 0\r\n"));
  } else if (behaviour == Behaviour::redirect) {
    socket->write(
        header("302 Found", "Location: " + found->location + "\r\nContent-Length: 0\r\n"));
  } else {
    const QByteArray& body = found->body;
    const qsizetype sent = behaviour == Behaviour::closeEarly ? body.size() / 2 : body.size();
    socket->write(header("200 OK", "Content-Length: " + QByteArray::number(body.size()) + "\r\n") +
                  body.left(sent));
  }
  socket->disconnectFromHost();
}

// Writes a piece whenever the previous one has left, so the amount sent tracks what the client
// takes in.
void UpdateTestServer::stream(QTcpSocket* socket) {
  streamed_ = 0;
  streamEnded_ = false;
  const auto end = [this] { streamEnded_ = true; };
  connect(socket, &QTcpSocket::disconnected, this, end);
  connect(socket, &QTcpSocket::errorOccurred, this, end);
  connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] {
    if (streamEnded_ || socket->bytesToWrite() > 0)
      return;
    if (streamed_ >= kStreamBytes) {
      streamEnded_ = true;
      socket->disconnectFromHost();
      return;
    }
    const QByteArray piece(64 * 1024, 'x');
    socket->write(piece);
    streamed_ += piece.size();
  });
  socket->write(header("200 OK", ""));
}
