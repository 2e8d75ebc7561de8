// Builds the status item's menu and carries out its actions.
#include "core/menubar/MenuBarController.h"

namespace dovrik {

MenuBarController::MenuBarController(Platform& platform, AppState& appState,
                                     ShortcutManager& shortcutManager, WindowManager& windowManager,
                                     DragMonitor& dragMonitor)
    : platform_(platform),
      appState_(appState),
      shortcutManager_(shortcutManager),
      windowManager_(windowManager),
      dragMonitor_(dragMonitor) {}

std::vector<MenuItem> MenuBarController::populate() const {
  std::vector<MenuItem> menu;
  menu.push_back(MenuItem::label("Dovrik"));
  menu.push_back(MenuItem::separator());

  const bool trusted = appState_.hasAccessibilityPermission();
  if (!trusted) {
    menu.push_back(MenuItem::command("⚠️  Accessibility Access Required",
                                     MenuAction::showAccessibilityHelp));
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
    menu.push_back(MenuItem::separator());
  }

  MenuItem quit = MenuItem::command("Quit Dovrik", MenuAction::terminate);
  quit.keyEquivalent.key = "q";
  quit.keyEquivalent.modifiers = {Modifier::command};
  menu.push_back(std::move(quit));
  return menu;
}

void MenuBarController::perform(const MenuItem& item) {
  switch (item.action) {
    case MenuAction::showAccessibilityHelp:
      showAccessibilityHelp();
      break;
    case MenuAction::toggleSnapping:
      toggleSnapping();
      break;
    case MenuAction::snapMenuAction:
      snapMenuAction(item.representedObject);
      break;
    case MenuAction::none:
    case MenuAction::terminate:
      break;
  }
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
    windowManager_.snap(*position);
}

void MenuBarController::showAccessibilityHelp() {
  // Trust may have arrived since the last poll; if so the store rebuilds the menu itself.
  appState_.apply(platform_.accessibility.isProcessTrusted());
  if (appState_.hasAccessibilityPermission())
    return;
  noticeRequested.emit(Notice{
      .title = "Accessibility access required",
      .text = platform_.texts.accessibilityMissingDetail,
  });
}

}  // namespace dovrik
