// Placement arithmetic of the clipboard popup.
#include "core/clipboard/PopupPlacement.h"

#include <algorithm>

namespace dovrik::PopupPlacement {

std::optional<Screen> screenUnderPointer(Point pointer, const std::vector<Screen>& screens,
                                         const std::optional<Screen>& mainScreen) {
  for (const Screen& screen : screens) {
    if (screen.frame.containsMouse(pointer))
      return screen;
  }
  if (mainScreen)
    return mainScreen;
  if (screens.empty())
    return std::nullopt;
  return screens.front();
}

Rect positionAtCursor(Point pointer, const std::optional<Screen>& screen, double height) {
  double x = pointer.x - popupWidth / 2;
  double y = pointer.y + pointerGap;
  if (screen) {
    const Rect& v = screen->visibleFrame;
    if (y + height > v.maxY() - edgeMargin)
      y = pointer.y - height - pointerGap;
    if (x > v.maxX() - popupWidth - edgeMargin)
      x = v.maxX() - popupWidth - edgeMargin;
    x = std::max(x, v.minX() + edgeMargin);
    y = std::max(y, v.minY() + edgeMargin);
  }
  return {x, y, popupWidth, height};
}

Rect resized(const Rect& frame, double height, const std::optional<Screen>& screen) {
  double y = frame.maxY() - height;
  if (screen)
    y = std::max(y, screen->visibleFrame.minY() + edgeMargin);
  return {frame.x, y, frame.width, height};
}

}  // namespace dovrik::PopupPlacement
