// Lets the Qt event loop service our X connection: events are dispatched when the socket has
// data, before the loop goes to sleep, and when a subscriber asked to be woken. When the server
// goes away, it stops watching and says so once.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
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
  // Wake-ups and paced reading are asked for while events are handled, so they are armed
  // after each dispatch.
  void armWake(bool handledEvents);

  XConnection& x_;
  std::function<void()> onLost_;
  QSocketNotifier* notifier_ = nullptr;
  QTimer* wake_ = nullptr;
  // Runs while the socket is left unwatched to pace reading; its end reads again.
  QTimer* pace_ = nullptr;
  bool lost_ = false;
};

}  // namespace dovrik::x11
