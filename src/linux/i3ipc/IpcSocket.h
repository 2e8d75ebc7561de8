// A connected UNIX stream socket to the window manager, with reads and writes that never block
// past a deadline.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace dovrik::i3ipc {

class IpcSocket {
 public:
  using Clock = std::chrono::steady_clock;
  enum class ReadResult { data, nothingYet, closed };

  IpcSocket() = default;
  // Not connected when the path is too long for a socket address or nobody listens there.
  explicit IpcSocket(const std::string& path);
  IpcSocket(IpcSocket&& other) noexcept;
  IpcSocket& operator=(IpcSocket&& other) noexcept;
  IpcSocket(const IpcSocket&) = delete;
  IpcSocket& operator=(const IpcSocket&) = delete;
  ~IpcSocket();

  bool connected() const { return fd_ >= 0; }
  int fd() const { return fd_; }

  bool sendAll(std::string_view bytes, Clock::time_point deadline);
  // Whether bytes (or the end of the stream) can be read before the deadline.
  bool waitReadable(Clock::time_point deadline);
  // Appends what the socket holds now to `out`, without waiting; at most about `limit` bytes,
  // so a flood cannot keep the caller's loop from other work.
  ReadResult readNow(std::string& out, std::size_t limit = 1u << 20);

 private:
  int fd_ = -1;
};

}  // namespace dovrik::i3ipc
