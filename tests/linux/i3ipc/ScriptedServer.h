// A stand-in for i3 or sway: a listening socket in a fresh folder, and one scripted session
// with the first client that connects, run on its own thread.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "linux/i3ipc/FrameDecoder.h"

namespace dovrik::i3ipc::testing {

class ScriptedServer {
 public:
  // The session gets the connected descriptor; the connection closes when it returns.
  explicit ScriptedServer(std::function<void(int fd)> session);
  ~ScriptedServer();
  ScriptedServer(const ScriptedServer&) = delete;
  ScriptedServer& operator=(const ScriptedServer&) = delete;

  const std::string& path() const { return path_; }

  // What a session uses: the client's next frame (nothing after 5 s; the clients under test
  // send one request and wait for its reply), and bytes back to it.
  static std::optional<Frame> readFrame(int fd);
  static void send(int fd, std::string_view bytes);

 private:
  std::string folder_;
  std::string path_;
  int listener_ = -1;
  std::thread thread_;
};

}  // namespace dovrik::i3ipc::testing
