// A program the tests start in the private session: with an environment of its own (nothing of
// the test's own is inherited), optionally as another user, with its standard input and output
// on pipes when the test talks to it. It dies with the test process and is stopped by its PID.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace dovrik::sessiontest {

struct ChildLaunch {
  std::vector<std::string> argv;
  std::vector<std::string> environment;  // "NAME=value"
  // Started as this user and group, with no supplementary groups, when they are not the test's
  // own already (which takes root).
  std::optional<uid_t> user{};
  std::optional<gid_t> group{};
  bool pipeInput = false;
  bool pipeOutput = false;
  // Where its standard error, and its output unless piped, go (appended); nowhere when empty.
  std::string logFile{};
};

// Waits until the process `pid` (any, not only a child) has ended; false when it still runs after
// `timeout`.
bool awaitEnd(pid_t pid, std::chrono::milliseconds timeout);
// The processes `pid` started that still run.
std::vector<pid_t> childrenOf(pid_t pid);

class ChildProcess {
 public:
  explicit ChildProcess(const ChildLaunch& launch);
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess();

  pid_t pid() const { return pid_; }
  // False once it has ended (it is reaped then).
  bool running();
  // Writes one line to its standard input.
  bool sendLine(const std::string& line);
  // The next line it printed, within `timeout` (with none, a line already printed); nothing when
  // none came or it closed its output.
  std::optional<std::string> nextLine(std::chrono::milliseconds timeout);
  // All it prints until it closes its output or `timeout` passes.
  std::string readAll(std::chrono::milliseconds timeout);
  // Its exit status once it has ended by itself within `timeout` (-1 when a signal ended it);
  // nothing when it still runs.
  std::optional<int> awaitExit(std::chrono::milliseconds timeout);
  // Asks it to end, and ends it outright when it has not after `grace`. Answers its exit status
  // (-1 when it was killed).
  int stop(std::chrono::milliseconds grace = std::chrono::seconds(5));

 private:
  // Adds what it printed to pending_, waiting for it until `deadline`; false when nothing came.
  bool fill(std::chrono::steady_clock::time_point deadline);

  pid_t pid_ = -1;
  int input_ = -1;
  int output_ = -1;
  std::string pending_;
  int status_ = 0;
};

}  // namespace dovrik::sessiontest
