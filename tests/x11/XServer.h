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

  // Starts openbox and waits until it manages windows.
  void startWindowManager(WmConfig config);
  // Runs a tool (xdotool, xrandr …) against this display and answers its exit status.
  int run(const std::vector<std::string>& argv) const;
  // Two RandR monitors, the screen's left and right halves; the primary ("A") holds the output.
  bool splitInHalves(bool primaryOnTheRight = false);
  // Back to the one monitor of the output; nothing to do when not split.
  void joinMonitors();

 private:
  pid_t spawn(const std::vector<std::string>& argv) const;

  int width_, height_;
  std::string display_;
  std::string tempDir_;
  pid_t xvfb_ = -1;
  pid_t wm_ = -1;
  bool split_ = false;
};

}  // namespace dovrik::x11test
