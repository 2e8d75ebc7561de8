// Hotkey press to final frame on Plasma's Wayland session: the real agent in a headless KWin,
// beside KWin's own "Quick Tile Window to the Left/Right" (Meta+Left/Right) in the same run and
// on the same window. Each press goes through KWin's fake input from one long-running injector,
// and the window's frames come from a KWin script as KWin applies them; a press ends with the
// first report of the frame the window then keeps. Left and right alternate so that every press
// moves the window; Dovrik's and KWin's presses alternate in rounds, so both see the same load.
// The targets are the Qt Wayland test window and an xterm under Xwayland.
//   kwin_hotkey_latency [PRESSES]   (50 of each per target)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <QCoreApplication>

#include "KWinBenchSession.h"
#include "KWinFrameWatch.h"
#include "Percentile.h"
#include "PressTiming.h"

namespace {

using namespace dovrik;
using namespace dovrik::kwintest;
using namespace std::chrono_literals;
using bench::Clock;
using bench::loadAverage;
using bench::percentile;

constexpr int pressesPerRound = 10;
// A frame that has not changed for this long is the one the window keeps.
constexpr auto settled = 300ms;

struct Contender {
  const char* name;
  const char* left;
  const char* right;
  std::vector<double> milliseconds;
  int unmoved = 0;
};

// Press to the first report of the frame the window settles on; nothing when it did not move.
std::optional<double> timePress(ChildProcess& keys, bench::KWinFrameWatch& frames,
                                const std::string& caption, const std::string& chord) {
  frames.take();
  const auto start = Clock::now();
  keys.sendLine(chord);
  std::vector<bench::FrameReport> seen;
  bench::handleEventsUntil(
      [&] {
        for (auto& report : frames.take())
          if (report.caption == caption)
            seen.push_back(std::move(report));
        return !seen.empty() && Clock::now() - seen.back().arrived > settled;
      },
      2s);
  keys.nextLine(2s);  // the injector's "pressed"
  if (seen.empty())
    return std::nullopt;
  for (const auto& report : seen)
    if (report.frame == seen.back().frame)
      return std::chrono::duration<double, std::milli>(report.arrived - start).count();
  return std::nullopt;
}

void report(const std::string& target, const Contender& contender) {
  if (contender.milliseconds.empty()) {
    std::printf("  %-10s %-8s no press moved the window\n", target.c_str(), contender.name);
    return;
  }
  std::printf("  %-10s %-8s median %6.2f ms  p90 %6.2f ms  (%zu presses, %d left it unmoved)\n",
              target.c_str(), contender.name, percentile(contender.milliseconds, 0.5),
              percentile(contender.milliseconds, 0.9), contender.milliseconds.size(),
              contender.unmoved);
}

bool measure(bench::KWinBenchSession& bench, ChildProcess& keys, bench::KWinFrameWatch& frames,
             const std::string& target, const std::string& caption, int presses) {
  if (!bench.windows.awaitTitled(caption, 15s)) {
    std::fprintf(stderr, "the %s did not show\n", target.c_str());
    return false;
  }
  Contender dovrik{"dovrik", "ctrl+alt+Left", "ctrl+alt+Right", {}, 0};
  Contender kwin{"kwin", "meta+Left", "meta+Right", {}, 0};
  // The agent takes its hotkeys once its script has reported the windows: wait for a first move,
  // to the right, so that the first measured press (to the left) moves the window too.
  bench.windows.activate(caption);
  bool ready = false;
  for (int i = 0; i < 30 && !ready; ++i)
    ready = timePress(keys, frames, caption, dovrik.right).has_value();
  if (!ready) {
    std::fprintf(stderr, "the agent's hotkey never moved the %s:\n%s\n", target.c_str(),
                 bench.agent.log().c_str());
    return false;
  }
  for (int round = 0; round * pressesPerRound < presses; ++round) {
    for (Contender* contender : {&dovrik, &kwin}) {
      bench.windows.activate(caption);
      for (int i = 0; i < pressesPerRound && round * pressesPerRound + i < presses; ++i) {
        const auto ms =
            timePress(keys, frames, caption, i % 2 ? contender->right : contender->left);
        if (ms)
          contender->milliseconds.push_back(*ms);
        else
          ++contender->unmoved;
      }
    }
  }
  report(target, dovrik);
  report(target, kwin);
  if (!dovrik.milliseconds.empty() && !kwin.milliseconds.empty())
    std::printf("  %-10s dovrik/kwin median ratio %.2f\n", target.c_str(),
                percentile(dovrik.milliseconds, 0.5) / percentile(kwin.milliseconds, 0.5));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int presses = argc > 1 ? std::atoi(argv[1]) : 50;
  if (!bench::kwinSessionAvailable())
    return 1;
  // Animations off, as KWin's quick tiling has none: both then show the frame at once.
  bench::KWinBenchSession bench(R"({"animationsEnabled": {"bool": false}})");
  bench::KWinFrameWatch frames(bench.session, bench.scripts);
  ChildLaunch launch;
  launch.argv = {keyInjector()};
  launch.pipeInput = true;
  launch.pipeOutput = true;
  const auto keys = bench.session.launch(launch);

  std::printf(
      "kwin_hotkey_latency: press to final frame, animation off, %d presses each (target: dovrik "
      "median "
      "<= 1.5x kwin's), load average before %s\n",
      presses, loadAverage().c_str());
  bool ok = true;
  {
    const auto window = startQtWindow(bench.session, "Bench window", "bench-window");
    ok = measure(bench, *keys, frames, "qt-wayland", "Bench window", presses) && ok;
    window->stop();
  }
  {
    const auto xterm = startXterm(bench.session, "Bench xterm", "XTerm");
    ok = measure(bench, *keys, frames, "xwayland", "Bench xterm", presses) && ok;
    xterm->stop();
  }
  std::printf("  load average after %s\n", loadAverage().c_str());
  return ok ? 0 : 1;
}
