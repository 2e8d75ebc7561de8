// A private X server for the integration tests: Xvfb on a display it picks itself, optionally
// with a window manager (openbox, fluxbox, xfwm4, metacity, jwm or i3, chosen by $DOVRIK_TEST_WM),
// and a way to run X tools against it. The user's $DISPLAY is never used, nor the user's session
// bus: the server comes with a session bus of its own, which this process and everything it starts
// use, so the window manager's settings daemon and the tools that change its settings meet there.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace dovrik::x11test {

class XServer {
 public:
  enum class Wm { openbox, fluxbox, xfwm4, metacity, jwm, i3 };
  enum class WmConfig {
    Test,    // no key bindings at all, so every combination is free for the tests
    Stock,   // the distribution's default bindings, Ctrl+Alt+arrows among them
    Timing,  // openbox only: Super+Left and Right move the window to the halves of the screen
  };

  // $DOVRIK_TEST_WM ("openbox", "fluxbox", "xfwm4", "metacity", "jwm" or "i3"); openbox when
  // unset.
  static Wm wmOfEnvironment();
  static const char* nameOf(Wm wm);

  XServer(int width = 1920, int height = 1080);
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;
  ~XServer();

  const std::string& display() const { return display_; }
  const std::string& tempDir() const { return tempDir_; }
  // Runs a settings tool (xfconf-query, gsettings …) on the server's session bus and answers
  // what it printed, or nothing when it failed.
  std::optional<std::string> query(const std::vector<std::string>& argv) const;

  // Starts the window manager and waits until it manages windows. fluxbox shows its toolbar
  // at the bottom, a reservation of the window manager's own that no client's strut states.
  void startWindowManager(WmConfig config, Wm wm = wmOfEnvironment());
  // Puts `wm` in the place of the running window manager: with its --replace where it has one
  // (the old one hands over and ends), otherwise by ending the old one first, as a user
  // switching window managers would. Waits until the new one manages windows.
  void replaceWindowManager(WmConfig config, Wm wm);
  // Ends the window manager outright, as a crash would, and waits until it is gone.
  void killWindowManager();
  // Stops the window manager where it is, or lets it go on: a busy window manager that has not
  // yet handled what happened meanwhile.
  void pauseWindowManager(bool paused);
  // Ends the X server outright, as a crash would; its clients see their connections drop.
  void killServer();
  Wm wm() const { return wm_; }
  // Where i3 listens for IPC when it is the window manager.
  std::string i3Socket() const { return tempDir_ + "/i3-ipc.sock"; }
  // The processes of the running window manager (-1 when none runs) and of Xvfb, for a look at
  // what they cost.
  pid_t wmPid() const { return wmPid_; }
  pid_t serverPid() const { return xvfb_; }
  // Runs a tool (xdotool, xrandr …) against this display and answers its exit status.
  int run(const std::vector<std::string>& argv) const;
  // Two RandR monitors, the screen's left and right halves; the primary ("A") holds the output.
  bool splitInHalves(bool primaryOnTheRight = false);
  // Back to the one monitor of the output; nothing to do when not split.
  void joinMonitors();

 private:
  // A child with this display and a private home; `ownGroup` puts it and what it starts in a
  // process group of its own, so that all of it can be stopped together.
  // `outFd`, when given, takes its standard output.
  pid_t spawn(const std::vector<std::string>& argv, bool ownGroup = false, int outFd = -1) const;
  void startSessionBus();
  std::vector<std::string> fluxboxCommand(WmConfig config) const;
  std::vector<std::string> xfwm4Command(WmConfig config, bool replace) const;
  std::vector<std::string> jwmCommand(WmConfig config) const;
  std::vector<std::string> i3Command(WmConfig config) const;
  std::vector<std::string> wmCommand(WmConfig config, Wm wm, bool replace) const;
  // Waits until the window manager announces itself and manages a probe window.
  void awaitWindowManager() const;

  int width_, height_;
  std::string display_;
  std::string tempDir_;
  pid_t xvfb_ = -1;
  pid_t sessionBus_ = -1;
  pid_t wmPid_ = -1;
  Wm wm_ = Wm::openbox;
  bool split_ = false;
};

}  // namespace dovrik::x11test
