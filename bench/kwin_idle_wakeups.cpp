// The idle agent's wake-ups on Plasma's Wayland session: the real agent in a headless KWin with
// a window on the desktop, left alone; each of its threads' context switches over the quiet
// period are counted. Nothing should wake it: a timer that fires while nothing happens shows up
// here, as does KWin telling it of changes no one made.
//   kwin_idle_wakeups [SECONDS]   (10)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include <QCoreApplication>

#include "KWinBenchSession.h"
#include "ThreadSwitches.h"

int main(int argc, char** argv) {
  using namespace dovrik;
  using namespace dovrik::kwintest;
  using namespace std::chrono_literals;
  QCoreApplication app(argc, argv);
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
  if (!bench::kwinSessionAvailable())
    return 1;
  bench::KWinBenchSession bench;
  const auto window = bench.openActiveWindow();
  if (!window)
    return 1;
  // What the start and the window's arrival set going has ended by then; the longest is the
  // search for a tray, which the headless session lacks: ten looks, half a second apart.
  std::this_thread::sleep_for(6s);
  const auto before = bench::contextSwitches(bench.agent.pid());
  std::this_thread::sleep_for(std::chrono::seconds(seconds));
  const auto after = bench::contextSwitches(bench.agent.pid());

  std::printf("kwin_idle_wakeups: the idle agent's context switches over %d s (target: none)\n",
              seconds);
  long total = 0;
  for (const auto& [thread, count] : after) {
    const auto earlier = before.find(thread);
    const long woke = count - (earlier == before.end() ? 0 : earlier->second);
    total += woke;
    std::printf("  %-32s %ld\n", thread.c_str(), woke);
  }
  std::printf("  all threads                      %ld\n", total);
  return total == 0 ? 0 : 1;
}
