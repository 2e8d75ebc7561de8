// Starting and stopping Xvfb and a window manager for a test group.
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

// Openbox with the given key bindings and no mouse bindings beyond moving windows by the
// title bar.
std::string openboxRcXml(const std::string& keyboard) {
  return R"(<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew><followMouse>no</followMouse></focus>
  <placement><policy>Smart</policy></placement>
  <desktops><number>1</number></desktops>
  <keyboard>)" +
         keyboard +
         R"(</keyboard>
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
}

// Super+Left and Super+Right put the active window on the screen's halves, the window
// manager's own way.
constexpr const char* timingKeys = R"(
    <keybind key="W-Left"><action name="MoveResizeTo">
      <x>0</x><y>0</y><width>50%</width><height>100%</height></action></keybind>
    <keybind key="W-Right"><action name="MoveResizeTo">
      <x>-0</x><y>0</y><width>50%</width><height>100%</height></action></keybind>
  )";

// The first line a starting server writes to `fd`, without its end; empty when none came
// within 20 s.
std::string readLine(int fd) {
  std::string text;
  char buffer[256];
  pollfd pfd{fd, POLLIN, 0};
  while (text.find('\n') == std::string::npos && poll(&pfd, 1, 20000) > 0) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0)
      break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  const auto end = text.find('\n');
  return end == std::string::npos ? "" : text.substr(0, end);
}

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
  const std::string number = readLine(fds[0]);
  close(fds[0]);
  if (number.empty()) {
    kill(xvfb_, SIGKILL);  // no destructor runs for a constructor that throws
    waitpid(xvfb_, nullptr, 0);
    throw std::runtime_error("Xvfb did not start");
  }
  display_ = ":" + number;
  startSessionBus();
}

void XServer::startSessionBus() {
  int fds[2];
  if (pipe(fds) != 0)
    throw std::runtime_error("cannot prepare for the session bus");
  sessionBus_ = spawn({"dbus-daemon", "--session", "--nofork", "--nopidfile",
                       "--print-address=" + std::to_string(fds[1])});
  close(fds[1]);
  const std::string address = readLine(fds[0]);
  close(fds[0]);
  if (address.empty())
    throw std::runtime_error("the session bus did not start");
  setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
}

XServer::~XServer() {
  killWindowManager();
  if (sessionBus_ > 0) {
    kill(sessionBus_, SIGTERM);
    waitpid(sessionBus_, nullptr, 0);
  }
  if (xvfb_ > 0) {
    kill(xvfb_, SIGTERM);
    waitpid(xvfb_, nullptr, 0);
  }
  std::error_code ec;
  std::filesystem::remove_all(tempDir_, ec);
}

