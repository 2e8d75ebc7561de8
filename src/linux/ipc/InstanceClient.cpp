// The client end of the single-instance socket. Every wait is bounded by one deadline, so a
// hung agent costs the caller the window at most.
#include "linux/ipc/InstanceClient.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>
#include <utility>

namespace dovrik::ipc {
namespace {

using Clock = std::chrono::steady_clock;

class Socket {
 public:
  explicit Socket(int fd) : fd_(fd) {}
  Socket(Socket&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  ~Socket() {
    if (fd_ >= 0)
      ::close(fd_);
  }
  int fd() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }

 private:
  int fd_;
};

int remainingMs(Clock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
  return static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
}

// Whether `fd` is ready for `events` before the deadline.
bool waitFor(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    pollfd entry{fd, events, 0};
    const int ready = ::poll(&entry, 1, remainingMs(deadline));
    if (ready > 0)
      return true;
    if (ready == 0 || errno != EINTR)
      return false;
  }
}

Socket connectTo(const std::filesystem::path& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string& text = path.native();
  if (text.size() >= sizeof address.sun_path)
    return Socket(-1);
  std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
  Socket socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!socket ||
      ::connect(socket.fd(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
    return Socket(-1);
  return socket;
}

// Retries only while an agent holds the lock: it may still be starting and not listen yet.
Socket connectBefore(const InstancePaths& paths, Clock::time_point deadline,
                     std::chrono::milliseconds retryPause) {
  for (;;) {
    Socket socket = connectTo(paths.socket());
    if (socket || !lockHolder(paths.lock()) || Clock::now() + retryPause >= deadline)
      return socket;
    std::this_thread::sleep_for(retryPause);
  }
}

bool sendAll(int fd, std::string_view bytes, Clock::time_point deadline) {
  while (!bytes.empty()) {
    if (!waitFor(fd, POLLOUT, deadline))
      return false;
    // An agent that hangs up must not end this process with SIGPIPE.
    const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent < 0 && errno != EINTR && errno != EAGAIN)
      return false;
    if (sent > 0)
      bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

}  // namespace

InstanceAnswer askInstance(const InstancePaths& paths, std::string_view request,
                           const AskLimits& limits) {
  const Clock::time_point deadline = Clock::now() + limits.window;
  const Socket socket = connectBefore(paths, deadline, limits.retryPause);
  if (!socket) {
    return {lockHolder(paths.lock()) ? InstanceAnswer::Status::noAnswer
                                     : InstanceAnswer::Status::notRunning,
            {}};
  }
  const InstanceAnswer noAnswer{InstanceAnswer::Status::noAnswer, {}};
  if (!sendAll(socket.fd(), std::string(request) + '\n', deadline))
    return noAnswer;
  std::string reply;
  std::size_t searched = 0;
  char buffer[64 * 1024];
  for (;;) {
    if (const auto end = reply.find('\n', searched); end != std::string::npos) {
      reply.resize(end);
      return {InstanceAnswer::Status::answered, std::move(reply)};
    }
    searched = reply.size();
    if (reply.size() > limits.maxReplyBytes || !waitFor(socket.fd(), POLLIN, deadline))
      return noAnswer;
    const ssize_t got = ::recv(socket.fd(), buffer, sizeof buffer, MSG_DONTWAIT);
    if (got == 0 || (got < 0 && errno != EINTR && errno != EAGAIN))
      return noAnswer;
    if (got > 0)
      reply.append(buffer, static_cast<std::size_t>(got));
  }
}

}  // namespace dovrik::ipc
