// Binding Dovrik's combinations in sway and passing their presses to the handlers.
#include "linux/sway/SwayHotkeys.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "core/hotkeys/ShortcutManager.h"
#include "linux/i3ipc/I3Json.h"
#include "linux/sway/SwayConfigBindings.h"
#include "linux/sway/SwayHotkeyTag.h"
#include "linux/sway/SwayIncludes.h"

namespace dovrik::sway {

namespace {

bool configHolds(const std::vector<SwayCombination>& bindings, const std::string& combination) {
  const auto parsed = parseCombination(combination);
  return parsed && std::find(bindings.begin(), bindings.end(), *parsed) != bindings.end();
}

}  // namespace

SwayHotkeys::SwayHotkeys(i3ipc::I3Client& client) : client_(client) {}

SwayHotkeys::~SwayHotkeys() {
  release(table_.entries());
  client_.runCommand("unmark " + std::string(focusedWindowMark));
}

std::optional<HotkeyHandlerRef> SwayHotkeys::installHandler(HotkeyHandler handler) {
  return table_.installHandler(std::move(handler));
}

void SwayHotkeys::removeHandler(HotkeyHandlerRef handler) {
  table_.removeHandler(handler);
}

HotkeyRegistration SwayHotkeys::registerHotkey(int keyCode, std::uint32_t modifiers,
                                               EventHotKeyID id) {
  if (table_.isHeld(keyCode, modifiers))
    return {eventHotKeyExistsErr, std::nullopt};
  const auto combination = combinationText(keyCode, modifiers);
  if (!combination)
    return {invalidHotKeyStatus, std::nullopt};
  const auto config = configBindings();
  if (!config)
    return {invalidHotKeyStatus, std::nullopt};
  if (configHolds(*config, *combination))
    return {eventHotKeyExistsErr, std::nullopt};
  const auto outcomes = bind(keyCode, modifiers, id, *combination);
  if (!outcomes)
    return {invalidHotKeyStatus, std::nullopt};
  if (!i3ipc::allSucceeded(*outcomes))
    return {eventHotKeyExistsErr, std::nullopt};
  return {noErr, table_.add(keyCode, modifiers, id)};
}

void SwayHotkeys::unregisterHotkey(HotkeyRef hotkey) {
  if (const auto entry = table_.remove(hotkey))
    release({*entry});
}

void SwayHotkeys::bindingRan(std::string_view command) {
  if (const auto hotkey = hotkeyOfCommand(command))
    table_.press(hotkey->keyCode, hotkey->modifiers);
}

void SwayHotkeys::configReloaded() {
  const auto config = configBindings();
  if (!config)
    return;
  for (const auto& entry : table_.entries()) {
    const auto combination = combinationText(entry.keyCode, entry.modifiers);
    if (combination && !configHolds(*config, *combination))
      bind(entry.keyCode, entry.modifiers, entry.id, *combination);
  }
}

std::optional<std::vector<SwayCombination>> SwayHotkeys::configBindings() {
  const auto reply = client_.request(i3ipc::MessageType::getConfig);
  if (!reply)
    return std::nullopt;
  const Json body = i3ipc::parsePayload(*reply);
  if (!body.is_object())
    return std::nullopt;
  const char* home = std::getenv("HOME");
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  const std::string folder = swayConfigFolder(home ? home : "", configHome ? configHome : "");
  return defaultModeBindings(i3ipc::textOf(body, "config"), [&folder](const std::string& path) {
    return includedFileTexts(path, folder);
  });
}

std::optional<std::vector<i3ipc::CommandOutcome>> SwayHotkeys::bind(
    int keyCode, std::uint32_t modifiers, EventHotKeyID id, const std::string& combination) {
  // bindsym replaces a binding of the same combination, so one that a Dovrik which did not
  // quit cleanly left behind (sway shows run-time bindings nowhere) is taken over, not refused.
  // Quoted, or a comma in the bound command would end the bindsym there.
  return client_.runCommand(
      "bindsym --no-repeat " + combination + " \"" +
      hotkeyCommand(keyCode, modifiers, ShortcutManager::actsOnFocusedWindow(id)) + "\"");
}

void SwayHotkeys::release(const std::vector<HotkeyTable::Entry>& entries) {
  if (entries.empty())
    return;
  // After a reload the config may bind a held combination itself: that binding is the user's.
  const auto config = configBindings();
  for (const auto& entry : entries) {
    const auto combination = combinationText(entry.keyCode, entry.modifiers);
    if (combination && !(config && configHolds(*config, *combination)))
      client_.runCommand("unbindsym " + *combination);
  }
}

}  // namespace dovrik::sway
