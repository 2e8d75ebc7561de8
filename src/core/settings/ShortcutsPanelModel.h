// The Shortcuts panel: a recorder for each snap position and for the clipboard popup, the
// warnings about refused hotkeys, and the reset of the snap shortcuts.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/clipboard/ClipboardManager.h"
#include "core/clipboard/ClipboardShortcut.h"
#include "core/hotkeys/ShortcutConflicts.h"
#include "core/hotkeys/ShortcutManager.h"
#include "core/model/AppState.h"
#include "core/settings/ClipboardShortcutRow.h"
#include "core/settings/OwnHotkeys.h"
#include "core/settings/ShortcutRecorder.h"
#include "core/support/Signal.h"

namespace dovrik {

class ShortcutsPanelModel {
 public:
  static constexpr std::string_view symbol = "keyboard.fill";
  static constexpr std::string_view title = "Shortcuts";
  static constexpr std::string_view helpText =
      "Click a shortcut badge to record a new key combination. Press Esc to cancel.";
  static constexpr std::string_view snappingSection = "Window Snapping";
  static constexpr std::string_view resetAllTitle = "Reset All";
  static constexpr std::string_view windowsSection = "Displays and Restore";
  static constexpr std::string_view clearSymbol = "xmark.circle.fill";
  static constexpr std::string_view clipboardSection = "Clipboard";
  static constexpr std::string_view clipboardRowTitle = "Clipboard History";
  static constexpr std::string_view clipboardRowSubtitle = "Show the clipboard history popup";
  static constexpr std::string_view historySwitchSubtitle =
      "Required for the shortcut above to do anything";

  ShortcutsPanelModel(ShortcutRecorder::Ports ports, AppState& appState,
                      ShortcutConflicts& conflicts, ShortcutManager& shortcutManager,
                      ClipboardManager& clipboardManager, ClipboardShortcut& clipboardShortcut,
                      OwnHotkeys& ownHotkeys);
  ShortcutsPanelModel(const ShortcutsPanelModel&) = delete;
  ShortcutsPanelModel& operator=(const ShortcutsPanelModel&) = delete;
  ~ShortcutsPanelModel();

  // The refusal warnings, snap positions first.
  std::vector<std::string> warnings() const;
  const std::optional<std::string>& conflictNotice() const { return conflictNotice_; }

  std::optional<KeyboardShortcut> shortcut(SnapPosition position) const;
  ShortcutRecorder& recorder(SnapPosition position);
  void clearShortcut(SnapPosition position);
  std::optional<KeyboardShortcut> shortcut(WindowAction action) const;
  ShortcutRecorder& recorder(WindowAction action);
  void clearShortcut(WindowAction action);
  // Gives `action` a shortcut without recording one, or none (the clipboard history always
  // keeps one); answers the conflict notice instead when another action holds the shortcut.
  std::optional<std::string> assign(const ShortcutAction& action,
                                    const std::optional<KeyboardShortcut>& shortcut);
  // The four default snap shortcuts and none for the other positions, and the window commands'
  // defaults; the clipboard hotkey is registered again too.
  void resetAll();

  ClipboardShortcutRow& clipboardRow() { return clipboardRow_; }

  Signal<> changed;

 private:
  void setConflictNotice(std::optional<std::string> notice);
  void storeShortcut(SnapPosition position, const std::optional<KeyboardShortcut>& shortcut);
  void storeShortcut(WindowAction action, const std::optional<KeyboardShortcut>& shortcut);
  void shortcutsStored();

  ShortcutRecorder::Ports ports_;
  AppState& appState_;
  ShortcutConflicts& conflicts_;
  ShortcutManager& shortcutManager_;
  ClipboardShortcut& clipboardShortcut_;
  OwnHotkeys& ownHotkeys_;
  std::optional<std::string> conflictNotice_;
  std::vector<std::unique_ptr<ShortcutRecorder>> recorders_;
  std::vector<std::unique_ptr<ShortcutRecorder>> windowRecorders_;
  ClipboardShortcutRow clipboardRow_;
  std::vector<std::pair<Signal<>*, Signal<>::Connection>> observers_;
};

}  // namespace dovrik
