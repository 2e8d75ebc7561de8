// POSIX sockets under a deadline. The socket is non-blocking, so a window manager that stops
// reading or answering costs the caller its deadline at most.
#include "linux/i3ipc/IpcSocket.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace dovrik::i3ipc {

namespace {

int millisecondsUntil(IpcSocket::Clock::time_point deadline) {
  const auto left =
      std::chrono::ceil<std::chrono::milliseconds>(deadline - IpcSocket::Clock::now());
  return static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
}

bool pollUntil(int fd, short events, IpcSocket::Clock::time_point deadline) {
  for (;;) {
    pollfd entry{fd, events, 0};
    const int ready = ::poll(&entry, 1, millisecondsUntil(deadline));
    if (ready > 0)
      return true;
    if (ready == 0 || errno != EINTR)
      return false;
  }
}

}  // namespace

IpcSocket::IpcSocket(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address.sun_path)
    return;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd_ < 0)
    return;
  // A local socket connects at once or not at all; EAGAIN means a full backlog, and a window
  // manager that far behind is not one to wait for.
  if (::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

IpcSocket::IpcSocket(IpcSocket&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

IpcSocket& IpcSocket::operator=(IpcSocket&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0)
      ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

IpcSocket::~IpcSocket() {
  if (fd_ >= 0)
    ::close(fd_);
}

bool IpcSocket::sendAll(std::string_view bytes, Clock::time_point deadline) {
  while (!bytes.empty()) {
    // A window manager that hangs up must not end this process with SIGPIPE.
    const ssize_t sent = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(sent));
      continue;
    }
    if (sent < 0 && errno != EINTR && errno != EAGAIN)
      return false;
    if (!pollUntil(fd_, POLLOUT, deadline))
      return false;
  }
  return true;
}

bool IpcSocket::waitReadable(Clock::time_point deadline) {
  return pollUntil(fd_, POLLIN, deadline);
}

IpcSocket::ReadResult IpcSocket::readNow(std::string& out, std::size_t limit) {
  char chunk[64 * 1024];
  ReadResult result = ReadResult::nothingYet;
  for (std::size_t taken = 0; taken < limit;) {
    const ssize_t got = ::recv(fd_, chunk, sizeof chunk, 0);
    if (got > 0) {
      out.append(chunk, static_cast<std::size_t>(got));
      taken += static_cast<std::size_t>(got);
      result = ReadResult::data;
      continue;
    }
    if (got == 0)
      return ReadResult::closed;
    if (errno == EINTR)
      continue;
    return errno == EAGAIN || errno == EWOULDBLOCK ? result : ReadResult::closed;
  }
  return result;
}

}  // namespace dovrik::i3ipc
