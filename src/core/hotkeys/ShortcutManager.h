// Turns the recorded snap shortcuts into system-wide hotkeys and records the positions whose
// combination the system refused.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "core/model/AccessibilityTrust.h"
#include "core/model/AppState.h"
#include "core/platform/Hotkeys.h"
#include "core/platform/Scheduler.h"
#include "core/support/Lifetime.h"
#include "core/support/Signal.h"
#include "core/windows/WindowManager.h"

namespace dovrik {

class ShortcutManager {
 public:
  // Installs the hotkey handler.
  ShortcutManager(Scheduler& scheduler, Hotkeys& hotkeys, AppState& appState,
                  const AccessibilityTrust& trust, WindowManager& windowManager);
  ShortcutManager(const ShortcutManager&) = delete;
  ShortcutManager& operator=(const ShortcutManager&) = delete;
  // Unregisters everything and removes the handler.
  ~ShortcutManager();

  static std::uint32_t fourCharCode(std::string_view text);
  static std::uint32_t signature();  // "QMNP"
  // Whether a press of `id` acts on the focused window, as every hotkey of this manager does.
  static bool actsOnFocusedWindow(const EventHotKeyID& id) { return id.signature == signature(); }
  static std::optional<int> carbonKeyCode(Key key);
  static std::uint32_t modifierMask(const KeyboardShortcut::ModifierSet& modifiers);

  void registerAll();
  void unregisterAll();
  // Whether a pressed hotkey is one of ours; if so the snap is queued on the main queue.
  bool handleHotkey(const EventHotKeyID& id);

  const std::set<SnapPosition>& unavailablePositions() const { return unavailablePositions_; }
  // The window commands whose combination the system refused; announced with the positions.
  const std::set<WindowAction>& unavailableWindowActions() const {
    return unavailableWindowActions_;
  }
  Signal<> unavailablePositionsChanged;

  // The notice for refused positions and then commands (each listed in declaration order);
  // empty for none.
  static std::string refusalNotice(const std::set<SnapPosition>& positions,
                                   const PlatformTexts& texts,
                                   const std::set<WindowAction>& actions = {});

 private:
  // Drops every registration without announcing a change of unavailablePositions.
  void releaseHotkeys();
  using Target = std::variant<SnapPosition, WindowAction>;
  // Registers one shortcut; false when the system refuses it.
  bool registerShortcut(const KeyboardShortcut& shortcut, Target target);
  void setUnavailable(std::set<SnapPosition> positions, std::set<WindowAction> actions);

  Scheduler& scheduler_;
  Hotkeys& hotkeys_;
  AppState& appState_;
  const AccessibilityTrust& trust_;
  WindowManager& windowManager_;
  std::set<SnapPosition> unavailablePositions_;
  std::set<WindowAction> unavailableWindowActions_;
  std::map<std::uint32_t, std::pair<HotkeyRef, Target>> registeredHotkeys_;
  std::uint32_t nextHotkeyID_ = 1;
  std::optional<HotkeyHandlerRef> eventHandler_;
  Lifetime lifetime_;
};

}  // namespace dovrik
