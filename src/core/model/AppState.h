// The observable settings store: every user preference not owned by a manager, read from and
// written to the defaults store on every access, and the shortcut tables decoded from it.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/model/PreferenceTable.h"
#include "core/model/SnapPosition.h"
#include "core/model/WindowAction.h"
#include "core/platform/Defaults.h"
#include "core/platform/KeyboardShortcut.h"
#include "core/platform/LoginItem.h"
#include "core/platform/Shell.h"
#include "core/support/Signal.h"

namespace dovrik {

class AppState {
 public:
  using ShortcutTable = std::map<SnapPosition, KeyboardShortcut>;
  using WindowActionShortcuts = std::map<WindowAction, KeyboardShortcut>;

  // `loginItem` and `shell` follow and report the launch-at-login choice.
  AppState(Defaults& defaults, LoginItem& loginItem, Shell& shell);
  AppState(const AppState&) = delete;
  AppState& operator=(const AppState&) = delete;

  // Reads a preference; nothing is cached, so a value written elsewhere is what it reads.
  template <typename T>
  T get(const Preference<T>& preference) const {
    return preference.read(defaults_);
  }
  // Announces the change, then stores the value.
  template <typename T>
  void set(const Preference<T>& preference, T value) {
    willChange.emit();
    preference.write(defaults_, std::move(value));
  }

  // Persisted preferences.
  bool snappingEnabled() const { return get(prefs::snappingEnabled); }
  void setSnappingEnabled(bool value) { set(prefs::snappingEnabled, value); }
  bool launchAtLogin() const { return get(prefs::launchAtLogin); }
  // Stores the value, then registers or unregisters the login item.
  void setLaunchAtLogin(bool value);
  bool showSnapPreview() const { return get(prefs::showSnapPreview); }
  void setShowSnapPreview(bool value) { set(prefs::showSnapPreview, value); }
  bool rulesEnabled() const { return get(prefs::rulesEnabled); }
  void setRulesEnabled(bool value) { set(prefs::rulesEnabled, value); }
  bool animationsEnabled() const { return get(prefs::animationsEnabled); }
  void setAnimationsEnabled(bool value) { set(prefs::animationsEnabled, value); }
  bool fileShelfEnabled() const { return get(prefs::fileShelfEnabled); }
  void setFileShelfEnabled(bool value) { set(prefs::fileShelfEnabled, value); }
  std::int64_t fileShelfSize() const { return get(prefs::fileShelfSize); }
  void setFileShelfSize(std::int64_t value) { set(prefs::fileShelfSize, value); }
  bool clipboardHistoryEnabled() const { return get(prefs::clipboardHistoryEnabled); }
  void setClipboardHistoryEnabled(bool value) { set(prefs::clipboardHistoryEnabled, value); }
  std::int64_t clipboardHistorySize() const { return get(prefs::clipboardHistorySize); }
  void setClipboardHistorySize(std::int64_t value) { set(prefs::clipboardHistorySize, value); }
  Bytes clipboardShortcutData() const { return get(prefs::clipboardShortcutData); }
  void setClipboardShortcutData(Bytes value) {
    set(prefs::clipboardShortcutData, std::move(value));
  }
  double previewOpacity() const { return get(prefs::previewOpacity); }
  void setPreviewOpacity(double value) { set(prefs::previewOpacity, value); }
  bool useRoundedCorners() const { return get(prefs::useRoundedCorners); }
  void setUseRoundedCorners(bool value) { set(prefs::useRoundedCorners, value); }
  // Whether snapping a window again to the half or quarter it is in steps through its sizes.
  bool cyclesSnapSizes() const { return get(prefs::cyclesSnapSizes); }
  void setCyclesSnapSizes(bool value) { set(prefs::cyclesSnapSizes, value); }
  // Points kept between snapped windows and to the usable area's edges, as stored.
  std::int64_t snapGap() const { return get(prefs::snapGap); }
  void setSnapGap(std::int64_t value) { set(prefs::snapGap, value); }
  std::string animationSpeedRaw() const { return get(prefs::animationSpeedRaw); }
  void setAnimationSpeedRaw(std::string value) { set(prefs::animationSpeedRaw, std::move(value)); }
  Bytes enabledPositionsData() const { return get(prefs::enabledPositionsData); }
  void setEnabledPositionsData(Bytes value) { set(prefs::enabledPositionsData, std::move(value)); }
  Bytes shortcutsData() const { return get(prefs::shortcutsData); }
  void setShortcutsData(Bytes value) { set(prefs::shortcutsData, std::move(value)); }
  // The paste keystrokes chosen per application, as JSON.
  Bytes pasteKeysData() const { return get(prefs::pasteKeysData); }
  void setPasteKeysData(Bytes value) { set(prefs::pasteKeysData, std::move(value)); }
  // The applications whose copies the history does not record, as the user left the list;
  // nothing while the user never changed it. Entries that are not text are left out.
  std::optional<std::vector<std::string>> clipboardIgnoredApps() const;
  void setClipboardIgnoredApps(const std::vector<std::string>& apps);
  // A snapped window dragged away by its title bar takes back its size from before the snap.
  bool restoreSizeOnDrag() const { return get(prefs::restoreSizeOnDrag); }
  void setRestoreSizeOnDrag(bool value) { set(prefs::restoreSizeOnDrag, value); }
  bool hasPromptedForAccessibility() const { return get(prefs::hasPromptedForAccessibility); }
  void setHasPromptedForAccessibility(bool value) {
    set(prefs::hasPromptedForAccessibility, value);
  }

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

  // Announced before every stored change.
  Signal<> willChange;

 private:
  Defaults& defaults_;
  LoginItem& loginItem_;
  Shell& shell_;
};

}  // namespace dovrik
