// Latency of the instant snap path on a real X server: from a synthesised Ctrl+Alt+arrow
// press to the moment the server reports the window's final outer frame. Starts its own Xvfb
// and openbox; prints the median and the 99th percentile over 200 presses.
#include <xcb/xtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "TestClient.h"
#include "X11TestPlatform.h"
#include "XServer.h"
#include "core/app/App.h"

namespace {

using dovrik::Rect;
using namespace dovrik::x11test;

constexpr int presses = 200;
constexpr xcb_keysym_t XK_Control_L = 0xffe3;
constexpr xcb_keysym_t XK_Alt_L = 0xffe9;
constexpr xcb_keysym_t XK_Left = 0xff51;
constexpr xcb_keysym_t XK_Right = 0xff53;

void press(TestClient& client, const std::vector<xcb_keycode_t>& chord) {
  for (const xcb_keycode_t key : chord)
    xcb_test_fake_input(client.raw(), XCB_KEY_PRESS, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
  for (auto it = chord.rbegin(); it != chord.rend(); ++it)
    xcb_test_fake_input(client.raw(), XCB_KEY_RELEASE, *it, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
  xcb_flush(client.raw());
}

double percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  const auto index = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
  return values[index];
}

}  // namespace

int main() {
  XServer server(1920, 1080);
  server.startWindowManager(XServer::WmConfig::Test);
  TestClient client(server.display());
  X11TestPlatform desktop(server.display(), 1);
  dovrik::App app(desktop.platform());
  app.appState().setAnimationsEnabled(false);
  app.start();  // the default shortcuts: Ctrl+Alt+Left and Right for the halves

  const xcb_window_t window = client.createWindow({.rect = {300, 300, 400, 300}, .pid = 8001});
  client.activate(window);
  if (!client.waitFor([&] {
        return client.property(client.root(), "_NET_ACTIVE_WINDOW") ==
               std::vector<std::uint32_t>{window};
      })) {
    std::fprintf(stderr, "the test window did not become active\n");
    return 1;
  }

  const xcb_keycode_t control = client.keycodeOf(XK_Control_L);
  const xcb_keycode_t alt = client.keycodeOf(XK_Alt_L);
  const Rect left{0, 0, 960, 1080};
  const Rect right{960, 0, 960, 1080};
  std::vector<double> milliseconds;
  for (int i = 0; i < presses; ++i) {
    const bool toRight = (i % 2 == 0);
    const Rect target = toRight ? right : left;
    const auto start = std::chrono::steady_clock::now();
    press(client, {control, alt, client.keycodeOf(toRight ? XK_Right : XK_Left)});
    if (!desktop.loop.runUntil([&] { return client.outerFrame(window) == target; }, 5)) {
      std::fprintf(stderr, "press %d did not land\n", i);
      return 1;
    }
    milliseconds.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::printf("hotkey_latency: %d presses, press to final frame (instant path)\n", presses);
  std::printf("  median %.2f ms\n  p99    %.2f ms\n  max    %.2f ms\n",
              percentile(milliseconds, 0.5), percentile(milliseconds, 0.99),
              *std::max_element(milliseconds.begin(), milliseconds.end()));
  return 0;
}
