// What the press-to-frame benches share: their clock, the machine's load around a run, and
// frames compared the way compositors give them, in whole pixels.
#pragma once

#include <chrono>
#include <cmath>
#include <fstream>
#include <string>

#include "core/platform/Geometry.h"

namespace dovrik::bench {

using Clock = std::chrono::steady_clock;

inline double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// The one- and five-minute load averages, as /proc/loadavg gives them.
inline std::string loadAverage() {
  std::string one, five;
  std::ifstream("/proc/loadavg") >> one >> five;
  return one + " " + five;
}

// A compositor rounds a frame to whole pixels.
inline bool nearFrame(const Rect& a, const Rect& b) {
  return std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1 && std::abs(a.width - b.width) <= 1 &&
         std::abs(a.height - b.height) <= 1;
}

}  // namespace dovrik::bench
