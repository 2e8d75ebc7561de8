// The layout command: its verbs, their arguments and what each does in the running Dovrik.
#include "core/cli/LayoutCommand.h"

#include <algorithm>
#include <variant>

#include "core/cli/CommandSupport.h"
#include "core/cli/RunningDovrik.h"
#include "core/workspaces/DisplayIdentity.h"
#include "core/workspaces/WorkspaceManager.h"

namespace dovrik::cli {
namespace {

const std::string kLayoutVerbs = "list, save, update, restore, auto, delete";
const std::string kNothingToSave = "No open app windows were found on any display.";

bool isSwitch(const std::string& word) {
  return word == "on" || word == "off";
}

std::optional<std::string> checkLayout(const Arguments& args) {
  if (args.empty())
    return missingVerb(kLayoutVerbs);
  const std::string& verb = args.front();
  if (verb == "list")
    return checkListArguments(args);
  if (verb == "save" || verb == "update" || verb == "restore" || verb == "delete") {
    if (args.size() < 2)
      return "missing NAME; usage: dovrik layout " + verb + " NAME.";
    return std::nullopt;
  }
  if (verb == "auto") {
    if (args.size() < 3 || !isSwitch(args.back()))
      return "usage: dovrik layout auto NAME on|off.";
    return std::nullopt;
  }
  return unknownVerb(verb, kLayoutVerbs);
}

// The one layout with this name, or the answer to give instead.
std::variant<Workspace, CommandOutcome> named(RunningDovrik& app, const std::string& name) {
  const std::vector<Workspace>& list = app.workspaceManager().workspaces();
  const auto count =
      std::count_if(list.begin(), list.end(), [&](const Workspace& w) { return w.name == name; });
  if (count == 0) {
    return CommandOutcome::failure(
        ExitStatus::failed,
        "No layout is named \"" + name + "\"; `dovrik layout list` shows the saved ones.");
  }
  if (count > 1) {
    return CommandOutcome::failure(ExitStatus::failed,
                                   std::to_string(count) + " layouts are named \"" + name +
                                       "\"; rename or delete all but one in the settings.");
  }
  return *std::find_if(list.begin(), list.end(),
                       [&](const Workspace& w) { return w.name == name; });
}

CommandOutcome listLayouts(RunningDovrik& app, bool json) {
  WorkspaceManager& store = app.workspaceManager();
  if (json)
    return CommandOutcome::done(encodeWorkspaces(store.workspaces()).value_or("[]") + "\n");
  if (store.workspaces().empty())
    return CommandOutcome::done("No saved layouts.\n");
  const std::string current = store.currentSignature();
  std::string out;
  for (const Workspace& w : store.workspaces()) {
    out += w.name + " — " + DisplayIdentity::summary(w, current) + " — automatic restore " +
           (w.autoRestore ? "on" : "off") + "\n";
  }
  return CommandOutcome::done(out);
}

CommandOutcome save(RunningDovrik& app, const std::string& name) {
  if (auto refusal = refusalWithoutWindowControl(app))
    return std::move(*refusal);
  WorkspaceManager& store = app.workspaceManager();
  // Names are how the command line finds a layout, so it does not make one it cannot tell apart.
  if (std::any_of(store.workspaces().begin(), store.workspaces().end(),
                  [&](const Workspace& w) { return w.name == name; })) {
    return CommandOutcome::failure(ExitStatus::failed, "A layout named \"" + name +
                                                           "\" exists; replace its windows with "
                                                           "`dovrik layout update " +
                                                           name + "`.");
  }
  const auto saved = store.captureCurrent(name);
  if (!saved)
    return CommandOutcome::failure(ExitStatus::failed, kNothingToSave);
  return CommandOutcome::done("Saved \"" + name + "\": " +
                              DisplayIdentity::summary(*saved, store.currentSignature()) + "\n");
}

CommandOutcome act(RunningDovrik& app, const std::string& verb, const Workspace& workspace,
                   const Arguments& args) {
  WorkspaceManager& store = app.workspaceManager();
  if (verb == "auto") {
    store.setAutoRestore(args.back() == "on", workspace);
    return CommandOutcome::done();
  }
  if (verb == "delete") {
    store.remove(workspace);
    return CommandOutcome::done();
  }
  if (auto refusal = refusalWithoutWindowControl(app))
    return std::move(*refusal);
  if (verb == "restore") {
    store.restore(workspace);
    return CommandOutcome::done();
  }
  if (!store.updateWindows(workspace))
    return CommandOutcome::failure(ExitStatus::failed, kNothingToSave);
  return CommandOutcome::done();
}

CommandOutcome runLayout(RunningDovrik& app, const Arguments& args, const Caller&) {
  const std::string& verb = args.front();
  if (verb == "list")
    return listLayouts(app, listsJson(args));
  const std::size_t nameEnd = verb == "auto" ? args.size() - 1 : args.size();
  const std::string name = joinedWords(args, 1, nameEnd);
  if (verb == "save")
    return save(app, name);
  auto found = named(app, name);
  if (auto* outcome = std::get_if<CommandOutcome>(&found))
    return std::move(*outcome);
  return act(app, verb, std::get<Workspace>(found), args);
}

}  // namespace

Command layoutCommand() {
  return {
      .name = "layout",
      .synopsis = "VERB [NAME] [on|off]",
      .summary = "List, save, update, restore or delete saved window layouts.",
      .details =
          "A layout records every open window's size and position on each connected display.\n"
          "NAME may be several words; quotes are not needed.\n\n"
          "Verbs:\n"
          "  list [--json]        One line per layout: its name, windows, apps and displays,\n"
          "                       and whether it is restored automatically. --json prints the\n"
          "                       layouts as they are stored.\n"
          "  save NAME            Save the current windows as a new layout named NAME.\n"
          "  update NAME          Replace the layout's windows and displays with the current\n"
          "                       ones; its name, shortcut and automatic restore stay.\n"
          "  restore NAME         Put the running apps' windows where the layout says.\n"
          "  auto NAME on|off     Restore the layout by itself when its displays are connected\n"
          "                       again; on switches it off for other layouts of those displays.\n"
          "  delete NAME          Delete the layout and release its shortcut.\n",
      .check = checkLayout,
      .run = runLayout,
  };
}

}  // namespace dovrik::cli
