#include "linux/x11/X11Desktop.h"

#include <utility>

#include "core/windows/ScreenGeometry.h"
#include "linux/x11/XEventPump.h"

namespace dovrik::x11 {

X11Desktop::X11Desktop(const Options& options, Scheduler& mainQueue, Background& background)
    : x(options.display.empty() ? nullptr : options.display.c_str(), options.ownPid,
        options.dataDirs),
      eventTap_(x.connection),
      windowList_(x.connection, x.clients, x.apps),
      selectionOwners_(x.connection, x.clients, x.apps),
      pasteboard_(x.connection, mainQueue, background,
                  [this](xcb_window_t owner) { return selectionOwners_.ownerOf(owner); }),
      edgeTiling_([this] { return x.clients.windowManagerName(); }) {
  if (options.serviceOnQtLoop)
    pump_ = std::make_unique<XEventPump>(x.connection);
}

X11Desktop::~X11Desktop() = default;

Rect X11Desktop::toWindowCoordinates(const Rect& desktopFrame) {
  return x.connection.accessibilityToRoot(flipRect(desktopFrame, x.connection.primaryHeight()));
}

bool X11Desktop::shortcutPressedInPopup(std::uint8_t keycode, std::uint16_t state) {
  return x.hotkeys.pressWhileGrabbed(keycode, state);
}

int X11Desktop::keyCodeAt(std::uint32_t nativeKeyCode) const {
  if (nativeKeyCode > 0xff)
    return -1;
  return x.hotkeys.keyCodeAt(static_cast<std::uint8_t>(nativeKeyCode));
}

void X11Desktop::setConnectionLostHandler(std::function<void()> handler) {
  if (pump_)
    pump_->setConnectionLostHandler(std::move(handler));
}

}  // namespace dovrik::x11
