// Hotkey press to final frame on GNOME: the real agent with its Shell extension in the gnome
// tests' headless GNOME Shell, beside GNOME's own "View split on left" (Super+Left, mutter's
// toggle-tiled-left), in the same run and on the same Qt Wayland window. Both put the window on
// the left half of the work area. Before each press the window is parked in the centre, which
// also takes it out of mutter's tiling, so that every press moves and resizes it; then the
// shell is left to come to rest. The keys are typed by the gnome tests' probe extension on one
// virtual keyboard kept for the whole run. A press ends when the window shows itself on the
// left half: the client has painted itself at the size of that frame and the probe reads
// mutter's frame there. The two kinds of press alternate, so both see the same load. The
// client's paint splits each press: before it is the way to the window manager's request (for
// Dovrik: the extension, the agent and back), after it mutter taking the new frame, alike for
// both.
//   gnome_hotkey_latency [PRESSES]   (30 of each)
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "Await.h"
#include "GnomeSession.h"
#include "PaintReports.h"
#include "Percentile.h"
#include "PressTiming.h"
#include "SessionAgent.h"
#include "SessionClients.h"
#include "ShellProbe.h"
#include "core/windows/SnapFrames.h"

namespace {

using namespace dovrik;
using namespace std::chrono_literals;
using bench::Clock;
using bench::loadAverage;
using bench::millisecondsBetween;
using bench::nearFrame;
using bench::PaintReports;
using bench::percentile;
using gnometest::frameOnMonitor;
using gnometest::GnomeSession;
using gnometest::ShellProbe;

constexpr const char* windowTitle = "Bench window";
constexpr auto pressLimit = 2s;
// Between two readings of the probe once the client has painted: short against a press, long
// enough to leave the shell its main loop.
constexpr auto pollPause = 500us;

// X keysyms the probe types.
constexpr uint superKey = 0xffeb;
constexpr uint leftKey = 0xff51;
constexpr uint controlKey = 0xffe3;
constexpr uint altKey = 0xffe9;
constexpr uint shiftKey = 0xffe1;

struct Contender {
  const char* name;
  QList<uint> keys;
  std::vector<double> milliseconds;
  std::vector<double> toPaint;  // press to the client's paint at the new size
  int missed = 0;
};

struct Sample {
  double milliseconds;
  double toPaint;
};

// The test window, which says when it has painted itself at a new size. Qt draws its own title
// bar and borders inside the frame mutter reports; `decoration` is what they take.
class BenchWindow {
 public:
  explicit BenchWindow(std::unique_ptr<sessiontest::ChildProcess> process)
      : paints_(std::move(process)) {}

  // Whether it painted itself at a new size within `limit`.
  bool nextPaint(std::chrono::milliseconds limit) { return paints_.next(limit); }
  // Whether what it painted last fills `frame`.
  bool paintedFor(const Rect& frame) {
    const Size& painted = paints_.latest();
    return std::abs(painted.width + decoration_.width - frame.width) <= 1 &&
           std::abs(painted.height + decoration_.height - frame.height) <= 1;
  }
  // Whether it shows itself on `frame`: painted at its size, and there in mutter.
  bool shows(const ShellProbe& probe, const Rect& frame) {
    if (!paintedFor(frame))
      return false;
    const auto now = probe.frame(windowTitle);
    return now && nearFrame(*now, frame);
  }
  // Learns the decoration once the window rests near `frame`, in whole pixels: its paints have
  // stopped.
  bool learnDecoration(const ShellProbe& probe, const Rect& frame) {
    std::optional<Rect> now;
    if (!sessiontest::await(
            [&] {
              now = probe.frame(windowTitle);
              return now && nearFrame(*now, frame);
            },
            5s))
      return false;
    while (paints_.next(500ms)) {
    }
    const Size& painted = paints_.latest();
    decoration_ = {now->width - painted.width, now->height - painted.height};
    return painted.width > 0 && decoration_.width >= 0 && decoration_.height >= 0;
  }
  Size decoration() const { return decoration_; }
  void stop() { paints_.stop(); }

