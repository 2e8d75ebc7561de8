// Lets the Qt event loop service our X connection: events are dispatched when the socket has
// data and before the loop goes to sleep. When the server goes away, it stops watching and says
// so once.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>

namespace dovrik::x11 {

// Declared, not included: its observer type has a member named like Qt's `emit` keyword.
class XConnection;

class XEventPump : public QObject {
 public:
  // Must be created on the thread that runs the Qt event loop, after the application object.
  explicit XEventPump(XConnection& connection, QObject* parent = nullptr);

  // Called once, on the event loop, when the connection breaks.
  void setConnectionLostHandler(std::function<void()> handler) { onLost_ = std::move(handler); }

 private:
  void dispatch();

  XConnection& x_;
  std::function<void()> onLost_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace dovrik::x11
