// Drives the adapters' own connection in the tests the way the Qt loop does in the program:
// dispatch whatever the server sent, and re-check a condition, within a bounded time.
#pragma once

#include <poll.h>

#include <chrono>
#include <functional>

#include "linux/x11/XConnection.h"

namespace dovrik::x11test {

inline bool pumpUntil(x11::XConnection& connection, const std::function<bool()>& condition,
                      double seconds = 5) {
  const auto deadline = std::chrono::steady_clock::now() +
                        std::chrono::milliseconds(static_cast<int>(seconds * 1000));
  for (;;) {
    connection.dispatchPending();
    if (condition())
      return true;
    if (std::chrono::steady_clock::now() >= deadline)
      return false;
    pollfd pfd{connection.fd(), POLLIN, 0};
    poll(&pfd, 1, 20);
  }
}

}  // namespace dovrik::x11test