 private:
  PaintReports paints_;
  Size decoration_;
};

// Whether the window shows itself on `frame` within `limit`.
bool awaitShown(const ShellProbe& probe, BenchWindow& window, const Rect& frame,
                Clock::duration limit) {
  for (const auto deadline = Clock::now() + limit; Clock::now() < deadline;
       std::this_thread::sleep_for(pollPause))
    if (window.shows(probe, frame))
      return true;
  return false;
}

// Centred by Dovrik, which also takes the window out of mutter's tiling.
bool park(sessiontest::SessionAgent& agent, const ShellProbe& probe, BenchWindow& window) {
  for (int attempt = 0; attempt < 3; ++attempt)
    if (agent.run({"snap", "center"}).status == 0 &&
        awaitShown(probe, window, frameOnMonitor(SnapPosition::center), 2s))
      return true;
  return false;
}

// The agent grabs its hotkeys through the extension once it runs: a press that moves the parked
// window shows that the grab holds.
bool awaitHotkey(sessiontest::SessionAgent& agent, const ShellProbe& probe, BenchWindow& window,
                 const Contender& dovrik) {
  const Rect parked = frameOnMonitor(SnapPosition::center);
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (!park(agent, probe, window) || !probe.type(dovrik.keys))
      return false;
    if (sessiontest::await(
            [&] {
              const auto now = probe.frame(windowTitle);
              return now && !nearFrame(*now, parked);
            },
            1s))
      return true;
  }
  return false;
}

// The time the process `pid`'s main thread has run so far; nothing when it cannot be read.
std::optional<std::chrono::nanoseconds> runTime(pid_t pid) {
  long long nanoseconds = 0;
  std::ifstream("/proc/" + std::to_string(pid) + "/schedstat") >> nanoseconds;
  return nanoseconds > 0 ? std::optional(std::chrono::nanoseconds(nanoseconds)) : std::nullopt;
}

// Whether the shell has come to rest within a time limit: for a while its main thread, which
// takes the input, runs the extensions and paints, has run no more than a small share of it.
// Taking a window out of mutter's tiling keeps the shell busy for a good part of a second, and
// a press made meanwhile waits behind that work, whoever's press it is.
bool awaitIdle(pid_t shell) {
  constexpr auto window = 50ms;
  constexpr auto busy = 1ms;
  auto before = runTime(shell);
  for (const auto deadline = Clock::now() + 3s; before && Clock::now() < deadline;) {
    std::this_thread::sleep_for(window);
    const auto after = runTime(shell);
    if (!after)
      return false;
    if (*after - *before <= busy)
      return true;
    before = after;
  }
  return false;
}

// Parks the window, then presses: press to the moment it shows itself on `target`; nothing when
// it did not come there. The bench reads the probe only once the client has painted at the
// target's size, so its readings do not compete with the press for the shell's time.
std::optional<Sample> timePress(pid_t shell, sessiontest::SessionAgent& agent,
                                const ShellProbe& probe, BenchWindow& window,
                                const Contender& contender, const Rect& target) {
  if (!park(agent, probe, window) || !awaitIdle(shell))
    return std::nullopt;
  const auto start = Clock::now();
  const auto deadline = start + pressLimit;
  if (!probe.type(contender.keys))
    return std::nullopt;
  while (!window.paintedFor(target))
    if (!window.nextPaint(std::chrono::duration_cast<std::chrono::milliseconds>(
            std::max(deadline - Clock::now(), Clock::duration::zero()))))
      return std::nullopt;
  const auto painted = Clock::now();
  for (; Clock::now() < deadline; std::this_thread::sleep_for(pollPause)) {
    const auto now = probe.frame(windowTitle);
    if (now && nearFrame(*now, target))
      return Sample{millisecondsBetween(start, Clock::now()), millisecondsBetween(start, painted)};
  }
  return std::nullopt;
}

void report(const Contender& contender) {
  if (contender.milliseconds.empty()) {
    std::printf("  %-7s no press reached the frame (%d missed)\n", contender.name,
                contender.missed);
    return;
  }
  std::printf("  %-7s median %6.2f ms  p90 %6.2f ms  (%zu presses, %d missed)\n", contender.name,
              percentile(contender.milliseconds, 0.5), percentile(contender.milliseconds, 0.9),
              contender.milliseconds.size(), contender.missed);
  std::printf("  %-7s to the client's paint: median %6.2f ms  p90 %6.2f ms\n", "",
              percentile(contender.toPaint, 0.5), percentile(contender.toPaint, 0.9));
}

