// Answering accessibility queries from the mirror of a compositor's windows.
#include "linux/mirror/MirrorAccessibility.h"

#include <algorithm>
#include <iostream>

#include "core/windows/WindowElements.h"
#include "linux/mirror/MirrorSpace.h"

namespace dovrik::mirror {

MirrorAccessibility::MirrorAccessibility(WindowMirror& mirror, MirrorApps& apps,
                                         WindowControl& control, std::string untrustedReason)
    : mirror_(mirror),
      apps_(apps),
      control_(control),
      untrustedReason_(std::move(untrustedReason)) {
  subscription_ = mirror_.answeredChanged.connect([this] { trustMayHaveChanged.emit(); });
}

MirrorAccessibility::~MirrorAccessibility() {
  mirror_.answeredChanged.disconnect(subscription_);
}

AXElement MirrorAccessibility::windowElement(WindowHandle handle) {
  return elements::window(handle);
}

std::optional<WindowHandle> MirrorAccessibility::windowOf(AXElement element) {
  return elements::windowOf(element);
}

AXElement MirrorAccessibility::applicationElement(ProcessId pid) {
  return elements::application(pid);
}

AXElement MirrorAccessibility::systemWideElement() {
  return elements::systemWide();
}

std::string MirrorAccessibility::untrustedReason() {
  if (isProcessTrusted())
    return {};
  return untrustedReason_;
}

void MirrorAccessibility::promptForTrust() {
  const std::string reason = untrustedReason();
  if (!reason.empty())
    std::cerr << reason << std::endl;
}

std::optional<AXElement> MirrorAccessibility::elementAtPosition(AXElement, Point point) {
  const MirrorSpace space(mirror_.outputs());
  for (const WindowHandle handle : mirror_.frontToBack()) {
    const MirroredWindow* window = mirror_.window(handle);
    if (!window || !window->isOrdinary() || window->minimized)
      continue;
    const Rect frame = space.toAccessibility(window->frame);
    if (point.x >= frame.minX() && point.x < frame.maxX() && point.y >= frame.minY() &&
        point.y < frame.maxY())
      return windowElement(handle);
  }
  return std::nullopt;
}

std::optional<AXValue> MirrorAccessibility::appAttribute(ProcessId pid, AXAttribute attribute) {
  const auto app = apps_.app(pid);
  if (!app)
    return std::nullopt;
  const auto owns = [&](WindowHandle handle) {
    return std::find(app->windows.begin(), app->windows.end(), handle) != app->windows.end();
  };
  switch (attribute) {
    case AXAttribute::FocusedWindow: {
      const auto active = mirror_.active();
      if (!active || !owns(*active))
        return std::nullopt;
      return windowElement(*active);
    }
    case AXAttribute::MainWindow:
      if (const auto main = elements::mainWindow(
              mirror_.frontToBack(), app->windows,
              [&](WindowHandle handle) { return mirror_.window(handle)->minimized; }))
        return windowElement(*main);
      return std::nullopt;
    case AXAttribute::Windows: {
      std::vector<AXElement> windows;
      for (const WindowHandle handle : app->windows)
        windows.push_back(windowElement(handle));
      return windows;
    }
    default:
      return std::nullopt;
  }
}

std::optional<AXValue> MirrorAccessibility::windowAttribute(WindowHandle handle,
                                                            AXAttribute attribute) {
  const MirroredWindow* window = mirror_.window(handle);
  if (!window)
    return std::nullopt;
  switch (attribute) {
    case AXAttribute::Position:
      return MirrorSpace(mirror_.outputs()).toAccessibility(window->frame).origin();
    case AXAttribute::Size:
      return window->frame.size();
    case AXAttribute::Minimized:
      return window->minimized;
    case AXAttribute::Title:
      return window->caption;
    case AXAttribute::Role:
      return std::string("AXWindow");
    case AXAttribute::Parent:
      if (const auto pid = apps_.owner(handle))
        return applicationElement(*pid);
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

std::optional<AXValue> MirrorAccessibility::copyAttribute(AXElement element,
                                                          AXAttribute attribute) {
  if (const auto pid = elements::processOf(element))
    return appAttribute(*pid, attribute);
  if (const auto handle = windowOf(element))
    return windowAttribute(*handle, attribute);
  return std::nullopt;
}

std::optional<Rect> MirrorAccessibility::copyFrame(AXElement element) {
  const auto handle = windowOf(element);
  const MirroredWindow* window = handle ? mirror_.window(*handle) : nullptr;
  if (!window)
    return std::nullopt;
  return MirrorSpace(mirror_.outputs()).toAccessibility(window->frame);
}

void MirrorAccessibility::setFrame(AXElement element, const Rect& frame) {
  const auto handle = windowOf(element);
  const MirroredWindow* window = handle ? mirror_.window(*handle) : nullptr;
  if (!window)
    return;
  const Rect target = MirrorSpace(mirror_.outputs()).fromAccessibility(frame);
  // Taken as granted first, so that a control that learns at once of a refusal can put the
  // truth back.
  mirror_.setFrameOptimistically(*handle, target);
  control_.setFrame(window->id, target);
}

void MirrorAccessibility::activate(AXElement element) {
  const auto handle = windowOf(element);
  if (const MirroredWindow* window = handle ? mirror_.window(*handle) : nullptr)
    control_.activate(window->id);
}

}  // namespace dovrik::mirror
