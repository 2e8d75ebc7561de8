// Screen-list arithmetic shared by snapping, dragging and workspaces.
#include "core/windows/ScreenGeometry.h"

namespace dovrik {

double primaryScreenHeight(const std::vector<Screen>& screens) {
  for (const Screen& s : screens) {
    if (s.frame.x == 0 && s.frame.y == 0)
      return s.frame.height;
  }
  return screens.empty() ? 0 : screens.front().frame.height;
}

std::optional<std::size_t> screenIndexForFrame(const std::vector<Screen>& screens,
                                               const Rect& desktopFrame) {
  if (screens.empty())
    return std::nullopt;
  std::size_t best = 0;
  double bestArea = screens[0].frame.intersectionArea(desktopFrame);
  for (std::size_t i = 1; i < screens.size(); ++i) {
    const double area = screens[i].frame.intersectionArea(desktopFrame);
    if (area > bestArea) {
      best = i;
      bestArea = area;
    }
  }
  return best;
}

std::uint32_t displayIdForName(const std::string& name) {
  // FNV-1a: small, stable across runs and platforms.
  std::uint32_t hash = 2166136261u;
  for (const unsigned char c : name) {
    hash ^= c;
    hash *= 16777619u;
  }
  return hash;
}

}  // namespace dovrik