pid_t XServer::spawn(const std::vector<std::string>& argv, bool ownGroup, int outFd) const {
  const pid_t pid = fork();
  if (pid < 0)
    throw std::runtime_error("fork failed");
  if (pid == 0) {
    // Servers and tools die with the test process, even when it crashes or is killed.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (ownGroup)
      setpgid(0, 0);
    if (!display_.empty())
      setenv("DISPLAY", display_.c_str(), 1);
    setenv("HOME", tempDir_.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (tempDir_ + "/config").c_str(), 1);
    // Quiet children: their chatter is not test output.
    const int null = open("/dev/null", O_RDWR);
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
      dup2(null, fd);
    if (outFd >= 0)
      dup2(outFd, STDOUT_FILENO);
    std::vector<char*> args;
    for (const auto& a : argv)
      args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  return pid;
}

std::optional<std::string> XServer::query(const std::vector<std::string>& argv) const {
  int fds[2];
  if (pipe(fds) != 0)
    return std::nullopt;
  const pid_t pid = spawn(argv, false, fds[1]);
  close(fds[1]);
  std::string out;
  char buffer[256];
  ssize_t n = 0;
  while ((n = read(fds[0], buffer, sizeof buffer)) > 0)
    out.append(buffer, static_cast<std::size_t>(n));
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return std::nullopt;
  return out;
}

int XServer::run(const std::vector<std::string>& argv) const {
  int status = 0;
  waitpid(spawn(argv), &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

XServer::Wm XServer::wmOfEnvironment() {
  const char* name = std::getenv("DOVRIK_TEST_WM");
  for (const Wm wm : {Wm::openbox, Wm::fluxbox, Wm::xfwm4, Wm::metacity, Wm::jwm, Wm::i3}) {
    if (name && std::string(name) == nameOf(wm))
      return wm;
  }
  if (name && *name)
    throw std::runtime_error(std::string("unknown DOVRIK_TEST_WM: ") + name);
  return Wm::openbox;
}

const char* XServer::nameOf(Wm wm) {
  switch (wm) {
    case Wm::fluxbox:
      return "fluxbox";
    case Wm::xfwm4:
      return "xfwm4";
    case Wm::metacity:
      return "metacity";
    case Wm::jwm:
      return "jwm";
    case Wm::i3:
      return "i3";
    case Wm::openbox:
      break;
  }
  return "openbox";
}

std::vector<std::string> XServer::fluxboxCommand(WmConfig config) const {
  // fluxbox takes its key file (which holds its mouse bindings too) only from ~/.fluxbox/init.
  // Two quick drags by the title bar must not make a double click, which shades the window.
  // Leaving the background alone keeps it from starting a wallpaper helper that shows a
  // message window when none is installed.
  const std::string folder = tempDir_ + "/.fluxbox";
  std::filesystem::create_directories(folder);
  // No key bindings; the mouse moves windows by their title bars (a click anywhere in a
  // window focuses and raises it without a binding).
  std::ofstream(folder + "/keys") << "OnTitlebar Mouse1 :MacroCmd {Raise} {Focus}\n"
                                     "OnTitlebar Move1 :StartMoving\n";
  std::ofstream(folder + "/overlay") << "background: unset\n";
  std::ofstream(folder + "/init")
      << "session.keyFile: "
      << (config == WmConfig::Test ? folder + "/keys" : std::string("/etc/X11/fluxbox/keys"))
      << "\nsession.styleOverlay: " << folder << "/overlay"
      << "\nsession.screen0.toolbar.visible: true"
      << "\nsession.screen0.toolbar.placement: BottomCenter"
      << "\nsession.screen0.workspaces: " << (config == WmConfig::Stock ? 4 : 1)
      << "\nsession.doubleClickInterval: 0\n";
  return {"fluxbox"};
}

std::vector<std::string> XServer::xfwm4Command(WmConfig config, bool replace) const {
  // xfwm4 reads its settings from a daemon on the session bus, started there on first use. Its
  // key bindings are
  // taken away before it starts: an empty set of its own that overrides the defaults. (Taking
  // them away while it runs makes it grab some again as it hears of each removal.)
  std::string script;
  if (config == WmConfig::Test) {
    script +=
        "xfconf-query -c xfce4-keyboard-shortcuts -p /xfwm4/custom -r -R; "
        "xfconf-query -c xfce4-keyboard-shortcuts -p /xfwm4/custom/override -n -t bool -s true; ";
  }
  return {
      "sh", "-c",
      script + "exec xfwm4 --compositor=off --sm-client-disable" + (replace ? " --replace" : "")};
}

std::vector<std::string> XServer::jwmCommand(WmConfig config) const {
  // Without -f it reads ~/.jwmrc, else the system's file with its tray, menus and key bindings.
  if (config == WmConfig::Stock)
    return {"jwm"};
  // One desktop, focus by click, no tray and no key bindings; the title bar moves the window,
  // and a double click on it maximizes, as in jwm's stock bindings.
  const std::string rc = tempDir_ + "/jwmrc";
  std::ofstream(rc) << R"(<?xml version="1.0"?>
<JWM>
  <Desktops width="1" height="1"/>
  <FocusModel>click</FocusModel>
  <Mouse context="title" button="1">move</Mouse>
  <Mouse context="title" button="11">maximize</Mouse>
  <Mouse context="border" button="1">resize</Mouse>
</JWM>
)";
  return {"jwm", "-f", rc};
}

std::vector<std::string> XServer::i3Command(WmConfig config) const {
  // i3 reads a configuration without the version line as the old format and shows a bar of
  // complaints; its socket goes where the tests find it, and its bar sits at the bottom.
  const std::string rc = tempDir_ + "/i3config";
  std::ofstream file(rc);
  file << "# i3 config file (v4)\n"
       << "ipc-socket " << i3Socket() << "\n"
       << "font pango:monospace 8\n"
       << "bar {\n  position bottom\n}\n";
  if (config != WmConfig::Test)
    file << "include /etc/i3/config\n";
  return {"i3", "-c", rc};
}

std::vector<std::string> XServer::wmCommand(WmConfig config, Wm wm, bool replace) const {
  std::vector<std::string> argv;
  switch (wm) {
    case Wm::openbox:
      argv = {"openbox", "--sm-disable"};
      if (config != WmConfig::Stock) {
        const std::string rc = tempDir_ + "/rc.xml";
        std::ofstream(rc) << openboxRcXml(config == WmConfig::Timing ? timingKeys : "");
        argv.insert(argv.end(), {"--config-file", rc});
      }
      break;
    case Wm::fluxbox:
      return fluxboxCommand(config);
    case Wm::xfwm4:
      return xfwm4Command(config, replace);
    case Wm::metacity:
      // Its settings come from GSettings through dconf, on the server's session bus; it has
      // no configuration of key bindings to take away here.
      argv = {"metacity", "--sm-disable", "--no-composite"};
      break;
    case Wm::jwm:
      return jwmCommand(config);
    case Wm::i3:
      argv = i3Command(config);
      break;
  }
  if (replace)
    argv.push_back("--replace");
  return argv;
}

void XServer::startWindowManager(WmConfig config, Wm wm) {
  wm_ = wm;
  wmPid_ = spawn(wmCommand(config, wm, false), true);
  awaitWindowManager();
}

void XServer::replaceWindowManager(WmConfig config, Wm wm) {
  // fluxbox and jwm cannot take over from a running window manager.
  const bool handOver = wm != Wm::fluxbox && wm != Wm::jwm;
  if (!handOver)
    killWindowManager();
  const pid_t old = std::exchange(wmPid_, -1);
  wm_ = wm;
  wmPid_ = spawn(wmCommand(config, wm, handOver), true);
  if (old > 0) {
    TestClient c(display_);
    const bool left = c.waitFor([&] { return waitpid(old, nullptr, WNOHANG) == old; }, 10);
    // What the old one started (xfwm4's session bus) goes with it.
    kill(-old, SIGKILL);
    if (!left) {
      waitpid(old, nullptr, 0);
      throw std::runtime_error(std::string(nameOf(wm)) + " did not take over");
    }
  }
  awaitWindowManager();
}

void XServer::killWindowManager() {
  if (wmPid_ > 0) {
    // The window manager leads its own group: xfwm4's session bus and settings daemon go too.
    // Killed outright: fluxbox's SIGTERM handler can deadlock inside Xlib.
    kill(-wmPid_, SIGKILL);
    waitpid(wmPid_, nullptr, 0);
    wmPid_ = -1;
  }
}

void XServer::pauseWindowManager(bool paused) {
  if (wmPid_ > 0)
    kill(-wmPid_, paused ? SIGSTOP : SIGCONT);
}

void XServer::killServer() {
  if (xvfb_ > 0) {
    kill(xvfb_, SIGKILL);
    waitpid(xvfb_, nullptr, 0);
    xvfb_ = -1;
  }
}

void XServer::awaitWindowManager() const {
  // openbox names its check window early in start-up, before it handles map requests; the
  // work area comes once it is ready to manage windows. i3 sets no work area: its socket's
  // path on the root comes last.
  TestClient c(display_);
  const auto announced = [&] {
    const auto check = c.property(c.root(), "_NET_SUPPORTING_WM_CHECK");
    return check.size() == 1 && c.property(check[0], "_NET_SUPPORTING_WM_CHECK") == check &&
           (wm_ == Wm::i3 ? !c.text(c.root(), "I3_SOCKET_PATH").empty()
                          : !c.property(c.root(), "_NET_WORKAREA").empty());
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
    throw std::runtime_error(std::string(nameOf(wm_)) + " did not start");
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
