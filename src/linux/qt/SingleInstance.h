// Keeps one Dovrik per user and display: a later start hands the running one a re-open
// request instead of starting a second tray icon and a second set of hotkeys.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>

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

  Claim claim();
  // Called on the event loop of the primary each time a later start asks it to re-open.
  void setReopenHandler(std::function<void()> handler) { onReopen_ = std::move(handler); }

  QString socketPath() const;

 private:
  bool forwardReopen();
  void acceptConnections();

  QString directory_;
  QString key_;
  std::unique_ptr<QLockFile> lock_;
  std::unique_ptr<QLocalServer> server_;
  std::function<void()> onReopen_;
};

}  // namespace dovrik::qt
