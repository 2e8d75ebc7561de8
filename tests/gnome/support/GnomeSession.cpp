// Starting and stopping the bus, dconf and GNOME Shell of a test fixture, and asking the shell
// about its extensions.
#include "GnomeSession.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QVariantMap>

#include "Await.h"

namespace fs = std::filesystem;

namespace dovrik::gnometest {

namespace {

using sessiontest::ChildLaunch;

constexpr const char* shellExecutable = "/usr/bin/gnome-shell";
constexpr const char* dconfExecutable = "/usr/libexec/dconf-service";
constexpr const char* gsettingsExecutable = "/usr/bin/gsettings";
// Generous: three people build on two cores while the tests run.
constexpr std::chrono::seconds startLimit{30};
constexpr std::chrono::seconds replyLimit{10};

// The states of GNOME Shell's ExtensionUtils.ExtensionState.
constexpr int extensionEnabled = 1;
constexpr int extensionDisabled = 2;
constexpr int extensionFailed = 3;
constexpr int extensionOutOfDate = 4;
constexpr int extensionUnknown = 99;

// A list of strings in GVariant's text form, as gsettings takes it.
std::string stringList(const std::vector<std::string>& items) {
  std::string text = "[";
  for (const auto& item : items)
    text += (text.size() > 1 ? ", '" : "'") + item + "'";
  return text + "]";
}

// The session's group: the one its folders belong to.
gid_t groupOf(const std::string& folder) {
  struct stat info {};
  if (stat(folder.c_str(), &info) != 0)
    throw std::runtime_error("cannot read " + folder);
  return info.st_gid;
}

QDBusMessage shellExtensionsCall(const char* method, const std::string& uuid) {
  QDBusMessage call = QDBusMessage::createMethodCall("org.gnome.Shell", "/org/gnome/Shell",
                                                     "org.gnome.Shell.Extensions", method);
  call << QString::fromStdString(uuid);
  return call;
}

}  // namespace

std::optional<std::string> GnomeSession::unavailable() {
  for (const char* program : {shellExecutable, dconfExecutable, gsettingsExecutable})
    if (access(program, X_OK) != 0)
      return std::string(program) + " is not installed (scripts/setup installs it)";
  if (geteuid() != 0)
    return "GNOME Shell needs a mount namespace of its own, which only root may make: run the "
           "gnome tests as root";
  return std::nullopt;
}

GnomeSession::GnomeSession(const std::vector<std::string>& extensionFolders)
    : DesktopSession("gnome") {
  std::vector<std::string> uuids;
  for (const auto& folder : extensionFolders)
    uuids.push_back(fs::canonical(folder).filename().string());
  installExtensions(extensionFolders);
  bus_ = std::make_unique<sessiontest::SessionBus>(*this);
  startSettings(uuids);
  startShell(uuids);
}

GnomeSession::~GnomeSession() {
  stopShell();
  settings_.reset();
  bus_.reset();
}

void GnomeSession::installExtensions(const std::vector<std::string>& extensionFolders) {
  // The shell keeps files of its own beside its extensions.
  makeOwnedFolder(home() + "/.local/share/gnome-shell");
  const std::string extensions = home() + "/.local/share/gnome-shell/extensions";
  makeOwnedFolder(extensions);
  for (const auto& folder : extensionFolders) {
    const fs::path target = extensions / fs::canonical(folder).filename();
    fs::copy(folder, target, fs::copy_options::recursive);
    // The copies are the test's (root's), with the source's modes: the shell reads them as the
    // session's user.
    std::vector<fs::path> copies{target};
    for (const auto& entry : fs::recursive_directory_iterator(target))
      copies.push_back(entry.path());
    for (const auto& copy : copies)
      if (lchown(copy.c_str(), user(), static_cast<gid_t>(-1)) != 0)
        throw std::runtime_error("cannot hand " + copy.string() + " to the session's user");
  }
}

void GnomeSession::startSettings(const std::vector<std::string>& uuids) {
  ChildLaunch launch;
  launch.argv = {dconfExecutable};
  launch.logFile = folder() + "/dconf.log";
  settings_ = this->launch(launch);
  const bool serves = sessiontest::await(
      [&] {
        return !settings_->running() ||
               bus_->connection().interface()->isServiceRegistered("ca.desrt.dconf").value();
      },
      startLimit);
  if (!serves || !settings_->running())
    throw std::runtime_error("dconf did not start: " + sessiontest::fileText(launch.logFile));
  setSetting("org.gnome.shell", "enabled-extensions", stringList(uuids));
  setSetting("org.gnome.shell", "disable-user-extensions", "false");
  // Without animations a window's frame is final as soon as the shell has placed it.
  setSetting("org.gnome.desktop.interface", "enable-animations", "false");
}

void GnomeSession::setSetting(const std::string& schema, const std::string& key,
                              const std::string& value) const {
  ChildLaunch launch;
  launch.argv = {gsettingsExecutable, "set", schema, key, value};
  launch.logFile = folder() + "/gsettings.log";
  if (this->launch(launch)->awaitExit(replyLimit) != 0)
    throw std::runtime_error("cannot set " + schema + " " + key + ": " +
                             sessiontest::fileText(launch.logFile));
}

void GnomeSession::startShell(const std::vector<std::string>& uuids) {
  // The test's own root starts the namespace; setpriv then drops to the session's user (and
  // asks again for the death signal, which the change of user clears). Each step execs the
  // next, so the process started here is the shell itself.
  ChildLaunch launch;
  launch.argv = {"unshare",
                 "--mount",
                 "--propagation",
                 "private",
                 "sh",
                 "-c",
                 "{ [ ! -d /run/systemd ] || mount -t tmpfs tmpfs /run/systemd; } && exec \"$@\"",
                 "sh",
                 "setpriv",
                 "--reuid=" + std::to_string(user()),
                 "--regid=" + std::to_string(groupOf(runtimeDir())),
                 "--clear-groups",
                 "--pdeathsig",
                 "SIGKILL",
                 shellExecutable,
                 "--headless",
                 "--wayland",
                 "--no-x11",
                 "--wayland-display=" + waylandDisplay_,
                 "--virtual-monitor",
                 std::to_string(width) + "x" + std::to_string(height)};
  launch.environment = DesktopSession::environment();
  // The shell asks the system bus for logind, accounts and more: the session bus answers that
  // none of them is there, which the shell takes in its stride.
  launch.environment.insert(
      launch.environment.end(),
      {"XDG_CURRENT_DESKTOP=GNOME", "DBUS_SESSION_BUS_ADDRESS=" + bus_->address(),
       "DBUS_SYSTEM_BUS_ADDRESS=" + bus_->address()});
  launch.logFile = folder() + "/gnome-shell.log";
  shell_ = std::make_unique<sessiontest::ChildProcess>(launch);

  std::string failed;
  const auto settled = [&] {
    if (!shell_->running())
      return true;
    if (!fs::exists(runtimeDir() + "/" + waylandDisplay_) ||
        !bus_->connection().interface()->isServiceRegistered("org.gnome.Shell").value())
      return false;
    for (const auto& uuid : uuids) {
      const int state = extensionState(uuid).value_or(extensionUnknown);
      if (state == extensionFailed || state == extensionOutOfDate) {
        failed = uuid + " did not load (state " + std::to_string(state) + ")";
        return true;
      }
      if (state != extensionEnabled)
        return false;
    }
    return true;
  };
  if (!sessiontest::await(settled, startLimit) || !shell_->running() || !failed.empty())
    throw std::runtime_error("GNOME Shell did not start" + (failed.empty() ? "" : ": " + failed) +
                             "; its log:\n" + shellLog());
}

void GnomeSession::stopShell() {
  if (!shell_)
    return;
  // What the shell started (ibus where it is installed) ends with it; it is waited for so that
  // the next session starts on a quiet machine.
  const auto children = sessiontest::childrenOf(shell_->pid());
  shell_->stop(std::chrono::seconds(10));
  shell_.reset();
  for (const pid_t child : children)
    if (!sessiontest::awaitEnd(child, std::chrono::seconds(5)))
      kill(child, SIGKILL);
}

std::vector<std::string> GnomeSession::environment() const {
  std::vector<std::string> env = DesktopSession::environment();
  env.insert(env.end(), {
                            "WAYLAND_DISPLAY=" + waylandDisplay_,
                            "QT_QPA_PLATFORM=wayland",
                            "XDG_CURRENT_DESKTOP=GNOME",
                        });
  // The bus itself starts with the rest of this environment.
  if (bus_)
    env.push_back("DBUS_SESSION_BUS_ADDRESS=" + bus_->address());
  return env;
}

std::optional<int> GnomeSession::extensionState(const std::string& uuid) const {
  const QDBusReply<QVariantMap> info =
      bus_->connection().call(shellExtensionsCall("GetExtensionInfo", uuid), QDBus::Block,
                              static_cast<int>(std::chrono::milliseconds(replyLimit).count()));
  if (!info.isValid())
    return std::nullopt;
  // An extension the shell does not know comes back as an empty record.
  return static_cast<int>(info.value().value("state", extensionUnknown).toDouble());
}

bool GnomeSession::setExtensionEnabled(const std::string& uuid, bool enabled) const {
  const QDBusReply<bool> accepted = bus_->connection().call(
      shellExtensionsCall(enabled ? "EnableExtension" : "DisableExtension", uuid), QDBus::Block,
      static_cast<int>(std::chrono::milliseconds(replyLimit).count()));
  if (!accepted.isValid() || !accepted.value())
    return false;
  const int wanted = enabled ? extensionEnabled : extensionDisabled;
  return sessiontest::await([&] { return extensionState(uuid) == wanted; }, replyLimit);
}

std::string GnomeSession::shellLog() const {
  return sessiontest::fileText(folder() + "/gnome-shell.log");
}

}  // namespace dovrik::gnometest
