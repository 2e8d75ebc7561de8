// How the desktop adapters name accessibility elements and answer for an application's
// windows: every desktop numbers its windows its own way, but the handles and the choice of an
// application's main window are the same everywhere.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/platform/Accessibility.h"
#include "core/platform/RunningApps.h"

namespace dovrik::elements {

// The element's kind in the two top bits, a process id or the adapter's window number below.
inline constexpr std::uint64_t kindShift = 62;
inline constexpr std::uint64_t kindApp = 1;
inline constexpr std::uint64_t kindWindow = 2;
inline constexpr std::uint64_t kindSystemWide = 3;
inline constexpr std::uint64_t valueMask = (std::uint64_t{1} << kindShift) - 1;

inline AXElement application(ProcessId pid) {
  return {(kindApp << kindShift) | (static_cast<std::uint64_t>(pid) & valueMask)};
}
inline AXElement window(std::uint64_t number) {
  return {(kindWindow << kindShift) | (number & valueMask)};
}
inline AXElement systemWide() {
  return {kindSystemWide << kindShift};
}
inline std::optional<ProcessId> processOf(AXElement element) {
  if ((element.handle >> kindShift) != kindApp)
    return std::nullopt;
  return static_cast<ProcessId>(element.handle & valueMask);
}
inline std::optional<std::uint64_t> windowOf(AXElement element) {
  if ((element.handle >> kindShift) != kindWindow)
    return std::nullopt;
  return element.handle & valueMask;
}

// An application's main window: the front-most of `own` the user can see, else the front-most
// of them at all.
template <typename Window, typename IsMinimized>
std::optional<Window> mainWindow(const std::vector<Window>& frontToBack,
                                 const std::vector<Window>& own, IsMinimized isMinimized) {
  std::optional<Window> minimized;
  for (const Window& window : frontToBack) {
    if (std::find(own.begin(), own.end(), window) == own.end())
      continue;
    if (!isMinimized(window))
      return window;
    if (!minimized)
      minimized = window;
  }
  return minimized;
}

}  // namespace dovrik::elements
