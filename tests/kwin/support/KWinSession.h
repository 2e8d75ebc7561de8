// A headless Plasma session for one test fixture: a private session bus and a copy of
// kwin_wayland (virtual output, Xwayland) run as an unprivileged user with a private runtime
// folder and home. Programs of the session (test clients, the agent) are started through it,
// as that user and with its environment.
//
// The test process itself stays what it was started as (root on CI) and talks to the bus
// directly: the bus's configuration admits root beside its owner. That is simpler than running
// the whole test binary as the unprivileged user through a wrapper: the binary runs as it is
// under CTest and a debugger, it can prepare folders that the user then owns, and the D-Bus
// code under test connects with nothing more than DBUS_SESSION_BUS_ADDRESS. What must be the
// session's user, because KWin looks at the client's executable through /proc, which it cannot
// read for root's processes (fake input is granted by that path), runs as a child through
// launch().
#pragma once

#include <sys/types.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QDBusConnection>

#include "ChildProcess.h"

namespace dovrik::kwintest {

class KWinSession {
 public:
  static constexpr int width = 1280;
  static constexpr int height = 800;

  // Why no session can run on this machine (kwin_wayland or Xwayland missing), or nothing.
  static std::optional<std::string> unavailable();

  // Starts the bus and KWin and waits until both serve; throws with KWin's last words when
  // they do not within the time limit. `fakeInputPrograms` (absolute paths) may use KWin's
  // fake-input protocol: see allowFakeInput().
  explicit KWinSession(const std::vector<std::string>& fakeInputPrograms = {});
  KWinSession(const KWinSession&) = delete;
  KWinSession& operator=(const KWinSession&) = delete;
  ~KWinSession();

  // The socket's name inside runtimeDir(), as WAYLAND_DISPLAY carries it.
  const std::string& waylandDisplay() const { return waylandDisplay_; }
  // Xwayland's ":N"; it may change when KWin restarts.
  const std::string& x11Display() const { return x11Display_; }
  const std::string& busAddress() const { return busAddress_; }
  const std::string& runtimeDir() const { return runtimeDir_; }
  // The session's own folder (the test's, readable by the session's user): logs, scripts and
  // other files the test hands to the session's programs. Removed with the session.
  const std::string& folder() const { return root_; }
  const std::string& home() const { return home_; }
  uid_t user() const { return user_; }
  pid_t kwinPid() const { return kwin_ ? kwin_->pid() : -1; }
  // This process's own connection to the session bus.
  QDBusConnection bus() const;

  // NAME=value lines of a program of the session.
  std::vector<std::string> environment() const;
  // Puts the session's environment into this process, for code under test that runs in the
  // test itself.
  void enter() const;
  // Starts a program of the session as the session's user; `launch.environment` comes before
  // (and so wins over) the session's own.
  std::unique_ptr<ChildProcess> launch(ChildLaunch launch) const;
  // Grants `executable` KWin's fake-input protocol the way KWin asks for it: a desktop entry
  // in the user's applications whose Exec is that path. KWin looks entries up in its service
  // cache when a client connects, and that cache follows entries written while KWin runs only
  // now and then: a new one may go unseen, a removed one may still count, for seconds. So this
  // is best called before KWin starts (the constructor does) and otherwise followed by a
  // restart of KWin.
  void allowFakeInput(const std::string& executable) const;

  // Ends KWin alone, as a crash or a user's `kwin_wayland --replace` would, and starts it again
  // on the same bus and socket; waits until it serves again.
  void restartKWin();

  // KWin's log so far, for a failure message.
  std::string kwinLog() const;

 private:
  void startBus();
  void startKWin();
  void stopKWin();
  bool kwinServes() const;

  std::string root_;
  std::string runtimeDir_;
  std::string home_;
  std::string waylandDisplay_ = "wayland-kwintest";
  std::string x11Display_;
  std::string busAddress_;
  std::string connectionName_;
  std::string kwinOwner_;  // KWin's unique name on the bus
  uid_t user_;
  gid_t group_;
  std::unique_ptr<ChildProcess> bus_;
  std::unique_ptr<ChildProcess> kwin_;
};

}  // namespace dovrik::kwintest
