// Hotkey press to final frame under sway: the real agent in a headless sway, beside a binding of
// sway's own that places the window with the same command Dovrik sends, in the same run and on
// the same Qt Wayland window. Before each press the window is parked on another frame; a press
// is wtype typing the chord (its start-up cost is in both alike), and it ends with the first
// get_tree that shows the window on the snapped frame. Dovrik's and sway's presses alternate, so
// both see the same load. A second figure splits each press at the moment sway's binding event
// reaches the bench: before it is wtype and sway's key handling, alike for both; after it is
// Dovrik's own path (event, agent, command) against sway running its binding.
//   sway_hotkey_latency [PRESSES]   (30 of each)
#include <sys/types.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "Await.h"
#include "Percentile.h"
#include "SessionAgent.h"
#include "SessionClients.h"
#include "SwaySession.h"
#include "linux/i3ipc/CommandText.h"
#include "linux/i3ipc/I3Client.h"
#include "linux/i3ipc/I3Subscription.h"
#include "linux/i3ipc/I3Tree.h"

namespace {

using namespace dovrik;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using bench::percentile;
using sessiontest::ChildLaunch;
using swaytest::SwaySession;

constexpr const char* windowTitle = "Bench window";
// Where the window waits before each press: on neither half, so that every press moves it.
constexpr Rect parkedFrame{200, 250, 640, 360};
constexpr auto pressLimit = 2s;
// Between two readings of the tree: short against a press, long enough to leave sway the core.
constexpr auto pollPause = 500us;

struct Contender {
  const char* name;
  std::array<const char*, 2> keys;  // pressed with Ctrl+Alt: to the left half, the right half
  std::vector<double> milliseconds;
  // Press to the moment the bench hears sway's binding event, and from then to the frame: what
  // follows sway's own handling of the key is all of Dovrik's path and none of sway's binding.
  std::vector<double> toBinding;
  std::vector<double> afterBinding;
  int missed = 0;
};

struct Sample {
  double milliseconds;
  std::optional<double> toBinding;
};

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

std::string loadAverage() {
  std::string one, five;
  std::ifstream("/proc/loadavg") >> one >> five;
  return one + " " + five;
}

// sway rounds a frame to whole pixels.
bool near(const Rect& a, const Rect& b) {
  return std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1 && std::abs(a.width - b.width) <= 1 &&
         std::abs(a.height - b.height) <= 1;
}

// The window's frame as sway has it now; nothing when sway did not answer or lost the window.
std::optional<Rect> frameNow(i3ipc::I3Client& sway) {
  const auto tree = sway.request(i3ipc::MessageType::getTree);
  const auto windows = tree ? i3ipc::decodeTree(*tree) : std::nullopt;
  if (!windows)
    return std::nullopt;
  for (const i3ipc::I3Window& window : *windows)
    if (window.title == windowTitle)
      return window.frame;
  return std::nullopt;
}

// Whether sway reports `frame` within `limit`.
bool awaitFrame(i3ipc::I3Client& sway, const Rect& frame, Clock::duration limit) {
  for (const auto deadline = Clock::now() + limit; Clock::now() < deadline;
       std::this_thread::sleep_for(pollPause)) {
    const auto now = frameNow(sway);
    if (now && near(*now, frame))
      return true;
  }
  return false;
}

// The frame the window keeps once it moved off `from`; nothing when it stayed there.
std::optional<Rect> awaitSettledOff(i3ipc::I3Client& sway, const Rect& from) {
  const auto deadline = Clock::now() + pressLimit;
  for (std::optional<Rect> now; Clock::now() < deadline; std::this_thread::sleep_for(pollPause)) {
    now = frameNow(sway);
    if (!now || near(*now, from))
      continue;
    std::this_thread::sleep_for(300ms);
    return frameNow(sway);
  }
  return std::nullopt;
}

// The placement now and then does not hold (the window keeps its height from before): it is
// asked for again then.
bool park(const SwaySession& session, i3ipc::I3Client& sway) {
  const std::string criteria = "[title=\"^" + std::string(windowTitle) + "$\"]";
  for (int attempt = 0; attempt < 3; ++attempt)
    if (session.command(i3ipc::placeFloating(criteria, parkedFrame)) &&
        awaitFrame(sway, parkedFrame, 2s))
      return true;
  return false;
}

// wtype typing Ctrl+Alt+`key`, started.
std::unique_ptr<sessiontest::ChildProcess> typeChord(const SwaySession& session, const char* key) {
  ChildLaunch typing;
  typing.argv = {"wtype", "-M", "ctrl", "-M", "alt", "-k", key, "-m", "alt", "-m", "ctrl"};
  return session.launch(typing);
}

// Where a press of `key` puts the parked window, pressed until it moves it at all; nothing when
// it never did.
std::optional<Rect> frameOfPress(const SwaySession& session, i3ipc::I3Client& sway, const char* key,
                                 int attempts) {
  for (int i = 0; i < attempts; ++i) {
    if (!park(session, sway))
      return std::nullopt;
    typeChord(session, key)->awaitExit(5s);
    if (const auto frame = awaitSettledOff(sway, parkedFrame))
      return frame;
  }
  return std::nullopt;
}

// Parks the window, then presses: press to the first reading of `target`, nothing when the
// window did not come there.
std::optional<Sample> timePress(const SwaySession& session, i3ipc::I3Client& sway,
                                i3ipc::I3Subscription& bindings, const char* key,
                                const Rect& target) {
  if (!park(session, sway))
    return std::nullopt;
  bindings.readAvailable();
  const auto start = Clock::now();
  const auto wtype = typeChord(session, key);
  std::optional<Clock::time_point> bound;
  std::optional<Sample> sample;
  for (const auto deadline = start + pressLimit; !sample && Clock::now() < deadline;
       std::this_thread::sleep_for(pollPause)) {
    if (!bound && !bindings.readAvailable().empty())
      bound = Clock::now();
    const auto now = frameNow(sway);
    const auto seen = Clock::now();
    if (now && near(*now, target))
      sample = Sample{millisecondsBetween(start, seen),
                      bound ? std::optional(millisecondsBetween(start, *bound)) : std::nullopt};
  }
  wtype->awaitExit(5s);
  return sample;
}

void report(const Contender& contender) {
  if (contender.milliseconds.empty()) {
    std::printf("  %-7s no press reached the frame\n", contender.name);
    return;
  }
  std::printf("  %-7s median %6.2f ms  p90 %6.2f ms  (%zu presses, %d missed)\n", contender.name,
              percentile(contender.milliseconds, 0.5), percentile(contender.milliseconds, 0.9),
              contender.milliseconds.size(), contender.missed);
  if (!contender.afterBinding.empty())
    std::printf(
        "  %-7s to the binding event: median %6.2f ms, after it: median %6.2f ms  p90 "
        "%6.2f ms\n",
        "", percentile(contender.toBinding, 0.5), percentile(contender.afterBinding, 0.5),
        percentile(contender.afterBinding, 0.9));
}

// Snap animations off, as sway's own binding has none: both then show the frame at once. The
// agent writes its settings back, so the file and its folder are the session user's.
void turnAnimationsOff(const SwaySession& session) {
  const std::filesystem::path folder = std::filesystem::path(session.home()) / ".config/dovrik";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "dovrik.json") << R"({"animationsEnabled": {"bool": false}})";
  for (const auto& path : {folder, folder / "dovrik.json"})
    if (chown(path.c_str(), session.user(), static_cast<gid_t>(-1)) != 0)
      std::perror(path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const int presses = argc > 1 ? std::atoi(argv[1]) : 30;
  if (const auto reason = SwaySession::unavailable()) {
    std::fprintf(stderr, "%s\n", reason->c_str());
    return 1;
  }
  SwaySession session;
  turnAnimationsOff(session);
  sessiontest::SessionAgent agent(session, DOVRIK_EXECUTABLE);
  if (!agent.start()) {
    std::fprintf(stderr, "the agent did not start:\n%s\n", agent.log().c_str());
    return 1;
  }
  const auto window = sessiontest::startQtWindow(session, windowTitle, "bench-window");
  i3ipc::I3Client sway(session.swaySocket());
  if (!sessiontest::await([&] { return frameNow(sway).has_value(); }, 15s)) {
    std::fprintf(stderr, "the window did not show\n");
    return 1;
  }
  Contender dovrik{"dovrik", {"Left", "Right"}, {}, {}, {}, 0};
  Contender own{"sway", {"Next", "Prior"}, {}, {}, {}, 0};

  // The agent binds its hotkeys once it has read sway's tree: the first press that moves the
  // window shows that it has, and where Dovrik's right half is.
  std::array<std::optional<Rect>, 2> halves;
  halves[1] = frameOfPress(session, sway, dovrik.keys[1], 30);
  halves[0] = halves[1] ? frameOfPress(session, sway, dovrik.keys[0], 1) : std::nullopt;
  if (!halves[0] || !halves[1]) {
    std::fprintf(stderr, "the agent's hotkeys did not move the window:\n%s\n", agent.log().c_str());
    return 1;
  }
  for (const int side : {0, 1}) {
    const std::string binding = "bindsym --no-repeat Ctrl+Mod1+" + std::string(own.keys[side]) +
                                " \"" + i3ipc::placeFloating("", *halves[side]).substr(1) + "\"";
    if (!session.command(binding)) {
      std::fprintf(stderr, "sway refused %s\n", binding.c_str());
      return 1;
    }
  }

  const auto bindings = i3ipc::I3Subscription::open(session.swaySocket(), {"binding"}, 2s);
  if (!bindings) {
    std::fprintf(stderr, "sway refused a subscription to its binding events\n");
    return 1;
  }
  std::printf(
      "sway_hotkey_latency: press to final frame (left and right half), animation off, %d "
      "presses each (target: dovrik median <= 1.2x sway's), load average before %s\n",
      presses, loadAverage().c_str());
  // sway reports no event when a floating window is moved or resized, so the agent still takes
  // the parked window for the half it last snapped it to, and a press for that half again would
  // cycle to the next size: Dovrik's presses alternate halves, starting away from the left one
  // it snapped last.
  for (int i = 0; i < presses; ++i)
    for (Contender* contender : {&dovrik, &own}) {
      const int side = (i + 1) % 2;
      const auto sample = timePress(session, sway, *bindings, contender->keys[side], *halves[side]);
      if (!sample) {
        ++contender->missed;
        continue;
      }
      contender->milliseconds.push_back(sample->milliseconds);
      if (sample->toBinding) {
        contender->toBinding.push_back(*sample->toBinding);
        contender->afterBinding.push_back(sample->milliseconds - *sample->toBinding);
      }
    }
  report(dovrik);
  report(own);
  if (!dovrik.milliseconds.empty() && !own.milliseconds.empty())
    std::printf("  dovrik/sway median ratio %.2f\n",
                percentile(dovrik.milliseconds, 0.5) / percentile(own.milliseconds, 0.5));
  std::printf("  load average after %s\n", loadAverage().c_str());
  window->stop();
  return 0;
}
