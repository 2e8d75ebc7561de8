// Asking the running Dovrik one question over its socket, without Qt: one request line there,
// one reply line back.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

#include "linux/ipc/InstancePaths.h"

namespace dovrik::ipc {

struct InstanceAnswer {
  enum class Status { answered, notRunning, noAnswer };
  Status status = Status::notRunning;
  std::string reply;  // the answer's line, without its line break
};

struct AskLimits {
  // The whole exchange, from the first try to connect to the reply's line break.
  std::chrono::milliseconds window{5000};
  // Between tries to connect to an agent that holds the lock but may not listen yet.
  std::chrono::milliseconds retryPause{50};
  // A reply that grows past this without a line break is no answer.
  std::size_t maxReplyBytes = 4 * 1024 * 1024;
};

// Sends `request` (without a line break) and waits for the reply. Never claims the instance:
// without an agent, nothing starts.
InstanceAnswer askInstance(const InstancePaths& paths, std::string_view request,
                           const AskLimits& limits = {});

}  // namespace dovrik::ipc
