#include "linux/sway/SwayDesktop.h"

#include <utility>

#include "core/platform/PlatformTexts.h"
#include "linux/display/DisplayUuid.h"
#include "linux/sway/SwayState.h"
#include "linux/wayland/EvdevKeys.h"

namespace dovrik::sway {

SwayDesktop::SwayDesktop(std::string socketPath, ProcessId ownPid, Scheduler& mainQueue,
                         Background& background)
    : ownPid_(ownPid),
      mainQueue_(mainQueue),
      client_(std::move(socketPath)),
      reports_(client_, mirror_),
      // A refused placement leaves no frame taken for granted in the mirror.
      control_(client_, [this] { reports_.refresh(); }),
      apps_(mirror_, desktopEntries_),
      accessibility_(mirror_, apps_, control_,
                     PlatformTexts::linux().windowManagerSocketSilentReason),
      screens_(mirror_, control_,
               [this](const std::string& name, const Rect&) { return displayUuid(name); }),
      runningApps_(mirror_, apps_, ownPid),
      windowList_(mirror_, apps_),
      // sway tells no other program that a window is being dragged, nor where the pointer is.
      eventTap_(mirror_, false),
      hotkeys_(client_),
      pasteboard_(wayland_, mainQueue, background),
      keySynth_(wayland_),
      pasteKeys_(keySynth_, mainQueue,
                 [this, ownPid] {
                   const auto active = mirror_.active();
                   return active && apps_.owner(*active) == ownPid;
                 }),
      edgeTiling_([] { return std::string("sway"); }),
      ownWindows_(mirror_, control_, ownPid,
                  [this](const Rect& desktopFrame) { return toWindowCoordinates(desktopFrame); }),
      outputWatch_(
          wayland_, "wl_output",
          [this](const wayland::WaylandConnection::Global&) {
            mainQueue_.after(0, [this] { reports_.refresh(); });
          },
          [this](std::uint32_t) { mainQueue_.after(0, [this] { reports_.refresh(); }); }) {
  // Data control does not name the client that set a selection: the application the user
  // works in at that moment is taken as its owner.
  pasteboard_.setActiveApplication([this] {
    const auto app = runningApps_.frontmostApplication();
    return app ? PasteboardOwner{app->bundleIdentifier, app->windowClass} : PasteboardOwner{};
  });
  bindingSubscription_ = reports_.bindingRan.connect(
      [this](const std::string& command) { hotkeys_.bindingRan(command); });
  reloadSubscription_ = reports_.configReloaded.connect([this] {
    hotkeys_.configReloaded();
    floatOwnWindows();
  });
  floatOwnWindows();
  endedSubscription_ = reports_.ended.connect([this] { lose(); });
  lostSubscription_ = wayland_.lost.connect([this] { lose(); });
  reports_.start();
}

SwayDesktop::~SwayDesktop() {
  reports_.bindingRan.disconnect(bindingSubscription_);
  reports_.configReloaded.disconnect(reloadSubscription_);
  reports_.ended.disconnect(endedSubscription_);
  wayland_.lost.disconnect(lostSubscription_);
}

std::optional<std::string> SwayDesktop::displayUuid(const std::string& name) const {
  const auto& outputs = reports_.outputs();
  const std::vector<std::string> names = display::identityNames(monitorDescriptions(outputs));
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    if (outputs[i].name == name)
      return display::nameBasedUuid(names[i]);
  }
  return std::nullopt;
}

void SwayDesktop::floatOwnWindows() {
  // Dovrik's windows are dialogs over the user's work, not tiles: sway floats and centres them
  // from their first frame on. A rule made at run time goes with a reload, so it is made again.
  client_.runCommand("for_window [pid=" + std::to_string(ownPid_) + "] floating enable");
}

void SwayDesktop::lose() {
  if (onLost_)
    std::exchange(onLost_, nullptr)();
}

Rect SwayDesktop::toWindowCoordinates(const Rect& desktopFrame) {
  return screens_.toWindowCoordinates(desktopFrame);
}

int SwayDesktop::keyCodeAt(std::uint32_t nativeKeyCode) const {
  return wayland::keyCodeAtXkb(nativeKeyCode);
}

void SwayDesktop::presentOwnWindow(const std::string& title, const Rect& desktopFrame) {
  ownWindows_.present(title, desktopFrame);
}

void SwayDesktop::returnKeyboard() {
  ownWindows_.returnKeyboard();
}

void SwayDesktop::setConnectionLostHandler(std::function<void()> handler) {
  onLost_ = std::move(handler);
}

}  // namespace dovrik::sway
