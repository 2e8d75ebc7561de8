// The session's windows as KWin sees them, read and changed through KWin scripts: the only
// place on Wayland that knows where windows are.
#pragma once

#include <chrono>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "KWinScripts.h"

namespace dovrik::kwintest {

struct Frame {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const Frame&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Frame& frame);

struct KWinWindow {
  std::string caption;
  std::string resourceClass;    // WM_CLASS's class for Xwayland windows, lower case
  std::string desktopFileName;  // the Wayland app id
  Frame frame;
  bool active = false;
};

class KWinWindows {
 public:
  explicit KWinWindows(KWinScripts& scripts) : scripts_(scripts) {}

  // The normal windows, in KWin's order; nothing when the script did not answer.
  std::optional<std::vector<KWinWindow>> list();
  std::optional<KWinWindow> titled(const std::string& caption);
  // Waits until a window with this title is there.
  std::optional<KWinWindow> awaitTitled(
      const std::string& caption, std::chrono::milliseconds timeout = std::chrono::seconds(10));
  // Waits until the window's frame is `frame`: KWin applies frames asynchronously, and a
  // client may answer a resize with a size of its own.
  bool awaitFrame(const std::string& caption, const Frame& frame,
                  std::chrono::milliseconds timeout = std::chrono::seconds(5));
  // Asks KWin to give the window this frame; false when no such window was there.
  bool setFrame(const std::string& caption, const Frame& frame);
  // Makes the window the active one and waits until it is.
  bool activate(const std::string& caption);
  // Records every frame KWin gives the window from now on, as a script watching it sees them;
  // false when there is no such window.
  bool watchFrames(const std::string& caption);
  // The frames recorded so far, oldest first.
  std::vector<Frame> framesSeen(const std::string& caption);

 private:
  // Runs `body` with `window` bound to the first normal window titled `caption`; false when there
  // is none.
  bool withWindow(const std::string& caption, const std::string& body);

  KWinScripts& scripts_;
};

}  // namespace dovrik::kwintest
