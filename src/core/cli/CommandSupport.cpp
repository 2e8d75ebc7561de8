// Helpers shared by the commands.
#include "core/cli/CommandSupport.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>

#include "core/cli/RunningDovrik.h"
#include "core/model/AccessibilityTrust.h"
#include "core/model/ApplicationName.h"
#include "core/platform/Accessibility.h"
#include "core/platform/PlatformTexts.h"
#include "core/platform/RunningApps.h"
#include "core/rules/InstalledAppsCache.h"

namespace dovrik::cli {

std::string joinedWords(const Arguments& args, std::size_t first, std::size_t last) {
  std::string text;
  for (std::size_t i = first; i < last && i < args.size(); ++i)
    text += (text.empty() ? "" : " ") + args[i];
  return text;
}

std::string joinedWords(const Arguments& args) {
  return joinedWords(args, 0, args.size());
}

std::string missingVerb(const std::string& verbs) {
  return "missing VERB; verbs: " + verbs + ".";
}

std::string unknownVerb(const std::string& verb, const std::string& verbs) {
  return "unknown verb \"" + verb + "\"; verbs: " + verbs + ".";
}

std::optional<std::string> checkNoArguments(const Arguments& args) {
  if (args.size() == 1)
    return std::nullopt;
  return args.front() + " takes no arguments.";
}

std::function<std::optional<std::string>(const Arguments&)> checkNothingAfter(
    const std::string& name) {
  return [name](const Arguments& args) -> std::optional<std::string> {
    if (args.empty())
      return std::nullopt;
    return "usage: dovrik " + name + "; it takes no arguments.";
  };
}

std::optional<std::string> checkListArguments(const Arguments& args) {
  if (args.size() == 1 || listsJson(args))
    return std::nullopt;
  return "list takes only --json.";
}

bool listsJson(const Arguments& args) {
  return args.size() == 2 && args[1] == "--json";
}

std::optional<std::size_t> listNumber(const std::string& word) {
  if (word.empty() ||
      !std::all_of(word.begin(), word.end(), [](unsigned char c) { return std::isdigit(c); }))
    return std::nullopt;
  std::size_t number = 0;
  const auto result = std::from_chars(word.data(), word.data() + word.size(), number);
  return result.ec == std::errc() ? number : std::numeric_limits<std::size_t>::max();
}

std::optional<std::string> checkEntryArguments(const Arguments& args, const std::string& command,
                                               const std::string& numberName) {
  if (args.size() != 2)
    return "usage: dovrik " + command + " " + args.front() + " N.";
  if (!listNumber(args[1])) {
    return "\"" + args[1] + "\" is not " + numberName +
           "; N is from 1 to the last number `dovrik " + command + " list` shows.";
  }
  return std::nullopt;
}

std::variant<std::size_t, CommandOutcome> entryIndex(const std::string& word, std::size_t count,
                                                     const std::string& emptyList,
                                                     const std::string& noun) {
  const std::size_t number = listNumber(word).value_or(0);
  if (number >= 1 && number <= count)
    return number - 1;
  return CommandOutcome::failure(
      ExitStatus::failed,
      "There is no " + noun + " " + word + "; " +
          (count == 0 ? emptyList : "N is from 1 to " + std::to_string(count) + "."));
}

std::string applicationName(RunningDovrik& app, const std::string& bundleID) {
  return dovrik::applicationName(app.installedAppsCache().loadNow(),
                                 app.commandPorts().runningApps.runningApplications(), bundleID);
}

std::optional<CommandOutcome> refusalWithoutWindowControl(RunningDovrik& app) {
  Accessibility& accessibility = app.commandPorts().accessibility;
  if (accessibility.isProcessTrusted())
    return std::nullopt;
  return CommandOutcome::failure(ExitStatus::failed,
                                 untrustedReason(accessibility, app.commandPorts().texts));
}

}  // namespace dovrik::cli
