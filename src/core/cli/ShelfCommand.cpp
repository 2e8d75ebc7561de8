// The shelf command: its verbs, the paths of `add` and the entry number N, and what each verb
// does in the running Dovrik.
#include "core/cli/ShelfCommand.h"

#include <algorithm>
#include <string>
#include <variant>

#include "core/cli/CommandSupport.h"
#include "core/cli/RunningDovrik.h"
#include "core/model/AppState.h"
#include "core/platform/Clock.h"
#include "core/platform/Files.h"
#include "core/platform/Locale.h"
#include "core/shelf/FileShelfManager.h"
#include "core/shelf/FileURL.h"

namespace dovrik::cli {
namespace {

const std::string kShelfVerbs = "list, add, paste, pin, remove, clear";

bool shelfVerbTakesNumber(const std::string& verb) {
  return verb == "paste" || verb == "pin" || verb == "remove";
}

std::optional<std::string> checkPaths(const Arguments& args) {
  if (args.size() < 2)
    return "usage: dovrik shelf add PATH...";
  // A path ends at a NUL byte for the system; one inside would name another file than shown.
  const auto bad = std::find_if(args.begin() + 1, args.end(), [](const std::string& path) {
    return path.empty() || path.find('\0') != std::string::npos;
  });
  if (bad != args.end())
    return "\"" + *bad + "\" is not a path.";
  return std::nullopt;
}

std::optional<std::string> checkShelf(const Arguments& args) {
  if (args.empty())
    return missingVerb(kShelfVerbs);
  const std::string& verb = args.front();
  if (verb == "list")
    return checkListArguments(args);
  if (verb == "add")
    return checkPaths(args);
  if (verb == "clear")
    return checkNoArguments(args);
  if (!shelfVerbTakesNumber(verb))
    return unknownVerb(verb, kShelfVerbs);
  return checkEntryArguments(args, "shelf");
}

CommandOutcome listShelf(RunningDovrik& app, bool json) {
  const std::vector<FileShelfItem>& items = app.fileShelfManager().items();
  if (json)
    return CommandOutcome::done(encodeFileShelfItems(items).value_or("[]") + "\n");
  if (items.empty())
    return CommandOutcome::done("The file shelf is empty.\n");
  const double now = app.commandPorts().clock.wallTimeSince2001();
  std::string out;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const FileShelfItem& item = items[i];
    out += std::to_string(i + 1) + (item.isPinned ? " * " : "   ") +
           (item.isDirectory ? "folder" : "file") + " — " +
           item.relativeTime(now, app.commandPorts().locale) + " — " + item.path() +
           (item.isReachable ? "" : " (missing)") + "\n";
  }
  return CommandOutcome::done(out);
}

// Every path is checked before any is added, so a mistyped one adds nothing.
CommandOutcome add(RunningDovrik& app, const Arguments& args, const Caller& caller) {
  std::vector<std::string> paths;
  for (auto word = args.begin() + 1; word != args.end(); ++word) {
    if (!word->starts_with('/') && caller.workingDirectory.empty()) {
      return CommandOutcome::failure(
          ExitStatus::failed, "\"" + *word +
                                  "\" is relative and the request did not say where from; give the "
                                  "full path.");
    }
    std::string path = withoutTrailingSeparator(
        standardisedPath(word->starts_with('/') ? *word : caller.workingDirectory + "/" + *word));
    if (!app.commandPorts().files.exists(path)) {
      return CommandOutcome::failure(
          ExitStatus::failed,
          "There is no file or folder at " + path + "; nothing was added to the file shelf.");
    }
    paths.push_back(std::move(path));
  }
  for (const std::string& path : paths)
    app.fileShelfManager().addFile(fileURLOfPath(path, false));
  return CommandOutcome::done();
}

CommandOutcome act(RunningDovrik& app, const std::string& verb, const FileShelfItem& item,
                   const std::string& word) {
  FileShelfManager& manager = app.fileShelfManager();
  if (verb == "paste") {
    if (!manager.pasteFile(item)) {
      return CommandOutcome::failure(ExitStatus::failed, "The file of entry " + word +
                                                             " is missing: " + item.path() +
                                                             "; the clipboard was left as it was.");
    }
  } else if (verb == "pin") {
    if (!manager.togglePin(item.id)) {
      return CommandOutcome::failure(
          ExitStatus::failed, "The file shelf holds " + std::to_string(manager.pinnedLimit()) +
                                  " pinned entries already; unpin one first.");
    }
    return CommandOutcome::done("Entry " + word + (item.isPinned ? " is no longer" : " is") +
                                " pinned.\n");
  } else {
    manager.remove(item.id);
  }
  return CommandOutcome::done();
}

CommandOutcome runShelf(RunningDovrik& app, const Arguments& args, const Caller& caller) {
  const std::string& verb = args.front();
  if (verb == "clear") {
    app.fileShelfManager().clearShelf();
    return CommandOutcome::done();
  }
  // The popup shows no shelf while it is off; the command line keeps to the same switch.
  if (!app.appState().fileShelfEnabled()) {
    return CommandOutcome::failure(ExitStatus::failed,
                                   "The file shelf is off; switch it on in the settings.");
  }
  if (verb == "list")
    return listShelf(app, listsJson(args));
  if (verb == "add")
    return add(app, args, caller);
  if (verb == "paste") {
    if (auto refusal = refusalWithoutWindowControl(app))
      return std::move(*refusal);
  }
  const std::vector<FileShelfItem>& items = app.fileShelfManager().items();
  auto index = entryIndex(args[1], items.size(), "the file shelf is empty.");
  if (auto* outcome = std::get_if<CommandOutcome>(&index))
    return std::move(*outcome);
  // A copy: the verbs change the list the entry lives in.
  const FileShelfItem item = items[std::get<std::size_t>(index)];
  return act(app, verb, item, args[1]);
}

}  // namespace

Command shelfCommand() {
  return {
      .name = "shelf",
      .synopsis = "VERB [N | PATH...]",
      .summary = "List the file shelf, add files to it, or paste, pin or remove an entry.",
      .details =
          "N is an entry's number as `list` shows it: 1 is the top entry; pinned entries come\n"
          "first, then the others newest first. The shelf keeps references to files, never\n"
          "copies. Every verb but clear needs the file shelf switched on.\n\n"
          "Verbs:\n"
          "  list [--json]   One line per entry: its number, * when pinned, file or folder,\n"
          "                  its age and its path, marked (missing) when it was gone at the\n"
          "                  last check. --json prints the shelf as it is stored.\n"
          "  add PATH...     Add files or folders as if dropped on the clipboard popup; a\n"
          "                  relative PATH is taken from the current folder. Adds nothing if\n"
          "                  any PATH does not exist.\n"
          "  paste N         Put the file of entry N on the clipboard and paste it into the\n"
          "                  focused application; needs window control. A missing file rings\n"
          "                  the bell and is marked missing.\n"
          "  pin N           Pin entry N, or unpin it when it is pinned. Pinned entries stay\n"
          "                  through clear; twice the shelf's size may be pinned.\n"
          "  remove N        Take entry N off the shelf; the file is not touched.\n"
          "  clear           Remove every entry that is not pinned.\n",
      .check = checkShelf,
      .run = runShelf,
  };
}

}  // namespace dovrik::cli
