// Background work on virtual time: a job runs at the next turn of the simulated main loop,
// and its result is handed back one turn later, as a real pool would after some delay.
#pragma once

#include "core/platform/Background.h"
#include "core/platform/Scheduler.h"

namespace dovrik::sim {

class SimBackground : public Background {
 public:
  explicit SimBackground(Scheduler& mainQueue) : mainQueue_(mainQueue) {}

  using Background::run;
  void run(std::function<void()> work, std::function<void()> thenOnMain) override {
    ++started;
    mainQueue_.after(0, [this, work = std::move(work), then = std::move(thenOnMain)]() mutable {
      work();
      mainQueue_.after(0, std::move(then));
    });
  }

  int started = 0;

 private:
  Scheduler& mainQueue_;
};

}  // namespace dovrik::sim
