// Starting, restarting and stopping the bus and KWin of a test fixture.
#include "KWinSession.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <QDBusConnectionInterface>

#include "Await.h"

namespace fs = std::filesystem;

namespace dovrik::kwintest {

namespace {

constexpr const char* kwinExecutable = "/usr/bin/kwin_wayland";
constexpr const char* xwaylandExecutable = "/usr/bin/Xwayland";
// "nobody" on Debian; a compositor refuses nothing to it and it owns no files of its own.
constexpr uid_t unprivilegedUser = 65534;
constexpr gid_t unprivilegedGroup = 65534;
constexpr fs::perms everyoneReads =
    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read;
constexpr fs::perms everyoneRuns = fs::perms::owner_all | fs::perms::group_read |
                                   fs::perms::group_exec | fs::perms::others_read |
                                   fs::perms::others_exec;
// Generous: three people build on two cores while the tests run.
constexpr std::chrono::seconds startLimit{30};

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

void makeOwnedFolder(const std::string& path, uid_t user, gid_t group) {
  fs::create_directories(path);
  if (chown(path.c_str(), user, group) != 0 || chmod(path.c_str(), 0700) != 0)
    throw std::runtime_error("cannot hand " + path + " to the session's user");
}

}  // namespace

std::optional<std::string> KWinSession::unavailable() {
  for (const char* program : {kwinExecutable, xwaylandExecutable})
    if (access(program, X_OK) != 0)
      return std::string(program) + " is not installed (scripts/setup installs it)";
  return std::nullopt;
}

KWinSession::KWinSession(const std::vector<std::string>& fakeInputPrograms)
    : user_(geteuid() == 0 ? unprivilegedUser : geteuid()),
      group_(geteuid() == 0 ? unprivilegedGroup : getegid()) {
  char pattern[] = "/tmp/dovrik-kwin-XXXXXX";
  if (!mkdtemp(pattern))
    throw std::runtime_error("cannot make the session's folder");
  root_ = pattern;
  fs::permissions(root_, everyoneRuns);
  runtimeDir_ = root_ + "/run";
  home_ = root_ + "/home";
  makeOwnedFolder(runtimeDir_, user_, group_);
  makeOwnedFolder(home_, user_, group_);
  for (const char* sub :
       {"/.config", "/.cache", "/.local", "/.local/share", "/.local/share/applications"})
    makeOwnedFolder(home_ + sub, user_, group_);
  // Xwayland makes the folder of X sockets as KWin's user with mode 0755 when it is missing,
  // which locks every other user's X server out of it.
  if (!fs::exists("/tmp/.X11-unix")) {
    fs::create_directory("/tmp/.X11-unix");
    chmod("/tmp/.X11-unix", 01777);
  }
  // The packaged binary carries a file capability that a container may refuse to grant at
  // exec; a copy carries none.
  fs::copy_file(kwinExecutable, root_ + "/kwin_wayland");
  fs::permissions(root_ + "/kwin_wayland", everyoneRuns);
  // KWin starts the programs named on its command line once Xwayland accepts clients, with
  // DISPLAY set: this one says which display that is, and so when KWin is ready.
  writeFile(root_ + "/report-display",
            "#!/bin/sh\nprintf '%s\\n' \"$DISPLAY\" > \"$1.part\" && mv \"$1.part\" \"$1\"\n",
            everyoneRuns);
  for (const auto& program : fakeInputPrograms)
    allowFakeInput(program);
  try {
    startBus();
    startKWin();
  } catch (...) {
    kwin_.reset();
    bus_.reset();
    fs::remove_all(root_);
    throw;
  }
}

KWinSession::~KWinSession() {
  stopKWin();
  if (!connectionName_.empty())
    QDBusConnection::disconnectFromBus(QString::fromStdString(connectionName_));
  bus_.reset();
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

void KWinSession::startBus() {
  // Only the bus's owner may connect to a session bus unless its configuration names others:
  // here root, the test process. Nothing is activated on demand, so no service the test did
  // not start can outlive it.
  const std::string config = root_ + "/bus.conf";
  writeFile(config,
            "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\" "
            "\"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
            "<busconfig>\n  <type>session</type>\n  <listen>unix:path=" +
                runtimeDir_ +
                "/bus</listen>\n  <auth>EXTERNAL</auth>\n"
                "  <policy context=\"default\">\n"
                "    <allow user=\"root\"/>\n"
                "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                "    <allow eavesdrop=\"true\"/>\n    <allow own=\"*\"/>\n"
                "  </policy>\n</busconfig>\n",
            everyoneReads);
  ChildLaunch launch;
  launch.argv = {"dbus-daemon", "--config-file=" + config, "--nofork", "--nopidfile",
                 "--print-address"};
  launch.environment = {"PATH=/usr/bin:/bin", "HOME=" + home_, "XDG_RUNTIME_DIR=" + runtimeDir_};
  launch.user = user_;
  launch.group = group_;
  launch.pipeOutput = true;
  launch.logFile = root_ + "/bus.log";
  bus_ = std::make_unique<ChildProcess>(launch);
  const auto address = bus_->nextLine(startLimit);
  if (!address || address->empty())
    throw std::runtime_error("the session bus did not start: " + fileText(root_ + "/bus.log"));
  busAddress_ = *address;
  static std::atomic<int> sessions{0};
  connectionName_ = "dovrik-kwintest-" + std::to_string(++sessions);
  if (!bus().isConnected())
    throw std::runtime_error("cannot connect to the session bus at " + busAddress_);
}

QDBusConnection KWinSession::bus() const {
  return QDBusConnection::connectToBus(QString::fromStdString(busAddress_),
                                       QString::fromStdString(connectionName_));
}

std::vector<std::string> KWinSession::environment() const {
  std::vector<std::string> env = {
      "PATH=/usr/local/bin:/usr/bin:/bin",
      "HOME=" + home_,
      "XDG_RUNTIME_DIR=" + runtimeDir_,
      "XDG_CONFIG_HOME=" + home_ + "/.config",
      "XDG_DATA_HOME=" + home_ + "/.local/share",
      "XDG_CACHE_HOME=" + home_ + "/.cache",
      "WAYLAND_DISPLAY=" + waylandDisplay_,
      "DBUS_SESSION_BUS_ADDRESS=" + busAddress_,
      "XDG_SESSION_TYPE=wayland",
      "XDG_CURRENT_DESKTOP=KDE",
      "KDE_FULL_SESSION=true",
      "LANG=C.UTF-8",
  };
  if (!x11Display_.empty())
    env.push_back("DISPLAY=" + x11Display_);
  return env;
}

void KWinSession::enter() const {
  for (const auto& entry : environment()) {
    const auto eq = entry.find('=');
    setenv(entry.substr(0, eq).c_str(), entry.substr(eq + 1).c_str(), 1);
  }
}

std::unique_ptr<ChildProcess> KWinSession::launch(ChildLaunch launch) const {
  for (auto& entry : environment())
    launch.environment.push_back(std::move(entry));
  launch.user = user_;
  launch.group = group_;
  return std::make_unique<ChildProcess>(launch);
}

void KWinSession::allowFakeInput(const std::string& executable) const {
  const std::string path =
      home_ + "/.local/share/applications/" + fs::path(executable).filename().string() + ".desktop";
  writeFile(path,
            "[Desktop Entry]\nType=Application\nName=" + fs::path(executable).filename().string() +
                "\nExec=" + fs::canonical(executable).string() +
                "\nNoDisplay=true\nX-KDE-Wayland-Interfaces=org_kde_kwin_fake_input\n",
            everyoneReads);
}

void KWinSession::startKWin() {
  const std::string report = runtimeDir_ + "/x11-display";
  fs::remove(report);
  ChildLaunch launch;
  launch.argv = {root_ + "/kwin_wayland",
                 "--virtual",
                 "--width",
                 std::to_string(width),
                 "--height",
                 std::to_string(height),
                 "--xwayland",
                 "--socket",
                 waylandDisplay_,
                 "--no-lockscreen",
                 root_ + "/report-display " + report};
  // Software rendering ("Q"): there is no GPU; script errors go to the log.
  launch.environment = {"KWIN_COMPOSE=Q", "QT_LOGGING_RULES=kwin_scripting=true"};
  launch.logFile = root_ + "/kwin.log";
  x11Display_.clear();
  kwin_ = this->launch(launch);
  const bool ready = await(
      [&] {
        return !kwin_->running() || (fs::exists(runtimeDir_ + "/" + waylandDisplay_) &&
                                     fs::exists(report) && kwinServes());
      },
      startLimit);
  if (!ready || !kwin_->running())
    throw std::runtime_error("KWin did not start; its log:\n" + kwinLog());
  std::string display = fileText(report);
  while (!display.empty() && display.back() == '\n')
    display.pop_back();
  x11Display_ = display;
  kwinOwner_ = bus().interface()->serviceOwner("org.kde.KWin").value().toStdString();
}

bool KWinSession::kwinServes() const {
  const auto owner = bus().interface()->serviceOwner("org.kde.KWin");
  return owner.isValid() && owner.value().toStdString() != kwinOwner_;
}

void KWinSession::stopKWin() {
  if (!kwin_)
    return;
  // KWin, ending, gives Xwayland 5 s to end and meanwhile serves nobody, while Xwayland, ending,
  // may wait on KWin. Ended first, Xwayland goes at once (KWin does not start it again after a
  // clean exit), and KWin then goes at once too.
  for (const pid_t child : childrenOf(kwin_->pid())) {
    kill(child, SIGTERM);
    awaitEnd(child, std::chrono::seconds(5));
  }
  kwin_->stop(std::chrono::seconds(10));
  kwin_.reset();
}

void KWinSession::restartKWin() {
  stopKWin();
  // Its name on the bus goes with its connection; the new KWin is known by a new owner.
  if (!await([&] { return !bus().interface()->isServiceRegistered("org.kde.KWin").value(); },
             std::chrono::seconds(10)))
    throw std::runtime_error("the old KWin still holds its name on the bus");
  startKWin();
}

std::string KWinSession::kwinLog() const {
  return fileText(root_ + "/kwin.log");
}

}  // namespace dovrik::kwintest