// Up once the extension answers it, snapping at once, with left-half on a combination GNOME
// leaves free: Dovrik's default, Ctrl+Alt+Left, is one of GNOME's workspace keys.
bool prepareAgent(sessiontest::SessionAgent& agent) {
  return agent.start() && agent.run({"settings", "snapping", "animations", "off"}).status == 0 &&
         sessiontest::await(
             [&] { return agent.run({"onboarding"}).out.find("You're set") != std::string::npos; },
             20s) &&
         agent.run({"shortcuts", "set", "left-half", "ctrl+alt+shift+j"}).status == 0;
}

// Starts the window and gives it the keyboard, as a click on it would.
std::optional<BenchWindow> focusedWindow(const GnomeSession& session, const ShellProbe& probe) {
  BenchWindow window(sessiontest::startQtWindow(session, windowTitle, "bench-window"));
  if (!sessiontest::await([&] { return probe.window(windowTitle).has_value(); }, 15s))
    return std::nullopt;
  probe.focus(windowTitle);
  if (!sessiontest::await(
          [&] {
            const auto shown = probe.window(windowTitle);
            return shown && shown->focused;
          },
          5s))
    return std::nullopt;
  return window;
}

int run(int presses) {
  GnomeSession session({DOVRIK_GNOME_EXTENSION, DOVRIK_TEST_PROBE});
  sessiontest::SessionAgent agent(session, DOVRIK_EXECUTABLE);
  if (!prepareAgent(agent)) {
    std::fprintf(stderr, "the agent did not start:\n%s\n", agent.log().c_str());
    return 1;
  }
  const ShellProbe probe(session.bus().connection());
  auto window = focusedWindow(session, probe);
  if (!window) {
    std::fprintf(stderr, "the window did not show with the focus\n");
    return 1;
  }
  if (agent.run({"snap", "center"}).status != 0 ||
      !window->learnDecoration(probe, frameOnMonitor(SnapPosition::center))) {
    std::fprintf(stderr, "the window did not rest in the centre\n");
    return 1;
  }
  Contender dovrik{"dovrik", {controlKey, altKey, shiftKey, 'j'}, {}, {}, 0};
  Contender gnome{"gnome", {superKey, leftKey}, {}, {}, 0};
  if (!awaitHotkey(agent, probe, *window, dovrik)) {
    std::fprintf(stderr, "the agent's hotkey did not move the window:\n%s\n", agent.log().c_str());
    return 1;
  }
  const Rect target = frameOnMonitor(SnapPosition::leftHalf);
  std::printf(
      "gnome_hotkey_latency: press to final frame (left half, %g,%g %g×%g; client decoration "
      "%g×%g), animation off, %d presses each (target: dovrik median <= 1.5x gnome's), load "
      "average before %s\n",
      target.x, target.y, target.width, target.height, window->decoration().width,
      window->decoration().height, presses, loadAverage().c_str());
  for (int i = 0; i < presses; ++i)
    for (Contender* contender : {&dovrik, &gnome}) {
      const auto sample = timePress(session.shellPid(), agent, probe, *window, *contender, target);
      if (!sample) {
        ++contender->missed;
        const auto now = probe.frame(windowTitle);
        std::fprintf(stderr, "%s missed, the window at %g,%g %g×%g\n", contender->name,
                     now ? now->x : -1, now ? now->y : -1, now ? now->width : -1,
                     now ? now->height : -1);
        continue;
      }
      contender->milliseconds.push_back(sample->milliseconds);
      contender->toPaint.push_back(sample->toPaint);
    }
  report(dovrik);
  report(gnome);
  if (!dovrik.milliseconds.empty() && !gnome.milliseconds.empty())
    std::printf("  dovrik/gnome median ratio %.2f\n",
                percentile(dovrik.milliseconds, 0.5) / percentile(gnome.milliseconds, 0.5));
  std::printf("  load average after %s\n", loadAverage().c_str());
  window->stop();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const QCoreApplication application(argc, argv);
  const int presses = argc > 1 ? std::atoi(argv[1]) : 30;
  if (const auto reason = GnomeSession::unavailable()) {
    std::fprintf(stderr, "%s\n", reason->c_str());
    return 1;
  }
  try {
    return run(presses);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
