// The clipboard command: its verbs, the entry number N, and what each verb does in the running
// Dovrik.
#include "core/cli/ClipboardCommand.h"

#include <variant>

#include "core/cli/CommandSupport.h"
#include "core/cli/RunningDovrik.h"
#include "core/clipboard/ClipboardManager.h"
#include "core/clipboard/ClipboardPopupController.h"
#include "core/clipboard/IgnoredApps.h"
#include "core/clipboard/PasteForm.h"
#include "core/model/AppState.h"
#include "core/paste/PasteKeys.h"
#include "core/platform/Clock.h"
#include "core/platform/Locale.h"

namespace dovrik::cli {
namespace {

const std::string kClipboardVerbs =
    "list, copy, paste, pin, delete, clear, popup, paste-keys, ignore";
const std::string kIgnoreUsage = "usage: dovrik clipboard ignore list|add APP|remove APP.";
// The words `paste-keys` takes after APP; "default" removes the application's own choice.
const std::string kPasteKeys = "ctrl-v, ctrl-shift-v, shift-insert, default";

bool clipboardVerbTakesNumber(const std::string& verb) {
  return verb == "copy" || verb == "paste" || verb == "pin" || verb == "delete";
}

// `copy` and `paste` take --plain before N.
constexpr std::string_view kPlainOption = "--plain";

bool clipboardVerbTakesPlain(const std::string& verb) {
  return verb == "copy" || verb == "paste";
}

bool asksPlain(const Arguments& args) {
  return args.size() >= 3 && args[1] == kPlainOption && clipboardVerbTakesPlain(args[0]);
}

// The arguments without --plain, so N is always the second.
Arguments withoutPlain(const Arguments& args) {
  if (!asksPlain(args))
    return args;
  Arguments rest = args;
  rest.erase(rest.begin() + 1);
  return rest;
}

std::optional<std::string> checkPasteKeys(const Arguments& args) {
  if (args.size() == 1)
    return std::nullopt;
  if (args.size() != 3)
    return "usage: dovrik clipboard paste-keys [APP ctrl-v|ctrl-shift-v|shift-insert|default].";
  if (args[2] != "default" && !pasteChordFromWord(args[2]))
    return "unknown keystroke \"" + args[2] + "\"; keystrokes: " + kPasteKeys + ".";
  return std::nullopt;
}

// `paste` takes one number or more, pasted in the order given.
std::optional<std::string> checkPasteNumbers(const Arguments& args) {
  const std::string usage = "usage: dovrik clipboard paste [--plain] N [M …].";
  if (args.size() < 2)
    return usage;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i].starts_with("--") && args.size() > 2)
      return usage;
    if (auto problem = checkEntryArguments({args[0], args[i]}, "clipboard"))
      return problem;
  }
  return std::nullopt;
}

std::optional<std::string> checkIgnore(const Arguments& args) {
  const bool list = args.size() == 2 && args[1] == "list";
  const bool change = args.size() == 3 && (args[1] == "add" || args[1] == "remove");
  if (!list && !change)
    return kIgnoreUsage;
  if (change && args[2].empty())
    return kIgnoreUsage;
  return std::nullopt;
}

std::optional<std::string> checkClipboard(const Arguments& args) {
  if (args.empty())
    return missingVerb(kClipboardVerbs);
  const std::string& verb = args.front();
  if (verb == "list")
    return checkListArguments(args);
  if (verb == "clear" || verb == "popup")
    return checkNoArguments(args);
  if (verb == "paste-keys")
    return checkPasteKeys(args);
  if (verb == "ignore")
    return checkIgnore(args);
  if (!clipboardVerbTakesNumber(verb))
    return unknownVerb(verb, kClipboardVerbs);
  if (verb == "paste")
    return checkPasteNumbers(withoutPlain(args));
  if (clipboardVerbTakesPlain(verb) && args.size() == 3 && args[1] != kPlainOption)
    return "usage: dovrik clipboard " + verb + " [--plain] N.";
  return checkEntryArguments(withoutPlain(args), "clipboard");
}

// What the list shows of an entry: the first line of its text, or the size of its image.
std::string preview(const ClipboardItem& item) {
  if (item.kind == ClipboardKind::image)
    return "image, " + std::to_string(item.imageData ? item.imageData->size() : 0) + " bytes";
  return item.text->substr(0, item.text->find_first_of("\r\n"));
}

