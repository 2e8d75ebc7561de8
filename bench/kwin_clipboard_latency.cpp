// Copy to history on Plasma's Wayland session: the Qt Wayland test window takes the clipboard
// with a new text, and the time until the real agent's history lists it is measured. The history
// is read through the agent's socket by a probe that runs as the session's user (the agent
// answers no one else), asking every millisecond from before the copy until the text is there.
//   kwin_clipboard_latency [COPIES]   (100)
// The probe is this program: kwin_clipboard_latency --probe SOCKET, one text a line on its input.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include <QCoreApplication>

#include "AgentSocket.h"
#include "KWinBenchSession.h"
#include "Percentile.h"

namespace {

using namespace dovrik;
using namespace dovrik::kwintest;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using bench::percentile;

long long nowNanoseconds() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
      .count();
}

// For each text on the input: "watching" once the history was read without it, then
// "seen NANOSECONDS" (on the steady clock, which all processes share) once it lists it.
int probe(const std::filesystem::path& socket) {
  for (std::string text; std::getline(std::cin, text);) {
    bool announced = false;
    for (const auto give = Clock::now() + 10s; Clock::now() < give;) {
      const auto listed = bench::ask(socket, {"clipboard", "list"});
      if (listed && listed->find(text) != std::string::npos) {
        std::printf("seen %lld\n", nowNanoseconds());
        break;
      }
      if (!announced) {
        std::printf("watching\n");
        std::fflush(stdout);
        announced = true;
      }
      std::this_thread::sleep_for(1ms);
    }
    std::fflush(stdout);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--probe")
    return probe(argv[2]);
  QCoreApplication app(argc, argv);
  const int copies = argc > 1 ? std::atoi(argv[1]) : 100;
  if (!bench::kwinSessionAvailable())
    return 1;
  bench::KWinBenchSession bench;
  const auto window = bench.openActiveWindow();
  if (!window)
    return 1;
  const auto socket = bench::socketIn(bench.session.runtimeDir());
  if (!socket) {
    std::fprintf(stderr, "the agent's socket is not in %s\n", bench.session.runtimeDir().c_str());
    return 1;
  }
  ChildLaunch launch;
  launch.argv = {std::filesystem::canonical("/proc/self/exe").string(), "--probe", *socket};
  launch.pipeInput = true;
  launch.pipeOutput = true;
  launch.logFile = bench.session.folder() + "/probe.log";
  const auto prober = bench.session.launch(launch);

  std::vector<double> milliseconds;
  int missed = 0;
  for (int i = 0; i < copies; ++i) {
    const std::string text = "bench copy " + std::to_string(i) + " " + std::to_string(getpid());
    prober->sendLine(text);
    if (prober->nextLine(10s) != "watching") {
      std::fprintf(stderr, "the probe could not read the history\n");
      return 1;
    }
    const long long start = nowNanoseconds();
    window->sendLine("copy-text " + text);
    const auto seen = prober->nextLine(11s);
    awaitOutput(*window, "copied");
    if (!seen || !seen->starts_with("seen ")) {
      ++missed;
      continue;
    }
    milliseconds.push_back(static_cast<double>(std::atoll(seen->c_str() + 5) - start) / 1e6);
  }
  std::printf("kwin_clipboard_latency: copy to history, %d copies (target: median <= 20 ms)\n",
              copies);
  if (milliseconds.empty()) {
    std::printf("  no copy reached the history\n");
    return 1;
  }
  std::printf(
      "  median %6.2f ms  p90 %6.2f ms  (%zu seen, %d never listed; the probe asks every "
      "1 ms)\n",
      percentile(milliseconds, 0.5), percentile(milliseconds, 0.9), milliseconds.size(), missed);
  return missed == 0 ? 0 : 1;
}
