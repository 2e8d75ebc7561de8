#include "Await.h"

#include <poll.h>

#include <QCoreApplication>

namespace dovrik::sessiontest {

bool await(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline)
      return false;
    if (QCoreApplication::instance())
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    // What the condition watches belongs to other processes, which tell nothing: look again
    // shortly.
    poll(nullptr, 0, 10);
  }
  return true;
}

}  // namespace dovrik::sessiontest