CommandOutcome listClipboard(RunningDovrik& app, bool json) {
  const std::vector<ClipboardItem>& items = app.clipboardManager().items();
  if (json)
    return CommandOutcome::done(encodeClipboardItems(items) + "\n");
  if (items.empty())
    return CommandOutcome::done("The clipboard history is empty.\n");
  const double now = app.commandPorts().clock.wallTimeSince2001();
  std::string out;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const ClipboardItem& item = items[i];
    out += std::to_string(i + 1) + (item.isPinned ? " * " : "   ") +
           std::string(rawValue(item.kind)) + " — " +
           item.relativeTime(now, app.commandPorts().locale) + " — " + preview(item) + "\n";
  }
  return CommandOutcome::done(out);
}

// The entry N names, or the answer to give instead.
std::variant<ClipboardItem, CommandOutcome> numbered(RunningDovrik& app, const std::string& word) {
  const std::vector<ClipboardItem>& items = app.clipboardManager().items();
  auto index = entryIndex(word, items.size(), "the clipboard history is empty.");
  if (auto* outcome = std::get_if<CommandOutcome>(&index))
    return std::move(*outcome);
  return items[std::get<std::size_t>(index)];
}

// Every number is looked up before anything is pasted, so a wrong one pastes nothing.
CommandOutcome pasteNumbered(RunningDovrik& app, const Arguments& args, PasteForm form) {
  std::vector<ClipboardItem> items;
  for (std::size_t i = 1; i < args.size(); ++i) {
    auto found = numbered(app, args[i]);
    if (auto* outcome = std::get_if<CommandOutcome>(&found))
      return std::move(*outcome);
    items.push_back(std::get<ClipboardItem>(std::move(found)));
  }
  app.clipboardManager().pasteInOrder(std::move(items), form);
  return CommandOutcome::done();
}

CommandOutcome act(RunningDovrik& app, const std::string& verb, const ClipboardItem& item,
                   const std::string& word, PasteForm form) {
  ClipboardManager& manager = app.clipboardManager();
  if (verb == "copy") {
    manager.copy(item, form);
  } else if (verb == "pin") {
    manager.togglePin(item.id);
    return CommandOutcome::done("Entry " + word + (item.isPinned ? " is no longer" : " is") +
                                " pinned.\n");
  } else {
    std::vector<ClipboardItem> kept = manager.items();
    std::erase_if(kept, [&](const ClipboardItem& entry) { return entry.id == item.id; });
    manager.setItems(std::move(kept));
  }
  return CommandOutcome::done();
}

std::string pasteKeyLine(RunningDovrik& app, const std::string& appId, PasteChord chord) {
  return applicationName(app, appId) + " (" + appId + ") — " + std::string(pasteKeyWord(chord)) +
         "\n";
}

// Without arguments, the applications with a keystroke of their own; with them, sets APP's.
CommandOutcome pasteKeys(RunningDovrik& app, const Arguments& args) {
  if (args.size() == 1) {
    const PasteKeyTable table = pasteKeyTable(app.appState());
    if (table.empty())
      return CommandOutcome::done("No app has a paste keystroke of its own.\n");
    std::string out;
    for (const auto& [appId, chord] : table)
      out += pasteKeyLine(app, appId, chord);
    return CommandOutcome::done(out);
  }
  const std::string& appId = args[1];
  const std::optional<PasteChord> chord = pasteChordFromWord(args[2]);
  setPasteKey(app.appState(), appId, chord);
  if (!chord) {
    return CommandOutcome::done(applicationName(app, appId) + " (" + appId +
                                ") pastes with the keystroke its kind of app takes.\n");
  }
  return CommandOutcome::done(pasteKeyLine(app, appId, *chord));
}

// The application an entry names, as `dovrik apps` would name it.
std::string ignoredAppLine(RunningDovrik& app, const std::string& entry) {
  const std::string name = applicationName(app, entry);
  return name == entry ? entry : name + " (" + entry + ")";
}

CommandOutcome ignore(RunningDovrik& app, const Arguments& args) {
  AppState& state = app.appState();
  if (args[1] == "list") {
    const std::vector<std::string> ignored = ignoredApps(state);
    if (ignored.empty())
      return CommandOutcome::done("No app is ignored: copies from every app are recorded.\n");
    std::string out;
    for (const std::string& entry : ignored)
      out += ignoredAppLine(app, entry) + "\n";
    return CommandOutcome::done(out);
  }
  const std::string& entry = args[2];
  if (args[1] == "add") {
    if (!addIgnoredApp(state, entry))
      return CommandOutcome::failure(ExitStatus::failed, entry + " is ignored already.");
    return CommandOutcome::done("Copies from " + ignoredAppLine(app, entry) +
                                " are no longer recorded.\n");
  }
  const std::optional<std::string> removed = removeIgnoredApp(state, entry);
  if (!removed) {
    return CommandOutcome::failure(
        ExitStatus::failed,
        entry + " is not ignored; `dovrik clipboard ignore list` shows the apps that are.");
  }
  return CommandOutcome::done("Copies from " + ignoredAppLine(app, *removed) +
                              " are recorded again.\n");
}

