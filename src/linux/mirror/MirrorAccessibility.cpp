// Answering accessibility queries from the mirror of KWin's windows.
#include "linux/kwin/KWinAccessibility.h"

#include <algorithm>
#include <iostream>

#include "core/platform/PlatformTexts.h"
#include "core/windows/WindowElements.h"
#include "linux/kwin/KWinSpace.h"

namespace dovrik::kwin {

KWinAccessibility::KWinAccessibility(KWinMirror& mirror, KWinApps& apps, CommandSink send)
    : mirror_(mirror), apps_(apps), send_(std::move(send)) {
  subscription_ = mirror_.answeredChanged.connect([this] { trustMayHaveChanged.emit(); });
}

KWinAccessibility::~KWinAccessibility() {
  mirror_.answeredChanged.disconnect(subscription_);
}

AXElement KWinAccessibility::windowElement(WindowHandle handle) {
  return elements::window(handle);
}

std::optional<WindowHandle> KWinAccessibility::windowOf(AXElement element) {
  return elements::windowOf(element);
}

AXElement KWinAccessibility::applicationElement(ProcessId pid) {
  return elements::application(pid);
}

AXElement KWinAccessibility::systemWideElement() {
  return elements::systemWide();
}

std::string KWinAccessibility::untrustedReason() {
  if (isProcessTrusted())
    return {};
  return PlatformTexts::linux().windowScriptSilentReason;
}

void KWinAccessibility::promptForTrust() {
  const std::string reason = untrustedReason();
  if (!reason.empty())
    std::cerr << reason << std::endl;
}

std::optional<AXElement> KWinAccessibility::elementAtPosition(AXElement, Point point) {
  const KWinSpace space(mirror_.outputs());
  for (const WindowHandle handle : mirror_.frontToBack()) {
    const KWinWindow* window = mirror_.window(handle);
    if (!window || !window->isOrdinary() || window->minimized)
      continue;
    const Rect frame = space.toAccessibility(window->frame);
    if (point.x >= frame.minX() && point.x < frame.maxX() && point.y >= frame.minY() &&
        point.y < frame.maxY())
      return windowElement(handle);
  }
  return std::nullopt;
}

std::optional<AXValue> KWinAccessibility::appAttribute(ProcessId pid, AXAttribute attribute) {
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

std::optional<AXValue> KWinAccessibility::windowAttribute(WindowHandle handle,
                                                          AXAttribute attribute) {
  const KWinWindow* window = mirror_.window(handle);
  if (!window)
    return std::nullopt;
  switch (attribute) {
    case AXAttribute::Position:
      return KWinSpace(mirror_.outputs()).toAccessibility(window->frame).origin();
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

std::optional<AXValue> KWinAccessibility::copyAttribute(AXElement element, AXAttribute attribute) {
  if (const auto pid = elements::processOf(element))
    return appAttribute(*pid, attribute);
  if (const auto handle = windowOf(element))
    return windowAttribute(*handle, attribute);
  return std::nullopt;
}

std::optional<Rect> KWinAccessibility::copyFrame(AXElement element) {
  const auto handle = windowOf(element);
  const KWinWindow* window = handle ? mirror_.window(*handle) : nullptr;
  if (!window)
    return std::nullopt;
  return KWinSpace(mirror_.outputs()).toAccessibility(window->frame);
}

void KWinAccessibility::setFrame(AXElement element, const Rect& frame) {
  const auto handle = windowOf(element);
  const KWinWindow* window = handle ? mirror_.window(*handle) : nullptr;
  if (!window)
    return;
  const Rect target = KWinSpace(mirror_.outputs()).fromAccessibility(frame);
  send_(SetFrameCommand{window->id, target});
  mirror_.setFrameOptimistically(*handle, target);
}

void KWinAccessibility::activate(AXElement element) {
  const auto handle = windowOf(element);
  if (const KWinWindow* window = handle ? mirror_.window(*handle) : nullptr)
    send_(ActivateCommand{window->id});
}

}  // namespace dovrik::kwin
