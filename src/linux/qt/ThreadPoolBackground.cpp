// Running work on the pool and queueing its continuation to the main thread.
#include "linux/qt/ThreadPoolBackground.h"

#include <QMetaObject>
#include <utility>

namespace dovrik::qt {

ThreadPoolBackground::ThreadPoolBackground() {
  // Two threads: the work (saving the history, converting an image) is occasional, and the
  // machine's cores belong to the user's applications.
  pool_.setMaxThreadCount(2);
}

ThreadPoolBackground::~ThreadPoolBackground() {
  pool_.waitForDone();
}

void ThreadPoolBackground::run(std::function<void()> work, std::function<void()> thenOnMain) {
  pool_.start([this, work = std::move(work), then = std::move(thenOnMain)]() mutable {
    work();
    QMetaObject::invokeMethod(&mainThread_, std::move(then), Qt::QueuedConnection);
  });
}

}  // namespace dovrik::qt
