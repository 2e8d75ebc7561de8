// Lets the Qt event loop service our X connection: events are dispatched when the socket has
// data and before the loop goes to sleep.
#pragma once

#include <QObject>
#include <QSocketNotifier>

namespace dovrik::x11 {

// Declared, not included: its observer type has a member named like Qt's `emit` keyword.
class XConnection;

class XEventPump : public QObject {
 public:
  // Must be created on the thread that runs the Qt event loop, after the application object.
  explicit XEventPump(XConnection& connection, QObject* parent = nullptr);

 private:
  XConnection& x_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace dovrik::x11
