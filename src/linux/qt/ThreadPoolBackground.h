// Background work on a small Qt thread pool; results are handed back on the Qt event loop,
// which is the program's main queue.
#pragma once

#include <QObject>
#include <QThreadPool>
#include <functional>

#include "core/platform/Background.h"

namespace dovrik::qt {

class ThreadPoolBackground : public Background {
 public:
  // Must be created on the thread that runs the Qt event loop.
  ThreadPoolBackground();
  ThreadPoolBackground(const ThreadPoolBackground&) = delete;
  ThreadPoolBackground& operator=(const ThreadPoolBackground&) = delete;
  // Waits for running work; results not yet handed back are dropped.
  ~ThreadPoolBackground() override;

  using Background::run;
  void run(std::function<void()> work, std::function<void()> thenOnMain) override;

 private:
  QThreadPool pool_;
  // Handed-back results are queued to this object, so they run on its (the main) thread and
  // are dropped with it.
  QObject mainThread_;
};

}  // namespace dovrik::qt
