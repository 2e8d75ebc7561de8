// Window access through the accessibility interface: the frontmost window, frames, eased
// frame changes, snapping and the list of manageable windows.
#include "core/windows/WindowManager.h"

#include <algorithm>
#include <utility>

#include "core/model/AnimationSpeed.h"
#include "core/windows/PlacedFrames.h"
#include "core/windows/ScreenGeometry.h"

namespace dovrik {
namespace {

// Cubic ease-in-out of the progress t in [0, 1].
double easeInOut(double t) {
  if (t < 0.5)
    return 4 * t * t * t;
  const double u = 2 - 2 * t;
  return 1 - u * u * u / 2;
}

// The last step must land on the target exactly, whatever the rounding of the arithmetic.
double interpolate(double from, double to, double e) {
  return e >= 1 ? to : from + (to - from) * e;
}

Rect interpolate(const Rect& from, const Rect& to, double e) {
  return {interpolate(from.x, to.x, e), interpolate(from.y, to.y, e),
          interpolate(from.width, to.width, e), interpolate(from.height, to.height, e)};
}

std::optional<AXElement> elementValue(const std::optional<AXValue>& value) {
  if (value) {
    if (const auto* element = std::get_if<AXElement>(&*value))
      return *element;
  }
  return std::nullopt;
}

}  // namespace

WindowManager::WindowManager(Ports ports, AppState& appState)
    : ports_(ports), appState_(appState), landing_(ports.scheduler, ports.accessibility) {}

double WindowManager::primaryScreenHeight() const {
  return dovrik::primaryScreenHeight(ports_.screens.screens());
}

std::optional<AXElement> WindowManager::frontmostWindow() {
  const std::optional<RunningApp> app = ports_.runningApps.frontmostApplication();
  if (!app)
    return std::nullopt;
  Accessibility& ax = ports_.accessibility;
  const AXElement appElement = ax.applicationElement(app->pid);
  if (auto focused = elementValue(ax.copyAttribute(appElement, AXAttribute::FocusedWindow)))
    return focused;
  if (auto main = elementValue(ax.copyAttribute(appElement, AXAttribute::MainWindow)))
    return main;
  const std::vector<AXElement> list = windows(*app);
  if (!list.empty())
    return list.front();
  return std::nullopt;
}

std::vector<AXElement> WindowManager::windows(const RunningApp& app) {
  Accessibility& ax = ports_.accessibility;
  const auto value = ax.copyAttribute(ax.applicationElement(app.pid), AXAttribute::Windows);
  if (value) {
    if (const auto* list = std::get_if<std::vector<AXElement>>(&*value))
      return *list;
  }
  return {};
}

std::vector<AXElement> WindowManager::windows(const std::string& bundleIdentifier) {
  std::vector<AXElement> result;
  for (const RunningApp& app : ports_.runningApps.runningApplications()) {
    if (app.bundleIdentifier != bundleIdentifier || app.isTerminated)
      continue;
    const std::vector<AXElement> own = windows(app);
    result.insert(result.end(), own.begin(), own.end());
  }
  return result;
}

std::optional<Rect> WindowManager::axFrame(AXElement window) {
  return ports_.accessibility.copyFrame(window);
}

void WindowManager::applyFrame(AXElement window, const Rect& frame) {
  ports_.accessibility.setFrame(window, frame);
}

void WindowManager::setFrame(const Rect& frame, AXElement window, bool animated) {
  moveTo(frame, window, animated, {});
}

void WindowManager::moveTo(const Rect& frame, AXElement window, bool animated,
                           FrameLanding::Done settled) {
  const double duration = animationDurationForRawValue(appState_.animationSpeedRaw());
  // The newest change of a window wins: steps still pending from an earlier change would
  // otherwise pull the window back to the earlier target after this one has landed (an
  // instant restore during a snap, or a fast animation overtaking a slow one).
  cancelPendingSteps(window);
  landing_.supersede(window);
  auto land = [this, window, frame, settled = std::move(settled)]() mutable {
    applyFrame(window, frame);
    if (settled)
      landing_.watch(window, frame, std::move(settled));
  };
  const std::optional<Rect> start = animated ? axFrame(window) : std::nullopt;
  if (!start) {
    land();
    return;
  }
  PendingSteps& pending = pendingSteps_[window.handle];
  pending.target = frame;
  for (int i = 1; i < animationSteps; ++i) {
    const Rect step =
        interpolate(*start, frame, easeInOut(static_cast<double>(i) / animationSteps));
    pending.tasks.push_back(ports_.scheduler.after(
        i * duration / animationSteps,
        lifetime_.guard([this, window, step] { applyFrame(window, step); })));
  }
  pending.tasks.push_back(ports_.scheduler.after(
      duration, lifetime_.guard([this, window, land = std::move(land)]() mutable {
        pendingSteps_.erase(window.handle);
        land();
      })));
}

FrameLanding::Done WindowManager::reportingMisses(FrameLanding::Done settled) {
  return lifetime_.guard([this, settled = std::move(settled)](const Landing& landing) {
    if (landing.missed())
      placementMissed.emit(landing);
    if (settled)
      settled(landing);
  });
}

void WindowManager::cancelPendingSteps(AXElement window) {
  const auto it = pendingSteps_.find(window.handle);
  if (it == pendingSteps_.end())
    return;
  for (TaskId task : it->second.tasks)
    ports_.scheduler.cancel(task);
  pendingSteps_.erase(it);
}

std::optional<Screen> WindowManager::screenForWindow(AXElement window) {
  const std::vector<Screen> screens = ports_.screens.screens();
  // With one screen there is nothing to choose, and no reason to ask where the window is.
  if (screens.size() == 1)
    return screens.front();
  const std::optional<Rect> frame = axFrame(window);
  if (!frame)
    return ports_.screens.mainScreen();
  const Rect desktopFrame = flipRect(*frame, dovrik::primaryScreenHeight(screens));
  if (screens.empty())
    return ports_.screens.mainScreen();
  const std::optional<std::size_t> index = screenIndexForFrame(screens, desktopFrame);
  return screens[*index];
}

bool WindowManager::snap(SnapPosition position, std::optional<Screen> screen,
                         std::optional<bool> animated) {
  const std::optional<AXElement> window = frontmostWindow();
  return window && snapWindow(position, *window, std::move(screen), animated, false, {});
}

bool WindowManager::snap(SnapPosition position, AXElement window, std::optional<Screen> screen,
                         std::optional<bool> animated) {
  return snapWindow(position, window, std::move(screen), animated, false, {});
}

bool WindowManager::snapOrCycle(SnapPosition position, FrameLanding::Done settled) {
  const std::optional<AXElement> window = frontmostWindow();
  return window && snapWindow(position, *window, std::nullopt, std::nullopt,
                              appState_.cyclesSnapSizes(), std::move(settled));
}

bool WindowManager::snapWindow(SnapPosition position, AXElement window,
                               std::optional<Screen> screen, std::optional<bool> animated,
                               bool cycles, FrameLanding::Done settled) {
  const bool animate = animated.value_or(appState_.animationsEnabled());
  if (!screen)
    screen = screenForWindow(window);
  if (!screen)
    return false;
  const SnapSize size = cycles ? nextSize(window, position, screen->visibleFrame) : SnapSize::half;
  const Rect target = snapFrame(position, screen->visibleFrame, snapGap(), size);
  place(window, flipRect(target, primaryScreenHeight()), animate, std::move(settled));
  return true;
}

double WindowManager::snapGap() const {
  return usableSnapGap(appState_.snapGap());
}

SnapSize WindowManager::nextSize(AXElement window, SnapPosition position,
                                 const Rect& visibleFrame) {
  if (!cyclesSize(position))
    return SnapSize::half;
  // A window still easing into a snap counts as there, so that a quick second press cycles.
  const std::optional<Rect> current = settledFrame(window);
  if (!current)
    return SnapSize::half;
  // Read from the window itself rather than remembered, so that a window the user has moved
  // or resized since starts again at a half.
  const std::optional<SnapSize> size =
      sizeHeld(*current, position, visibleFrame, primaryScreenHeight());
  return size ? nextSnapSize(*size) : SnapSize::half;
}

std::optional<SnapSize> WindowManager::sizeHeld(const Rect& frame, SnapPosition position,
                                                const Rect& visibleFrame,
                                                double primaryHeight) const {
  const double gap = snapGap();
  for (const SnapSize size : snapSizeCycle) {
    if (hasTakenFrame(frame, flipRect(snapFrame(position, visibleFrame, gap, size), primaryHeight)))
      return size;
    if (!cyclesSize(position))
      break;
  }
  return std::nullopt;
}

bool WindowManager::moveToAdjacentDisplay(DisplayDirection direction, std::optional<bool> animated,
                                          FrameLanding::Done settled) {
  const std::optional<AXElement> window = frontmostWindow();
  if (!window)
    return false;
  const std::optional<Rect> current = settledFrame(*window);
  const std::vector<Screen> screens = ports_.screens.screens();
  if (!current || screens.empty())
    return false;
  const double height = dovrik::primaryScreenHeight(screens);
  const std::size_t from = *screenIndexForFrame(screens, flipRect(*current, height));
  const Screen& source = screens[from];
  const Screen& target = screens[adjacentScreenIndex(screens, from, direction)];
  Rect frame = flipRect(
      carriedFrame(flipRect(*current, height), source.visibleFrame, target.visibleFrame), height);
  // A snapped window, in any of its sizes, takes the same snap on the other monitor.
  for (const SnapPosition position : allSnapPositions) {
    if (const std::optional<SnapSize> size =
            sizeHeld(*current, position, source.visibleFrame, height)) {
      frame = flipRect(snapFrame(position, target.visibleFrame, snapGap(), *size), height);
      break;
    }
  }
  place(*window, frame, animated.value_or(appState_.animationsEnabled()), std::move(settled));
  return true;
}

bool WindowManager::restore(std::optional<bool> animated, FrameLanding::Done settled) {
  const std::optional<AXElement> window = frontmostWindow();
  if (!window)
    return false;
  const std::optional<Rect> current = settledFrame(*window);
  if (!current)
    return false;
  const std::optional<Rect> before = placedFrames_.frameBefore(window->handle, *current);
  if (!before)
    return false;
  placedFrames_.forget(window->handle);
  moveTo(*before, *window, animated.value_or(appState_.animationsEnabled()),
         reportingMisses(std::move(settled)));
  return true;
}

bool WindowManager::perform(WindowAction action, FrameLanding::Done settled) {
  switch (action) {
    case WindowAction::nextDisplay:
      return moveToAdjacentDisplay(DisplayDirection::next, std::nullopt, std::move(settled));
    case WindowAction::previousDisplay:
      return moveToAdjacentDisplay(DisplayDirection::previous, std::nullopt, std::move(settled));
    case WindowAction::restore:
      return restore(std::nullopt, std::move(settled));
  }
  return false;
}

std::optional<Rect> WindowManager::settledFrame(AXElement window) {
  const auto pending = pendingSteps_.find(window.handle);
  if (pending != pendingSteps_.end())
    return pending->second.target;
  return axFrame(window);
}

void WindowManager::place(AXElement window, const Rect& frame, bool animated,
                          FrameLanding::Done settled) {
  // A window still easing into Dovrik's last placement counts as having arrived there, so
  // that a quick second snap keeps the frame from before the first.
  if (const std::optional<Rect> current = settledFrame(window))
    placedFrames_.notePlacement(window.handle, *current, frame);
  moveTo(frame, window, animated, reportingMisses(std::move(settled)));
}

std::optional<Rect> WindowManager::frameBeforePlacement(AXElement window) {
  const std::optional<Rect> current = settledFrame(window);
  if (!current)
    return std::nullopt;
  return placedFrames_.frameBefore(window.handle, *current);
}

std::vector<WindowManager::ManagedWindow> WindowManager::allManageableWindows() {
  Accessibility& ax = ports_.accessibility;
  const ProcessId own = ports_.runningApps.currentProcessId();
  std::vector<ManagedWindow> result;
  // Where the next process of an identity starts numbering, as `windows(bundleIdentifier)`
  // lists them.
  std::map<std::string, std::size_t> firstIndex;
  for (const RunningApp& app : ports_.runningApps.runningApplications()) {
    const bool listed = app.activationPolicy == ActivationPolicy::Regular && app.pid != own;
    if (app.isTerminated || (!listed && app.bundleIdentifier.empty()))
      continue;
    const std::vector<AXElement> list = windows(app);
    // Without an identity a process is an application of its own.
    std::size_t offset = 0;
    if (!app.bundleIdentifier.empty()) {
      std::size_t& next = firstIndex[app.bundleIdentifier];
      offset = next;
      next += list.size();
    }
    if (!listed)
      continue;
    for (std::size_t index = 0; index < list.size(); ++index) {
      const AXElement window = list[index];
      const auto minimized = ax.copyAttribute(window, AXAttribute::Minimized);
      if (minimized && std::get_if<bool>(&*minimized) && std::get<bool>(*minimized))
        continue;
      const std::optional<Rect> frame = axFrame(window);
      if (!frame || !(frame->width > 1) || !(frame->height > 1))
        continue;
      const auto title = ax.copyAttribute(window, AXAttribute::Title);
      const auto* text = title ? std::get_if<std::string>(&*title) : nullptr;
      result.push_back(ManagedWindow{app, window, text ? *text : std::string(),
                                     static_cast<int>(offset + index)});
    }
  }
  return result;
}

}  // namespace dovrik
