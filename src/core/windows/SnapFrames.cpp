// Snap frames at their cycle sizes, with gaps.
#include "core/windows/SnapFrames.h"

#include <algorithm>

namespace dovrik {
namespace {

// Where a frame lies along one axis of the visible frame: against its lower border, its upper
// border, or across the whole of it.
enum class Anchor { start, end, across };

struct Span {
  double origin;
  double length;
};

double share(SnapSize size) {
  switch (size) {
    case SnapSize::half:
      return 0.5;
    case SnapSize::twoThirds:
      return 2.0 / 3.0;
    case SnapSize::oneThird:
      return 1.0 / 3.0;
  }
  return 0.5;
}

// The outer edge keeps the whole gap, the inner one half of it. `length - length * fraction`
// rather than `length * (1 - fraction)`, so that a half lands exactly where `targetFrame` puts
// it.
Span span(double origin, double length, Anchor anchor, double fraction, double gap) {
  switch (anchor) {
    case Anchor::start:
      return {origin + gap, length * fraction - 1.5 * gap};
    case Anchor::end:
      return {origin + (length - length * fraction) + gap / 2, length * fraction - 1.5 * gap};
    case Anchor::across:
      return {origin + gap, length - 2 * gap};
  }
  return {origin, length};
}

// Horizontal and vertical anchors in desktop space, where y grows upwards.
std::pair<Anchor, Anchor> anchors(SnapPosition position) {
  switch (position) {
    case SnapPosition::leftHalf:
      return {Anchor::start, Anchor::across};
    case SnapPosition::rightHalf:
      return {Anchor::end, Anchor::across};
    case SnapPosition::topHalf:
      return {Anchor::across, Anchor::end};
    case SnapPosition::bottomHalf:
      return {Anchor::across, Anchor::start};
    case SnapPosition::topLeft:
      return {Anchor::start, Anchor::end};
    case SnapPosition::topRight:
      return {Anchor::end, Anchor::end};
    case SnapPosition::bottomLeft:
      return {Anchor::start, Anchor::start};
    case SnapPosition::bottomRight:
      return {Anchor::end, Anchor::start};
    case SnapPosition::fullScreen:
    case SnapPosition::center:
      break;
  }
  return {Anchor::across, Anchor::across};
}

bool cyclesHeight(SnapPosition position) {
  return position == SnapPosition::topHalf || position == SnapPosition::bottomHalf;
}

// Keeps the centred frame's own figures on each axis where it already leaves the gap, so
// that without a gap it is exactly `targetFrame`'s.
Rect centeredFrame(const Rect& visible, double gap) {
  Rect frame = targetFrame(SnapPosition::center, visible);
  if (frame.minX() - visible.minX() < gap) {
    frame.x = visible.minX() + gap;
    frame.width = visible.width - 2 * gap;
  }
  if (frame.minY() - visible.minY() < gap) {
    frame.y = visible.minY() + gap;
    frame.height = visible.height - 2 * gap;
  }
  return frame;
}

}  // namespace

bool cyclesSize(SnapPosition position) {
  return position != SnapPosition::fullScreen && position != SnapPosition::center;
}

Rect snapFrame(SnapPosition position, const Rect& visible, double gap, SnapSize size) {
  if (position == SnapPosition::center)
    return centeredFrame(visible, gap);
  const auto [horizontal, vertical] = anchors(position);
  const double cycled = cyclesSize(position) ? share(size) : 0.5;
  const double widthShare = cyclesHeight(position) ? 0.5 : cycled;
  const double heightShare = cyclesHeight(position) ? cycled : 0.5;
  const Span x = span(visible.minX(), visible.width, horizontal, widthShare, gap);
  const Span y = span(visible.minY(), visible.height, vertical, heightShare, gap);
  return {x.origin, y.origin, x.length, y.length};
}

SnapSize nextSnapSize(SnapSize size) {
  const auto at = std::find(snapSizeCycle.begin(), snapSizeCycle.end(), size);
  const auto next = at + 1;
  return next == snapSizeCycle.end() ? snapSizeCycle.front() : *next;
}

double usableSnapGap(std::int64_t stored) {
  return static_cast<double>(std::clamp<std::int64_t>(stored, 0, maximumSnapGap));
}

}  // namespace dovrik
