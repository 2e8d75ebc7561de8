// A headless sway session for one test fixture: sway 1.7 on wlroots' headless backend with
// software rendering, one 1280×800 output, swaybar on top with its tray and Xwayland, run as
// the session's unprivileged user on a private session bus. Tests talk to it over its IPC
// socket through swaymsg, as the session's user.
#pragma once

#include <sys/types.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "ChildProcess.h"
#include "DesktopSession.h"
#include "SessionBus.h"

namespace dovrik::swaytest {

class SwaySession : public sessiontest::DesktopSession {
 public:
  static constexpr int width = 1280;
  static constexpr int height = 800;

  // Why no session can run on this machine (sway, swaybar or Xwayland missing), or nothing.
  static std::optional<std::string> unavailable();

  // Starts sway and waits until it serves Wayland and IPC and swaybar holds its strip of the
  // output; throws with sway's last words when that does not happen within the time limit.
  SwaySession();
  SwaySession(const SwaySession&) = delete;
  SwaySession& operator=(const SwaySession&) = delete;
  ~SwaySession() override;

  // The socket's name inside runtimeDir(), as WAYLAND_DISPLAY carries it.
  const std::string& waylandDisplay() const { return waylandDisplay_; }
  // Xwayland's ":N", started on the first X client.
  const std::string& x11Display() const { return x11Display_; }
  // The IPC socket's path, as SWAYSOCK carries it.
  const std::string& swaySocket() const { return swaySocket_; }
  pid_t swayPid() const { return sway_ ? sway_->pid() : -1; }
  const sessiontest::SessionBus& bus() const { return *bus_; }

  std::vector<std::string> environment() const override;

  // swaymsg -t `type` `payload`: sway's JSON answer, null when swaymsg failed.
  nlohmann::json message(const std::string& type, const std::string& payload = {}) const;
  // Runs a sway command; true when every part of it succeeded.
  bool command(const std::string& command) const;
  // Adds a headless output (create_output) and answers its name once sway lists it; empty when
  // none came.
  std::string createOutput() const;
  // What grim captures of every output, as a PNG in the session's home; the file's path, empty
  // when grim failed.
  std::string screenshot(const std::string& name) const;

  // sway's log so far, for a failure message.
  std::string swayLog() const;

 private:
  void startSway();
  void stopSway();

  std::string waylandDisplay_;
  std::string x11Display_;
  std::string swaySocket_;
  std::unique_ptr<sessiontest::SessionBus> bus_;
  std::unique_ptr<sessiontest::ChildProcess> sway_;
};

}  // namespace dovrik::swaytest
