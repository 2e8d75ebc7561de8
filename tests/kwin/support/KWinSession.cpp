// Starting, restarting and stopping the bus and KWin of a test fixture.
#include "KWinSession.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <stdexcept>

#include <QDBusConnectionInterface>

namespace fs = std::filesystem;

namespace dovrik::kwintest {

using sessiontest::everyoneReads;
using sessiontest::everyoneRuns;
using sessiontest::fileText;
using sessiontest::writeFile;

namespace {

constexpr const char* kwinExecutable = "/usr/bin/kwin_wayland";
constexpr const char* xwaylandExecutable = "/usr/bin/Xwayland";
// Generous: three people build on two cores while the tests run.
constexpr std::chrono::seconds startLimit{30};

}  // namespace

std::optional<std::string> KWinSession::unavailable() {
  for (const char* program : {kwinExecutable, xwaylandExecutable})
    if (access(program, X_OK) != 0)
      return std::string(program) + " is not installed (scripts/setup installs it)";
  return std::nullopt;
}

KWinSession::KWinSession(const std::vector<std::string>& fakeInputPrograms)
    : DesktopSession("kwin") {
  makeOwnedFolder(home() + "/.local/share/applications");
  // The packaged binary carries a file capability that a container may refuse to grant at
  // exec; a copy carries none.
  fs::copy_file(kwinExecutable, folder() + "/kwin_wayland");
  fs::permissions(folder() + "/kwin_wayland", everyoneRuns);
  // KWin starts the programs named on its command line once Xwayland accepts clients, with
  // DISPLAY set: this one says which display that is, and so when KWin is ready.
  writeFile(folder() + "/report-display",
            "#!/bin/sh\nprintf '%s\\n' \"$DISPLAY\" > \"$1.part\" && mv \"$1.part\" \"$1\"\n",
            everyoneRuns);
  for (const auto& program : fakeInputPrograms)
    allowFakeInput(program);
  startBus();
  startKWin();
}

KWinSession::~KWinSession() {
  stopKWin();
  if (!connectionName_.empty())
    QDBusConnection::disconnectFromBus(QString::fromStdString(connectionName_));
  bus_.reset();
}

void KWinSession::startBus() {
  // Only the bus's owner may connect to a session bus unless its configuration names others:
  // here root, the test process. Nothing is activated on demand, so no service the test did
  // not start can outlive it.
  const std::string config = folder() + "/bus.conf";
  writeFile(config,
            "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\" "
            "\"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
            "<busconfig>\n  <type>session</type>\n  <listen>unix:path=" +
                runtimeDir() +
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
  launch.pipeOutput = true;
  launch.logFile = folder() + "/bus.log";
  bus_ = this->launch(launch);
  const auto address = bus_->nextLine(startLimit);
  if (!address || address->empty())
    throw std::runtime_error("the session bus did not start: " + fileText(folder() + "/bus.log"));
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
  std::vector<std::string> env = DesktopSession::environment();
  env.insert(env.end(), {
                            "WAYLAND_DISPLAY=" + waylandDisplay_,
                            "DBUS_SESSION_BUS_ADDRESS=" + busAddress_,
                            "XDG_CURRENT_DESKTOP=KDE",
                            "KDE_FULL_SESSION=true",
                        });
  if (!x11Display_.empty())
    env.push_back("DISPLAY=" + x11Display_);
  return env;
}

void KWinSession::allowFakeInput(const std::string& executable) const {
  const std::string path = home() + "/.local/share/applications/" +
                           fs::path(executable).filename().string() + ".desktop";
  writeFile(path,
            "[Desktop Entry]\nType=Application\nName=" + fs::path(executable).filename().string() +
                "\nExec=" + fs::canonical(executable).string() +
                "\nNoDisplay=true\nX-KDE-Wayland-Interfaces=org_kde_kwin_fake_input\n",
            everyoneReads);
}

void KWinSession::startKWin() {
  const std::string report = runtimeDir() + "/x11-display";
  fs::remove(report);
  ChildLaunch launch;
  launch.argv = {folder() + "/kwin_wayland",
                 "--virtual",
                 "--width",
                 std::to_string(width),
                 "--height",
                 std::to_string(height),
                 "--xwayland",
                 "--socket",
                 waylandDisplay_,
                 "--no-lockscreen",
                 folder() + "/report-display " + report};
  // Software rendering ("Q"): there is no GPU; script errors go to the log.
  launch.environment = {"KWIN_COMPOSE=Q", "QT_LOGGING_RULES=kwin_scripting=true"};
  launch.logFile = folder() + "/kwin.log";
  x11Display_.clear();
  kwin_ = this->launch(launch);
  const bool ready = await(
      [&] {
        return !kwin_->running() || (fs::exists(runtimeDir() + "/" + waylandDisplay_) &&
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
  for (const pid_t child : sessiontest::childrenOf(kwin_->pid())) {
    kill(child, SIGTERM);
    sessiontest::awaitEnd(child, std::chrono::seconds(5));
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
  return fileText(folder() + "/kwin.log");
}

}  // namespace dovrik::kwintest
