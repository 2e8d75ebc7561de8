// A private X server for the integration tests: Xvfb on a display it picks itself, optionally
// with openbox, and a way to run X tools against it. The user's $DISPLAY is never used.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace dovrik::x11test {

class XServer {
 public:
  enum class WmConfig {
    Test,   // no key bindings at all, so every combination is free for the tests
    Stock,  // the distribution's default rc.xml, with its Ctrl+Alt+arrow bindings
  };

  XServer(int width = 1920, int height = 1080);
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;
  ~XServer();

  const std::string& display() const { return display_; }
  const std::string& tempDir() const { return tempDir_; }

  // Starts openbox and waits until it announces itself as the EWMH window manager.
  void startWindowManager(WmConfig config);
  // Runs a tool (xdotool, xrandr …) against this display and answers its exit status.
  int run(const std::vector<std::string>& argv) const;

 private:
  pid_t spawn(const std::vector<std::string>& argv) const;

  std::string display_;
  std::string tempDir_;
  pid_t xvfb_ = -1;
  pid_t wm_ = -1;
};

}  // namespace dovrik::x11test
