// One entry of the status-item menu as plain data, so any toolkit can show it and tests can
// read it.
#pragma once

#include <string>
#include <utility>

#include "core/platform/KeyboardShortcut.h"

namespace dovrik {

// What choosing an item does. `terminate` belongs to the application, not to the controller.
enum class MenuAction {
  none,
  toggleSnapping,
  snapMenuAction,
  windowMenuAction,
  restoreWorkspace,
  saveWorkspace,
  showClipboardHistory,
  openSettings,
  checkForUpdates,
  terminate,
};

enum class MenuItemState { off, on };

struct KeyEquivalent {
  std::string key;  // empty: none
  KeyboardShortcut::ModifierSet modifiers;
  friend bool operator==(const KeyEquivalent&, const KeyEquivalent&) = default;
};

struct MenuItem {
  bool isSeparator = false;
  std::string title;
  bool enabled = false;
  MenuAction action = MenuAction::none;
  // The item's argument, handed back to its action; empty when it has none.
  std::string representedObject;
  // A symbol name and the description that stands for the image in assistive technologies.
  std::string iconName;
  std::string iconDescription;
  MenuItemState state = MenuItemState::off;
  // Why a disabled command cannot be chosen now, where the menu can show it; else empty.
  std::string unavailableReason;
  KeyEquivalent keyEquivalent;

  static MenuItem separator() {
    MenuItem item;
    item.isSeparator = true;
    return item;
  }
  static MenuItem label(std::string title) {
    MenuItem item;
    item.title = std::move(title);
    return item;
  }
  static MenuItem command(std::string title, MenuAction action) {
    MenuItem item = label(std::move(title));
    item.enabled = true;
    item.action = action;
    return item;
  }

  friend bool operator==(const MenuItem&, const MenuItem&) = default;
};

}  // namespace dovrik
