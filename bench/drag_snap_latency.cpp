// How long after the release of a title-bar drag the X server holds the window's final frame:
// drag snapping assembled as in the program, on Xvfb with openbox, with the snap delay at its
// default. Prints the spread over a number of drags to alternate edges.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "DragRig.h"
#include "FakePointer.h"
#include "QtDesktop.h"

using namespace dovrik;
using namespace dovrik::x11test;

int main() {
  constexpr int runs = 20;
  std::vector<double> milliseconds;
  {
    DragRig rig;
    const xcb_window_t window = rig.client->createWindow({.rect = {700, 400, 400, 300}});
    for (int run = 0; run < runs; ++run) {
      const bool left = run % 2 == 0;
      const Rect target = left ? Rect{0, 0, 960, 1080} : Rect{960, 0, 960, 1080};
      const auto frame = rig.client->outerFrame(window);
      const Point title{frame->midX(), frame->minY() + 8};
      if (!rig.press(title) || !rig.moveTo({title.x + 12, title.y + 4}) ||
          !rig.moveTo({left ? 3.0 : 1916.0, 500})) {
        std::fprintf(stderr, "drag %d did not get through\n", run);
        return 1;
      }
      const auto released = std::chrono::steady_clock::now();
      fakeButton(*rig.client, 1, false);
      if (!QtDesktop::waitFor([&] { return rig.client->outerFrame(window) == target; })) {
        std::fprintf(stderr, "drag %d did not snap\n", run);
        return 1;
      }
      milliseconds.push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - released)
              .count());
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("release to final frame over %d drags (snap delay %.0f ms included):\n", runs,
                rig.zones->snapDelay() * 1000);
  }
  QtDesktop::shutDown();
  std::printf("  min %.1f ms, median %.1f ms, max %.1f ms\n", milliseconds.front(),
              milliseconds[milliseconds.size() / 2], milliseconds.back());
  return 0;
}
