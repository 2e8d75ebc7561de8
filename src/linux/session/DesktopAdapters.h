// The ports one desktop serves, built for the session Dovrik runs in, and what the Qt windows
// that show the preview and the popup need to know of that desktop.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/platform/Accessibility.h"
#include "core/platform/EdgeTiling.h"
#include "core/platform/EventTap.h"
#include "core/platform/Geometry.h"
#include "core/platform/Hotkeys.h"
#include "core/platform/InstalledApps.h"
#include "core/platform/KeySynth.h"
#include "core/platform/OverlaySurface.h"
#include "core/platform/Pasteboard.h"
#include "core/platform/RunningApps.h"
#include "core/platform/Screens.h"
#include "core/platform/WindowList.h"

namespace dovrik {

class DesktopAdapters {
 public:
  virtual ~DesktopAdapters() = default;

  virtual Accessibility& accessibility() = 0;
  virtual Screens& screens() = 0;
  virtual RunningApps& runningApps() = 0;
  virtual Hotkeys& hotkeys() = 0;
  virtual EventTap& eventTap() = 0;
  virtual WindowList& windowList() = 0;
  virtual Pasteboard& pasteboard() = 0;
  virtual KeySynth& keySynth() = 0;
  virtual InstalledApps& installedApps() = 0;
  virtual EdgeTiling& edgeTiling() = 0;
  // The desktop's own surface for the snap preview; null where a Qt window shows it.
  virtual OverlaySurface* ownOverlaySurface() = 0;

  // A frame in desktop space, in the coordinates Qt places top-level windows in.
  virtual Rect toWindowCoordinates(const Rect& desktopFrame) = 0;
  // A key that reached the popup while it holds the keyboard: whether it was one of Dovrik's
  // own shortcuts, which then acts as if the popup were not there.
  virtual bool shortcutPressedInPopup(std::uint8_t keycode, std::uint16_t state) = 0;
  // The key code the core uses for a key the settings window saw by its native key code;
  // -1 for none.
  virtual int keyCodeAt(std::uint32_t nativeKeyCode) const = 0;
  // Where Qt cannot place top-level windows (Wayland), the desktop places Dovrik's own: the
  // window of this process titled `title` goes to `desktopFrame`, above the others, with the
  // keyboard; `returnKeyboard` hands the keyboard back to the window that had it before. False
  // where Qt places them itself, and the other two are then never called.
  virtual bool placesOwnWindows() const = 0;
  // Whether the panel that holds the tray is drawn in the colours Qt's palette has (Plasma,
  // the X11 desktops): a glyph in the palette's text colour then stands out on it. swaybar
  // keeps colours of its own.
  virtual bool trayFollowsPalette() const = 0;
  // Brings what Dovrik knows of the windows up to date where the desktop does not tell of
  // every change (sway says nothing when a floating window is dragged): called before a
  // command from the command line acts on them.
  virtual void catchUp() = 0;
  virtual void presentOwnWindow(const std::string& title, const Rect& desktopFrame) = 0;
  virtual void returnKeyboard() = 0;
  // `handler` runs once, on the main queue, when the desktop's display server goes away.
  virtual void setConnectionLostHandler(std::function<void()> handler) = 0;
};

}  // namespace dovrik
