// Hotkey press to final frame under sway: the real agent in a headless sway, beside a binding of
// sway's own that places the window with the same command Dovrik sends, in the same run and on
// the same Qt Wayland window. Before each press the window is parked on another frame. A press
// is the chord typed on one virtual keyboard that stays on the seat for the whole run, as a
// user's keyboard does (a keyboard that joins the seat for each press, as wtype's does, makes
// every client take and compile a new keymap). It ends when the window shows itself on the
// snapped frame: sway has it there and the client has painted itself at the size sway asked
// of it. Dovrik's and sway's presses alternate, so both see the same load. A second figure
// splits each press at the moment sway's binding event reaches the bench: before it is sway's
// key handling, alike for both; after it is Dovrik's own path (event, agent, command) against
// sway running its binding, then the client's repaint, alike for both.
//   sway_hotkey_latency [PRESSES]   (30 of each)
#include <linux/input-event-codes.h>
#include <poll.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <QCoreApplication>

#include "Await.h"
#include "PaintReports.h"
#include "Percentile.h"
#include "PressTiming.h"
#include "SessionAgent.h"
#include "SessionClients.h"
#include "SwaySession.h"
#include "linux/i3ipc/CommandText.h"
#include "linux/i3ipc/I3Client.h"
#include "linux/i3ipc/I3Json.h"
#include "linux/i3ipc/I3Subscription.h"
#include "linux/i3ipc/I3Tree.h"
#include "linux/i3ipc/I3Workspaces.h"
#include "linux/wayland/VirtualKeyboardKeySynth.h"
#include "linux/wayland/WaylandConnection.h"

