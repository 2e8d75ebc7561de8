#include "SessionAgent.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <sstream>

#include "Await.h"
#include "core/cli/CommandOutcome.h"

namespace dovrik::sessiontest {

namespace {

std::string contents(const std::string& path) {
  std::ostringstream text;
  text << std::ifstream(path).rdbuf();
  return text.str();
}

}  // namespace

SessionAgent::SessionAgent(const DesktopSession& session, std::string dovrik)
    : session_(session), dovrik_(std::move(dovrik)) {}

SessionAgent::~SessionAgent() {
  stop();
}

bool SessionAgent::start(std::chrono::milliseconds timeout) {
  ChildLaunch launch;
  launch.argv = {dovrik_};
  launch.logFile = session_.folder() + "/agent.log";
  agent_ = session_.launch(launch);
  // Until the agent listens, a command hears that Dovrik is not running; after that it
  // answers, whatever the answer is.
  return await(
             [&] {
               return !agent_->running() ||
                      run({"onboarding"}).status != static_cast<int>(cli::ExitStatus::unreachable);
             },
             timeout) &&
         agent_->running();
}

int SessionAgent::stop() {
  const int status = agent_ ? agent_->stop() : -1;
  agent_.reset();
  return status;
}

CommandResult SessionAgent::run(const std::vector<std::string>& args,
                                std::chrono::milliseconds timeout) const {
  static std::atomic<int> runs{0};
  ChildLaunch launch;
  launch.argv = {dovrik_};
  launch.argv.insert(launch.argv.end(), args.begin(), args.end());
  launch.pipeOutput = true;
  launch.logFile = session_.folder() + "/command-" + std::to_string(++runs) + ".err";
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  const auto command = session_.launch(launch);
  CommandResult result;
  result.out = command->readAll(timeout);
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  result.status = command->awaitExit(std::max(left, std::chrono::milliseconds(0))).value_or(-1);
  result.err = contents(launch.logFile);
  return result;
}

std::string SessionAgent::log() const {
  return contents(session_.folder() + "/agent.log");
}

}  // namespace dovrik::sessiontest
