// Starting and stopping sway, and asking it things over IPC.
#include "SwaySession.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "Await.h"

namespace fs = std::filesystem;

namespace dovrik::swaytest {

namespace {

using sessiontest::ChildLaunch;

constexpr const char* swayExecutable = "/usr/bin/sway";
constexpr const char* swaybarExecutable = "/usr/bin/swaybar";
constexpr const char* xwaylandExecutable = "/usr/bin/Xwayland";
// Generous: three people build on two cores while the tests run.
constexpr std::chrono::seconds startLimit{30};
constexpr std::chrono::seconds replyLimit{10};

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    result.push_back(line);
  return result;
}

std::vector<std::string> outputNames(const nlohmann::json& outputs) {
  std::vector<std::string> names;
  if (!outputs.is_array())
    return names;
  for (const auto& output : outputs)
    names.push_back(output.value("name", ""));
  return names;
}

}  // namespace

std::optional<std::string> SwaySession::unavailable() {
  for (const char* program : {swayExecutable, swaybarExecutable, xwaylandExecutable})
    if (access(program, X_OK) != 0)
      return std::string(program) + " is not installed (scripts/setup installs it)";
  return std::nullopt;
}

SwaySession::SwaySession() : DesktopSession("sway") {
  // sway names its sockets itself and runs the config's exec lines once both serve: this one
  // says which they are, and so when sway is ready.
  sessiontest::writeFile(
      folder() + "/report-sockets",
      "#!/bin/sh\nprintf '%s\\n%s\\n%s\\n' \"$WAYLAND_DISPLAY\" \"$SWAYSOCK\" \"$DISPLAY\""
      " > \"$1.part\" && mv \"$1.part\" \"$1\"\n",
      sessiontest::everyoneRuns);
  sessiontest::writeFile(folder() + "/config",
                         "output HEADLESS-1 resolution " + std::to_string(width) + "x" +
                             std::to_string(height) + " position 0 0\n" +
                             "xwayland enable\n"
                             "bar {\n  swaybar_command swaybar\n  position top\n}\n"
                             "exec " +
                             folder() + "/report-sockets " + runtimeDir() + "/sockets\n",
                         sessiontest::everyoneReads);
  // swaybar hosts the tray, and watches for items, on the session bus.
  bus_ = std::make_unique<sessiontest::SessionBus>(*this);
  startSway();
}

SwaySession::~SwaySession() {
  stopSway();
  bus_.reset();
}

void SwaySession::startSway() {
  const std::string report = runtimeDir() + "/sockets";
  ChildLaunch launch;
  launch.argv = {swayExecutable, "--config", folder() + "/config"};
  // No GPU, no input devices: the headless backend and the software renderer.
  launch.environment = {"WLR_BACKENDS=headless", "WLR_LIBINPUT_NO_DEVICES=1",
                        "WLR_RENDERER=pixman"};
  launch.logFile = folder() + "/sway.log";
  sway_ = this->launch(launch);
  if (!sessiontest::await([&] { return !sway_->running() || fs::exists(report); }, startLimit) ||
      !sway_->running())
    throw std::runtime_error("sway did not start; its log:\n" + swayLog());
  const auto sockets = lines(sessiontest::fileText(report));
  if (sockets.size() < 2 || !fs::exists(runtimeDir() + "/" + sockets[0]) || !fs::exists(sockets[1]))
    throw std::runtime_error("sway reported no sockets; its log:\n" + swayLog());
  waylandDisplay_ = sockets[0];
  swaySocket_ = sockets[1];
  x11Display_ = sockets.size() > 2 ? sockets[2] : "";
  // Until swaybar has taken its strip, windows and workspaces span the whole output.
  const bool barShown = sessiontest::await(
      [&] {
        const auto workspaces = message("get_workspaces");
        return workspaces.is_array() && !workspaces.empty() &&
               workspaces[0].value("rect", nlohmann::json::object()).value("y", 0) > 0;
      },
      startLimit);
  if (!barShown)
    throw std::runtime_error("swaybar did not take its place; sway's log:\n" + swayLog());
}

void SwaySession::stopSway() {
  if (!sway_)
    return;
  // swaybar and Xwayland end with sway; they are waited for so that the next session starts
  // on a quiet machine.
  const auto children = sessiontest::childrenOf(sway_->pid());
  sway_->stop(std::chrono::seconds(10));
  sway_.reset();
  for (const pid_t child : children)
    if (!sessiontest::awaitEnd(child, std::chrono::seconds(5)))
      kill(child, SIGKILL);
}

std::vector<std::string> SwaySession::environment() const {
  std::vector<std::string> env = DesktopSession::environment();
  env.push_back("XDG_CURRENT_DESKTOP=sway");
  // The bus itself starts with the rest of this environment.
  if (bus_)
    env.push_back("DBUS_SESSION_BUS_ADDRESS=" + bus_->address());
  for (const auto& [name, value] :
       {std::pair{"WAYLAND_DISPLAY", waylandDisplay_}, std::pair{"SWAYSOCK", swaySocket_},
        std::pair{"DISPLAY", x11Display_}})
    if (!value.empty())
      env.push_back(std::string(name) + "=" + value);
  return env;
}

nlohmann::json SwaySession::message(const std::string& type, const std::string& payload) const {
  ChildLaunch launch;
  launch.argv = {"swaymsg", "--raw", "--type", type};
  if (!payload.empty())
    launch.argv.push_back(payload);
  launch.pipeOutput = true;
  const auto swaymsg = this->launch(launch);
  const std::string reply = swaymsg->readAll(replyLimit);
  if (swaymsg->awaitExit(replyLimit) != 0)
    return nullptr;
  return nlohmann::json::parse(reply, nullptr, false);
}

bool SwaySession::command(const std::string& command) const {
  const auto replies = message("command", command);
  if (!replies.is_array() || replies.empty())
    return false;
  for (const auto& reply : replies)
    if (!reply.value("success", false))
      return false;
  return true;
}

std::string SwaySession::createOutput() const {
  const auto before = outputNames(message("get_outputs"));
  if (!command("create_output"))
    return {};
  std::string added;
  sessiontest::await(
      [&] {
        for (const auto& name : outputNames(message("get_outputs")))
          if (std::ranges::find(before, name) == before.end())
            added = name;
        return !added.empty();
      },
      replyLimit);
  return added;
}

std::string SwaySession::screenshot(const std::string& name) const {
  const std::string path = home() + "/" + name + ".png";
  ChildLaunch launch;
  launch.argv = {"grim", path};
  launch.logFile = folder() + "/grim.log";
  if (this->launch(launch)->awaitExit(replyLimit) != 0 || !fs::exists(path))
    return {};
  return path;
}

std::string SwaySession::swayLog() const {
  return sessiontest::fileText(folder() + "/sway.log");
}

}  // namespace dovrik::swaytest
