// Matching saved windows to live ones and fitting their frames to the display.
#include "core/workspaces/WorkspacePlacement.h"

#include <algorithm>

namespace dovrik {

Rect fractionsOf(const Rect& frame, const Rect& visibleFrame) {
  const Rect& v = visibleFrame;
  return {(frame.minX() - v.minX()) / v.width, (frame.minY() - v.minY()) / v.height,
          frame.width / v.width, frame.height / v.height};
}

Rect frameFromFractions(const Rect& fractions, const Rect& visibleFrame) {
  const Rect& v = visibleFrame;
  return {v.minX() + fractions.x * v.width, v.minY() + fractions.y * v.height,
          fractions.width * v.width, fractions.height * v.height};
}

Rect clampToVisibleFrame(const Rect& target, const Rect& visibleFrame) {
  const Rect& v = visibleFrame;
  const double width = std::min(v.width, std::max(120.0, target.width));
  const double height = std::min(v.height, std::max(80.0, target.height));
  const double x = std::min(v.maxX() - width, std::max(target.minX(), v.minX()));
  const double y = std::min(v.maxY() - height, std::max(target.minY(), v.minY()));
  return {x, y, width, height};
}

std::optional<std::size_t> matchIndex(const WorkspaceWindow& saved,
                                      const std::vector<std::string>& liveTitles,
                                      const std::vector<bool>& claimed) {
  const std::size_t count = liveTitles.size();
  if (!saved.windowTitle.empty()) {
    for (std::size_t i = 0; i < count; ++i) {
      if (!claimed[i] && liveTitles[i] == saved.windowTitle)
        return i;
    }
  }
  if (saved.windowIndex >= 0 && static_cast<std::uint64_t>(saved.windowIndex) < count &&
      !claimed[static_cast<std::size_t>(saved.windowIndex)])
    return static_cast<std::size_t>(saved.windowIndex);
  for (std::size_t i = 0; i < count; ++i) {
    if (!claimed[i])
      return i;
  }
  return std::nullopt;
}

}  // namespace dovrik
