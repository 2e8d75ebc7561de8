// A headless Plasma session for one test fixture: a private session bus and a copy of
// kwin_wayland (virtual output, Xwayland) run as the session's unprivileged user.
//
// The test process talks to the bus directly: the bus's configuration admits root beside its
// owner. Fake input is granted by the client's executable, which KWin reads through /proc: the
// programs that use it run as the session's user, through launch().
#pragma once

#include <sys/types.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QDBusConnection>

#include "Await.h"
#include "ChildProcess.h"
#include "DesktopSession.h"
#include "SessionBus.h"

namespace dovrik::kwintest {

// The kwin tests name the shared session pieces as their own.
using sessiontest::await;
using sessiontest::ChildLaunch;
using sessiontest::ChildProcess;

class KWinSession : public sessiontest::DesktopSession {
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
  ~KWinSession() override;

  // The socket's name inside runtimeDir(), as WAYLAND_DISPLAY carries it.
  const std::string& waylandDisplay() const { return waylandDisplay_; }
  // Xwayland's ":N"; it may change when KWin restarts.
  const std::string& x11Display() const { return x11Display_; }
  const std::string& busAddress() const { return bus_->address(); }
  pid_t kwinPid() const { return kwin_ ? kwin_->pid() : -1; }
  // This process's own connection to the session bus.
  QDBusConnection bus() const;

  std::vector<std::string> environment() const override;
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
  void startKWin();
  void stopKWin();
  bool kwinServes() const;

  std::string waylandDisplay_ = "wayland-kwintest";
  std::string x11Display_;
  std::string kwinOwner_;  // KWin's unique name on the bus
  std::unique_ptr<sessiontest::SessionBus> bus_;
  std::unique_ptr<ChildProcess> kwin_;
};

}  // namespace dovrik::kwintest
