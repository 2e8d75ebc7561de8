// Capture and restore of a saved layout of 50 windows (ten applications with five windows each)
// on a private Xvfb with openbox and two monitors: how long the capture takes, how long the
// restore call takes, and how long until the server shows every window back in place.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "TestClient.h"
#include "X11TestPlatform.h"
#include "XServer.h"
#include "core/app/App.h"

namespace {

using dovrik::Rect;
using namespace dovrik::x11test;
using Clock = std::chrono::steady_clock;

constexpr int applications = 10;
constexpr int windowsPerApplication = 5;
constexpr int rounds = 5;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  XServer server(1920, 1080);
  server.startWindowManager(XServer::WmConfig::Test, XServer::Wm::openbox);
  if (!server.splitInHalves()) {
    std::fprintf(stderr, "xrandr could not make two monitors\n");
    return 1;
  }
  TestClient client(server.display());
  X11TestPlatform desktop(server.display(), 1);
  dovrik::App app(desktop.platform());
  app.start();
  if (!desktop.loop.runUntil([&] { return desktop.x.screens.screens().size() == 2; }, 5)) {
    std::fprintf(stderr, "the adapters did not see two monitors\n");
    return 1;
  }

  // Saved frames spread over both monitors; every window has a title of its own.
  std::vector<xcb_window_t> windows;
  std::vector<Rect> saved, scrambled;
  for (int a = 0; a < applications; ++a) {
    const std::string name = "app" + std::to_string(a);
    for (int w = 0; w < windowsPerApplication; ++w) {
      const int i = a * windowsPerApplication + w;
      windows.push_back(client.createWindow({.instance = name,
                                             .className = name,
                                             .utf8Title = name + " window " + std::to_string(w),
                                             .pid = static_cast<std::uint32_t>(9000 + a)}));
      // Each window wholly on one monitor, so a restore has nothing to clamp.
      const double x = (i % 2 == 0 ? 20 : 980) + (i / 2 % 5) * 100;
      saved.push_back({x, static_cast<double>(30 + w * 90), 400, 300});
      scrambled.push_back(
          {static_cast<double>(100 + w * 10), static_cast<double>(100 + a * 10), 300, 200});
    }
  }
  const auto placeAll = [&](const std::vector<Rect>& frames) {
    for (std::size_t i = 0; i < windows.size(); ++i) {
      desktop.x.accessibility.setFrame(dovrik::x11::X11Accessibility::windowElement(windows[i]),
                                       frames[i]);
    }
  };
  const auto allAt = [&](const std::vector<Rect>& frames) {
    for (std::size_t i = 0; i < windows.size(); ++i) {
      if (client.outerFrame(windows[i]) != frames[i])
        return false;
    }
    return true;
  };
  placeAll(saved);
  if (!desktop.loop.runUntil([&] { return allAt(saved); }, 10)) {
    std::fprintf(stderr, "the windows did not reach their frames\n");
    return 1;
  }

  dovrik::WorkspaceManager& workspaces = app.workspaceManager();
  std::vector<double> capture, restoreCall, restoreLanded;
  std::optional<dovrik::Workspace> layout;
  for (int round = 0; round < rounds; ++round) {
    const auto captureStart = Clock::now();
    layout = workspaces.captureCurrent("Bench " + std::to_string(round));
    capture.push_back(millisecondsSince(captureStart));
    if (!layout || layout->windows.size() != windows.size()) {
      std::fprintf(stderr, "the capture missed windows\n");
      return 1;
    }
    placeAll(scrambled);
    if (!desktop.loop.runUntil([&] { return allAt(scrambled); }, 10)) {
      std::fprintf(stderr, "the windows were not scrambled\n");
      return 1;
    }
    const auto restoreStart = Clock::now();
    workspaces.restore(*layout);
    restoreCall.push_back(millisecondsSince(restoreStart));
    if (!desktop.loop.runUntil([&] { return allAt(saved); }, 10)) {
      std::fprintf(stderr, "the restore did not land every window\n");
      return 1;
    }
    restoreLanded.push_back(millisecondsSince(restoreStart));
  }

  std::printf("workspace_bench: %zu windows of %d applications on 2 monitors, %d rounds\n",
              windows.size(), applications, rounds);
  std::printf("  capture                 median %.2f ms\n", median(capture));
  std::printf("  restore (call)          median %.2f ms\n", median(restoreCall));
  std::printf("  restore (all in place)  median %.2f ms\n", median(restoreLanded));
  return 0;
}
