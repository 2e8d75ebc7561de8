// The command line end to end: the real `dovrik` executable runs as the agent on a private
// display, and `dovrik snap …` started beside it moves the active window, as the X server
// reports it; without a running agent, commands say so and start nothing.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "TestClient.h"
#include "XServer.h"

namespace dovrik::x11test {
namespace {

struct Finished {
  int status = -1;  // -1 when it did not end in time
  std::string out;
  std::string err;
};

class CommandLineTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    server = std::make_unique<XServer>();
    server->startWindowManager(XServer::WmConfig::Test);
  }
  static void TearDownTestSuite() { server.reset(); }

  void SetUp() override {
    // Each test has a session of its own: settings, lock and socket start from nothing.
    std::string pattern = server->tempDir() + "/session-XXXXXX";
    ASSERT_TRUE(mkdtemp(pattern.data()));
    session_ = pattern;
    std::filesystem::create_directory(runtimeDir());
    ASSERT_EQ(chmod(runtimeDir().c_str(), 0700), 0);
    client = std::make_unique<TestClient>(server->display());
  }
  void TearDown() override {
    if (agent_ > 0) {
      kill(agent_, SIGTERM);
      waitpid(agent_, nullptr, 0);
    }
    if (HasFailure())
      std::cerr << "agent output:\n" << std::ifstream(session_ + "/agent.log").rdbuf() << "\n";
    client.reset();
  }

  std::string runtimeDir() const { return session_ + "/runtime"; }

  // Starts `dovrik` with `args` in the test's session, its output going to the given files.
  pid_t spawn(const std::vector<std::string>& args, int outFd, int errFd) const {
    const pid_t pid = fork();
    if (pid != 0)
      return pid;
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    setenv("DISPLAY", server->display().c_str(), 1);
    setenv("HOME", session_.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (session_ + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (session_ + "/data").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", runtimeDir().c_str(), 1);
    dup2(outFd, STDOUT_FILENO);
    dup2(errFd, STDERR_FILENO);
    std::vector<char*> argv{const_cast<char*>(DOVRIK_EXECUTABLE)};
    for (const std::string& arg : args)
      argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }

  // Runs `dovrik` with `args` to its end, or for at most 15 s.
  Finished run(const std::vector<std::string>& args) const {
    int out[2], err[2];
    if (pipe(out) != 0 || pipe(err) != 0)
      return {};
    const pid_t pid = spawn(args, out[1], err[1]);
    close(out[1]);
    close(err[1]);
    Finished finished;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string* texts[2] = {&finished.out, &finished.err};
    int open = 2;
    while (open > 0 && std::chrono::steady_clock::now() < deadline && poll(fds, 2, 100) >= 0) {
      for (int i = 0; i < 2; ++i) {
        if (fds[i].fd < 0 || !fds[i].revents)
          continue;
        char buffer[4096];
        const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
        if (n > 0) {
          texts[i]->append(buffer, static_cast<std::size_t>(n));
        } else {
          close(fds[i].fd);
          fds[i].fd = -1;
          --open;
        }
      }
    }
    for (const pollfd& fd : fds) {
      if (fd.fd >= 0)
        close(fd.fd);
    }
    if (open > 0)
      kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    if (open == 0 && WIFEXITED(status))
      finished.status = WEXITSTATUS(status);
    return finished;
  }

  // Starts the agent and waits until it answers commands.
  bool startAgent() {
    const int log = open((session_ + "/agent.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    agent_ = spawn({}, log, log);
    close(log);
    // Before the agent listens, a probe hears "not running" (3); once it answers, the probe
    // finds no window (1) or snaps one (0).
    return client->waitFor([&] { return run({"snap", "center"}).status != 3; }, 30);
  }

  bool agentRuns() const { return agent_ > 0 && waitpid(agent_, nullptr, WNOHANG) == 0; }

  ::testing::AssertionResult landsOn(xcb_window_t window, const Rect& target) {
    if (client->waitFor([&] { return client->outerFrame(window) == target; }))
      return ::testing::AssertionSuccess();
    const auto frame = client->outerFrame(window).value_or(Rect{});
    return ::testing::AssertionFailure() << "outer frame " << frame.x << ", " << frame.y << ", "
                                         << frame.width << ", " << frame.height;
  }

  static inline std::unique_ptr<XServer> server;
  std::unique_ptr<TestClient> client;
  std::string session_;
  pid_t agent_ = -1;
};

TEST_F(CommandLineTest, SnapMovesTheActiveWindowThroughTheRunningDovrik) {
  ASSERT_TRUE(startAgent());
  const xcb_window_t window = client->createWindow({.rect = {300, 300, 400, 300}, .pid = 8001});
  ASSERT_TRUE(client->activate(window));

  const Finished leftHalf = run({"snap", "left-half"});
  EXPECT_EQ(leftHalf.status, 0) << leftHalf.err;
  EXPECT_EQ(leftHalf.out + leftHalf.err, "");
  EXPECT_TRUE(landsOn(window, {0, 0, 960, 1080}));

  EXPECT_EQ(run({"snap", "Bottom Right"}).status, 0);
  EXPECT_TRUE(landsOn(window, {960, 540, 960, 540}));
  EXPECT_TRUE(agentRuns());
}

TEST_F(CommandLineTest, WithoutDovrikHelpAndChecksAnswerAndCommandsStartNothing) {
  const Finished help = run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("snap POSITION"), std::string::npos);
  EXPECT_EQ(run({"snap", "--help"}).status, 0);
  EXPECT_EQ(run({"--version"}).out, "dovrik " DOVRIK_VERSION "\n");

  const Finished nowhere = run({"snap", "nowhere"});
  EXPECT_EQ(nowhere.status, 2);
  EXPECT_NE(nowhere.err.find("left-half, right-half, top-half, bottom-half, full-screen, top-left, "
                             "top-right, bottom-left, bottom-right, center."),
            std::string::npos)
      << nowhere.err;

  const Finished notRunning = run({"snap", "left-half"});
  EXPECT_EQ(notRunning.status, 3);
  EXPECT_EQ(notRunning.err, "Dovrik is not running on this display. Start it with `dovrik`.\n");
  // No lock was claimed and no socket opened: no agent started.
  EXPECT_TRUE(std::filesystem::is_empty(runtimeDir()));
}

}  // namespace
}  // namespace dovrik::x11test
