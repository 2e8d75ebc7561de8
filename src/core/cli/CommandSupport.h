// What several commands share: names typed as several words, the answers of a command made of
// verbs, and the refusal when Dovrik may not control windows.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "core/cli/Command.h"
#include "core/cli/CommandOutcome.h"

namespace dovrik {
class App;
}

namespace dovrik::cli {

// An unquoted name arrives as several words ("Left", "Half"); they mean one name. Joins the
// words [first, last) with single spaces.
std::string joinedWords(const Arguments& args, std::size_t first, std::size_t last);
std::string joinedWords(const Arguments& args);

// The error lines of a command made of verbs; `verbs` lists them: "list, save, delete".
std::string missingVerb(const std::string& verbs);
std::string unknownVerb(const std::string& verb, const std::string& verbs);

// `list [--json]`: the error line for anything else after "list", or nothing.
std::optional<std::string> checkListArguments(const Arguments& args);
// Whether arguments that passed `checkListArguments` ask for the stored JSON form.
bool listsJson(const Arguments& args);

// A position in a numbered list as typed (1 is the first), or nothing when the word is not a
// number. A number too large to hold is out of range like any other.
std::optional<std::size_t> listNumber(const std::string& word);

// The failure to answer while window control is not granted, with the platform's reason.
std::optional<CommandOutcome> refusalWithoutWindowControl(App& app);

}  // namespace dovrik::cli
