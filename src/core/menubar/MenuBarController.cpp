// Builds the status item's menu and carries out its actions.
#include "core/menubar/MenuBarController.h"

#include "core/workspaces/DisplayIdentity.h"

namespace dovrik {

MenuBarController::MenuBarController(Scheduler& scheduler, const PlatformTexts& texts,
                                     AppState& appState, const AccessibilityTrust& trust,
                                     ShortcutManager& shortcutManager, WindowManager& windowManager,
                                     DragMonitor& dragMonitor, WorkspaceManager& workspaceManager,
                                     ClipboardPopupController& clipboardPopup,
                                     UpdateManager& updates)
    : scheduler_(scheduler),
      texts_(texts),
      appState_(appState),
      trust_(trust),
      shortcutManager_(shortcutManager),
      windowManager_(windowManager),
      dragMonitor_(dragMonitor),
      workspaceManager_(workspaceManager),
      clipboardPopup_(clipboardPopup),
      updates_(updates),
      missedSubscription_(windowManager.placementMissed.connect([this](const Landing&) {
        noticeRequested.emit(Notice{.title = "The window did not move",
                                    .text = std::string(WindowManager::placementMissedReason),
                                    .passing = true});
      })) {}

MenuBarController::~MenuBarController() {
  windowManager_.placementMissed.disconnect(missedSubscription_);
}

namespace {

constexpr std::string_view whiteSpace = " \t\n\r\v\f";

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(whiteSpace);
  if (first == std::string_view::npos)
    return {};
  return text.substr(first, text.find_last_not_of(whiteSpace) - first + 1);
}

}  // namespace

std::vector<MenuItem> MenuBarController::populate() const {
  std::vector<MenuItem> menu;
  menu.push_back(MenuItem::label("Dovrik"));
  menu.push_back(MenuItem::separator());

  const bool trusted = trust_.hasAccessibilityPermission();
  if (!trusted) {
    menu.push_back(
        MenuItem::command("⚠️  Accessibility Access Required", MenuAction::openSettings));
    menu.push_back(MenuItem::separator());
  }

  menu.push_back(
      MenuItem::command(appState_.snappingEnabled() ? "Disable Snapping" : "Enable Snapping",
                        MenuAction::toggleSnapping));
  menu.push_back(MenuItem::separator());

  if (trusted) {
    menu.push_back(MenuItem::label("Snap Window"));
    const std::set<SnapPosition> enabled = appState_.enabledPositions();
    for (SnapPosition position : allSnapPositions) {
      if (!enabled.contains(position))
        continue;
      MenuItem item =
          MenuItem::command(std::string(rawValue(position)), MenuAction::snapMenuAction);
      item.representedObject = item.title;
      item.iconName = icon(position);
      item.iconDescription = item.title;
      menu.push_back(std::move(item));
    }
    for (WindowAction action : allWindowActions) {
      MenuItem item =
          MenuItem::command(std::string(rawValue(action)), MenuAction::windowMenuAction);
      item.representedObject = item.title;
      item.iconName = icon(action);
      item.iconDescription = item.title;
      menu.push_back(std::move(item));
    }
    menu.push_back(MenuItem::separator());

    menu.push_back(MenuItem::label("Workspaces"));
    const std::string current = workspaceManager_.currentSignature();
    for (const Workspace& workspace : workspaceManager_.workspaces()) {
      MenuItem item = MenuItem::command(workspace.name, MenuAction::restoreWorkspace);
      item.representedObject = workspace.id.toString();
      item.iconName = "rectangle.on.rectangle.angled";
      item.iconDescription = workspace.name;
      item.state = workspace.displaySignature == current ? MenuItemState::on : MenuItemState::off;
      menu.push_back(std::move(item));
    }
    MenuItem save = MenuItem::command("Save Current Layout…", MenuAction::saveWorkspace);
    save.iconName = "plus";
    save.iconDescription = "Save Current Layout";
    menu.push_back(std::move(save));
    menu.push_back(MenuItem::separator());
  }

  if (appState_.clipboardHistoryEnabled()) {
    MenuItem history = MenuItem::command(
        "Clipboard History  (" + texts_.shortcutText(appState_.clipboardShortcut()) + ")",
        MenuAction::showClipboardHistory);
    history.iconName = "clipboard";
    history.iconDescription = "Clipboard History";
    menu.push_back(std::move(history));
    menu.push_back(MenuItem::separator());
  }

  MenuItem settings = MenuItem::command("Settings…", MenuAction::openSettings);
  settings.keyEquivalent.key = ",";
  settings.keyEquivalent.modifiers = {Modifier::command};
  menu.push_back(std::move(settings));
  MenuItem updates = MenuItem::command("Check for Updates…", MenuAction::checkForUpdates);
  updates.enabled = updates_.canCheckForUpdates();
  updates.unavailableReason = updates_.cannotCheckReason();
  menu.push_back(std::move(updates));
  menu.push_back(MenuItem::separator());

  MenuItem quit = MenuItem::command("Quit Dovrik", MenuAction::terminate);
  quit.keyEquivalent.key = "q";
  quit.keyEquivalent.modifiers = {Modifier::command};
  menu.push_back(std::move(quit));
  return menu;
}

