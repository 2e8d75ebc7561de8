// A headless GNOME session for one test fixture: GNOME Shell 43 on mutter's headless backend
// with one virtual 1280×800 monitor, Wayland only, run as the session's unprivileged user on a
// private session bus, with the Shell extensions the fixture brings enabled.
//
// GNOME Shell looks for logind as soon as /run/systemd suggests systemd runs, and ends when
// it finds none; containers often keep a stale /run/systemd. So the shell starts as root in a
// mount namespace of its own, with an empty /run/systemd, and drops to the session's user
// there: a session takes root. Its settings live in dconf, whose service this session starts
// itself, as nothing is activated on the session bus.
#pragma once

#include <sys/types.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "DesktopSession.h"
#include "SessionBus.h"

namespace dovrik::gnometest {

class GnomeSession : public sessiontest::DesktopSession {
 public:
  static constexpr int width = 1280;
  static constexpr int height = 800;

  // Why no session can run on this machine (gnome-shell or dconf missing, the test not run as
  // root), or nothing.
  static std::optional<std::string> unavailable();

  // Copies the extensions in `extensionFolders` (each folder named after its extension's uuid,
  // holding metadata.json and extension.js) into the user's extensions, enables them, starts
  // the shell and waits until it serves Wayland and its bus name and has every one of them
  // enabled; throws with the shell's log when that does not happen within the time limit.
  explicit GnomeSession(const std::vector<std::string>& extensionFolders = {});
  GnomeSession(const GnomeSession&) = delete;
  GnomeSession& operator=(const GnomeSession&) = delete;
  ~GnomeSession() override;

  // The socket's name inside runtimeDir(), as WAYLAND_DISPLAY carries it.
  const std::string& waylandDisplay() const { return waylandDisplay_; }
  pid_t shellPid() const { return shell_ ? shell_->pid() : -1; }
  const sessiontest::SessionBus& bus() const { return *bus_; }

  std::vector<std::string> environment() const override;

  // The state the shell reports for the extension `uuid` (1 enabled, 2 disabled, 3 failed,
  // 99 unknown to it); nothing when the shell did not answer.
  std::optional<int> extensionState(const std::string& uuid) const;
  // Turns the extension on or off as the Extensions app does, and waits until the shell says
  // it is; false when the shell refused or did not follow within the time limit.
  bool setExtensionEnabled(const std::string& uuid, bool enabled) const;

  // The shell's log so far, for a failure message.
  std::string shellLog() const;

 private:
  void installExtensions(const std::vector<std::string>& extensionFolders);
  void startSettings(const std::vector<std::string>& uuids);
  void setSetting(const std::string& schema, const std::string& key,
                  const std::string& value) const;
  void startShell(const std::vector<std::string>& uuids);
  void stopShell();

  std::string waylandDisplay_ = "wayland-gnometest";
  std::unique_ptr<sessiontest::SessionBus> bus_;
  std::unique_ptr<sessiontest::ChildProcess> settings_;
  std::unique_ptr<sessiontest::ChildProcess> shell_;
};

}  // namespace dovrik::gnometest
