// Parsing the command line against the command table, the help texts, and both ends of a
// forwarded command.
#include "core/cli/CommandLine.h"

#include <algorithm>
#include <utility>
#include <variant>

#include "core/cli/CommandMessages.h"
#include "core/cli/CommandTable.h"

namespace dovrik::cli {
namespace {

bool isHelpOption(std::string_view word) {
  return word == "-h" || word == "--help";
}

CommandOutcome usageError(const std::string& line) {
  return CommandOutcome::failure(ExitStatus::usage, "dovrik: " + line);
}

CommandOutcome unknownCommand(const std::string& name) {
  std::string names;
  for (const Command& command : commandTable())
    names += command.name + ", ";
  return usageError("unknown command \"" + name + "\"; commands: " + names + "help.");
}

// The command the words name with arguments it accepts, or the answer to give instead.
std::variant<const Command*, CommandOutcome> resolve(const std::vector<std::string>& words) {
  const Command* command = findCommand(words.front());
  if (!command)
    return unknownCommand(words.front());
  if (const auto error = command->check(Arguments(words.begin() + 1, words.end())))
    return CommandOutcome::failure(ExitStatus::usage, "dovrik " + command->name + ": " + *error);
  return command;
}

CommandOutcome help(const std::vector<std::string>& args) {
  if (args.size() == 1 || args[1] == "help")
    return CommandOutcome::done(usageText());
  if (args.size() > 2)
    return usageError("help: takes at most one COMMAND.");
  if (const Command* command = findCommand(args[1]))
    return CommandOutcome::done(helpText(*command));
  return unknownCommand(args[1]);
}

}  // namespace

Invocation parseCommandLine(const std::vector<std::string>& args, std::string_view version) {
  if (args.empty())
    return {};
  const std::string& first = args.front();
  const auto answer = [](CommandOutcome outcome) {
    return Invocation{
        .action = Invocation::Action::answerHere, .outcome = std::move(outcome), .words = {}};
  };
  if (isHelpOption(first))
    return answer(CommandOutcome::done(usageText()));
  if (first == "--version")
    return answer(CommandOutcome::done("dovrik " + std::string(version) + "\n"));
  if (first == "help")
    return answer(help(args));
  if (first.starts_with('-'))
    return answer(usageError("unknown option \"" + first + "\"; run `dovrik --help` for usage."));

  const Command* command = findCommand(first);
  if (command && std::any_of(args.begin() + 1, args.end(), isHelpOption))
    return answer(CommandOutcome::done(helpText(*command)));
  auto resolved = resolve(args);
  if (auto* outcome = std::get_if<CommandOutcome>(&resolved))
    return answer(std::move(*outcome));
  return {.action = Invocation::Action::forward, .outcome = {}, .words = args};
}

namespace {

// The command with its arguments as a usage line shows them; some commands take none.
std::string usageLine(const Command& command) {
  return command.synopsis.empty() ? command.name : command.name + " " + command.synopsis;
}

}  // namespace

std::string usageText() {
  using Rows = std::vector<std::pair<std::string, std::string>>;
  Rows commands;
  for (const Command& command : commandTable())
    commands.emplace_back(usageLine(command), command.summary);
  commands.emplace_back("help [COMMAND]", "Show this help, or a command's help.");
  const Rows options = {
      {"-h, --help", "Show this help; after a command, that command's help."},
      {"--version", "Show the version."},
  };
  std::size_t width = 0;
  for (const Rows* rows : std::initializer_list<const Rows*>{&commands, &options}) {
    for (const auto& row : *rows)
      width = std::max(width, row.first.size());
  }
  const auto table = [width](const Rows& rows) {
    std::string text;
    for (const auto& [left, right] : rows)
      text += "  " + left + std::string(width - left.size() + 3, ' ') + right + "\n";
    return text;
  };
  return "Usage: dovrik [COMMAND [ARGUMENT...]]\n\n"
         "Without a command, starts Dovrik in the tray, or re-opens the Dovrik running on this\n"
         "display. A command is carried out by the running Dovrik.\n\n"
         "Commands:\n" +
         table(commands) + "\nOptions:\n" + table(options) +
         "\nExit status: 0 done; 1 Dovrik could not do it; 2 wrong usage; 3 Dovrik is not\n"
         "running on this display or did not answer.\n";
}

std::string helpText(const Command& command) {
  return "Usage: dovrik " + usageLine(command) + "\n\n" + command.details;
}

void answerRequest(RunningDovrik& app, std::string_view requestLine,
                   std::function<void(std::string)> reply) {
  const auto request = decodeRequest(requestLine);
  if (!request) {
    reply(encodeOutcome(usageError("the running Dovrik could not read the request.")));
    return;
  }
  const std::vector<std::string>& words = request->words;
  auto resolved = resolve(words);
  if (const auto* outcome = std::get_if<CommandOutcome>(&resolved)) {
    reply(encodeOutcome(*outcome));
    return;
  }
  const Command& command = *std::get<const Command*>(resolved);
  const Arguments args(words.begin() + 1, words.end());
  const Caller caller{request->workingDirectory};
  if (command.runThenAnswer) {
    command.runThenAnswer(app, args, caller, [reply = std::move(reply)](CommandOutcome outcome) {
      reply(encodeOutcome(outcome));
    });
    return;
  }
  reply(encodeOutcome(command.run(app, args, caller)));
}

CommandOutcome outcomeOfReply(std::string_view replyLine) {
  if (auto outcome = decodeOutcome(replyLine))
    return std::move(*outcome);
  return CommandOutcome::failure(
      ExitStatus::unreachable,
      "Dovrik answered in a form this `dovrik` cannot read; is it a different version?");
}

CommandOutcome notRunning() {
  return CommandOutcome::failure(ExitStatus::unreachable,
                                 "Dovrik is not running on this display. Start it with `dovrik`.");
}

CommandOutcome noAnswer() {
  return CommandOutcome::failure(
      ExitStatus::unreachable,
      "Dovrik runs on this display but did not answer in time. Try again, or restart it.");
}

}  // namespace dovrik::cli
