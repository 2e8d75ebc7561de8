// What the KWin script reports of a window and of an output, in KWin's global coordinates
// (top-left origin, y down).
#pragma once

#include <string>

#include "core/platform/Geometry.h"
#include "core/platform/RunningApps.h"

namespace dovrik::kwin {

struct KWinWindow {
  std::string id;  // KWin's internal id, stable for the window's life
  std::string resourceClass;
  std::string resourceName;  // an X11 window's WM_CLASS instance
  std::string desktopFileName;
  std::string caption;
  ProcessId pid = 0;  // 0 when KWin does not know it
  Rect frame;
  bool minimized = false;
  bool normal = false;
  bool dialog = false;
  bool dock = false;
  bool desktop = false;
  std::string output;
  friend bool operator==(const KWinWindow&, const KWinWindow&) = default;

  // A window the user works in: the ones Dovrik moves and lists per application.
  bool isOrdinary() const { return normal || dialog; }
};

struct KWinOutput {
  std::string name;
  Rect geometry;
  Rect usable;  // without panels and docks
  friend bool operator==(const KWinOutput&, const KWinOutput&) = default;
};

}  // namespace dovrik::kwin