namespace {

using namespace dovrik;
using namespace std::chrono_literals;
using bench::Clock;
using bench::loadAverage;
using bench::millisecondsBetween;
using bench::nearFrame;
using bench::PaintReports;
using bench::percentile;
using swaytest::SwaySession;
using wayland::VirtualKeyboardKeySynth;

constexpr const char* windowTitle = "Bench window";
// Where the window waits before each press: on neither half, so that every press moves it.
constexpr Rect parkedFrame{200, 250, 640, 360};
constexpr auto pressLimit = 2s;
// Between two readings of the tree: short against a press, long enough to leave sway the core.
constexpr auto pollPause = 500us;

struct Contender {
  const char* name;
  std::array<std::uint32_t, 2> keys;  // pressed with Ctrl+Alt: to the left half, the right half
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

// The window as sway has it now: its frame, and the size it asked the client to take.
struct Placement {
  Rect frame;
  double clientWidth = 0;
  double clientHeight = 0;
};

const Json* nodeNamed(const Json& node, const std::string& name) {
  if (node.is_object() && node.value("name", Json()) == name)
    return &node;
  for (const char* children : {"nodes", "floating_nodes"})
    if (const auto* list = presentMember(node, children); list && list->is_array())
      for (const Json& child : *list)
        if (const Json* found = nodeNamed(child, name))
          return found;
  return nullptr;
}

// Nothing when sway did not answer or lost the window.
std::optional<Placement> placementNow(i3ipc::I3Client& sway) {
  const auto tree = sway.request(i3ipc::MessageType::getTree);
  const auto windows = tree ? i3ipc::decodeTree(*tree) : std::nullopt;
  if (!windows)
    return std::nullopt;
  const Json parsed = i3ipc::parsePayload(*tree);
  const Json* node = nodeNamed(parsed, windowTitle);
  const Json* client = node ? presentMember(*node, "window_rect") : nullptr;
  for (const i3ipc::I3Window& window : *windows)
    if (window.title == windowTitle && client)
      return Placement{window.frame, client->value("width", 0.0), client->value("height", 0.0)};
  return std::nullopt;
}

std::optional<Rect> frameNow(i3ipc::I3Client& sway) {
  const auto placement = placementNow(sway);
  return placement ? std::optional(placement->frame) : std::nullopt;
}

// Whether the test window shows itself on `frame`: sway has it there and the client has
// painted itself at the size sway asked of it.
bool shows(i3ipc::I3Client& sway, PaintReports& window, const Rect& frame) {
  const Size painted = window.latest();
  const auto now = placementNow(sway);
  return now && nearFrame(now->frame, frame) && now->clientWidth == painted.width &&
         now->clientHeight == painted.height;
}

// Whether the window shows itself on `frame` within `limit`.
bool awaitShown(i3ipc::I3Client& sway, PaintReports& window, const Rect& frame,
                Clock::duration limit) {
  for (const auto deadline = Clock::now() + limit; Clock::now() < deadline;
       std::this_thread::sleep_for(pollPause))
    if (shows(sway, window, frame))
      return true;
  return false;
}

// The moment sway's binding event reaches the bench, within `limit`; heard on a thread of its
// own, so that waiting on the window does not delay it.
std::future<std::optional<Clock::time_point>> hearBinding(const i3ipc::I3Subscription& bindings,
                                                          std::chrono::milliseconds limit) {
  return std::async(std::launch::async, [fd = bindings.fd(), limit]() {
    pollfd entry{fd, POLLIN, 0};
    return ::poll(&entry, 1, static_cast<int>(limit.count())) == 1 ? std::optional(Clock::now())
                                                                   : std::nullopt;
  });
}

// The placement now and then does not hold (the window keeps its height from before): it is
// asked for again then.
bool park(const SwaySession& session, i3ipc::I3Client& sway, PaintReports& window) {
  const std::string criteria = "[title=\"^" + std::string(windowTitle) + "$\"]";
  for (int attempt = 0; attempt < 3; ++attempt)
    if (session.command(i3ipc::placeFloating(criteria, parkedFrame)) &&
        awaitShown(sway, window, parkedFrame, 2s))
      return true;
  return false;
}

std::vector<std::uint32_t> chord(std::uint32_t key) {
  return {KEY_LEFTCTRL, KEY_LEFTALT, key};
}

void typeChord(VirtualKeyboardKeySynth& keyboard, std::uint32_t key) {
  keyboard.press(chord(key));
}

// The left and right halves of the focused workspace's usable area (the output below the bar),
// where Dovrik's halves are: sway's own binding is given the same frames.
std::optional<std::array<Rect, 2>> halvesOfUsableArea(i3ipc::I3Client& sway) {
  const auto reply = sway.request(i3ipc::MessageType::getWorkspaces);
  const auto workspaces = reply ? i3ipc::decodeWorkspaces(*reply) : std::nullopt;
  if (!workspaces)
    return std::nullopt;
  for (const i3ipc::I3Workspace& workspace : *workspaces)
    if (workspace.focused) {
      const Rect& area = workspace.rect;
      const double half = std::floor(area.width / 2);
      return std::array<Rect, 2>{Rect{area.x, area.y, half, area.height},
                                 Rect{area.x + half, area.y, area.width - half, area.height}};
    }
  return std::nullopt;
}

// The agent binds its hotkeys once it has read sway's tree: a press that moves the parked
// window shows that it has.
bool awaitHotkeys(const SwaySession& session, i3ipc::I3Client& sway, PaintReports& window,
                  VirtualKeyboardKeySynth& keyboard, std::uint32_t key) {
  for (int attempt = 0; attempt < 30; ++attempt) {
    if (!park(session, sway, window))
      return false;
    typeChord(keyboard, key);
    if (sessiontest::await(
            [&] {
              const auto now = frameNow(sway);
              return now && !nearFrame(*now, parkedFrame);
            },
            1s))
      return true;
  }
  return false;
}

// Parks the window, then presses: press to the moment the window has painted itself on
// `target`; nothing when it did not come there. The bench reads sway's tree only once the window
// painted, so its readings do not compete with the press for sway's time.
std::optional<Sample> timePress(const SwaySession& session, i3ipc::I3Client& sway,
                                PaintReports& window, VirtualKeyboardKeySynth& keyboard,
                                i3ipc::I3Subscription& bindings, std::uint32_t key,
                                const Rect& target) {
  if (!park(session, sway, window))
    return std::nullopt;
  bindings.readAvailable();
  auto bound = hearBinding(bindings, pressLimit);
  // Held until the window shows itself, as a hand holds a chord for tens of milliseconds: keys
  // let go at once reach the window while it moves, which no typist's do.
  const auto start = Clock::now();
  keyboard.hold(chord(key));
  std::optional<Clock::time_point> shown;
  for (const auto deadline = start + pressLimit; !shown && Clock::now() < deadline;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (!window.next(left))
      break;
    const auto painted = Clock::now();
    if (shows(sway, window, target))
      shown = painted;
  }
  keyboard.release(chord(key));
  const auto heard = bound.get();
  bindings.readAvailable();
  if (!shown)
    return std::nullopt;
  return Sample{millisecondsBetween(start, *shown),
                heard ? std::optional(millisecondsBetween(start, *heard)) : std::nullopt};
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
  const QCoreApplication application(argc, argv);
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
  PaintReports window(sessiontest::startQtWindow(session, windowTitle, "bench-window"));
  i3ipc::I3Client sway(session.swaySocket());
  if (!sessiontest::await([&] { return frameNow(sway).has_value(); }, 15s)) {
    std::fprintf(stderr, "the window did not show\n");
    return 1;
  }
  wayland::WaylandConnection connection(
      (session.runtimeDir() + "/" + session.waylandDisplay()).c_str());
  VirtualKeyboardKeySynth keyboard(connection);
  if (!keyboard.isAvailable()) {
    std::fprintf(stderr, "sway offers no virtual keyboard\n");
    return 1;
  }
  Contender dovrik{"dovrik", {KEY_LEFT, KEY_RIGHT}, {}, {}, {}, 0};
  Contender own{"sway", {KEY_PAGEDOWN, KEY_PAGEUP}, {}, {}, {}, 0};
  const std::array<const char*, 2> ownKeyNames{"Next", "Prior"};

  const auto halves = halvesOfUsableArea(sway);
  if (!halves) {
    std::fprintf(stderr, "sway did not tell its usable area\n");
    return 1;
  }
  if (!awaitHotkeys(session, sway, window, keyboard, dovrik.keys[0])) {
    std::fprintf(stderr, "the agent's hotkeys did not move the window:\n%s\n", agent.log().c_str());
    return 1;
  }
  for (const int side : {0, 1}) {
    const std::string binding = "bindsym --no-repeat Ctrl+Mod1+" + std::string(ownKeyNames[side]) +
                                " \"" + i3ipc::placeFloating("", (*halves)[side]).substr(1) + "\"";
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
  // Both alternate halves, starting away from the left one the agent snapped last.
  for (int i = 0; i < presses; ++i)
    for (Contender* contender : {&dovrik, &own}) {
      const int side = (i + 1) % 2;
      const auto sample = timePress(session, sway, window, keyboard, *bindings,
                                    contender->keys[side], (*halves)[side]);
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
  window.stop();
  return 0;
}
