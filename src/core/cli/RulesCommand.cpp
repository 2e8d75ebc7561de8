// The rules command: its verbs, the rule number N, and what each verb does in the running
// Dovrik.
#include "core/cli/RulesCommand.h"

#include <algorithm>
#include <variant>

#include "core/cli/CommandSupport.h"
#include "core/cli/RunningDovrik.h"
#include "core/cli/SnapCommand.h"
#include "core/rules/RuleManager.h"

namespace dovrik::cli {
namespace {

const std::string kRulesVerbs = "list, add, enable, disable, delete";

std::optional<std::string> checkRules(const Arguments& args) {
  if (args.empty())
    return missingVerb(kRulesVerbs);
  const std::string& verb = args.front();
  if (verb == "list")
    return checkListArguments(args);
  if (verb == "add") {
    if (args.size() < 3)
      return "usage: dovrik rules add APP POSITION.";
    if (!snapPositionFromArgument(joinedWords(args, 2, args.size())))
      return "unknown position \"" + joinedWords(args, 2, args.size()) +
             "\"; `dovrik help snap` lists the positions.";
    return std::nullopt;
  }
  if (verb != "enable" && verb != "disable" && verb != "delete")
    return unknownVerb(verb, kRulesVerbs);
  return checkEntryArguments(args, "rules", "a rule number");
}

std::string line(std::size_t number, const AppRule& rule) {
  return std::to_string(number) + ". " + rule.appName + " (" + rule.bundleIdentifier + ") — " +
         std::string(rawValue(rule.snapPosition)) + " — " + (rule.isEnabled ? "on" : "off") + "\n";
}

CommandOutcome listRules(RunningDovrik& app, bool json) {
  const std::vector<AppRule>& rules = app.ruleManager().rules();
  if (json)
    return CommandOutcome::done(encodeAppRules(rules) + "\n");
  if (rules.empty())
    return CommandOutcome::done("No app rules.\n");
  std::string out;
  for (std::size_t i = 0; i < rules.size(); ++i)
    out += line(i + 1, rules[i]);
  return CommandOutcome::done(out);
}

CommandOutcome add(RunningDovrik& app, const Arguments& args) {
  RuleManager& store = app.ruleManager();
  const std::string& bundleID = args[1];
  // One rule per application, as the add-rule sheet allows.
  if (store.hasRule(bundleID)) {
    return CommandOutcome::failure(ExitStatus::failed,
                                   "\"" + bundleID +
                                       "\" already has a rule; delete it first to change the "
                                       "position.");
  }
  const AppRule rule{Uuid::random(), bundleID, applicationName(app, bundleID),
                     *snapPositionFromArgument(joinedWords(args, 2, args.size())), true};
  store.add(rule);
  return CommandOutcome::done(line(store.rules().size(), rule));
}

CommandOutcome change(RunningDovrik& app, const std::string& verb, const std::string& word) {
  RuleManager& store = app.ruleManager();
  auto index = entryIndex(word, store.rules().size(), "no app rules are set.", "rule");
  if (auto* outcome = std::get_if<CommandOutcome>(&index))
    return std::move(*outcome);
  AppRule rule = store.rules()[std::get<std::size_t>(index)];
  if (verb == "delete") {
    store.remove(rule);
  } else {
    rule.isEnabled = verb == "enable";
    store.update(rule);
  }
  return CommandOutcome::done();
}

CommandOutcome runRules(RunningDovrik& app, const Arguments& args, const Caller&) {
  const std::string& verb = args.front();
  if (verb == "list")
    return listRules(app, listsJson(args));
  if (verb == "add")
    return add(app, args);
  return change(app, verb, args[1]);
}

}  // namespace

Command rulesCommand() {
  return {
      .name = "rules",
      .synopsis = "VERB [APP POSITION|N]",
      .summary = "List, add, switch on or off, or delete app rules.",
      .details =
          "An app rule snaps an app's first window to a position when the app starts. Windows\n"
          "you move yourself afterwards are left alone.\n\n"
          "Verbs:\n"
          "  list [--json]        One numbered line per rule: the app, its position and whether\n"
          "                       the rule is on. --json prints the rules as they are stored.\n"
          "  add APP POSITION     Add a rule, switched on. APP is a desktop entry ID as\n"
          "                       `dovrik apps` shows it, or a window's WM_CLASS class; an app\n"
          "                       has one rule at most. POSITION as for `dovrik snap`.\n"
          "  enable N             Switch rule N on.\n"
          "  disable N            Switch rule N off; it stays in the list.\n"
          "  delete N             Delete rule N.\n",
      .check = checkRules,
      .run = runRules,
  };
}

}  // namespace dovrik::cli
