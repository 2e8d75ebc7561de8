// What a long title-bar drag costs: the real `dovrik` runs on a private Xvfb with a window
// manager (openbox unless $DOVRIK_TEST_WM names another), a window is held by its title bar and
// the pointer moves through XTest at about 700 events a second for 20 s, away from the screen's
// edges. The processor time of the agent, the window manager and the X server over that time
// (utime + stime from /proc/PID/stat) is printed as a share of one core.
//
//   drag_cpu_bench [DOVRIK]    another build of the agent may be named, to compare two builds
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "FakePointer.h"
#include "RealAgent.h"
#include "TestClient.h"
#include "XServer.h"

namespace {

using namespace dovrik;
using namespace dovrik::x11test;
using Clock = std::chrono::steady_clock;

constexpr double seconds = 20;
constexpr double eventsPerSecond = 700;

// Processor seconds the process has used so far, user and system; a negative number when it
// is gone.
double processorSeconds(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  if (!std::getline(stat, text))
    return -1;
  // The command name may hold spaces; the fields after it are counted from its closing bracket.
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  unsigned long long utime = 0, stime = 0;
  for (int index = 3; fields >> field; ++index) {
    if (index == 14)
      utime = std::stoull(field);
    if (index == 15) {
      stime = std::stoull(field);
      break;
    }
  }
  return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

void button(TestClient& client, bool pressed) {
  fakeButton(client, 1, pressed);
}

// Drags the window by its title bar to the left edge until the agent snaps it there, which
// tells that it runs and watches drags.
bool agentSnapsDrags(TestClient& client, xcb_window_t window) {
  const Rect half = shareOf(client.usablePartOf({0, 0, 1920, 1080}), {0, 0, 0.5, 1});
  for (int attempt = 0; attempt < 30; ++attempt) {
    client.activate(window);
    const Rect frame = client.outerFrame(window).value_or(Rect{});
    const Point grip{frame.midX(), frame.minY() + 8};
    fakeMotion(client, grip);
    button(client, true);
    fakeMotion(client, {grip.x + 12, grip.y + 4});
    fakeMotion(client, {600, 500});
    fakeMotion(client, {3, 500});
    button(client, false);
    if (client.waitFor([&] { return client.outerFrame(window) == half; }, 1))
      return true;
  }
  return false;
}

void sleepUntil(Clock::time_point when) {
  const auto left = when - Clock::now();
  if (left > Clock::duration::zero())
    usleep(static_cast<useconds_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(left).count()));
}

}  // namespace

int main(int argc, char** argv) {
  const std::string executable = argc > 1 ? argv[1] : DOVRIK_EXECUTABLE;
  XServer server;
  server.startWindowManager(XServer::WmConfig::Test);
  TestClient client(server.display());
  const xcb_window_t window = client.createWindow({.rect = {700, 400, 400, 300}});
  const bench::RealAgent agent(server.display(), server.tempDir() + "/drag-bench", executable);
  if (!agentSnapsDrags(client, window)) {
    std::fprintf(stderr, "the agent never snapped a dragged window\n");
    return 1;
  }

  // Held by the title bar in the middle of the screen, then moved along an ellipse that stays
  // clear of every zone.
  client.sync();
  const Rect frame = client.outerFrame(window).value_or(Rect{});
  const Point grip{frame.midX(), frame.minY() + 8};
  fakeMotion(client, grip);
  button(client, true);
  const pid_t x = server.serverPid();
  const double agentBefore = processorSeconds(agent.pid());
  const double wmBefore = processorSeconds(server.wmPid());
  const double xBefore = processorSeconds(x);
  const auto start = Clock::now();
  const int events = static_cast<int>(seconds * eventsPerSecond);
  for (int i = 0; i < events; ++i) {
    const double angle = 2 * M_PI * i / 1400;
    fakeMotion(client, {960 + 500 * std::cos(angle), 540 + 300 * std::sin(angle)});
    sleepUntil(start + std::chrono::duration_cast<Clock::duration>(
                           std::chrono::duration<double>((i + 1) / eventsPerSecond)));
  }
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  const double agentUsed = processorSeconds(agent.pid()) - agentBefore;
  const double wmUsed = processorSeconds(server.wmPid()) - wmBefore;
  const double xUsed = processorSeconds(x) - xBefore;
  button(client, false);

  std::printf("drag_cpu_bench: title-bar drag under %s, %d XTest moves in %.1f s (%.0f/s)\n",
              XServer::nameOf(server.wm()), events, wall, events / wall);
  std::printf("  dovrik          %5.2f %% of a core  (target: <= 1 %%)\n", 100 * agentUsed / wall);
  std::printf("  %-15s %5.2f %% of a core\n", XServer::nameOf(server.wm()), 100 * wmUsed / wall);
  std::printf("  Xvfb            %5.2f %% of a core\n", 100 * xUsed / wall);
  return 0;
}
