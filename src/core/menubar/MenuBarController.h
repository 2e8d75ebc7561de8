// The status item's menu: builds it afresh from the current state each time it opens, and
// carries out its items' actions.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/clipboard/ClipboardPopupController.h"
#include "core/drag/DragMonitor.h"
#include "core/hotkeys/ShortcutManager.h"
#include "core/menubar/MenuItem.h"
#include "core/model/AccessibilityTrust.h"
#include "core/model/AppState.h"
#include "core/platform/PlatformTexts.h"
#include "core/platform/Scheduler.h"
#include "core/support/Lifetime.h"
#include "core/support/Signal.h"
#include "core/update/UpdateManager.h"
#include "core/windows/WindowManager.h"
#include "core/workspaces/WorkspaceManager.h"

namespace dovrik {

class MenuBarController {
 public:
  // Something the user asked to have explained, shown by the UI as a message.
  struct Notice {
    std::string title;
    std::string text;
    // A notice of something that just went wrong on its own (a snap a window manager ignored)
    // passes by without taking the keyboard from the window the user works in.
    bool passing = false;
    friend bool operator==(const Notice&, const Notice&) = default;
  };

  // The question before a layout is saved: the UI asks it and hands the name to `saveLayout`.
  struct SaveLayoutPrompt {
    std::string message;
    std::string informativeText;
    std::string saveButton;
    std::string cancelButton;
    std::string proposedName;
    friend bool operator==(const SaveLayoutPrompt&, const SaveLayoutPrompt&) = default;
  };

  // The status item's image and the description that stands for it.
  static constexpr std::string_view statusItemSymbol = "rectangle.3.group";
  static constexpr std::string_view statusItemDescription = "Dovrik";

  MenuBarController(Scheduler& scheduler, const PlatformTexts& texts, AppState& appState,
                    const AccessibilityTrust& trust, ShortcutManager& shortcutManager,
                    WindowManager& windowManager, DragMonitor& dragMonitor,
                    WorkspaceManager& workspaceManager, ClipboardPopupController& clipboardPopup,
                    UpdateManager& updates);
  ~MenuBarController();
  MenuBarController(const MenuBarController&) = delete;
  MenuBarController& operator=(const MenuBarController&) = delete;

  // The menu's items, top to bottom, for the state at this moment.
  std::vector<MenuItem> populate() const;

  // Carries out a chosen item's action; `terminate` and `none` are not the controller's.
  void perform(const MenuItem& item);
  void toggleSnapping();
  // Ignores anything that is not a position's raw value.
  void snapMenuAction(std::string_view representedObject);
  // Ignores anything that is not a window command's raw value.
  void windowMenuAction(std::string_view representedObject);
  // Ignores anything that is not the identifier of a saved layout.
  void restoreWorkspace(std::string_view representedObject);
  // Asks for a name through `saveLayoutRequested`.
  void saveWorkspace();
  // The name as typed: trimmed; empty saves nothing. Finding no window says so.
  void saveLayout(std::string_view name);
  // Opens the clipboard popup on the next turn of the main queue, once the menu has closed.
  void showClipboardHistory();
  // Asks for the settings window through `settingsRequested` on the next turn of the main
  // queue, once the menu has closed.
  void openSettings();

  // The status item's menu must be built again (the UI rebuilds it at once).
  void requestMenuRebuild() { menuNeedsRebuild.emit(); }
  Signal<> menuNeedsRebuild;
  Signal<const Notice&> noticeRequested;
  Signal<> settingsRequested;
  Signal<const SaveLayoutPrompt&> saveLayoutRequested;

 private:
  Scheduler& scheduler_;
  const PlatformTexts& texts_;
  AppState& appState_;
  const AccessibilityTrust& trust_;
  ShortcutManager& shortcutManager_;
  WindowManager& windowManager_;
  DragMonitor& dragMonitor_;
  WorkspaceManager& workspaceManager_;
  ClipboardPopupController& clipboardPopup_;
  UpdateManager& updates_;
  Signal<const Landing&>::Connection missedSubscription_;
  Lifetime lifetime_;
};

}  // namespace dovrik
