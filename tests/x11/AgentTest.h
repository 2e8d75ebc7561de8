// The real `dovrik` executable as the agent on the test's private display, each test in a
// session of its own, and `dovrik COMMAND` run beside it as a user would.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "ClipboardClient.h"
#include "DesktopTest.h"
#include "FakePointer.h"

namespace dovrik::x11test {

struct Finished {
  int status = -1;  // -1 when it did not end in time
  std::string out;
  std::string err;
};

class AgentTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    // Each test has a session of its own: settings, lock and socket start from nothing.
    std::string pattern = server->tempDir() + "/session-XXXXXX";
    ASSERT_TRUE(mkdtemp(pattern.data()));
    session_ = pattern;
    std::filesystem::create_directory(runtimeDir());
    ASSERT_EQ(chmod(runtimeDir().c_str(), 0700), 0);
  }
  void TearDown() override {
    for (const pid_t pid : programs_) {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
    }
    if (agent_ > 0) {
      kill(agent_, SIGTERM);
      waitpid(agent_, nullptr, 0);
    }
    if (HasFailure())
      std::cerr << "agent output:\n" << contents("agent.log") << "\n";
    DesktopTest::TearDown();
  }

  std::string runtimeDir() const { return session_ + "/runtime"; }

  // Starts `program` (by default the build's `dovrik`) with `args` in the test's session, its
  // output going to the given files.
  pid_t spawn(const std::vector<std::string>& args, int outFd, int errFd,
              const std::string& program = DOVRIK_EXECUTABLE) const {
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
    // Relative paths in arguments are taken from here.
    if (chdir(session_.c_str()) != 0)
      _exit(126);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args)
      argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }

  int create(const std::string& name) const {
    return open((session_ + "/" + name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  }
  std::string contents(const std::string& name) const {
    std::ostringstream text;
    text << std::ifstream(session_ + "/" + name).rdbuf();
    return text.str();
  }

  // The process holding the single-instance lock, if there is a lock.
  pid_t lockHolder() const {
    for (const auto& entry : std::filesystem::directory_iterator(runtimeDir())) {
      if (entry.path().extension() == ".lock") {
        pid_t pid = 0;
        std::ifstream(entry.path()) >> pid;
        return pid;
      }
    }
    return 0;
  }

  // Runs `dovrik` with `args` to its end, or for at most 15 s.
  Finished run(const std::vector<std::string>& args) {
    const int out = create("out"), err = create("err");
    const pid_t pid = spawn(args, out, err);
    close(out);
    close(err);
    int status = 0;
    bool ended = false;
    client->waitFor([&] { return ended = waitpid(pid, &status, WNOHANG) == pid; }, 15);
    if (!ended) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
    return {ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1, contents("out"),
            contents("err")};
  }

  // Another application, `owner`, copies `text`; true once `dovrik clipboard list` shows it as
  // the history keeps it, without the blanks around it; that list is then in `list`.
  bool copyListed(ClipboardClient& owner, const std::string& text, Finished* list = nullptr) {
    owner.own({{"UTF8_STRING", text}});
    const auto first = text.find_first_not_of(' ');
    const std::string kept = text.substr(first, text.find_last_not_of(' ') - first + 1);
    return client->waitFor([&] {
      owner.service();
      Finished shown = run({"clipboard", "list"});
      if (list)
        *list = shown;
      return shown.out.find(kept) != std::string::npos;
    });
  }

  // Starts another program, such as a terminal, in the test's session, its output going to the
  // file `log`; it is stopped when the test ends.
  pid_t startProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::string& log) {
    const int fd = create(log);
    const pid_t pid = spawn(args, fd, fd, program);
    close(fd);
    programs_.push_back(pid);
    return pid;
  }

  // The client window whose `_NET_WM_PID` is `pid`, once mapped.
  xcb_window_t clientWindowOf(pid_t pid) {
    for (const std::uint32_t window : client->property(client->root(), "_NET_CLIENT_LIST")) {
      const auto owner = client->property(window, "_NET_WM_PID");
      if (!owner.empty() && owner[0] == static_cast<std::uint32_t>(pid) &&
          client->isViewable(window))
        return window;
    }
    return XCB_NONE;
  }

  // Starts the agent and waits until it answers commands.
  bool startAgent() {
    const int log = create("agent.log");
    agent_ = spawn({}, log, log);
    close(log);
    // Before the agent listens, a probe hears "not running" (3); once it answers, the probe
    // finds no window (1) or snaps one (0).
    return client->waitFor([&] { return run({"snap", "center"}).status != 3; }, 30);
  }

  // Keys typed through the X server, as a keyboard would.
  void key(xcb_keysym_t keysym, bool down) {
    xcb_test_fake_input(client->raw(), down ? XCB_KEY_PRESS : XCB_KEY_RELEASE,
                        client->keycodeOf(keysym), XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    client->sync();
  }
  void tap(xcb_keysym_t keysym) {
    key(keysym, true);
    key(keysym, false);
  }
  // The modifiers held in order, the key tapped, the modifiers let go in reverse.
  void chord(std::initializer_list<xcb_keysym_t> modifiers, xcb_keysym_t keysym) {
    for (const xcb_keysym_t modifier : modifiers)
      key(modifier, true);
    tap(keysym);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
      key(*it, false);
  }

  // The client window titled exactly `title`, if one is mapped.
  xcb_window_t viewableWindowTitled(const std::string& title) {
    std::vector<xcb_window_t> pending = client->children(client->root());
    // Reparenting window managers put the client one or two levels down.
    for (std::size_t i = 0; i < pending.size(); ++i) {
      if (client->text(pending[i], "_NET_WM_NAME") == title && client->isViewable(pending[i]))
        return pending[i];
      const auto below = client->children(pending[i]);
      pending.insert(pending.end(), below.begin(), below.end());
    }
    return XCB_NONE;
  }
  bool isActive(xcb_window_t window) {
    const auto active = client->property(client->root(), "_NET_ACTIVE_WINDOW");
    return window != XCB_NONE && !active.empty() && active[0] == window;
  }

  // At a hand's pace: Dovrik reads where the pointer is when it hears of a press, and looks at
  // the windows as they are when a drag starts. A question answered after a step shows that it
  // has handled the step, which reached it first.
  bool agentCaughtUp() { return run({"layout", "list"}).status == 0; }
  bool movePointer(Point to) {
    fakeMotion(*client, to);
    return agentCaughtUp();
  }

  // The agent's own windows shown without the window manager, such as the preview and popup.
  std::vector<xcb_window_t> shownOverrideRedirect() {
    std::vector<xcb_window_t> shown;
    for (const xcb_window_t window : client->children(client->root())) {
      if (client->isOverrideRedirect(window) && client->isViewable(window))
        shown.push_back(window);
    }
    return shown;
  }
  // The agent's own window shown over `frame` (root coordinates).
  bool previewShowsOver(const Rect& frame) {
    return std::ranges::any_of(shownOverrideRedirect(),
                               [&](xcb_window_t w) { return client->clientRect(w) == frame; });
  }
  // The agent's popup while it is mapped, named for what it shows.
  xcb_window_t popupWindow() {
    for (const xcb_window_t window : shownOverrideRedirect()) {
      if (client->text(window, "WM_NAME") == "Dovrik Clipboard History")
        return window;
    }
    return XCB_NONE;
  }
  bool popupShown() { return popupWindow() != XCB_NONE; }

  bool agentRuns() const { return agent_ > 0 && waitpid(agent_, nullptr, WNOHANG) == 0; }

  std::string session_;
  pid_t agent_ = -1;
  std::vector<pid_t> programs_;
};

}  // namespace dovrik::x11test
