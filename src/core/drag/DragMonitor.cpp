// The press state machine of drag snapping, the title-bar test and the event-tap lifecycle.
#include "core/drag/DragMonitor.h"

#include <cmath>
#include <string>
#include <utility>
#include <variant>

#include "core/windows/PlacedFrames.h"
#include "core/windows/ScreenGeometry.h"

namespace dovrik {
namespace {

// Containment in accessibility space: the top and left edges are inside, the others not.
bool contains(const Rect& r, Point p) {
  return p.x >= r.minX() && p.x < r.maxX() && p.y >= r.minY() && p.y < r.maxY();
}

}  // namespace

DragMonitor::DragMonitor(Ports ports, AppState& appState, DragZoneManager& zones,
                         WindowManager& windowManager)
    : ports_(ports),
      appState_(appState),
      zones_(zones),
      windowManager_(windowManager),
      overlayWindow_(ports.overlaySurface, appState) {}

DragMonitor::~DragMonitor() {
  cancelPendingRetry();
  if (eventTap_)
    ports_.eventTap.remove(*eventTap_);
}

void DragMonitor::start(int attempt) {
  if (eventTap_ || !followsWindowDrags())
    return;
  // One series of tries at a time: a fresh start replaces a retry still waiting.
  cancelPendingRetry();
  eventTap_ = ports_.eventTap.install([this](const TapEvent& event) { handleTapEvent(event); });
  if (eventTap_) {
    setNeedsRestartForTap(false);
    return;
  }
  if (attempt < tapRetries) {
    pendingRetry_ = ports_.scheduler.after(tapRetryInterval, lifetime_.guard([this, attempt] {
      pendingRetry_.reset();
      // Without access a refusal is expected; retrying would only hide the real cause.
      if (ports_.accessibility.isProcessTrusted())
        start(attempt + 1);
    }));
    return;
  }
  ports_.shell.systemLog("[Dovrik] Event tap refused after " + std::to_string(tapRetries) +
                         " attempts while trusted. Restart required.");
  setNeedsRestartForTap(true);
}

void DragMonitor::stop() {
  cancelPendingRetry();
  if (eventTap_) {
    ports_.eventTap.setEnabled(*eventTap_, false);
    ports_.eventTap.remove(*eventTap_);
    eventTap_.reset();
  }
  overlayWindow_.hide(false);
  reset();
}

void DragMonitor::cancelPendingRetry() {
  if (pendingRetry_) {
    ports_.scheduler.cancel(*pendingRetry_);
    pendingRetry_.reset();
  }
}

void DragMonitor::setNeedsRestartForTap(bool value) {
  if (needsRestartForTap_ == value)
    return;
  needsRestartForTap_ = value;
  needsRestartForTapChanged.emit();
}

void DragMonitor::handleTapEvent(const TapEvent& event) {
  switch (event.type) {
    case TapEventType::tapDisabledByTimeout:
    case TapEventType::tapDisabledByUserInput:
      // Events were lost while the tap was off, so the drag in progress cannot be trusted.
      if (eventTap_)
        ports_.eventTap.setEnabled(*eventTap_, true);
      overlayWindow_.hide(false);
      reset();
      return;
    case TapEventType::leftMouseDown:
      mouseDown(event.location, flipPoint(event.location, windowManager_.primaryScreenHeight()));
      return;
    case TapEventType::leftMouseDragged:
      mouseDragged(event.location, flipPoint(event.location, windowManager_.primaryScreenHeight()));
      return;
    case TapEventType::leftMouseUp:
      mouseUp(event.location);
      return;
    case TapEventType::rightMouseDown:
      return;
  }
}

void DragMonitor::reset() {
  pressInDesktop_.reset();
  pressInAccessibility_.reset();
  isDragging_ = false;
  isWindowDrag_ = false;
  pressedWindow_.reset();
  snappedPress_.reset();
  restoredDrag_.reset();
  currentSnap_.reset();
  currentSnapScreen_.reset();
}

void DragMonitor::mouseDown(Point accessibility, Point desktop) {
  reset();
  pressInDesktop_ = desktop;
  pressInAccessibility_ = accessibility;
  // Asked at the press, while the windows are where the user saw them: a window manager moves a
  // window with the pointer from the first motion on, and by the time the threshold is crossed
  // the pressed point may have left the window it was on. Asked once: the accessibility walk is
  // too slow for every event.
  if (!appState_.snappingEnabled() || !zones_.dragSnappingEnabled())
    return;
  const std::optional<TitleBarPress> titleBar = isTitleBarClick(accessibility);
  isWindowDrag_ = titleBar.has_value();
  pressedWindow_ = titleBar ? titleBar->window : std::nullopt;
  // Whether the window is still where the snap put it can only be told before the window
  // manager starts moving it.
  if (pressedWindow_ && appState_.restoreSizeOnDrag())
    snappedPress_ = snappedPress(*pressedWindow_);
}

std::optional<DragMonitor::SnappedPress> DragMonitor::snappedPress(AXElement window) {
  const std::optional<Rect> frameBefore = windowManager_.frameBeforePlacement(window);
  const std::optional<Rect> frame = frameBefore ? windowManager_.axFrame(window) : std::nullopt;
  if (!frame || !(frame->width > 0))
    return std::nullopt;
  return SnappedPress{window, *frame, *frameBefore};
}

void DragMonitor::restoreSize(const SnappedPress& press, Point q) {
  const Point held = *pressInAccessibility_;
  const double share = (held.x - press.frame.x) / press.frame.width;
  const Rect restored{q.x - share * press.frameBefore.width, q.y - (held.y - press.frame.y),
                      press.frameBefore.width, press.frameBefore.height};
  windowManager_.setFrame(restored, press.window, false);
  restoredDrag_ = RestoredDrag{press.window, restored.size(), share, held.y - press.frame.y};
}

void DragMonitor::keepRestoredSize(const RestoredDrag& drag, Point q) {
  const std::optional<Rect> frame = windowManager_.axFrame(drag.window);
  if (!frame || hasTakenFrame(*frame, {frame->x, frame->y, drag.size.width, drag.size.height}))
    return;
  windowManager_.setFrame(
      {q.x - drag.share * drag.size.width, q.y - drag.grabY, drag.size.width, drag.size.height},
      drag.window, false);
}

void DragMonitor::mouseDragged(Point q, Point p) {
  if (!appState_.snappingEnabled() || !zones_.dragSnappingEnabled())
    return;
  if (!isDragging_) {
    if (!pressInDesktop_)
      return;
    const double distance = std::hypot(p.x - pressInDesktop_->x, p.y - pressInDesktop_->y);
    if (distance < zones_.dragThreshold())
      return;
    isDragging_ = true;
    if (snappedPress_)
      restoreSize(*std::exchange(snappedPress_, std::nullopt), q);
  }
  if (!isWindowDrag_)
    return;
  const std::optional<Screen> screen = screenAt(p);
  if (!screen)
    return;
  const std::optional<SnapPosition> zone =
      zones_.snapZone(p, *screen, appState_.enabledPositions());
  // The same position on another screen is another target: the preview follows the pointer.
  if (zone == currentSnap_ && (!zone || screen == currentSnapScreen_))
    return;
  currentSnap_ = zone;
  currentSnapScreen_ = screen;
  if (zone)
    overlayWindow_.show(*zone, *screen);
  else
    overlayWindow_.hide(true);
}

void DragMonitor::mouseUp(Point q) {
  const std::optional<SnapPosition> position = currentSnap_;
  const std::optional<Screen> screen = currentSnapScreen_;
  const std::optional<AXElement> window = pressedWindow_;
  const std::optional<RestoredDrag> restored = restoredDrag_;
  overlayWindow_.hide(true);
  reset();
  // Waits as the snap does, for the window manager to end its move first.
  if (restored && !position) {
    ports_.scheduler.after(zones_.snapDelay(), lifetime_.guard([this, drag = *restored, q] {
      keepRestoredSize(drag, q);
    }));
  }
  if (!position || !appState_.snappingEnabled())
    return;
  // The snap reads nothing of the monitor, so a new press during the delay cannot change it.
  // The window held is the one snapped: one that takes no focus leaves another one active.
  ports_.scheduler.after(zones_.snapDelay(), lifetime_.guard([windowManager = &windowManager_,
                                                              p = *position, screen, window] {
    if (window)
      windowManager->snap(p, *window, screen);
    else
      windowManager->snap(p, screen);
  }));
}

std::optional<DragMonitor::TitleBarPress> DragMonitor::isTitleBarClick(Point q) {
  Accessibility& ax = ports_.accessibility;
  const AXElement systemWide = ax.systemWideElement();
  ax.setMessagingTimeout(systemWide, accessibilityTimeout);
  const std::optional<AXElement> element = ax.elementAtPosition(systemWide, q);
  if (!element)
    return pointIsInWindowTitleBar(q);
  return isElementInTitleBar(*element, q);
}

std::optional<DragMonitor::TitleBarPress> DragMonitor::isElementInTitleBar(AXElement element,
                                                                           Point q) {
  Accessibility& ax = ports_.accessibility;
  for (int depth = 0; depth < maxElementDepth; ++depth) {
    const std::optional<AXValue> role = ax.copyAttribute(element, AXAttribute::Role);
    const std::string* roleText = role ? std::get_if<std::string>(&*role) : nullptr;
    if (roleText && *roleText == "AXWindow") {
      if (!clickIsInTitleBarZone(element, q))
        return std::nullopt;
      return TitleBarPress{element};
    }
    const std::optional<AXValue> parent = ax.copyAttribute(element, AXAttribute::Parent);
    const AXElement* next = parent ? std::get_if<AXElement>(&*parent) : nullptr;
    if (!next)
      return std::nullopt;
    element = *next;
  }
  return std::nullopt;
}

bool DragMonitor::clickIsInTitleBarZone(AXElement window, Point q) {
  const std::optional<Rect> frame = ports_.accessibility.copyFrame(window);
  if (!frame)
    return false;
  return frame->x <= q.x && q.x <= frame->maxX() && frame->y <= q.y &&
         q.y <= frame->y + titleBarHeight;
}

std::optional<DragMonitor::TitleBarPress> DragMonitor::pointIsInWindowTitleBar(Point q) {
  const ProcessId ownPid = ports_.runningApps.currentProcessId();
  for (const WindowListEntry& entry : ports_.windowList.onScreenWindows()) {
    // Only ordinary windows of other applications; our own preview must never decide.
    if (entry.layer != 0 || entry.ownerPid == ownPid || !entry.bounds)
      continue;
    const Rect& bounds = *entry.bounds;
    if (bounds.width <= 1 || bounds.height <= 1 || !contains(bounds, q))
      continue;
    if (q.y > bounds.minY() + titleBarHeight)
      return std::nullopt;
    return TitleBarPress{entry.window};
  }
  return std::nullopt;
}

std::optional<Screen> DragMonitor::screenAt(Point p) {
  for (const Screen& screen : ports_.screens.screens()) {
    if (screen.frame.containsMouse(p))
      return screen;
  }
  return ports_.screens.mainScreen();
}

}  // namespace dovrik
