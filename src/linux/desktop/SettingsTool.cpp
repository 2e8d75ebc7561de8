// Spawning a settings tool with a pipe for its output and a deadline.
#include "linux/desktop/SettingsTool.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace dovrik::desktop {
namespace {

using Clock = std::chrono::steady_clock;

int millisecondsUntil(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

pid_t spawnWithOutput(const std::vector<std::string>& words, int outFd) {
  std::vector<char*> argv;
  for (const std::string& word : words)
    argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t child = -1;
  const int error = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return error == 0 ? child : -1;
}

}  // namespace

std::optional<ToolOutput> runSettingsTool(const std::vector<std::string>& argv,
                                          std::chrono::milliseconds timeout) {
  if (argv.empty())
    return std::nullopt;
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0)
    return std::nullopt;
  const pid_t child = spawnWithOutput(argv, fds[1]);
  close(fds[1]);
  if (child < 0) {
    close(fds[0]);
    return std::nullopt;
  }
  const auto deadline = Clock::now() + timeout;
  ToolOutput result;
  bool ended = false;
  char buffer[512];
  for (;;) {
    pollfd pfd{fds[0], POLLIN, 0};
    const int ready = poll(&pfd, 1, millisecondsUntil(deadline));
    if (ready < 0 && errno == EINTR)
      continue;
    if (ready <= 0)
      break;
    const ssize_t n = read(fds[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      ended = true;
      break;
    }
    result.out.append(buffer, static_cast<std::size_t>(n));
  }
  close(fds[0]);
  // Output closed: the tool is ending, or has handed its output to a child of its own.
  int status = 0;
  pid_t reaped = 0;
  while (ended && (reaped = waitpid(child, &status, WNOHANG)) == 0 && millisecondsUntil(deadline))
    poll(nullptr, 0, 5);
  if (reaped != child) {
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return std::nullopt;
  }
  result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace dovrik::desktop
