// Answering accessibility queries from the window manager's client windows.
#include "linux/x11/X11Accessibility.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>

#include "core/platform/PlatformTexts.h"
#include "core/windows/WindowElements.h"

namespace dovrik::x11 {

X11Accessibility::X11Accessibility(XConnection& connection, ClientWindows& clients,
                                   ActiveWindow& activeWindow, AppDirectory& apps,
                                   FrameMover& mover, I3Placement& i3)
    : x_(connection),
      clients_(clients),
      activeWindow_(activeWindow),
      apps_(apps),
      mover_(mover),
      i3_(i3) {
  // A window manager announces itself through its check window: a change of the property, or
  // the check window's end, is when trust can change.
  subscription_ = x_.events.connect([this](const xcb_generic_event_t& event) {
    const std::uint8_t type = event.response_type & 0x7f;
    if (type == XCB_DESTROY_NOTIFY ||
        (type == XCB_PROPERTY_NOTIFY &&
         reinterpret_cast<const xcb_property_notify_event_t&>(event).atom ==
             x_.atoms()._NET_SUPPORTING_WM_CHECK))
      trustMayHaveChanged.emit();
  });
}

X11Accessibility::~X11Accessibility() {
  x_.events.disconnect(subscription_);
}

AXElement X11Accessibility::windowElement(xcb_window_t window) {
  return elements::window(window);
}

std::optional<xcb_window_t> X11Accessibility::windowOf(AXElement element) {
  if (const auto number = elements::windowOf(element))
    return static_cast<xcb_window_t>(*number);
  return std::nullopt;
}

std::optional<ProcessId> X11Accessibility::processOf(AXElement element) {
  return elements::processOf(element);
}

AXElement X11Accessibility::applicationElement(ProcessId pid) {
  return elements::application(pid);
}

AXElement X11Accessibility::systemWideElement() {
  return elements::systemWide();
}

std::string X11Accessibility::untrustedReason() {
  if (isProcessTrusted())
    return {};
  if (!refusal_.empty())
    return refusal_;
  const PlatformTexts& texts = PlatformTexts::linux();
  if (!x_.isConnected()) {
    const std::string& display = x_.displayName();
    if (display.empty())
      return texts.noDisplayReason;
    return texts.unreachableDisplayPrefix + display + "\".";
  }
  return clients_.anyWindowManagerRunning() ? texts.windowManagerWithoutEwmhReason
                                            : texts.noWindowManagerReason;
}

bool X11Accessibility::isProcessTrusted() {
  return refusal_.empty() && x_.isConnected() && clients_.windowManagerRunning();
}

void X11Accessibility::promptForTrust() {
  const std::string reason = untrustedReason();
  if (!reason.empty())
    std::cerr << reason << std::endl;
}

void X11Accessibility::setMessagingTimeout(AXElement, double) {
  // Queries go to the X server, which answers for every client at once; no application can
  // keep them waiting, so there is nothing to bound.
}

std::optional<AXElement> X11Accessibility::elementAtPosition(AXElement, Point point) {
  if (!x_.isConnected())
    return std::nullopt;
  const Point origin = x_.primaryOrigin();
  const double rootX = point.x + origin.x;
  const double rootY = point.y + origin.y;
  // Walk the stacking order rather than asking for the window under the pointer, so the
  // answer does not depend on where the pointer is or on our own overlays.
  for (const xcb_window_t window : clients_.frontToBack()) {
    if (!clients_.isViewable(window) || !clients_.isOrdinary(window) ||
        clients_.isMinimized(window))
      continue;
    const auto frame = clients_.outerFrame(window);
    if (frame && rootX >= frame->minX() && rootX < frame->maxX() && rootY >= frame->minY() &&
        rootY < frame->maxY()) {
      return windowElement(window);
    }
  }
  return std::nullopt;
}

std::optional<AXValue> X11Accessibility::appAttribute(ProcessId pid, AXAttribute attribute) {
  const auto app = apps_.app(pid);
  if (!app)
    return std::nullopt;
  switch (attribute) {
    case AXAttribute::FocusedWindow: {
      const auto active = activeWindow_.current();
      if (!active || apps_.owner(*active) != pid)
        return std::nullopt;
      return windowElement(*active);
    }
    case AXAttribute::MainWindow:
      if (const auto main = elements::mainWindow(
              clients_.frontToBack(), app->windows,
              [&](xcb_window_t window) { return clients_.isMinimized(window); }))
        return windowElement(*main);
      return std::nullopt;
    case AXAttribute::Windows: {
      std::vector<AXElement> windows;
      for (const xcb_window_t window : app->windows)
        windows.push_back(windowElement(window));
      return windows;
    }
    default:
      return std::nullopt;
  }
}

std::optional<AXValue> X11Accessibility::windowAttribute(xcb_window_t window,
                                                         AXAttribute attribute) {
  switch (attribute) {
    case AXAttribute::Position:
    case AXAttribute::Size: {
      const auto frame = clients_.outerFrame(window);
      if (!frame)
        return std::nullopt;
      const Rect ax = x_.rootToAccessibility(*frame);
      if (attribute == AXAttribute::Position)
        return ax.origin();
      return ax.size();
    }
    case AXAttribute::Minimized:
      if (!clients_.clientRect(window))
        return std::nullopt;
      return clients_.isMinimized(window);
    case AXAttribute::Title:
      if (auto title = clients_.title(window))
        return *title;
      return std::nullopt;
    case AXAttribute::Role:
      if (!clients_.clientRect(window))
        return std::nullopt;
      return std::string("AXWindow");
    case AXAttribute::Parent:
      if (const auto pid = apps_.owner(window))
        return applicationElement(*pid);
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

std::optional<AXValue> X11Accessibility::copyAttribute(AXElement element, AXAttribute attribute) {
  if (!x_.isConnected())
    return std::nullopt;
  if (const auto pid = processOf(element))
    return appAttribute(*pid, attribute);
  if (const auto window = windowOf(element))
    return windowAttribute(*window, attribute);
  return std::nullopt;
}

std::optional<Rect> X11Accessibility::copyFrame(AXElement element) {
  const auto window = windowOf(element);
  if (!window || !x_.isConnected())
    return std::nullopt;
  const auto frame = clients_.outerFrame(*window);
  if (!frame)
    return std::nullopt;
  return x_.rootToAccessibility(*frame);
}

void X11Accessibility::setFrame(AXElement element, const Rect& frame) {
  const auto window = windowOf(element);
  if (!window || !x_.isConnected())
    return;
  const Rect rootFrame = x_.accessibilityToRoot(frame);
  if (!i3_.place(*window, rootFrame))
    mover_.moveResizeTo(*window, rootFrame);
}

}  // namespace dovrik::x11
