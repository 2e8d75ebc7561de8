// A small HTTP/1.1 server on 127.0.0.1 for the updater's tests, which answers each path well or
// with a chosen misbehaviour.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QTcpServer>

class QTcpSocket;

class UpdateTestServer : public QObject {
 public:
  // closeEarly announces the whole body, sends half and hangs up; stayQuiet never answers;
  // stream sends 50 MB with no length announced while the client reads; redirect sends the
  // client to `location`.
  enum class Behaviour { serve, closeEarly, stayQuiet, stream, redirect };
  struct Route {
    Behaviour behaviour = Behaviour::serve;
    QByteArray body;
    QByteArray location;
  };

  UpdateTestServer();

  void route(const QByteArray& path, Route route) { routes_[path] = std::move(route); }
  QString url(const QByteArray& path) const;
  // How much a stream sent, and whether it is over (finished or the client went away).
  qint64 streamed() const { return streamed_; }
  bool streamEnded() const { return streamEnded_; }

 private:
  void answer(QTcpSocket* socket, const QByteArray& path);
  void stream(QTcpSocket* socket);

  QTcpServer server_;
  QHash<QByteArray, Route> routes_;
  qint64 streamed_ = 0;
  bool streamEnded_ = false;
};
