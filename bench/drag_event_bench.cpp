// What one drag event costs the core once a title-bar drag is under way: the drag monitor's
// dispatch, the screen lookup and the zone hit test, on the simulated desktop.
#include <benchmark/benchmark.h>

#include "core/app/ManagerPorts.h"
#include "core/drag/DragMonitor.h"
#include "sim/SimPlatform.h"

namespace dovrik {
namespace {

struct DragBench {
  DragBench() {
    desktop.addScreen({0, 0, 1440, 900}, {0, 0, 1440, 875});
    desktop.addScreen({1440, 0, 1920, 1080}, {1440, 0, 1920, 1080});
    desktop.addApp({100, "org.example.editor", "Editor"});
    desktop.addWindow(100, {100, 100, 800, 600});
    desktop.setFrontmostApp(100);
    monitor.start(0);
    // Pressed on the title bar and past the drag threshold: the title-bar test is behind us.
    sim.eventTap.inject(TapEventType::leftMouseDown, {300, 120});
    sim.eventTap.inject(TapEventType::leftMouseDragged, {330, 140});
  }

  sim::SimPlatform sim;
  sim::SimDesktop& desktop = sim.desktop;
  Platform platform = sim.platform();
  AppState state{platform.defaults.application(), platform.loginItem, platform.shell};
  DragZoneManager zones{sim.defaults.application()};
  WindowManager windowManager{windowManagerPorts(platform), state};
  DragMonitor monitor{dragMonitorPorts(platform), state, zones, windowManager};
};

// The common case: the pointer moves about outside every zone.
void BM_DragEventOutsideZones(benchmark::State& state) {
  DragBench bench;
  double x = 400;
  for (auto _ : state) {
    x = x < 1000 ? x + 1 : 400;
    bench.sim.eventTap.inject(TapEventType::leftMouseDragged, {x, 450});
  }
}
BENCHMARK(BM_DragEventOutsideZones);

// Every event enters or leaves a zone, so the preview is shown or hidden each time.
void BM_DragEventChangingZone(benchmark::State& state) {
  DragBench bench;
  bool inZone = false;
  for (auto _ : state) {
    inZone = !inZone;
    bench.sim.eventTap.inject(TapEventType::leftMouseDragged, {inZone ? 5.0 : 400.0, 450});
  }
}
BENCHMARK(BM_DragEventChangingZone);

}  // namespace
}  // namespace dovrik

BENCHMARK_MAIN();
