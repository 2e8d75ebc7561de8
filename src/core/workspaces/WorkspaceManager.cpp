// Capture, restore, persistence and the automatic restore of saved layouts.
#include "core/workspaces/WorkspaceManager.h"

#include <algorithm>
#include <map>

#include "core/windows/ScreenGeometry.h"
#include "core/workspaces/DisplayIdentity.h"
#include "core/workspaces/WorkspacePlacement.h"

namespace dovrik {

WorkspaceManager::WorkspaceManager(Ports ports, AppState& appState, const AccessibilityTrust& trust,
                                   WindowManager& windowManager)
    : ports_(ports),
      appState_(appState),
      trust_(trust),
      windowManager_(windowManager),
      storedList_(ports.defaults.application(), storageKey, unreadableKey),
      lastHandledSignature_(currentSignature()) {
  load();
  displayObserver_ = ports_.screens.changed.connect(lifetime_.guard([this] { displaysChanged(); }));
}

WorkspaceManager::~WorkspaceManager() {
  ports_.screens.changed.disconnect(displayObserver_);
  if (pendingRestore_)
    ports_.scheduler.cancel(*pendingRestore_);
}

std::string WorkspaceManager::currentSignature() const {
  return DisplayIdentity::currentSignature(ports_.screens);
}

std::optional<Workspace> WorkspaceManager::workspace(const Uuid& id) const {
  Workspace probe;
  probe.id = id;
  if (const auto i = index(probe))
    return workspaces_[*i];
  return std::nullopt;
}

std::optional<std::size_t> WorkspaceManager::index(const Workspace& workspace) const {
  const auto it = std::find_if(workspaces_.begin(), workspaces_.end(),
                               [&](const Workspace& w) { return w.id == workspace.id; });
  if (it == workspaces_.end())
    return std::nullopt;
  return static_cast<std::size_t>(it - workspaces_.begin());
}

// --- Capture ---

std::optional<std::vector<WorkspaceWindow>> WorkspaceManager::captureWindows() {
  if (!trust_.hasAccessibilityPermission())
    return std::nullopt;
  std::vector<WorkspaceWindow> captured;
  for (const WindowManager::ManagedWindow& managed : windowManager_.allManageableWindows()) {
    const std::string& bundle = managed.app.bundleIdentifier;
    if (bundle.empty())
      continue;
    const std::optional<Rect> frame = windowManager_.axFrame(managed.window);
    if (!frame)
      continue;
    const std::optional<Screen> screen = windowManager_.screenForWindow(managed.window);
    if (!screen || !screen->uuid)
      continue;
    const Rect& visible = screen->visibleFrame;
    if (!(visible.width > 0) || !(visible.height > 0))
      continue;
    const Rect desktopFrame = flipRect(*frame, windowManager_.primaryScreenHeight());
    const std::string& name = managed.app.localizedName;
    captured.push_back(WorkspaceWindow{bundle, name.empty() ? bundle : name, managed.title,
                                       managed.index, *screen->uuid,
                                       fractionsOf(desktopFrame, visible)});
  }
  if (captured.empty())
    return std::nullopt;
  return captured;
}

std::optional<Workspace> WorkspaceManager::captureCurrent(const std::string& name) {
  auto windows = captureWindows();
  if (!windows)
    return std::nullopt;
  Workspace workspace{Uuid::random(),
                      name,
                      std::move(*windows),
                      currentSignature(),
                      false,
                      std::nullopt,
                      ports_.clock.wallTimeSince2001()};
  workspaces_.push_back(workspace);
  commit();
  return workspace;
}

bool WorkspaceManager::updateWindows(const Workspace& workspace) {
  const auto i = index(workspace);
  if (!i)
    return false;
  auto windows = captureWindows();
  if (!windows)
    return false;
  workspaces_[*i].windows = std::move(*windows);
  workspaces_[*i].displaySignature = currentSignature();
  commit();
  return true;
}

// --- Switches ---

void WorkspaceManager::setAutoRestore(bool enabled, const Workspace& workspace) {
  const auto i = index(workspace);
  if (!i)
    return;
  if (enabled) {
    const std::string signature = workspaces_[*i].displaySignature;
    for (Workspace& w : workspaces_) {
      if (w.displaySignature == signature)
        w.autoRestore = false;
    }
  }
  workspaces_[*i].autoRestore = enabled;
  commit();
}

void WorkspaceManager::setShortcut(std::optional<KeyboardShortcut> shortcut,
                                   const Workspace& workspace) {
  const auto i = index(workspace);
  if (!i)
    return;
  workspaces_[*i].shortcut = shortcut;
  commit();
  shortcutsChanged.emit();
}

void WorkspaceManager::remove(const Workspace& workspace) {
  std::erase_if(workspaces_, [&](const Workspace& w) { return w.id == workspace.id; });
  commit();
  shortcutsChanged.emit();
}

// --- Restore ---

void WorkspaceManager::restore(const Workspace& workspace) {
  if (!trust_.hasAccessibilityPermission())
    return;
  std::map<std::string, std::vector<WorkspaceWindow>> byApplication;
  for (const WorkspaceWindow& window : workspace.windows)
    byApplication[window.bundleIdentifier].push_back(window);
  for (const auto& [bundle, saved] : byApplication)
    restoreApplication(bundle, saved);
  markRestored(workspace.id);
}

void WorkspaceManager::restoreApplication(const std::string& bundleIdentifier,
                                          const std::vector<WorkspaceWindow>& saved) {
  const std::vector<AXElement> live = windowManager_.windows(bundleIdentifier);
  if (live.empty())
    return;
  std::vector<std::string> titles;
  for (const AXElement window : live) {
    const auto title = ports_.accessibility.copyAttribute(window, AXAttribute::Title);
    const auto* text = title ? std::get_if<std::string>(&*title) : nullptr;
    titles.push_back(text ? *text : std::string());
  }
  // Titled windows claim their exact matches before untitled ones can take them by position.
  std::vector<WorkspaceWindow> ordered = saved;
  std::stable_partition(ordered.begin(), ordered.end(),
                        [](const WorkspaceWindow& w) { return !w.windowTitle.empty(); });
  std::vector<bool> claimed(live.size(), false);
  for (const WorkspaceWindow& window : ordered) {
    const std::optional<std::size_t> match = matchIndex(window, titles, claimed);
    if (!match)
      continue;
    claimed[*match] = true;
    // Screens are read afresh for every window: a display may go while the restore runs.
    std::optional<Screen> screen =
        DisplayIdentity::screenForUuid(ports_.screens, window.displayUUID);
    if (!screen)
      screen = ports_.screens.mainScreen();
    if (!screen)
      continue;
    const Rect target = clampToVisibleFrame(
        frameFromFractions(window.fractionalFrame, screen->visibleFrame), screen->visibleFrame);
    windowManager_.setFrame(flipRect(target, windowManager_.primaryScreenHeight()), live[*match],
                            /*animated=*/false);
  }
}

void WorkspaceManager::markRestored(const Uuid& id) {
  lastRestoredID_ = id;
  lastRestoredChanged.emit();
  ports_.scheduler.after(restoredMarkDuration, lifetime_.guard([this, id] {
    // A later restore of another layout keeps its own mark.
    if (lastRestoredID_ != id)
      return;
    lastRestoredID_.reset();
    lastRestoredChanged.emit();
  }));
}

// --- Persistence ---

void WorkspaceManager::load() {
  if (auto decoded = storedList_.load(decodeWorkspaces))
    workspaces_ = std::move(*decoded);
}

void WorkspaceManager::save() {
  if (const std::optional<std::string> text = encodeWorkspaces(workspaces_))
    storedList_.save(*text);
}

void WorkspaceManager::commit() {
  save();
  workspacesChanged.emit();
}

// --- Automatic restore ---

void WorkspaceManager::displaysChanged() {
  if (currentSignature() != lastHandledSignature_)
    sawIntermediateChange_ = true;
  // Every change of a burst pushes the evaluation back, so it runs once the displays settle.
  if (pendingRestore_)
    ports_.scheduler.cancel(*pendingRestore_);
  pendingRestore_ = ports_.scheduler.after(settleDelay, lifetime_.guard([this] {
    pendingRestore_.reset();
    performAutoRestore();
  }));
}

void WorkspaceManager::performAutoRestore() {
  const std::string signature = currentSignature();
  if (signature == lastHandledSignature_ && !sawIntermediateChange_)
    return;
  // Same displays after a change in between (a monitor that slept and woke): restore again.
  sawIntermediateChange_ = false;
  // Handled from here on, even without trust, so trust granted later replays nothing.
  lastHandledSignature_ = signature;
  if (!trust_.hasAccessibilityPermission())
    return;
  const auto match = std::find_if(workspaces_.begin(), workspaces_.end(), [&](const Workspace& w) {
    return w.autoRestore && w.displaySignature == signature;
  });
  if (match != workspaces_.end())
    restore(Workspace(*match));
}

}  // namespace dovrik
