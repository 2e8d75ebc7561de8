// What `dovrik` does with its arguments: start the agent, answer at once (help, version,
// wrong usage), or hand a checked command to the running Dovrik; and that Dovrik's answer.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/cli/Command.h"
#include "core/cli/CommandOutcome.h"
#include "core/cli/RunningDovrik.h"

namespace dovrik::cli {

struct Invocation {
  enum class Action { startAgent, answerHere, forward };
  Action action = Action::startAgent;
  CommandOutcome outcome;          // for answerHere
  std::vector<std::string> words;  // for forward: the command's name, then its arguments
};

// `args` leaves out the program name.
Invocation parseCommandLine(const std::vector<std::string>& args, std::string_view version);

std::string usageText();
std::string helpText(const Command& command);

// In the running Dovrik: hands `reply` the reply line (without its line break) to one request
// line, once, at once or on a later turn of the main queue.
void answerRequest(RunningDovrik& app, std::string_view requestLine,
                   std::function<void(std::string)> reply);

// In the client: the outcome carried by the reply, or why there is none.
CommandOutcome outcomeOfReply(std::string_view replyLine);
CommandOutcome notRunning();
CommandOutcome noAnswer();

}  // namespace dovrik::cli
