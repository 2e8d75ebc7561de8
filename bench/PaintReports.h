// The session tests' Qt window as the benches watch it: it reports each new size it has painted
// itself at, which is what it shows from then on.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>

#include "ChildProcess.h"
#include "PressTiming.h"
#include "core/platform/Geometry.h"

namespace dovrik::bench {

class PaintReports {
 public:
  explicit PaintReports(std::unique_ptr<sessiontest::ChildProcess> window)
      : window_(std::move(window)) {}

  // Whether it painted itself at a new size within `limit`.
  bool next(std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    do {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      const auto line = window_->nextLine(std::max(left, std::chrono::milliseconds(0)));
      if (!line)
        return false;
      if (std::sscanf(line->c_str(), "painted %lf %lf", &painted_.width, &painted_.height) == 2)
        return true;
    } while (Clock::now() < deadline);
    return false;
  }
  // The size it painted at last among the reports read so far, after reading those waiting.
  const Size& latest() {
    while (next(std::chrono::milliseconds(0))) {
    }
    return painted_;
  }
  void stop() { window_->stop(); }

 private:
  std::unique_ptr<sessiontest::ChildProcess> window_;
  Size painted_;
};

}  // namespace dovrik::bench
