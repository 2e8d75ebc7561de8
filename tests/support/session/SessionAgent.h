// The real program in a desktop session, as the session's user: the agent started the way the
// desktop starts it (`dovrik`), and `dovrik COMMAND` run beside it as a user would type it.
// KWin grants fake input (the paste keystroke) by the agent's own executable, dovrik-agent,
// which `dovrik` replaces itself with: a KWin fixture that pastes names it in startSession().
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "DesktopSession.h"

namespace dovrik::sessiontest {

struct CommandResult {
  int status = -1;  // -1 when it did not end in time
  std::string out;
  std::string err;
};

class SessionAgent {
 public:
  // `dovrik` is the path of the built command.
  SessionAgent(const DesktopSession& session, std::string dovrik);
  SessionAgent(const SessionAgent&) = delete;
  SessionAgent& operator=(const SessionAgent&) = delete;
  ~SessionAgent();

  // Starts the agent and waits until it answers commands; false when it did not within
  // `timeout` (its log tells why).
  bool start(std::chrono::milliseconds timeout = std::chrono::seconds(30));
  // Ends the agent, as logging out would; answers its exit status.
  int stop();
  pid_t pid() const { return agent_ ? agent_->pid() : -1; }
  // Runs `dovrik args…` to its end, or for at most `timeout`.
  CommandResult run(const std::vector<std::string>& args,
                    std::chrono::milliseconds timeout = std::chrono::seconds(15)) const;
  // What the agent printed so far.
  std::string log() const;

 private:
  const DesktopSession& session_;
  std::string dovrik_;
  std::unique_ptr<ChildProcess> agent_;
};

}  // namespace dovrik::sessiontest
