// Starting, restarting and stopping the bus and KWin of a test fixture.
#include "KWinSession.h"

#include <signal.h>
#include <unistd.h>

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
  bus_ = std::make_unique<sessiontest::SessionBus>(*this);
  startKWin();
}

KWinSession::~KWinSession() {
  stopKWin();
  bus_.reset();
}

QDBusConnection KWinSession::bus() const {
  return bus_->connection();
}

std::vector<std::string> KWinSession::environment() const {
  std::vector<std::string> env = DesktopSession::environment();
  env.insert(env.end(), {
                            "WAYLAND_DISPLAY=" + waylandDisplay_,
                            "XDG_CURRENT_DESKTOP=KDE",
                            "KDE_FULL_SESSION=true",
                        });
  // The bus itself starts with the rest of this environment.
  if (bus_)
    env.push_back("DBUS_SESSION_BUS_ADDRESS=" + bus_->address());
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
