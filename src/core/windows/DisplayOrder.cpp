// Monitor order and frames carried between usable areas.
#include "core/windows/DisplayOrder.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace dovrik {

std::size_t adjacentScreenIndex(const std::vector<Screen>& screens, std::size_t current,
                                DisplayDirection direction) {
  std::vector<std::size_t> order(screens.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  // Desktop space has y growing upwards, so the monitor on top has the larger upper edge.
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const Rect& fa = screens[a].frame;
    const Rect& fb = screens[b].frame;
    if (fa.x != fb.x)
      return fa.x < fb.x;
    return fa.y + fa.height > fb.y + fb.height;
  });
  const auto at = std::find(order.begin(), order.end(), current);
  const std::size_t place = static_cast<std::size_t>(at - order.begin());
  const std::size_t count = order.size();
  const std::size_t step = direction == DisplayDirection::next ? 1 : count - 1;
  return order[(place + step) % count];
}

namespace {

// One axis: the start and length of a segment carried from one span into another.
std::pair<double, double> carried(double start, double length, double fromStart, double fromLength,
                                  double toStart, double toLength) {
  const double scale = fromLength > 0 ? toLength / fromLength : 1;
  const double newLength = std::min(length * scale, toLength);
  const double newStart = toStart + (start - fromStart) * scale;
  return {std::clamp(newStart, toStart, toStart + toLength - newLength), newLength};
}

}  // namespace

Rect carriedFrame(const Rect& frame, const Rect& from, const Rect& to) {
  const auto [x, width] = carried(frame.x, frame.width, from.x, from.width, to.x, to.width);
  const auto [y, height] = carried(frame.y, frame.height, from.y, from.height, to.y, to.height);
  return {x, y, width, height};
}

}  // namespace dovrik
