// Copy to history on a real X server: another application takes the clipboard with a text, and
// the time until Dovrik's history holds it is measured, 200 times. Dovrik runs on a thread of
// its own, as it would in its own process. Then 25 texts and 5 images are in the history, and
// the process's memory is reported.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>
#include <vector>

#include "ClipboardClient.h"
#include "Percentile.h"
#include "TestClient.h"
#include "X11TestPlatform.h"
#include "XServer.h"
#include "core/app/App.h"

namespace {

using namespace dovrik::x11test;
using Clock = std::chrono::steady_clock;

constexpr int copies = 200;

using dovrik::bench::percentile;

// Resident memory of this process in MiB.
double residentMiB() {
  long pages = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1 << 20);
}

// A small PNG: a 1×1 image, made different per copy through a text chunk.
std::string png(int n) {
  static const unsigned char pixel[] = {
      0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48,
      0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00,
      0x00, 0x1F, 0x15, 0xC4, 0x89, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x44, 0x41, 0x54, 0x78,
      0x9C, 0x63, 0xF8, 0xCF, 0xC0, 0xF0, 0x1F, 0x00, 0x05, 0x00, 0x01, 0xFF, 0x89, 0x99,
      0x3D, 0x1D, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
  std::string bytes(reinterpret_cast<const char*>(pixel), sizeof pixel);
  // Different images differ in their bytes; a trailing byte after IEND keeps it readable.
  bytes.push_back(static_cast<char>(n));
  return bytes;
}

}  // namespace

int main() {
  XServer server(1280, 800);
  server.startWindowManager(XServer::WmConfig::Test, XServer::Wm::openbox);

  std::atomic<bool> ready = false, stop = false;
  std::atomic<std::size_t> entries = 0, changes = 0;
  std::thread agent([&] {
    X11TestPlatform desktop(server.display(), 1);
    dovrik::App app(desktop.platform());
    app.appState().setClipboardHistoryEnabled(true);
    app.start();
    dovrik::ClipboardManager& history = app.clipboardManager();
    history.itemsChanged.connect([&] {
      entries = history.items().size();
      ++changes;
    });
    ready = true;
    desktop.loop.runUntil([&] { return stop.load(); }, 3600);
  });
  const auto finish = [&](int status) {
    stop = true;
    agent.join();
    return status;
  };

  TestClient timer(server.display());
  ClipboardClient other(server.display());
  if (!timer.waitFor([&] { return ready.load(); })) {
    std::fprintf(stderr, "Dovrik did not start\n");
    return finish(1);
  }
  // Each copy is new text, so each one changes the history; the time is taken until it has.
  std::vector<double> milliseconds;
  for (int i = 0; i < copies; ++i) {
    const std::size_t before = changes;
    const auto start = Clock::now();
    other.own({{"UTF8_STRING", "copy number " + std::to_string(i)}});
    bool seen = false;
    while (!(seen = changes != before) &&
           std::chrono::duration<double>(Clock::now() - start).count() < 5) {
      other.service();
      std::this_thread::yield();
    }
    if (!seen) {
      std::fprintf(stderr, "copy %d was not recorded\n", i);
      return finish(1);
    }
    milliseconds.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::printf("clipboard_latency: %d copies, copy to entry in the history\n", copies);
  std::printf("  median %.2f ms  p99 %.2f ms  max %.2f ms\n", percentile(milliseconds, 0.5),
              percentile(milliseconds, 0.99),
              *std::max_element(milliseconds.begin(), milliseconds.end()));

  const double baseline = residentMiB();
  for (int i = 0; i < 30; ++i) {
    const std::size_t before = changes;
    if (i < 25)
      other.own({{"UTF8_STRING", std::string(2000, static_cast<char>('a' + i % 26))}});
    else
      other.own({{"image/png", png(i)}});
    const auto start = Clock::now();
    while (changes == before && std::chrono::duration<double>(Clock::now() - start).count() < 5) {
      other.service();
      std::this_thread::yield();
    }
  }
  std::printf("  memory: %.1f MiB resident with %zu entries (%.1f MiB before the last 30)\n",
              residentMiB(), entries.load(), baseline);
  return finish(0);
}
