// A connection subscribed to events of i3 or sway. Its file descriptor goes into the caller's
// event loop; when it is readable, readAvailable() hands out the whole event frames.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "linux/i3ipc/FrameDecoder.h"
#include "linux/i3ipc/IpcSocket.h"

namespace dovrik::i3ipc {

class I3Subscription {
 public:
  // Connects and subscribes to the named events ("window", "binding", "workspace",
  // "output"); nothing when the window manager cannot be reached in time or refuses.
  static std::unique_ptr<I3Subscription> open(const std::string& socketPath,
                                              const std::vector<std::string>& events,
                                              std::chrono::milliseconds timeout);

  int fd() const { return socket_.fd(); }
  // The event frames that have arrived whole, without waiting; a partial one stays for the
  // next call. Call it once right after open(): events that came with the subscription's
  // reply are already read, and the descriptor will not signal them again.
  std::vector<Frame> readAvailable();
  // The window manager hung up or broke the stream: no further events come.
  bool ended() const { return ended_; }

 private:
  explicit I3Subscription(IpcSocket socket) : socket_(std::move(socket)) {}

  IpcSocket socket_;
  FrameDecoder decoder_;
  bool ended_ = false;
};

}  // namespace dovrik::i3ipc
