// Requests to i3 or sway and their replies over one connection, each exchange bounded by a
// timeout.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "linux/i3ipc/CommandReply.h"
#include "linux/i3ipc/FrameDecoder.h"
#include "linux/i3ipc/IpcSocket.h"
#include "linux/i3ipc/MessageType.h"

namespace dovrik::i3ipc {

class I3Client {
 public:
  // Connects on the first request, not here: a window manager that restarts is reached again
  // by the next request.
  explicit I3Client(std::string socketPath,
                    std::chrono::milliseconds timeout = std::chrono::milliseconds(2000));

  // The reply's payload; nothing when the window manager cannot be reached, answers late or
  // breaks the stream. The connection is dropped after any failure, so a late reply can never
  // answer the next request.
  std::optional<std::string> request(MessageType type, std::string_view payload = {});
  // Several requests without a payload sent at once, and their replies in order: one wait for
  // the window manager instead of one per request. Nothing unless every reply came.
  std::optional<std::vector<std::string>> requestAll(const std::vector<MessageType>& types);
  // Runs a command list; an outcome per command, or nothing without a readable reply.
  std::optional<std::vector<CommandOutcome>> runCommand(std::string_view command);

  const std::string& socketPath() const { return path_; }

 private:
  bool connect();
  std::optional<std::string> receive(MessageType type, IpcSocket::Clock::time_point deadline);

  std::string path_;
  std::chrono::milliseconds timeout_;
  IpcSocket socket_;
  FrameDecoder decoder_;
};

}  // namespace dovrik::i3ipc
