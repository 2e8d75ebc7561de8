// Keeps one Dovrik per user and display: a later start hands the running one a re-open
// request instead of starting a second tray icon and a second set of hotkeys, and a command
// line client (ipc::askInstance) asks it for one command and reads back its answer.
#pragma once

#include <QByteArray>
#include <QLocalServer>
#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QLocalSocket;

namespace dovrik::qt {

class SingleInstance {
 public:
  enum class Claim {
    primary,    // this process is the one that runs
    forwarded,  // another one runs and has been asked to re-open
    failed,     // another one holds the claim but could not be reached
  };

  // `directory` holds the lock file and the socket; `key` names the session (user and display).
  SingleInstance(QString directory, QString key);
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;
  ~SingleInstance();

  // The runtime directory of the user and a key naming the user and the X display.
  static SingleInstance forCurrentSession();

  // `predecessor` is the Dovrik this one replaces: while it still holds the claim, it is given
  // a few seconds to leave before the claim counts as another one's.
  Claim claim(std::optional<qint64> predecessor = std::nullopt);
  // Called on the event loop of the primary each time a later start asks it to re-open.
  void setReopenHandler(std::function<void()> handler) { onReopen_ = std::move(handler); }
  // Called on the event loop of the primary with each request line (without its line break);
  // hands the reply line to its second argument, at once or later on the same loop.
  using Reply = std::function<void(const QByteArray&)>;
  void setRequestHandler(std::function<void(const QByteArray&, Reply)> handler) {
    onRequest_ = std::move(handler);
  }

  // Gives the claim up at once: the socket closes and the lock goes. For a process about to end
  // without unwinding.
  void release();

  QString socketPath() const;
  // Whether a live Dovrik holds the claim.
  bool isClaimed() const { return lockHolder().has_value(); }

 private:
  QString lockPath() const;
  // The process holding the lock, if it still lives; the lock is not taken.
  std::optional<qint64> lockHolder() const;
  bool forwardReopen();
  void acceptConnections();
  void serve(QLocalSocket* socket);

  QString directory_;
  QString key_;
  std::unique_ptr<QLockFile> lock_;
  std::unique_ptr<QLocalServer> server_;
  std::function<void()> onReopen_;
  std::function<void(const QByteArray&, Reply)> onRequest_;
};

}  // namespace dovrik::qt
