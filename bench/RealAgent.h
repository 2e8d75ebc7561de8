// The real `dovrik` executable started as a user's session would start it, on a private
// display, with its own home, configuration, data and runtime folders under `session`.
#pragma once

#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace dovrik::bench {

class RealAgent {
 public:
  // `executable` is the build's own unless another is named.
  RealAgent(const std::string& display, std::filesystem::path session,
            const std::string& executable = DOVRIK_EXECUTABLE)
      : session_(std::move(session)) {
    std::filesystem::create_directories(runtimeDir());
    chmod(runtimeDir().c_str(), 0700);
    pid_ = fork();
    if (pid_ != 0)
      return;
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    setenv("DISPLAY", display.c_str(), 1);
    setenv("HOME", session_.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (session_ / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", dataHome().c_str(), 1);
    setenv("XDG_RUNTIME_DIR", runtimeDir().c_str(), 1);
    execl(executable.c_str(), executable.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  RealAgent(const RealAgent&) = delete;
  RealAgent& operator=(const RealAgent&) = delete;
  ~RealAgent() {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }

  pid_t pid() const { return pid_; }
  std::filesystem::path dataHome() const { return session_ / "data"; }
  std::filesystem::path runtimeDir() const { return session_ / "runtime"; }

 private:
  std::filesystem::path session_;
  pid_t pid_ = -1;
};

}  // namespace dovrik::bench
