// Command round trips from the command line: the real agent runs on a private Xvfb with openbox
// and an active window, and `dovrik snap left-half` and `dovrik clipboard list` are each run to
// their end 200 times, once through the client and once through the agent started as a client,
// as every command ran before there was a client. `--version` shows the start alone.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "Percentile.h"
#include "RealAgent.h"
#include "TestClient.h"
#include "XServer.h"

namespace {

using namespace dovrik;
using namespace dovrik::x11test;
using Clock = std::chrono::steady_clock;

constexpr int runs = 200;

using dovrik::bench::percentile;

// The agent's session, as RealAgent sets it up, for the commands run beside it.
std::vector<std::string> sessionEnvironment(const std::string& display,
                                            const std::filesystem::path& session) {
  return {"DISPLAY=" + display,
          "HOME=" + session.string(),
          "XDG_CONFIG_HOME=" + (session / "config").string(),
          "XDG_DATA_HOME=" + (session / "data").string(),
          "XDG_RUNTIME_DIR=" + (session / "runtime").string(),
          "PATH=/usr/bin:/bin"};
}

// Runs `program` with `args` to its end, output discarded; answers its exit status.
int runToEnd(const std::string& program, const std::vector<std::string>& args,
             const std::vector<std::string>& environment) {
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& arg : args)
    argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (const std::string& entry : environment)
    envp.push_back(const_cast<char*>(entry.c_str()));
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  int status = -1;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0)
    waitpid(pid, &status, 0);
  posix_spawn_file_actions_destroy(&actions);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Times `runs` round trips; false when one of them fails.
bool report(const char* label, const std::string& program, const std::vector<std::string>& args,
            const std::vector<std::string>& environment) {
  std::vector<double> milliseconds;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    if (runToEnd(program, args, environment) != 0) {
      std::fprintf(stderr, "%s failed on run %d\n", label, i);
      return false;
    }
    milliseconds.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::printf("  %-36s median %6.2f ms  p90 %6.2f ms\n", label, percentile(milliseconds, 0.5),
              percentile(milliseconds, 0.9));
  return true;
}

}  // namespace

int main() {
  XServer server(1280, 800);
  server.startWindowManager(XServer::WmConfig::Test, XServer::Wm::openbox);
  TestClient client(server.display());
  const xcb_window_t window = client.createWindow({.rect = {200, 200, 500, 400}, .pid = 7001});
  if (!client.activate(window)) {
    std::fprintf(stderr, "the test window did not become active\n");
    return 1;
  }
  const std::filesystem::path session = server.tempDir() + "/cli-bench";
  const bench::RealAgent agent(server.display(), session);
  const auto environment = sessionEnvironment(server.display(), session);

  bool ready = false;
  for (const auto give = Clock::now() + std::chrono::seconds(30); !ready && Clock::now() < give;)
    ready = runToEnd(DOVRIK_EXECUTABLE, {"clipboard", "list"}, environment) == 0;
  if (!ready) {
    std::fprintf(stderr, "the agent never answered\n");
    return 1;
  }

  std::printf("cli_latency: command round trips, %d runs each (target: client median <= 5 ms)\n",
              runs);
  bool ok = true;
  for (const auto& [who, program] : {std::pair{"client", DOVRIK_EXECUTABLE},
                                     std::pair{"agent as client", DOVRIK_AGENT_EXECUTABLE}}) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"snap", "left-half"},
          std::vector<std::string>{"clipboard", "list"}, std::vector<std::string>{"--version"}}) {
      std::string label = std::string(who) + ":";
      for (const std::string& arg : args)
        label += " " + arg;
      ok = report(label.c_str(), program, args, environment) && ok;
    }
  }
  return ok ? 0 : 1;
}
