// Starting and stopping the session's programs.
#include "ChildProcess.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <utility>

namespace dovrik::sessiontest {

namespace {

// Everything between fork and exec must be safe in a child of a process with threads (Qt
// D-Bus runs one): so the program's path is found before the fork.
std::string resolve(const std::string& program) {
  if (program.find('/') != std::string::npos)
    return program;
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= dirs.size()) {
    const std::size_t end = std::min(dirs.find(':', start), dirs.size());
    const std::filesystem::path candidate =
        std::filesystem::path(dirs.substr(start, end - start)) / program;
    if (access(candidate.c_str(), X_OK) == 0)
      return candidate.string();
    start = end + 1;
  }
  throw std::runtime_error("not found on PATH: " + program);
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
  std::vector<char*> result;
  for (auto& s : strings)
    result.push_back(s.data());
  result.push_back(nullptr);
  return result;
}

}  // namespace

ChildProcess::ChildProcess(const ChildLaunch& launch) {
  std::vector<std::string> argv = launch.argv;
  std::vector<std::string> environment = launch.environment;
  std::string program = resolve(argv.at(0));
  const std::vector<char*> args = pointers(argv);
  const std::vector<char*> env = pointers(environment);
  // Opened here, as the test's user: the child's user may not write where the test keeps logs.
  const int log = open(launch.logFile.empty() ? "/dev/null" : launch.logFile.c_str(),
                       O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  const pid_t parent = getpid();
  // Only root may change them; anyone else runs the child as they are.
  const bool switchGroup = launch.group && *launch.group != getegid();
  const bool switchUser = launch.user && *launch.user != geteuid();
  int in[2] = {-1, -1};
  int out[2] = {-1, -1};
  if ((launch.pipeInput && pipe2(in, O_CLOEXEC) != 0) ||
      (launch.pipeOutput && pipe2(out, O_CLOEXEC) != 0))
    throw std::runtime_error("cannot make pipes for " + program);
  const pid_t pid = fork();
  if (pid < 0)
    throw std::runtime_error("fork failed");
  if (pid == 0) {
    // A process group of its own, so that the terminal's Ctrl+C reaches the test alone and the
    // test stops what it started in its own order.
    setpgid(0, 0);
    if (switchGroup &&
        (setgroups(0, nullptr) != 0 || setresgid(*launch.group, *launch.group, *launch.group) != 0))
      _exit(126);
    if (switchUser && setresuid(*launch.user, *launch.user, *launch.user) != 0)
      _exit(126);
    // After the change of user, which clears it: the child dies with the test, even when the
    // test crashes or is killed.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
      _exit(125);
    const int null = open("/dev/null", O_RDWR);
    dup2(launch.pipeInput ? in[0] : null, STDIN_FILENO);
    const int logged = log >= 0 ? log : null;
    dup2(launch.pipeOutput ? out[1] : logged, STDOUT_FILENO);
    dup2(logged, STDERR_FILENO);
    execve(program.c_str(), args.data(), env.data());
    _exit(127);
  }
  pid_ = pid;
  if (log >= 0)
    close(log);
  if (launch.pipeInput) {
    close(in[0]);
    input_ = in[1];
  }
  if (launch.pipeOutput) {
    close(out[1]);
    output_ = out[0];
  }
}

ChildProcess::~ChildProcess() {
  stop();
  if (input_ >= 0)
    close(input_);
  if (output_ >= 0)
    close(output_);
}

bool ChildProcess::running() {
  if (pid_ <= 0)
    return false;
  if (waitpid(pid_, &status_, WNOHANG) == pid_) {
    pid_ = -1;
    return false;
  }
  return true;
}

bool ChildProcess::sendLine(const std::string& line) {
  if (input_ < 0)
    return false;
  const std::string text = line + "\n";
  // A child that has gone must not end the test with SIGPIPE.
  signal(SIGPIPE, SIG_IGN);
  return write(input_, text.data(), text.size()) == static_cast<ssize_t>(text.size());
}

bool ChildProcess::fill(std::chrono::steady_clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  // Past the deadline it still takes what is there already, so a zero timeout reads without
  // waiting.
  pollfd pfd{output_, POLLIN, 0};
  if (output_ < 0 || poll(&pfd, 1, static_cast<int>(std::max<std::int64_t>(0, left.count()))) <= 0)
    return false;
  char buffer[4096];
  const ssize_t n = read(output_, buffer, sizeof buffer);
  if (n <= 0)
    return false;
  pending_.append(buffer, static_cast<std::size_t>(n));
  return true;
}

std::string ChildProcess::readAll(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < deadline && fill(deadline)) {
  }
  return std::exchange(pending_, {});
}

std::optional<std::string> ChildProcess::nextLine(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  do {
    const auto end = pending_.find('\n');
    if (end != std::string::npos) {
      std::string line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      return line;
    }
  } while (fill(deadline));
  return std::nullopt;
}

bool awaitEnd(pid_t pid, std::chrono::milliseconds timeout) {
  // A pidfd turns readable when its process ends: the wait ends then, not at the next tick.
  const int handle = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
  if (handle < 0)
    return errno == ESRCH;
  pollfd pfd{handle, POLLIN, 0};
  const bool ended = poll(&pfd, 1, static_cast<int>(timeout.count())) > 0;
  close(handle);
  return ended;
}

std::vector<pid_t> childrenOf(pid_t pid) {
  std::vector<pid_t> children;
  std::error_code ec;
  for (const auto& task :
       std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", ec)) {
    std::ifstream list(task.path() / "children");
    pid_t child = 0;
    while (list >> child)
      children.push_back(child);
  }
  return children;
}

std::optional<int> ChildProcess::awaitExit(std::chrono::milliseconds timeout) {
  if (running()) {
    awaitEnd(pid_, timeout);
    if (running())
      return std::nullopt;
  }
  return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
}

int ChildProcess::stop(std::chrono::milliseconds grace) {
  if (running()) {
    kill(pid_, SIGTERM);
    if (!awaitExit(grace)) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status_, 0);
      pid_ = -1;
    }
  }
  return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
}

}  // namespace dovrik::sessiontest
