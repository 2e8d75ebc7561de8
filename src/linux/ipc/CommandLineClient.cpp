// The client's side of a command: only asks, never claims the instance, so no agent starts
// when none runs.
#include "linux/ipc/CommandLineClient.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/cli/CommandLine.h"
#include "core/cli/CommandMessages.h"
#include "linux/ipc/InstanceClient.h"

namespace dovrik::ipc {
namespace {

cli::CommandOutcome forward(const std::vector<std::string>& words) {
  // Paths in the arguments are the user's, relative to where `dovrik` was started.
  std::error_code noFolder;
  const std::string workingDirectory = std::filesystem::current_path(noFolder).string();
  const InstanceAnswer answer =
      askInstance(InstancePaths::forCurrentSession(), cli::encodeRequest(words, workingDirectory));
  switch (answer.status) {
    case InstanceAnswer::Status::answered:
      return cli::outcomeOfReply(answer.reply);
    case InstanceAnswer::Status::notRunning:
      return cli::notRunning();
    case InstanceAnswer::Status::noAnswer:
      break;
  }
  return cli::noAnswer();
}

int report(const cli::CommandOutcome& outcome) {
  std::fputs(outcome.out.c_str(), stdout);
  std::fputs(outcome.err.c_str(), stderr);
  return outcome.exitCode;
}

}  // namespace

std::optional<int> runCommandLine(const std::vector<std::string>& args, std::string_view version) {
  const cli::Invocation invocation = cli::parseCommandLine(args, version);
  switch (invocation.action) {
    case cli::Invocation::Action::answerHere:
      return report(invocation.outcome);
    case cli::Invocation::Action::forward:
      return report(forward(invocation.words));
    case cli::Invocation::Action::startAgent:
      break;
  }
  return std::nullopt;
}

}  // namespace dovrik::ipc
