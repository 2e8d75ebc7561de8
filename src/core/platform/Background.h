// Work off the main thread: a small pool whose results are handed back on the main queue.
#pragma once

#include <functional>
#include <memory>
#include <utility>

namespace dovrik {

class Background {
 public:
  virtual ~Background() = default;
  // Runs `work` on a worker thread, then `thenOnMain` on the main queue. `work` must touch
  // only what it owns or what is safe to share between threads.
  virtual void run(std::function<void()> work, std::function<void()> thenOnMain) = 0;

  // The same with a result carried from the worker to the main queue.
  template <typename Result>
  void run(std::function<Result()> work, std::function<void(Result)> thenOnMain) {
    auto slot = std::make_shared<Result>();
    run([slot, work = std::move(work)] { *slot = work(); },
        [slot, then = std::move(thenOnMain)] { then(std::move(*slot)); });
  }
};

}  // namespace dovrik
