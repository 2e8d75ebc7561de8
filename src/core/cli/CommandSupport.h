// What several commands share: names typed as several words, the answers of a command made of
// verbs, and the refusal when Dovrik may not control windows.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <variant>

#include "core/cli/Command.h"
#include "core/cli/CommandOutcome.h"
#include "core/cli/RunningDovrik.h"

namespace dovrik::cli {

// An unquoted name arrives as several words ("Left", "Half"); they mean one name. Joins the
// words [first, last) with single spaces.
std::string joinedWords(const Arguments& args, std::size_t first, std::size_t last);
std::string joinedWords(const Arguments& args);

// The error lines of a command made of verbs; `verbs` lists them: "list, save, delete".
std::string missingVerb(const std::string& verbs);
std::string unknownVerb(const std::string& verb, const std::string& verbs);

// A verb that takes nothing after it: the error line for anything there, or nothing.
std::optional<std::string> checkNoArguments(const Arguments& args);

// The check of a command that takes no arguments: its usage line for anything after `name`.
std::function<std::optional<std::string>(const Arguments&)> checkNothingAfter(
    const std::string& name);

// `list [--json]`: the error line for anything else after "list", or nothing.
std::optional<std::string> checkListArguments(const Arguments& args);
// Whether arguments that passed `checkListArguments` ask for the stored JSON form.
bool listsJson(const Arguments& args);

// The entry number typed, or nothing when the word is not a number. A number too large to hold
// is out of range like any other.
std::optional<std::size_t> listNumber(const std::string& word);
// `VERB N` of a numbered list, `command` being the list's command ("clipboard"): the error
// line for a missing or extra argument or a word that is not `numberName`, or nothing.
std::optional<std::string> checkEntryArguments(const Arguments& args, const std::string& command,
                                               const std::string& numberName = "an entry number");
// The index of the `noun` N, as typed in `word`, in a list of `count`; or the failure to
// answer, ending in `emptyList` ("the clipboard history is empty.") when there are none.
std::variant<std::size_t, CommandOutcome> entryIndex(const std::string& word, std::size_t count,
                                                     const std::string& emptyList,
                                                     const std::string& noun = "entry");

// The name of the application with the identity: the installed application's, else the running
// one's, else the identity itself. Scans the installed applications on first use.
std::string applicationName(RunningDovrik& app, const std::string& bundleID);

// The failure to answer while window control is not granted, with the platform's reason.
std::optional<CommandOutcome> refusalWithoutWindowControl(RunningDovrik& app);

}  // namespace dovrik::cli
