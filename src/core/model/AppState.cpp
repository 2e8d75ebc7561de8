// The settings store: the table's preferences and the shortcut tables decoded from them.
#include "core/model/AppState.h"

#include <string_view>

namespace dovrik {
namespace {

Bytes toBytes(const Json& json) {
  const std::string text = json.dump();
  return Bytes(text.begin(), text.end());
}

Json parseBytes(const Bytes& bytes) {
  return Json::parse(bytes.begin(), bytes.end(), nullptr, /*allow_exceptions=*/false);
}

}  // namespace

AppState::AppState(Defaults& defaults, LoginItem& loginItem, Shell& shell)
    : defaults_(defaults), loginItem_(loginItem), shell_(shell) {}

void AppState::setLaunchAtLogin(bool value) {
  set(prefs::launchAtLogin, value);
  const auto error = value ? loginItem_.registerItem() : loginItem_.unregisterItem();
  if (error)
    shell_.printLine("Launch at login error: " + *error);
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

}  // namespace dovrik
