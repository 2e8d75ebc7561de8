// The settings store: typed preferences over the defaults store, trust tracking, conflicts.
#include "core/model/AppState.h"

#include <array>
#include <string_view>

namespace dovrik {
namespace {

constexpr double kPermissionPollInterval = 0.5;

Bytes toBytes(const Json& json) {
  const std::string text = json.dump();
  return Bytes(text.begin(), text.end());
}

Json parseBytes(const Bytes& bytes) {
  return Json::parse(bytes.begin(), bytes.end(), nullptr, /*allow_exceptions=*/false);
}

// The keys the predecessor kept outside its managers' "qlm." and drag-zone "dz_" keys.
constexpr std::array<std::string_view, 18> kLegacyKeys = {
    "snappingEnabled",         "launchAtLogin",
    "showSnapPreview",         "rulesEnabled",
    "advancedSnappingEnabled", "animationsEnabled",
    "smartSnappingEnabled",    "fileShelfEnabled",
    "fileShelfSize",           "clipboardHistoryEnabled",
    "clipboardHistorySize",    "clipboardShortcutData",
    "previewOpacity",          "useRoundedCorners",
    "animationSpeedRaw",       "enabledPositions",
    "shortcutsData",           "migratedFromQuillmoor",
};

bool isLegacyKey(std::string_view key) {
  if (key.starts_with("qlm.") || key.starts_with("dz_"))
    return true;
  for (std::string_view k : kLegacyKeys) {
    if (k == key)
      return true;
  }
  return false;
}

}  // namespace

AppState::AppState(Platform& platform)
    : platform_(platform), defaults_(platform.defaults.application()) {
  hasAccessibilityPermission_ = platform_.accessibility.isProcessTrusted();
  if (platform_.accessibility.announcesTrustChanges()) {
    // Only a real change counts: `apply` with trust registers the hotkeys again.
    trustObserver_ = platform_.accessibility.trustMayHaveChanged.connect([this] {
      const bool trusted = platform_.accessibility.isProcessTrusted();
      if (trusted != hasAccessibilityPermission_)
        apply(trusted);
    });
  }
  startPermissionPolling();
}

AppState::~AppState() {
  platform_.accessibility.trustMayHaveChanged.disconnect(trustObserver_);
  if (permissionTimer_)
    platform_.scheduler.cancel(*permissionTimer_);
}

void AppState::setHooks(Hooks hooks) {
  hooks_ = std::move(hooks);
}

void AppState::setLaunchAtLogin(bool value) {
  set(prefs::launchAtLogin, value);
  LoginItem& item = platform_.loginItem;
  const auto error = value ? item.registerItem() : item.unregisterItem();
  if (error)
    platform_.shell.printLine("Launch at login error: " + *error);
}

std::optional<std::vector<std::string>> AppState::clipboardIgnoredApps() const {
  const std::optional<DefaultsValue> stored = defaults_.object(prefs::clipboardIgnoredAppsKey);
  const DefaultsValue::Array* array = stored ? stored->asArray() : nullptr;
  if (!array)
    return std::nullopt;
  std::vector<std::string> apps;
  for (const DefaultsValue& entry : *array) {
    if (const std::string* name = entry.asString())
      apps.push_back(*name);
  }
  return apps;
}
void AppState::setClipboardIgnoredApps(const std::vector<std::string>& apps) {
  willChange.emit();
  defaults_.set(prefs::clipboardIgnoredAppsKey, DefaultsValue::Array(apps.begin(), apps.end()));
}

std::set<SnapPosition> AppState::enabledPositions() const {
  const std::set<SnapPosition> all(allSnapPositions.begin(), allSnapPositions.end());
  const Json json = parseBytes(enabledPositionsData());
  if (!json.is_array())
    return all;
  for (const Json& item : json) {
    if (!item.is_string())
      return all;
  }
  std::set<SnapPosition> positions;
  for (const Json& item : json) {
    if (auto p = snapPositionFromJson(item))
      positions.insert(*p);
  }
  return positions;
}

void AppState::setEnabledPositions(const std::set<SnapPosition>& positions) {
  Json json = Json::array();
  for (SnapPosition p : positions)
    json.push_back(toJson(p));
  setEnabledPositionsData(toBytes(json));
}

const AppState::ShortcutTable& AppState::defaultShortcuts() {
  static const ShortcutTable table = {
      {SnapPosition::leftHalf, {Key::leftArrow, {Modifier::control, Modifier::option}}},
      {SnapPosition::rightHalf, {Key::rightArrow, {Modifier::control, Modifier::option}}},
      {SnapPosition::fullScreen, {Key::upArrow, {Modifier::control, Modifier::option}}},
      {SnapPosition::center, {Key::downArrow, {Modifier::control, Modifier::option}}},
  };
  return table;
}

AppState::ShortcutTable AppState::shortcuts() const {
  const Json json = parseBytes(shortcutsData());
  if (!json.is_object())
    return defaultShortcuts();
  // Any entry that is not a shortcut fails the whole table, as a typed decode would.
  std::vector<std::pair<std::string, KeyboardShortcut>> decoded;
  for (const auto& [key, value] : json.items()) {
    auto shortcut = KeyboardShortcut::fromJson(value);
    if (!shortcut)
      return defaultShortcuts();
    decoded.emplace_back(key, *shortcut);
  }
  ShortcutTable table;
  for (const auto& [key, shortcut] : decoded) {
    if (auto position = snapPositionFromRawValue(key))
      table[*position] = shortcut;
  }
  // An empty table stored before "none" could be chosen means the defaults; the flag marks one
  // the user emptied on purpose.
  const bool chosenEmpty = json.empty() && get(prefs::snapShortcutsCleared);
  if (table.empty() && !chosenEmpty)
    return defaultShortcuts();
  return table;
}

void AppState::setShortcuts(const ShortcutTable& table) {
  Json json = Json::object();
  for (const auto& [position, shortcut] : table) {
    json[std::string(rawValue(position))] = shortcut.toJson();
  }
  set(prefs::snapShortcutsCleared, table.empty());
  setShortcutsData(toBytes(json));
}

const AppState::WindowActionShortcuts& AppState::defaultWindowActionShortcuts() {
  static const WindowActionShortcuts table = {
      {WindowAction::nextDisplay,
       {Key::rightArrow, {Modifier::control, Modifier::option, Modifier::command}}},
      {WindowAction::previousDisplay,
       {Key::leftArrow, {Modifier::control, Modifier::option, Modifier::command}}},
      {WindowAction::restore, {Key::backspace, {Modifier::control, Modifier::option}}},
  };
  return table;
}

AppState::WindowActionShortcuts AppState::windowActionShortcuts() const {
  // Each command is stored on its own, a null for "none"; a command missing from the table
  // (one stored before the command existed) or unreadable has its default.
  const Json json = parseBytes(get(prefs::windowActionShortcutsData));
  WindowActionShortcuts table;
  for (const auto& [action, fallback] : defaultWindowActionShortcuts()) {
    const std::string key(rawValue(action));
    if (!json.is_object() || !json.contains(key)) {
      table[action] = fallback;
    } else if (!json[key].is_null()) {
      table[action] = KeyboardShortcut::fromJson(json[key]).value_or(fallback);
    }
  }
  return table;
}

void AppState::setWindowActionShortcut(WindowAction action,
                                       const std::optional<KeyboardShortcut>& shortcut) {
  Json json = parseBytes(get(prefs::windowActionShortcutsData));
  if (!json.is_object())
    json = Json::object();
  json[std::string(rawValue(action))] = shortcut ? shortcut->toJson() : Json(nullptr);
  set(prefs::windowActionShortcutsData, toBytes(json));
}

KeyboardShortcut AppState::defaultClipboardShortcut() {
  return {Key::v, {Modifier::command, Modifier::shift}};
}

KeyboardShortcut AppState::clipboardShortcut() const {
  const Bytes data = clipboardShortcutData();
  const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
  return KeyboardShortcut::fromJsonBytes(text).value_or(defaultClipboardShortcut());
}

void AppState::setClipboardShortcut(const KeyboardShortcut& shortcut) {
  setClipboardShortcutData(toBytes(shortcut.toJson()));
}

void AppState::startPermissionPolling() {
  if (permissionTimer_ || platform_.accessibility.announcesTrustChanges())
    return;
  permissionTimer_ = platform_.scheduler.every(kPermissionPollInterval, lifetime_.guard([this] {
    apply(platform_.accessibility.isProcessTrusted());
  }));
}

void AppState::apply(bool trusted) {
  const bool changed = hasAccessibilityPermission_ != trusted;
  if (changed)
    willChange.emit();
  hasAccessibilityPermission_ = trusted;
  if (trusted) {
    if (permissionTimer_) {
      platform_.scheduler.cancel(*permissionTimer_);
      permissionTimer_.reset();
    }
    if (hooks_.onTrusted)
      hooks_.onTrusted();
  }
  if (changed && hooks_.onTrustChanged)
    hooks_.onTrustChanged();
}

bool AppState::requestAccessibilityPermission() {
  if (hasPromptedForAccessibility())
    return false;
  setHasPromptedForAccessibility(true);
  platform_.accessibility.promptForTrust();
  return true;
}

void AppState::openAccessibilitySettings() {
  const std::string& address = platform_.texts.accessibilitySettingsAddress;
  if (!address.empty())
    platform_.shell.openURL(address);
}

std::optional<ShortcutAction> AppState::conflictingAction(const KeyboardShortcut& shortcut,
                                                          const ShortcutAction& excluding) const {
  for (const auto& [position, recorded] : shortcuts()) {
    if (recorded == shortcut) {
      const ShortcutAction candidate = ShortcutAction::snap(position);
      if (candidate != excluding)
        return candidate;
    }
  }
  for (const auto& [action, recorded] : windowActionShortcuts()) {
    if (recorded == shortcut && ShortcutAction::window(action) != excluding)
      return ShortcutAction::window(action);
  }
  if (!excluding.isClipboardHistory() && clipboardShortcut() == shortcut) {
    return ShortcutAction::clipboardHistory();
  }
  if (hooks_.workspaceShortcuts) {
    for (const auto& [id, recorded] : hooks_.workspaceShortcuts()) {
      if (recorded && *recorded == shortcut) {
        const ShortcutAction candidate = ShortcutAction::workspace(id);
        if (candidate != excluding)
          return candidate;
      }
    }
  }
  return std::nullopt;
}

std::string AppState::conflictNotice(const KeyboardShortcut& shortcut,
                                     const ShortcutAction& owner) const {
  return platform_.texts.shortcutText(shortcut) + " is already assigned to " +
         owner.displayName(hooks_.workspaceName) + ".";
}

std::optional<std::string> AppState::resetClipboardShortcut() {
  const KeyboardShortcut fallback = defaultClipboardShortcut();
  if (auto owner = conflictingAction(fallback, ShortcutAction::clipboardHistory())) {
    platform_.shell.beep();
    return conflictNotice(fallback, *owner);
  }
  setClipboardShortcut(fallback);
  if (hooks_.registerClipboardHotkey)
    hooks_.registerClipboardHotkey();
  return std::nullopt;
}

void AppState::migrateLegacyDefaultsIfNeeded(DefaultsDomains& domains, Shell& shell) {
  Defaults& own = domains.application();
  if (own.boolValue("migratedFromQuillmoor").value_or(false))
    return;
  Defaults* legacy = domains.openDomain("com.quillmoor.app");
  std::vector<std::string> selected;
  if (legacy) {
    for (const std::string& key : legacy->keys()) {
      if (isLegacyKey(key))
        selected.push_back(key);
    }
  }
  if (!selected.empty()) {
    for (const std::string& key : selected) {
      if (own.object(key))
        continue;
      if (auto value = legacy->object(key))
        own.set(key, std::move(*value));
    }
    shell.systemLog("[Dovrik] migrated " + std::to_string(selected.size()) +
                    " settings from the previous bundle id");
  }
  own.set("migratedFromQuillmoor", true);
}

}  // namespace dovrik
