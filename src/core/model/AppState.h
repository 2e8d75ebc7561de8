// The observable settings store: every user preference not owned by a manager, read from and
// written to the defaults store on every access, plus accessibility trust and shortcut
// conflicts.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/model/ShortcutAction.h"
#include "core/model/SnapPosition.h"
#include "core/model/WindowAction.h"
#include "core/platform/KeyboardShortcut.h"
#include "core/platform/Platform.h"
#include "core/support/Lifetime.h"
#include "core/support/Signal.h"

namespace dovrik {

class AppState {
 public:
  using ShortcutTable = std::map<SnapPosition, KeyboardShortcut>;
  using WindowActionShortcuts = std::map<WindowAction, KeyboardShortcut>;

  // The places where managers built elsewhere join the settings store. Each may be empty
  // while that manager does not exist.
  struct Hooks {
    // Trust has just been confirmed: register the snap hotkeys, start the drag monitor.
    std::function<void()> onTrusted = nullptr;
    // The trust answer differs from the last one: rebuild the status-item menu.
    std::function<void()> onTrustChanged = nullptr;
    // Re-register the clipboard hotkey from the stored shortcut.
    std::function<void()> registerClipboardHotkey = nullptr;
    // Saved workspaces in stored order, with their shortcuts.
    std::function<std::vector<std::pair<Uuid, std::optional<KeyboardShortcut>>>()>
        workspaceShortcuts = nullptr;
    ShortcutAction::WorkspaceNameLookup workspaceName = nullptr;
  };

  // Reads the trust answer and follows it: by the platform's announcements where it makes
  // them, else by polling every 0.5 s while untrusted.
  explicit AppState(Platform& platform);
  AppState(const AppState&) = delete;
  AppState& operator=(const AppState&) = delete;
  ~AppState();

  void setHooks(Hooks hooks);

  // Persisted preferences.
  bool snappingEnabled() const;
  void setSnappingEnabled(bool value);
  bool launchAtLogin() const;
  // Stores the value, then registers or unregisters the login item.
  void setLaunchAtLogin(bool value);
  bool showSnapPreview() const;
  void setShowSnapPreview(bool value);
  bool rulesEnabled() const;
  void setRulesEnabled(bool value);
  bool animationsEnabled() const;
  void setAnimationsEnabled(bool value);
  bool fileShelfEnabled() const;
  void setFileShelfEnabled(bool value);
  std::int64_t fileShelfSize() const;
  void setFileShelfSize(std::int64_t value);
  bool clipboardHistoryEnabled() const;
  void setClipboardHistoryEnabled(bool value);
  std::int64_t clipboardHistorySize() const;
  void setClipboardHistorySize(std::int64_t value);
  Bytes clipboardShortcutData() const;
  void setClipboardShortcutData(Bytes value);
  double previewOpacity() const;
  void setPreviewOpacity(double value);
  bool useRoundedCorners() const;
  void setUseRoundedCorners(bool value);
  // Whether snapping a window again to the half or quarter it is in steps through its sizes.
  bool cyclesSnapSizes() const;
  void setCyclesSnapSizes(bool value);
  // Points kept between snapped windows and to the usable area's edges, as stored.
  std::int64_t snapGap() const;
  void setSnapGap(std::int64_t value);
  std::string animationSpeedRaw() const;
  void setAnimationSpeedRaw(std::string value);
  Bytes enabledPositionsData() const;
  void setEnabledPositionsData(Bytes value);
  Bytes shortcutsData() const;
  void setShortcutsData(Bytes value);
  // The paste keystrokes chosen per application, as JSON.
  Bytes pasteKeysData() const;
  void setPasteKeysData(Bytes value);
  // The applications whose copies the history does not record, as the user left the list;
  // nothing while the user never changed it. Entries that are not text are left out.
  std::optional<std::vector<std::string>> clipboardIgnoredApps() const;
  void setClipboardIgnoredApps(const std::vector<std::string>& apps);
  // A snapped window dragged away by its title bar takes back its size from before the snap.
  bool restoreSizeOnDrag() const;
  void setRestoreSizeOnDrag(bool value);
  bool hasPromptedForAccessibility() const;
  void setHasPromptedForAccessibility(bool value);

  // Derived views.
  std::set<SnapPosition> enabledPositions() const;
  void setEnabledPositions(const std::set<SnapPosition>& positions);
  ShortcutTable shortcuts() const;
  void setShortcuts(const ShortcutTable& table);
  static const ShortcutTable& defaultShortcuts();
  // The window commands' shortcuts: a command never recorded has its default, one recorded as
  // having none is left out.
  WindowActionShortcuts windowActionShortcuts() const;
  void setWindowActionShortcut(WindowAction action,
                               const std::optional<KeyboardShortcut>& shortcut);
  static const WindowActionShortcuts& defaultWindowActionShortcuts();
  // The stored clipboard shortcut, or ⇧⌘V when it does not decode.
  KeyboardShortcut clipboardShortcut() const;
  void setClipboardShortcut(const KeyboardShortcut& shortcut);
  static KeyboardShortcut defaultClipboardShortcut();

  // Accessibility trust.
  bool hasAccessibilityPermission() const { return hasAccessibilityPermission_; }
  bool isPollingPermission() const { return permissionTimer_.has_value(); }
  // Does nothing where the platform announces trust changes.
  void startPermissionPolling();
  void apply(bool trusted);
  // Prompts at most once per installation; false when it has prompted before.
  bool requestAccessibilityPermission();
  void openAccessibilitySettings();

  // The first owner of an equal shortcut other than `excluding`.
  std::optional<ShortcutAction> conflictingAction(const KeyboardShortcut& shortcut,
                                                  const ShortcutAction& excluding) const;
  // "⇧⌘V is already assigned to Left Half."
  std::string conflictNotice(const KeyboardShortcut& shortcut, const ShortcutAction& owner) const;
  // Nothing on success, else the conflict notice (with the system beep).
  std::optional<std::string> resetClipboardShortcut();

  // The one-time import of the predecessor's settings; runs before the store is created.
  static void migrateLegacyDefaultsIfNeeded(DefaultsDomains& domains, Shell& shell);

  // Announced before every stored change and every change of the trust state.
  Signal<> willChange;

 private:
  bool readBool(const char* key, bool fallback) const;
  void writeBool(const char* key, bool value);
  std::int64_t readInteger(const char* key, std::int64_t fallback) const;
  void writeValue(const char* key, DefaultsValue value);
  Bytes readData(const char* key, const Bytes& fallback) const;

  Platform& platform_;
  Defaults& defaults_;
  Hooks hooks_;
  Bytes defaultClipboardShortcutData_;
  Bytes defaultEnabledPositionsData_;
  bool hasAccessibilityPermission_ = false;
  std::optional<TaskId> permissionTimer_;
  Signal<>::Connection trustObserver_ = 0;
  Lifetime lifetime_;
};

}  // namespace dovrik
