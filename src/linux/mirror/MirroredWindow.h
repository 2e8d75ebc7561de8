// What a compositor reports of a window and of an output, in its global coordinates (top-left
// origin, y down).
#pragma once

#include <string>

#include "core/platform/Geometry.h"
#include "core/platform/RunningApps.h"

namespace dovrik::mirror {

struct MirroredWindow {
  std::string id;  // the compositor's own id, stable for the window's life
  std::string resourceClass;
  std::string resourceName;  // an X11 window's WM_CLASS instance
  std::string desktopFileName;
  std::string caption;
  ProcessId pid = 0;  // 0 when the compositor does not know it
  Rect frame;
  bool minimized = false;
  bool normal = false;
  bool dialog = false;
  bool dock = false;
  bool desktop = false;
  std::string output;
  friend bool operator==(const MirroredWindow&, const MirroredWindow&) = default;

  // A window the user works in: the ones Dovrik moves and lists per application.
  bool isOrdinary() const { return normal || dialog; }
};

struct MirroredOutput {
  std::string name;
  Rect geometry;
  Rect usable;  // without panels and docks
  friend bool operator==(const MirroredOutput&, const MirroredOutput&) = default;
};

// A title-bar move of a window: its start, each step and its end.
enum class MovePhase { begin, step, end };

}  // namespace dovrik::mirror
