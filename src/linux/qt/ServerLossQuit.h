// Ends Dovrik when the X server goes away (it crashed, or the session ended without telling
// us): one line the user can read, what waits to be saved written, the single-instance claim
// given up, and a failure status; not a busy loop on a dead connection, nor Qt's own warning.
#pragma once

#include <QtGlobal>
#include <functional>

namespace dovrik::qt {

class ServerLossQuit {
 public:
  // `beforeExit` writes what waits to be saved and gives up what the process holds. One
  // instance per process, alive while the event loop runs, where both connections hear of the
  // loss.
  explicit ServerLossQuit(std::function<void()> beforeExit);
  ServerLossQuit(const ServerLossQuit&) = delete;
  ServerLossQuit& operator=(const ServerLossQuit&) = delete;
  ~ServerLossQuit();

  // Our own connection saw the server go: the event loop ends with a failure status.
  void lost();

 private:
  // Qt's connection hears of the loss too, before or after ours: it warns, then calls exit(1)
  // at once, without unwinding, so `beforeExit` runs here, in place of Qt's warning.
  static void handleMessage(QtMsgType type, const QMessageLogContext& context,
                            const QString& message);
  void tell();

  std::function<void()> beforeExit_;
  QtMessageHandler previous_ = nullptr;
  bool told_ = false;
};

}  // namespace dovrik::qt
