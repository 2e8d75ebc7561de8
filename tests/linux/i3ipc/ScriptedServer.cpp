// The scripted window manager's socket.
#include "ScriptedServer.h"

#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace dovrik::i3ipc::testing {

namespace {

constexpr int sessionTimeoutMs = 5000;

}  // namespace

ScriptedServer::ScriptedServer(std::function<void(int fd)> session) {
  std::string pattern = (std::filesystem::temp_directory_path() / "dovrik-i3-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("cannot create a temporary folder");
  folder_ = pattern;
  path_ = folder_ + "/ipc.sock";
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path_.c_str(), path_.size() + 1);
  listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (::bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listener_, 4) != 0)
    throw std::runtime_error("cannot listen on " + path_);
  thread_ = std::thread([this, session = std::move(session)] {
    pollfd entry{listener_, POLLIN, 0};
    if (::poll(&entry, 1, sessionTimeoutMs) != 1)
      return;
    const int fd = ::accept(listener_, nullptr, nullptr);
    if (fd < 0)
      return;
    session(fd);
    ::close(fd);
  });
}

ScriptedServer::~ScriptedServer() {
  thread_.join();
  ::close(listener_);
  std::filesystem::remove_all(folder_);
}

std::optional<Frame> ScriptedServer::readFrame(int fd) {
  FrameDecoder decoder;
  for (;;) {
    if (auto frame = decoder.next())
      return frame;
    pollfd entry{fd, POLLIN, 0};
    char chunk[4096];
    if (::poll(&entry, 1, sessionTimeoutMs) != 1)
      return std::nullopt;
    const ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
    if (got <= 0)
      return std::nullopt;
    decoder.feed({chunk, static_cast<std::size_t>(got)});
  }
}

void ScriptedServer::send(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent <= 0)
      return;
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
}

}  // namespace dovrik::i3ipc::testing
