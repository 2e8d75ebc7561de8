// Cutting docks' reservations out of a monitor.
#include "linux/x11/UsableArea.h"

#include <algorithm>

namespace dovrik::x11 {

namespace {

bool spansMeet(int start, int end, int from, int length) {
  return start <= end && start < from + length && end >= from;
}

}  // namespace

std::optional<Strut> Strut::fromValues(const std::vector<std::uint32_t>& v, int rootWidth,
                                       int rootHeight) {
  const auto at = [&](std::size_t i) { return static_cast<int>(v[i]); };
  if (v.size() >= 12) {
    return Strut{at(0), at(1), at(2), at(3), at(4),  at(5),
                 at(6), at(7), at(8), at(9), at(10), at(11)};
  }
  if (v.size() >= 4) {
    return Strut{at(0), at(1),          at(2), at(3),         0, rootHeight - 1,
                 0,     rootHeight - 1, 0,     rootWidth - 1, 0, rootWidth - 1};
  }
  return std::nullopt;
}

PixelRect usableArea(const Monitor& m, const std::vector<Strut>& struts, int rootWidth,
                     int rootHeight) {
  int left = m.x, right = m.x + m.width, top = m.y, bottom = m.y + m.height;
  for (const Strut& s : struts) {
    if (s.left > 0 && s.left > m.x && s.left < m.x + m.width &&
        spansMeet(s.leftStartY, s.leftEndY, m.y, m.height)) {
      left = std::max(left, s.left);
    }
    if (const int edge = rootWidth - s.right;
        s.right > 0 && edge > m.x && edge < m.x + m.width &&
        spansMeet(s.rightStartY, s.rightEndY, m.y, m.height)) {
      right = std::min(right, edge);
    }
    if (s.top > 0 && s.top > m.y && s.top < m.y + m.height &&
        spansMeet(s.topStartX, s.topEndX, m.x, m.width)) {
      top = std::max(top, s.top);
    }
    if (const int edge = rootHeight - s.bottom;
        s.bottom > 0 && edge > m.y && edge < m.y + m.height &&
        spansMeet(s.bottomStartX, s.bottomEndX, m.x, m.width)) {
      bottom = std::min(bottom, edge);
    }
  }
  if (right <= left || bottom <= top)
    return {m.x, m.y, m.width, m.height};
  return {left, top, right - left, bottom - top};
}

std::optional<PixelRect> workAreaOf(const std::vector<std::uint32_t>& values,
                                    std::uint32_t desktop) {
  const std::size_t first = std::size_t{desktop} * 4;
  if (values.size() < first + 4)
    return std::nullopt;
  const auto at = [&](std::size_t i) { return static_cast<int>(values[first + i]); };
  const PixelRect area{at(0), at(1), at(2), at(3)};
  if (area.width <= 0 || area.height <= 0)
    return std::nullopt;
  return area;
}

PixelRect withinWorkArea(const PixelRect& usable, const std::optional<PixelRect>& workArea) {
  if (!workArea)
    return usable;
  const int left = std::max(usable.x, workArea->x);
  const int top = std::max(usable.y, workArea->y);
  const int right = std::min(usable.x + usable.width, workArea->x + workArea->width);
  const int bottom = std::min(usable.y + usable.height, workArea->y + workArea->height);
  if (right <= left || bottom <= top)
    return usable;
  return {left, top, right - left, bottom - top};
}

}  // namespace dovrik::x11
