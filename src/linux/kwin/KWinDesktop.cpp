#include "linux/kwin/KWinDesktop.h"

#include <utility>

#include "linux/wayland/EvdevKeys.h"

namespace dovrik::kwin {

KWinDesktop::KWinDesktop(ProcessId ownPid, const PreviewLook& previewLook, Scheduler& mainQueue,
                         Background& background)
    : outputs_(wayland_),
      kwin_(QDBusConnection::sessionBus(), ownPid,
            [this](const std::string& name, const Rect& geometry) {
              return displayUuid(name, geometry);
            }),
      pasteboard_(wayland_, mainQueue, background),
      keySynth_(wayland_),
      pasteKeys_(keySynth_, mainQueue,
                 [this, ownPid] {
                   const auto active = kwin_.mirror.active();
                   return active && kwin_.apps.owner(*active) == ownPid;
                 }),
      edgeTiling_([] { return std::string("KWin"); }),
      preview_(
          wayland_, mainQueue,
          [this](const Rect& desktopFrame) { return toWindowCoordinates(desktopFrame); },
          previewLook.paint, previewLook.easing),
      ownWindows_(kwin_.mirror, kwin_.control, ownPid,
                  [this](const Rect& desktopFrame) { return toWindowCoordinates(desktopFrame); }) {
  // Data control does not name the client that set a selection: the application the user
  // works in at that moment is taken as its owner.
  pasteboard_.setActiveApplication([this] {
    const auto app = kwin_.runningApps.frontmostApplication();
    return app ? PasteboardOwner{app->bundleIdentifier, app->windowClass} : PasteboardOwner{};
  });
  // A monitor's EDID may arrive after KWin's script told of the output: the screens then gain
  // their identity, and layouts saved for that monitor can be restored.
  outputsSubscription_ = outputs_.changed.connect([this] { kwin_.screens.changed.emit(); });
  lostSubscription_ = wayland_.lost.connect([this] {
    if (onLost_)
      onLost_();
  });
}

KWinDesktop::~KWinDesktop() {
  outputs_.changed.disconnect(outputsSubscription_);
  wayland_.lost.disconnect(lostSubscription_);
}

std::optional<std::string> KWinDesktop::displayUuid(const std::string& name,
                                                    const Rect& geometry) const {
  if (!name.empty()) {
    if (auto uuid = outputs_.displayUuid(name))
      return uuid;
  }
  // KWin 5.27 names no outputs to scripts: an output is then the device at its position.
  for (const OutputDevice& device : outputs_.devices()) {
    if (device.enabled && device.x == static_cast<std::int32_t>(geometry.x) &&
        device.y == static_cast<std::int32_t>(geometry.y))
      return outputs_.displayUuid(device.name);
  }
  return std::nullopt;
}

Rect KWinDesktop::toWindowCoordinates(const Rect& desktopFrame) {
  return kwin_.screens.toWindowCoordinates(desktopFrame);
}

int KWinDesktop::keyCodeAt(std::uint32_t nativeKeyCode) const {
  return wayland::keyCodeAtXkb(nativeKeyCode);
}

void KWinDesktop::presentOwnWindow(const std::string& title, const Rect& desktopFrame) {
  ownWindows_.present(title, desktopFrame);
}

void KWinDesktop::returnKeyboard() {
  ownWindows_.returnKeyboard();
}

void KWinDesktop::setConnectionLostHandler(std::function<void()> handler) {
  onLost_ = std::move(handler);
}

}  // namespace dovrik::kwin
