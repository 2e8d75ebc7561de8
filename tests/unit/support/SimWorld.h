// A ready-made simulated desktop for window and hotkey tests: a 1440 × 900 primary screen
// with a 25-point menu bar, and one ordinary application that has the keyboard focus.
#pragma once

#include <cstdint>
#include <vector>

#include "core/platform/Platform.h"
#include "sim/SimPlatform.h"

namespace dovrik::test {

// The modifiers of Dovrik's stock hotkeys.
constexpr std::uint32_t kCtrlOpt = controlKey | optionKey;

struct SimWorld {
  static constexpr ProcessId appPid = 100;

  // xterm as Debian describes it: an entry of the TerminalEmulator category named debian-xterm.
  static RunningApp debianXterm(ProcessId pid) {
    RunningApp xterm{pid, "debian-xterm", "XTerm", ActivationPolicy::Regular, false};
    xterm.categories = {"System", "TerminalEmulator"};
    xterm.executable = "xterm";
    xterm.windowClass = "XTerm";
    return xterm;
  }

  SimWorld() {
    primary = desktop.addScreen({0, 0, 1440, 900}, {0, 0, 1440, 875});
    desktop.addApp({appPid, "com.example.editor", "Editor", ActivationPolicy::Regular, false});
    desktop.setFrontmostApp(appPid);
  }

  sim::SimPlatform sim;
  sim::SimClock& clock = sim.clock;
  sim::SimDesktop& desktop = sim.desktop;
  sim::SimHotkeys& hotkeys = sim.hotkeys;
  Platform platform = sim.platform();
  std::uint32_t primary = 0;
};

// A frame write as the window saw it: a position write followed by a size write.
struct FrameWrite {
  double time = 0;
  AXElement window;
  Rect frame;
};

// Pairs the recorded writes into frames; fails the test if they are not position-then-size
// pairs made at the same moment.
std::vector<FrameWrite> frameWrites(const std::vector<sim::SimDesktop::Write>& writes);

}  // namespace dovrik::test
