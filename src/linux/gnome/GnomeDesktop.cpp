#include "linux/gnome/GnomeDesktop.h"

#include <QDBusConnection>
#include <utility>

#include "core/platform/PlatformTexts.h"
#include "linux/display/DisplayUuid.h"
#include "linux/display/MonitorIdentity.h"
#include "linux/files/ConfigPaths.h"
#include "linux/wayland/EvdevKeys.h"

namespace dovrik::gnome {

namespace {

// The data folders a package installs into, without the user's own.
std::vector<std::filesystem::path> systemDataDirs(const std::filesystem::path& dataHome) {
  std::vector<std::filesystem::path> dirs;
  for (const std::string& dir : files::DesktopEntries::environmentDataDirs()) {
    if (std::filesystem::path(dir) != dataHome)
      dirs.emplace_back(dir);
  }
  return dirs;
}

}  // namespace

GnomeDesktop::GnomeDesktop(ProcessId ownPid, const PreviewLook& previewLook,
                           const std::vector<std::string>& dataDirs, Scheduler& mainQueue,
                           Background& background)
    : shell_(QDBusConnection::sessionBus(), mirror_),
      control_(shell_),
      apps_(mirror_, desktopEntries_),
      setup_(QDBusConnection::sessionBus(), files::dataHome().value_or(""),
             systemDataDirs(files::dataHome().value_or(""))),
      accessibility_(mirror_, apps_, control_, setup_, PlatformTexts::linux()),
      screens_(mirror_, control_,
               [this](const std::string& name, const Rect&) -> std::optional<std::string> {
                 const auto found = displayUuids_.find(name);
                 if (found == displayUuids_.end())
                   return std::nullopt;
                 return found->second;
               }),
      runningApps_(mirror_, apps_, ownPid),
      windowList_(mirror_, apps_),
      // The extension reports every title-bar move with the pointer.
      eventTap_(mirror_, true),
      hotkeys_(shell_),
      pasteboard_(shell_, mainQueue, background),
      keySynth_(shell_),
      pasteKeys_(keySynth_, mainQueue,
                 [this, ownPid] {
                   const auto active = mirror_.active();
                   return active && apps_.owner(*active) == ownPid;
                 }),
      installedApps_(dataDirs),
      // The name GNOME's window manager gives itself on X11 too, where the same setting holds.
      desktopEdgeTiling_([] { return std::string("GNOME Shell"); }),
      edgeTiling_(shell_, desktopEdgeTiling_),
      preview_(
          shell_, mainQueue,
          [this](const Rect& desktopFrame) { return toWindowCoordinates(desktopFrame); },
          previewLook.paint),
      ownWindows_(mirror_, control_, ownPid,
                  [this](const Rect& desktopFrame) { return toWindowCoordinates(desktopFrame); }) {
  // The Shell does not name the client that took the clipboard: the application the user
  // works in at that moment is taken as its owner.
  pasteboard_.setActiveApplication([this] {
    const auto app = runningApps_.frontmostApplication();
    return app ? PasteboardOwner{app->bundleIdentifier, app->windowClass} : PasteboardOwner{};
  });
  outputsSubscription_ = mirror_.outputsChanged.connect([this] { learnMonitors(); });
  goneSubscription_ = shell_.shellGone.connect([this] {
    if (onLost_)
      std::exchange(onLost_, nullptr)();
  });
}

GnomeDesktop::~GnomeDesktop() {
  mirror_.outputsChanged.disconnect(outputsSubscription_);
  shell_.shellGone.disconnect(goneSubscription_);
}

void GnomeDesktop::learnMonitors() {
  // The outputs are known at once; their identities follow, and layouts saved for those
  // monitors can then be restored.
  shell_.monitors([this](std::vector<MonitorIdentity> monitors) {
    std::vector<display::MonitorDescription> descriptions;
    for (const MonitorIdentity& monitor : monitors)
      descriptions.push_back({monitor.connector, monitor.vendor, monitor.product, monitor.serial});
    const std::vector<std::string> names = display::identityNames(descriptions);
    std::map<std::string, std::string> uuids;
    for (std::size_t i = 0; i < monitors.size(); ++i)
      uuids[monitors[i].connector] = display::nameBasedUuid(names[i]);
    if (uuids == displayUuids_)
      return;
    displayUuids_ = std::move(uuids);
    screens_.changed.emit();
  });
}

Rect GnomeDesktop::toWindowCoordinates(const Rect& desktopFrame) {
  return screens_.toWindowCoordinates(desktopFrame);
}

int GnomeDesktop::keyCodeAt(std::uint32_t nativeKeyCode) const {
  return wayland::keyCodeAtXkb(nativeKeyCode);
}

void GnomeDesktop::presentOwnWindow(const std::string& title, const Rect& desktopFrame) {
  ownWindows_.present(title, desktopFrame);
}

void GnomeDesktop::returnKeyboard() {
  ownWindows_.returnKeyboard();
}

void GnomeDesktop::setConnectionLostHandler(std::function<void()> handler) {
  onLost_ = std::move(handler);
}

}  // namespace dovrik::gnome
