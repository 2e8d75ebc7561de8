// Wiring the connection's descriptor into the Qt event loop.
#include "linux/x11/XEventPump.h"

#include <QAbstractEventDispatcher>
#include <QThread>

#include "linux/x11/XConnection.h"

namespace dovrik::x11 {

XEventPump::XEventPump(XConnection& connection, QObject* parent) : QObject(parent), x_(connection) {
  if (!x_.isConnected())
    return;
  notifier_ = new QSocketNotifier(x_.fd(), QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { dispatch(); });
  // Any round trip can leave events queued inside xcb without new data on the socket, which
  // the notifier would not report; look again each time the loop is about to wait.
  if (auto* dispatcher = QAbstractEventDispatcher::instance(thread())) {
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
      if (x_.hasPendingEvents())
        dispatch();
    });
  }
}

void XEventPump::dispatch() {
  x_.dispatchPending();
  // A closed socket stays readable for ever: watching it further would spin.
  if (x_.isConnected() || !notifier_->isEnabled())
    return;
  notifier_->setEnabled(false);
  if (onLost_)
    onLost_();
}

}  // namespace dovrik::x11
