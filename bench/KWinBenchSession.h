// The real agent in a headless KWin session, as the kwin tests start it, for the benchmarks
// that measure it there: the key injector and the agent may use fake input.
#pragma once

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include "KWinScripts.h"
#include "KWinSession.h"
#include "KWinWindows.h"
#include "SessionAgent.h"
#include "TestClients.h"

namespace dovrik::bench {

struct KWinBenchSession {
  kwintest::KWinSession session{{DOVRIK_AGENT_EXECUTABLE, kwintest::keyInjector()}};
  kwintest::KWinScripts scripts{session};
  kwintest::KWinWindows windows{scripts};
  sessiontest::SessionAgent agent{session, DOVRIK_EXECUTABLE};

  // `settings` is the agent's settings file as the settings window would leave it.
  explicit KWinBenchSession(const std::string& settings = "{}") {
    const std::filesystem::path folder = session.home() + "/.config/dovrik";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "dovrik.json") << settings;
    for (const auto& path : {folder.parent_path(), folder, folder / "dovrik.json"})
      if (chown(path.c_str(), session.user(), static_cast<gid_t>(-1)) != 0)
        throw std::runtime_error("cannot give " + path.string() + " to the session's user");
    if (!agent.start())
      throw std::runtime_error("the agent did not start:\n" + agent.log());
  }

  // The Qt Wayland test window, shown and made the active one; null, having said why, when it
  // does not become active.
  std::unique_ptr<kwintest::ChildProcess> openActiveWindow() {
    using namespace std::chrono_literals;
    auto window = kwintest::startQtWindow(session, "Bench window", "bench-window");
    if (!windows.awaitTitled("Bench window", 15s) || !windows.activate("Bench window")) {
      std::fprintf(stderr, "the test window did not become active\n");
      return nullptr;
    }
    return window;
  }
};

// Whether a headless KWin can run here; says why not.
inline bool kwinSessionAvailable() {
  if (const auto reason = kwintest::KWinSession::unavailable()) {
    std::fprintf(stderr, "no KWin session: %s\n", reason->c_str());
    return false;
  }
  return true;
}

// Handles Qt's events (D-Bus calls among them) as they come until `condition` holds; false when
// it still does not after `timeout`. Unlike a test's polling wait, nothing that arrives waits
// for a poll interval, so times taken where it is handled stay exact.
inline bool handleEventsUntil(const std::function<bool()>& condition,
                              std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  QTimer tick;  // wakes the wait to look at the clock and the condition
  tick.start(5);
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline)
      return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  return true;
}

}  // namespace dovrik::bench