CommandOutcome runClipboard(RunningDovrik& app, const Arguments& args, const Caller&) {
  const std::string& verb = args.front();
  if (verb == "clear") {
    app.clipboardManager().clearHistory();
    return CommandOutcome::done();
  }
  // Pasting from the file shelf takes the same keystroke, history or not.
  if (verb == "paste-keys")
    return pasteKeys(app, args);
  if (verb == "ignore")
    return ignore(app, args);
  // The numbers come from `list`, which shows nothing while the history is off.
  if (!app.appState().clipboardHistoryEnabled()) {
    return CommandOutcome::failure(ExitStatus::failed,
                                   "The clipboard history is off; switch it on in the settings.");
  }
  if (verb == "list")
    return listClipboard(app, listsJson(args));
  if (verb == "popup") {
    app.clipboardPopupController().show();
    return CommandOutcome::done();
  }
  if (verb == "paste") {
    if (auto refusal = refusalWithoutWindowControl(app))
      return std::move(*refusal);
  }
  const PasteForm form = asksPlain(args) ? PasteForm::plainText : PasteForm::asCopied;
  if (verb == "paste")
    return pasteNumbered(app, withoutPlain(args), form);
  const std::string word = withoutPlain(args)[1];
  auto found = numbered(app, word);
  if (auto* outcome = std::get_if<CommandOutcome>(&found))
    return std::move(*outcome);
  return act(app, verb, std::get<ClipboardItem>(found), word, form);
}

}  // namespace

Command clipboardCommand() {
  return {
      .name = "clipboard",
      .synopsis = "VERB [N|APP KEYS]",
      .summary =
          "List the clipboard history, copy, paste, pin or delete an entry, open it, or "
          "ignore an app's copies.",
      .details =
          "N is an entry's number as `list` shows it: 1 is the top entry; pinned entries come\n"
          "first, then the others newest first. Every verb but clear, paste-keys and ignore\n"
          "needs the clipboard history switched on.\n\n"
          "Verbs:\n"
          "  list [--json]   One line per entry: its number, * when pinned, its kind (text,\n"
          "                  link or image), its age and its first line. --json prints the\n"
          "                  history as it is stored.\n"
          "  copy [--plain] N\n"
          "                  Put entry N on the clipboard with every form it was copied\n"
          "                  with (html, an image, file addresses); it moves to the top of\n"
          "                  the unpinned entries and is not recorded as a new copy.\n"
          "                  --plain puts its text alone, so it pastes without formatting.\n"
          "  paste [--plain] N [M …]\n"
          "                  Copy entry N and paste it into the focused application with the\n"
          "                  keystroke that application takes; needs window control. With\n"
          "                  several numbers, the entries are pasted one after another in\n"
          "                  the order given, each once the application took the one before.\n"
          "                  --plain pastes text alone, like Shift+Return in the popup.\n"
          "  pin N           Pin entry N, or unpin it when it is pinned. Pinned entries stay\n"
          "                  through clear and the history's size limit.\n"
          "  delete N        Delete entry N.\n"
          "  clear           Delete every entry that is not pinned.\n"
          "  popup           Open the clipboard popup at the pointer.\n"
          "  paste-keys [APP KEYS]\n"
          "                  Without arguments, the apps that paste with a keystroke of their\n"
          "                  own. With them, APP (an ID as `dovrik apps` shows it, or a\n"
          "                  window's WM_CLASS class) pastes with KEYS: ctrl-v,\n"
          "                  ctrl-shift-v, or shift-insert, which also puts the entry in the\n"
          "                  primary selection; default gives it back the keystroke its kind\n"
          "                  of app takes (Ctrl+Shift+V in terminals, Shift+Insert in xterm\n"
          "                  and urxvt, else Ctrl+V).\n"
          "  ignore list     The apps whose copies are never recorded. Until changed, the\n"
          "                  password managers that copy without marking a password secret.\n"
          "  ignore add APP  Never record copies from APP: an ID as `dovrik apps` shows it,\n"
          "                  a desktop file's name, or a window's WM_CLASS class, in any case.\n"
          "  ignore remove APP\n"
          "                  Record copies from APP again.\n",
      .check = checkClipboard,
      .run = runClipboard,
  };
}

}  // namespace dovrik::cli
