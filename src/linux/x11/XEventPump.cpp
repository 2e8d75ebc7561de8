// Wiring the connection's descriptor into the Qt event loop.
#include "linux/x11/XEventPump.h"

#include <QAbstractEventDispatcher>
#include <QThread>
#include <cmath>
#include <utility>

#include "linux/x11/XConnection.h"

namespace dovrik::x11 {

XEventPump::XEventPump(XConnection& connection, QObject* parent) : QObject(parent), x_(connection) {
  if (!x_.isConnected())
    return;
  notifier_ = new QSocketNotifier(x_.fd(), QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { dispatch(); });
  wake_ = new QTimer(this);
  wake_->setSingleShot(true);
  // A coarse timer may fire early, and the wake-up would wait for a whole further round.
  wake_->setTimerType(Qt::PreciseTimer);
  connect(wake_, &QTimer::timeout, this, [this] { dispatch(); });
  pace_ = new QTimer(this);
  pace_->setSingleShot(true);
  pace_->setTimerType(Qt::PreciseTimer);
  connect(pace_, &QTimer::timeout, this, [this] {
    notifier_->setEnabled(true);
    dispatch();
  });
  // Any round trip can leave events queued inside xcb without new data on the socket, which
  // the notifier would not report; look again each time the loop is about to wait.
  if (auto* dispatcher = QAbstractEventDispatcher::instance(thread())) {
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
      if (!pace_->isActive() && x_.hasPendingEvents())
        dispatch();
    });
  }
}

void XEventPump::dispatch() {
  const std::size_t handled = x_.dispatchPending();
  if (x_.isConnected()) {
    armWake(handled > 0);
    return;
  }
  // A closed socket stays readable for ever: watching it further would spin.
  notifier_->setEnabled(false);
  pace_->stop();
  wake_->stop();
  if (!std::exchange(lost_, true) && onLost_)
    onLost_();
}

void XEventPump::armWake(bool handledEvents) {
  // Paced reading lasts while the server has something to say; a round that finds nothing
  // hands back to the socket, so that a button held still costs no wake-ups.
  if (const double interval = x_.serviceInterval(); interval > 0 && handledEvents) {
    notifier_->setEnabled(false);
    pace_->start(static_cast<int>(std::ceil(interval * 1000)));
    return;
  }
  notifier_->setEnabled(true);
  const auto left = x_.untilWake();
  if (!left)
    return;
  const int ms = static_cast<int>(std::ceil(*left * 1000));
  if (!wake_->isActive() || wake_->remainingTime() > ms)
    wake_->start(ms);
}

}  // namespace dovrik::x11
