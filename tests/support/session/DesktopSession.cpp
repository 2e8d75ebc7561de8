// The folders, the user and the environment of a test session.
#include "DesktopSession.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace dovrik::sessiontest {

namespace {

// "nobody" on Debian; a compositor refuses nothing to it and it owns no files of its own.
constexpr uid_t unprivilegedUser = 65534;
constexpr gid_t unprivilegedGroup = 65534;

}  // namespace

std::string fileText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void writeFile(const std::string& path, const std::string& text, fs::perms perms) {
  std::ofstream(path) << text;
  fs::permissions(path, perms);
}

DesktopSession::DesktopSession(const std::string& name)
    : user_(geteuid() == 0 ? unprivilegedUser : geteuid()),
      group_(geteuid() == 0 ? unprivilegedGroup : getegid()) {
  std::string pattern = "/tmp/dovrik-" + name + "-XXXXXX";
  if (!mkdtemp(pattern.data()))
    throw std::runtime_error("cannot make the session's folder");
  root_ = pattern;
  fs::permissions(root_, everyoneRuns);
  runtimeDir_ = root_ + "/run";
  home_ = root_ + "/home";
  makeOwnedFolder(runtimeDir_);
  for (const char* sub : {"", "/.config", "/.cache", "/.local", "/.local/share"})
    makeOwnedFolder(home_ + sub);
  // Xwayland makes the folder of X sockets as the compositor's user with mode 0755 when it is
  // missing, which locks every other user's X server out of it.
  if (!fs::exists("/tmp/.X11-unix")) {
    fs::create_directory("/tmp/.X11-unix");
    chmod("/tmp/.X11-unix", 01777);
  }
}

DesktopSession::~DesktopSession() {
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

void DesktopSession::makeOwnedFolder(const std::string& path) const {
  fs::create_directories(path);
  if (chown(path.c_str(), user_, group_) != 0 || chmod(path.c_str(), 0700) != 0)
    throw std::runtime_error("cannot hand " + path + " to the session's user");
}

std::vector<std::string> DesktopSession::environment() const {
  return {
      "PATH=/usr/local/bin:/usr/bin:/bin",
      "HOME=" + home_,
      "XDG_RUNTIME_DIR=" + runtimeDir_,
      "XDG_CONFIG_HOME=" + home_ + "/.config",
      "XDG_DATA_HOME=" + home_ + "/.local/share",
      "XDG_CACHE_HOME=" + home_ + "/.cache",
      "XDG_SESSION_TYPE=wayland",
      "LANG=C.UTF-8",
  };
}

void DesktopSession::enter() const {
  for (const auto& entry : environment()) {
    const auto eq = entry.find('=');
    setenv(entry.substr(0, eq).c_str(), entry.substr(eq + 1).c_str(), 1);
  }
}

std::unique_ptr<ChildProcess> DesktopSession::launch(ChildLaunch launch) const {
  for (auto& entry : environment())
    launch.environment.push_back(std::move(entry));
  launch.user = user_;
  launch.group = group_;
  return std::make_unique<ChildProcess>(launch);
}

}  // namespace dovrik::sessiontest
