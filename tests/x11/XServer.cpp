// Starting and stopping Xvfb and openbox for a test group.
#include "XServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <stdexcept>

#include <xcb/xcb.h>

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

xcb_atom_t intern(xcb_connection_t* c, const char* name) {
  auto* reply = xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
  const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

// openbox names its check window early in start-up, before it handles map requests; the
// work area comes once it is ready to manage windows.
bool windowManagerReady(xcb_connection_t* c, xcb_window_t root) {
  const xcb_atom_t check = intern(c, "_NET_SUPPORTING_WM_CHECK");
  // The first 32-bit item of a property, if it has one.
  const auto read = [&](xcb_window_t w, xcb_atom_t property) -> std::optional<std::uint32_t> {
    auto* reply =
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, XCB_ATOM_ANY, 0, 1), nullptr);
    std::optional<std::uint32_t> value;
    if (reply && xcb_get_property_value_length(reply) == 4)
      value = *static_cast<std::uint32_t*>(xcb_get_property_value(reply));
    std::free(reply);
    return value;
  };
  const auto child = read(root, check);
  return child && *child != XCB_NONE && read(*child, check) == child &&
         read(root, intern(c, "_NET_WORKAREA")).has_value();
}

}  // namespace

XServer::XServer(int width, int height) {
  // Nothing in this process may fall back to the user's display.
  unsetenv("DISPLAY");
  char pattern[] = "/tmp/dovrik-x11test-XXXXXX";
  if (!mkdtemp(pattern))
    throw std::runtime_error("cannot create a temporary directory");
  tempDir_ = pattern;

  int fds[2];
  if (pipe(fds) != 0)
    throw std::runtime_error("pipe failed");
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  xvfb_ = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten",
                 "tcp", "-noreset"});
  close(fds[1]);
  // Xvfb writes the display number it chose once it accepts connections.
  std::string number;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (number.find('\n') == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          deadline - std::chrono::steady_clock::now())
                          .count();
    pollfd pfd{fds[0], POLLIN, 0};
    if (left <= 0 || poll(&pfd, 1, static_cast<int>(left)) <= 0)
      break;
    char buffer[32];
    const ssize_t n = read(fds[0], buffer, sizeof buffer);
    if (n <= 0)
      break;
    number.append(buffer, static_cast<std::size_t>(n));
  }
  close(fds[0]);
  if (number.find('\n') == std::string::npos) {
    kill(xvfb_, SIGKILL);
    waitpid(xvfb_, nullptr, 0);
    throw std::runtime_error("Xvfb did not start");
  }
  display_ = ":" + number.substr(0, number.find('\n'));
}

XServer::~XServer() {
  for (pid_t* pid : {&wm_, &xvfb_}) {
    if (*pid > 0) {
      kill(*pid, SIGTERM);
      waitpid(*pid, nullptr, 0);
      *pid = -1;
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
    dup2(null, STDIN_FILENO);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
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
  const pid_t pid = spawn(argv);
  int status = 0;
  waitpid(pid, &status, 0);
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

  xcb_connection_t* c = xcb_connect(display_.c_str(), nullptr);
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  const auto waitUntil = [&](const std::function<bool()>& condition, int milliseconds) {
    const auto until = std::min(
        deadline, std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds));
    while (!condition()) {
      if (std::chrono::steady_clock::now() >= until)
        return false;
      pollfd pfd{xcb_get_file_descriptor(c), POLLIN, 0};
      poll(&pfd, 1, 20);
      while (xcb_generic_event_t* event = xcb_poll_for_event(c))
        std::free(event);
    }
    return true;
  };
  bool ready = waitUntil([&] { return windowManagerReady(c, root); }, 10000);
  // Map requests that arrive while openbox is still starting are dropped, even after it has
  // announced itself; a probe window that gets managed shows it is past that point.
  if (ready) {
    const xcb_window_t probe = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, probe, root, 0, 0, 10, 10, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    const xcb_atom_t wmState = intern(c, "WM_STATE");
    const auto managed = [&] {
      auto* reply = xcb_get_property_reply(
          c, xcb_get_property(c, 0, probe, wmState, XCB_ATOM_ANY, 0, 1), nullptr);
      const bool has = reply && reply->type != XCB_ATOM_NONE;
      std::free(reply);
      return has;
    };
    do {
      xcb_unmap_window(c, probe);
      xcb_map_window(c, probe);
      xcb_flush(c);
    } while (!(ready = waitUntil(managed, 200)) && std::chrono::steady_clock::now() < deadline);
    // Our connection's window ids are reused by the next client; wait until openbox has let
    // go of the probe so it cannot mistake a test window for it.
    xcb_destroy_window(c, probe);
    xcb_flush(c);
    const xcb_atom_t clientList = intern(c, "_NET_CLIENT_LIST");
    waitUntil(
        [&] {
          auto* reply = xcb_get_property_reply(
              c, xcb_get_property(c, 0, root, clientList, XCB_ATOM_WINDOW, 0, 1024), nullptr);
          const bool listed = reply && xcb_get_property_value_length(reply) > 0;
          std::free(reply);
          return !listed;
        },
        2000);
  }
  xcb_disconnect(c);
  if (!ready)
    throw std::runtime_error("openbox did not start");
}

}  // namespace dovrik::x11test
