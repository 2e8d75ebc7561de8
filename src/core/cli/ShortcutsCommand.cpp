// The shortcuts command: naming an action, and setting, clearing and listing its shortcut.
#include "core/cli/ShortcutsCommand.h"

#include <functional>
#include <variant>

#include "core/cli/CommandSupport.h"
#include "core/cli/RunningDovrik.h"
#include "core/cli/ShortcutArgument.h"
#include "core/cli/SnapCommand.h"
#include "core/clipboard/ClipboardManager.h"
#include "core/clipboard/ClipboardShortcut.h"
#include "core/hotkeys/ShortcutManager.h"
#include "core/model/AppState.h"
#include "core/platform/PlatformTexts.h"
#include "core/settings/SettingsContent.h"

namespace dovrik::cli {
namespace {

const std::string kShortcutsVerbs = "list, set, clear, reset";
const std::string kClipboardHistory = "clipboard-history";

std::optional<ShortcutAction> actionFromArgument(std::string_view text) {
  if (const auto position = snapPositionFromArgument(text))
    return ShortcutAction::snap(*position);
  if (const auto action = windowActionFromArgument(text))
    return ShortcutAction::window(*action);
  if (text == kClipboardHistory)
    return ShortcutAction::clipboardHistory();
  return std::nullopt;
}

std::string actionList() {
  std::string list;
  for (const SnapPosition position : allSnapPositions)
    list += argumentName(position) + ", ";
  for (const WindowAction action : allWindowActions)
    list += argumentName(action) + ", ";
  return list + kClipboardHistory;
}

std::optional<std::string> checkAction(const Arguments& args, std::size_t last) {
  const std::string name = joinedWords(args, 1, last);
  if (!actionFromArgument(name))
    return "unknown action \"" + name + "\"; the actions are " + actionList() + ".";
  return std::nullopt;
}

std::optional<std::string> checkShortcuts(const Arguments& args) {
  if (args.empty() || args[0] == "list" || args[0] == "reset")
    return args.size() > 1 ? checkNoArguments(args) : std::nullopt;
  if (args[0] == "set") {
    if (args.size() < 3)
      return "usage: dovrik shortcuts set ACTION KEYS, such as: dovrik shortcuts set "
             "next-display ctrl+alt+super+right.";
    if (auto error = checkAction(args, args.size() - 1))
      return error;
    const auto parsed = shortcutFromArgument(args.back());
    if (const auto* error = std::get_if<std::string>(&parsed))
      return *error;
    return std::nullopt;
  }
  if (args[0] == "clear") {
    if (args.size() < 2)
      return "usage: dovrik shortcuts clear ACTION.";
    if (auto error = checkAction(args, args.size()))
      return error;
    if (joinedWords(args, 1, args.size()) == kClipboardHistory)
      return "the clipboard history always has a shortcut; set another one instead.";
    return std::nullopt;
  }
  return unknownVerb(args[0], kShortcutsVerbs);
}

bool isRefused(RunningDovrik& app, const ShortcutAction& action) {
  if (const SnapPosition* position = action.snapPosition())
    return app.shortcutManager().unavailablePositions().contains(*position);
  if (const WindowAction* windowAction = action.windowAction())
    return app.shortcutManager().unavailableWindowActions().contains(*windowAction);
  return app.appState().clipboardHistoryEnabled() && !app.clipboardShortcut().isRegistered();
}

std::string listedLine(RunningDovrik& app, const std::string& name, const ShortcutAction& action,
                       const std::optional<KeyboardShortcut>& shortcut) {
  std::string line = name + std::string(name.size() < 19 ? 19 - name.size() : 1, ' ') +
                     (shortcut ? app.commandPorts().texts.shortcutText(*shortcut) : "none");
  if (shortcut && isRefused(app, action))
    line += "  (refused by the desktop)";
  return line + "\n";
}

std::string listing(RunningDovrik& app, ShortcutsPanelModel& panel) {
  std::string text;
  for (const SnapPosition position : allSnapPositions) {
    text += listedLine(app, argumentName(position), ShortcutAction::snap(position),
                       panel.shortcut(position));
  }
  for (const WindowAction action : allWindowActions)
    text += listedLine(app, argumentName(action), ShortcutAction::window(action),
                       panel.shortcut(action));
  return text + listedLine(app, kClipboardHistory, ShortcutAction::clipboardHistory(),
                           panel.clipboardRow().shortcut());
}

// The panel's model while the settings window is open, so the window shows the change at once;
// otherwise one made for this request.
CommandOutcome withPanel(RunningDovrik& app,
                         const std::function<CommandOutcome(ShortcutsPanelModel&)>& use) {
  if (SettingsContent* content = app.settingsContent())
    return use(content->shortcuts());
  const RunningDovrik::Ports& ports = app.commandPorts();
  ShortcutsPanelModel panel(
      {.scheduler = ports.scheduler, .shell = ports.shell, .texts = ports.texts}, app.appState(),
      app.shortcutConflicts(), app.shortcutManager(), app.clipboardManager(),
      app.clipboardShortcut(), app.ownHotkeys());
  return use(panel);
}

CommandOutcome assign(RunningDovrik& app, const ShortcutAction& action,
                      const std::optional<KeyboardShortcut>& shortcut) {
  return withPanel(app, [&](ShortcutsPanelModel& panel) {
    if (auto conflict = panel.assign(action, shortcut))
      return CommandOutcome::failure(ExitStatus::failed, *conflict);
    if (shortcut && isRefused(app, action))
      return CommandOutcome::failure(
          ExitStatus::failed, app.commandPorts().texts.refusedHotkeyPrefix +
                                  app.commandPorts().texts.shortcutText(*shortcut) +
                                  "; another app is already using it. It is stored, and taken "
                                  "when the desktop lets it go at the next start.");
    return CommandOutcome::done();
  });
}

CommandOutcome runShortcuts(RunningDovrik& app, const Arguments& args, const Caller&) {
  if (args.empty() || args[0] == "list" || args[0] == "reset") {
    return withPanel(app, [&](ShortcutsPanelModel& panel) {
      if (!args.empty() && args[0] == "reset")
        panel.resetAll();
      return CommandOutcome::done(listing(app, panel));
    });
  }
  if (args[0] == "set") {
    const auto action = actionFromArgument(joinedWords(args, 1, args.size() - 1));
    return assign(app, *action, std::get<KeyboardShortcut>(shortcutFromArgument(args.back())));
  }
  return assign(app, *actionFromArgument(joinedWords(args, 1, args.size())), std::nullopt);
}

}  // namespace

Command shortcutsCommand() {
  return {
      .name = "shortcuts",
      .synopsis = "VERB [ACTION]",
      .summary = "List or change the shortcuts that snap, move and restore windows.",
      .details =
          "  list                 Each action with its shortcut, or none; a shortcut the\n"
          "                       desktop refused is marked. The default verb.\n"
          "  set ACTION KEYS      Give ACTION the shortcut KEYS: modifiers and one key\n"
          "                       joined by +, such as ctrl+alt+super+right. Refused when\n"
          "                       another action has it.\n"
          "  clear ACTION         Leave ACTION without a shortcut; it stays so after a\n"
          "                       restart.\n"
          "  reset                The default shortcuts for every action again.\n\n"
          "ACTION is a position of `dovrik snap` (left-half), one of next-display,\n"
          "previous-display and restore, or clipboard-history.\n",
      .check = checkShortcuts,
      .run = runShortcuts,
  };
}

}  // namespace dovrik::cli
