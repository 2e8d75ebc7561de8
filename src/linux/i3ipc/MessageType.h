// The message and event numbers of the i3 IPC protocol, which i3 and sway share.
#pragma once

#include <cstdint>

namespace dovrik::i3ipc {

enum class MessageType : std::uint32_t {
  runCommand = 0,
  getWorkspaces = 1,
  subscribe = 2,
  getOutputs = 3,
  getTree = 4,
  getConfig = 9,
};

// An event frame carries the event's number with the highest bit set.
inline constexpr std::uint32_t eventBit = 0x80000000u;

enum class EventType : std::uint32_t {
  workspace = 0,
  output = 1,
  window = 3,
  binding = 5,
};

}  // namespace dovrik::i3ipc