void MenuBarController::perform(const MenuItem& item) {
  switch (item.action) {
    case MenuAction::toggleSnapping:
      toggleSnapping();
      break;
    case MenuAction::snapMenuAction:
      snapMenuAction(item.representedObject);
      break;
    case MenuAction::windowMenuAction:
      windowMenuAction(item.representedObject);
      break;
    case MenuAction::restoreWorkspace:
      restoreWorkspace(item.representedObject);
      break;
    case MenuAction::saveWorkspace:
      saveWorkspace();
      break;
    case MenuAction::showClipboardHistory:
      showClipboardHistory();
      break;
    case MenuAction::openSettings:
      openSettings();
      break;
    case MenuAction::checkForUpdates:
      updates_.checkForUpdates();
      break;
    case MenuAction::none:
    case MenuAction::terminate:
      break;
  }
}

void MenuBarController::showClipboardHistory() {
  scheduler_.after(0, lifetime_.guard([this] { clipboardPopup_.show(); }));
}

void MenuBarController::openSettings() {
  scheduler_.after(0, lifetime_.guard([this] { settingsRequested.emit(); }));
}

void MenuBarController::toggleSnapping() {
  // The store announces the change before it writes it.
  appState_.setSnappingEnabled(!appState_.snappingEnabled());
  if (appState_.snappingEnabled()) {
    shortcutManager_.registerAll();
    dragMonitor_.start(0);
  } else {
    shortcutManager_.unregisterAll();
    dragMonitor_.stop();
  }
  requestMenuRebuild();
}

void MenuBarController::snapMenuAction(std::string_view representedObject) {
  if (const auto position = snapPositionFromRawValue(representedObject))
    windowManager_.snapOrCycle(*position);
}

void MenuBarController::windowMenuAction(std::string_view representedObject) {
  if (const auto action = windowActionFromRawValue(representedObject))
    windowManager_.perform(*action);
}

void MenuBarController::restoreWorkspace(std::string_view representedObject) {
  const std::optional<Uuid> id = Uuid::fromString(representedObject);
  if (!id)
    return;
  if (const auto workspace = workspaceManager_.workspace(*id))
    workspaceManager_.restore(*workspace);
}

void MenuBarController::saveWorkspace() {
  saveLayoutRequested.emit(SaveLayoutPrompt{
      .message = "Save Current Layout",
      .informativeText = "Records every open window's size and position on each connected display.",
      .saveButton = "Save",
      .cancelButton = "Cancel",
      .proposedName = DisplayIdentity::describe(workspaceManager_.currentSignature()),
  });
}

void MenuBarController::saveLayout(std::string_view name) {
  const std::string_view chosen = trimmed(name);
  if (chosen.empty())
    return;
  if (workspaceManager_.captureCurrent(std::string(chosen)))
    return;
  noticeRequested.emit(Notice{
      .title = "Nothing to save",
      .text = "No open app windows were found on any display.",
  });
}

}  // namespace dovrik
