// Starting and stopping Xvfb and openbox for a test group.
#include "XServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <utility>

#include "TestClient.h"

namespace dovrik::x11test {

namespace {

// Openbox with no key bindings and no mouse bindings beyond moving windows by the title bar.
constexpr const char* testRcXml = R"(<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew><followMouse>no</followMouse></focus>
  <placement><policy>Smart</policy></placement>
  <desktops><number>1</number></desktops>
  <keyboard></keyboard>
  <mouse>
    <context name="Titlebar">
      <mousebind button="Left" action="Drag"><action name="Move"/></mousebind>
      <mousebind button="Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
    </context>
    <context name="Client">
      <mousebind button="Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
    </context>
  </mouse>
</openbox_config>
)";

}  // namespace

XServer::XServer(int width, int height) : width_(width), height_(height) {
  // Nothing in this process may fall back to the user's display.
  unsetenv("DISPLAY");
  char pattern[] = "/tmp/dovrik-x11test-XXXXXX";
  int fds[2];
  if (!mkdtemp(pattern) || pipe(fds) != 0)
    throw std::runtime_error("cannot prepare for Xvfb");
  tempDir_ = pattern;
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  xvfb_ = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten",
                 "tcp", "-noreset"});
  close(fds[1]);
  // Xvfb writes the display number it chose once it accepts connections.
  std::string number;
  char buffer[32];
  pollfd pfd{fds[0], POLLIN, 0};
  while (number.find('\n') == std::string::npos && poll(&pfd, 1, 20000) > 0) {
    const ssize_t n = read(fds[0], buffer, sizeof buffer);
    if (n <= 0)
      break;
    number.append(buffer, static_cast<std::size_t>(n));
  }
  close(fds[0]);
  if (number.find('\n') == std::string::npos) {
    kill(xvfb_, SIGKILL);  // no destructor runs for a constructor that throws
    waitpid(xvfb_, nullptr, 0);
    throw std::runtime_error("Xvfb did not start");
  }
  display_ = ":" + number.substr(0, number.find('\n'));
}

XServer::~XServer() {
  for (const pid_t pid : {wm_, xvfb_}) {
    if (pid > 0) {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
    }
  }
  std::error_code ec;
  std::filesystem::remove_all(tempDir_, ec);
}

pid_t XServer::spawn(const std::vector<std::string>& argv) const {
  const pid_t pid = fork();
  if (pid < 0)
    throw std::runtime_error("fork failed");
  if (pid == 0) {
    // Servers and tools die with the test process, even when it crashes or is killed.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (!display_.empty())
      setenv("DISPLAY", display_.c_str(), 1);
    setenv("HOME", tempDir_.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (tempDir_ + "/config").c_str(), 1);
    // Quiet children: their chatter is not test output.
    const int null = open("/dev/null", O_RDWR);
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
      dup2(null, fd);
    std::vector<char*> args;
    for (const auto& a : argv)
      args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  return pid;
}

int XServer::run(const std::vector<std::string>& argv) const {
  int status = 0;
  waitpid(spawn(argv), &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void XServer::startWindowManager(WmConfig config) {
  std::vector<std::string> argv = {"openbox", "--sm-disable"};
  if (config == WmConfig::Test) {
    const std::string rc = tempDir_ + "/rc.xml";
    std::ofstream(rc) << testRcXml;
    argv.insert(argv.end(), {"--config-file", rc});
  }
  wm_ = spawn(argv);

  // openbox names its check window early in start-up, before it handles map requests; the
  // work area comes once it is ready to manage windows.
  TestClient c(display_);
  const auto announced = [&] {
    const auto check = c.property(c.root(), "_NET_SUPPORTING_WM_CHECK");
    return check.size() == 1 && c.property(check[0], "_NET_SUPPORTING_WM_CHECK") == check &&
           !c.property(c.root(), "_NET_WORKAREA").empty();
  };
  bool ready = c.waitFor(announced, 10);
  // Map requests that arrive while openbox is still starting are dropped, even after it has
  // announced itself; a probe window that gets managed shows it is past that point. The
  // client's destructor waits until openbox has let go of the probe, so it cannot mistake the
  // next window with the probe's id for it.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  const xcb_window_t probe = ready ? c.createWindow({.map = false}) : XCB_NONE;
  while (probe != XCB_NONE && std::chrono::steady_clock::now() < deadline) {
    xcb_unmap_window(c.raw(), probe);
    xcb_map_window(c.raw(), probe);
    xcb_flush(c.raw());
    if ((ready = c.waitFor([&] { return !c.property(probe, "WM_STATE").empty(); }, 0.2)))
      break;
  }
  if (!ready)
    throw std::runtime_error("openbox did not start");
}

bool XServer::splitInHalves(bool primaryOnTheRight) {
  const auto half = [&](int x) {
    return std::to_string(width_ / 2) + "/254x" + std::to_string(height_) + "/286+" +
           std::to_string(x) + "+0";
  };
  split_ = true;
  return run({"xrandr", "--setmonitor", "A", half(primaryOnTheRight ? width_ / 2 : 0), "screen"}) ==
             0 &&
         run({"xrandr", "--setmonitor", "B", half(primaryOnTheRight ? 0 : width_ / 2), "none"}) ==
             0;
}

void XServer::joinMonitors() {
  if (std::exchange(split_, false)) {
    run({"xrandr", "--delmonitor", "B"});
    run({"xrandr", "--delmonitor", "A"});
  }
}

}  // namespace dovrik::x11test
