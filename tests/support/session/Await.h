// Waiting on a condition in real time, with Qt's events (D-Bus replies and calls among them)
// handled meanwhile.
#pragma once

#include <chrono>
#include <functional>

namespace dovrik::sessiontest {

// True as soon as `condition` holds; false when it still does not after `timeout`.
bool await(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

}  // namespace dovrik::sessiontest
