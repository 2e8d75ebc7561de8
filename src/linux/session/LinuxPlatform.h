// The one assembly of Dovrik's ports on Linux: the desktop of the session, looked at once at
// start, decides which adapters serve the windows, keys and clipboard; the caller brings what
// does not depend on the desktop (settings, files, shell, its windows).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/Platform.h"
#include "linux/session/DesktopAdapters.h"
#include "linux/session/LinuxDesktop.h"
#include "linux/session/PreviewLook.h"

namespace dovrik {

namespace x11 {
class X11Desktop;
}

// The ports that are the same on every desktop, and the views that show the core's state.
struct HostPorts {
  Clock& clock;
  Scheduler& scheduler;
  Background& background;
  DefaultsDomains& defaults;
  Shell& shell;
  LoginItem& loginItem;
  // The user's language, from the toolkit.
  const Locale& locale;
  Files& files;
  Lifecycle& lifecycle;
  UpdateService& updateService;
  SettingsWindow& settingsWindow;
  OnboardingWindow& onboardingWindow;
  PopupPanel& popupPanel;
  // Shows the snap preview where the desktop has no surface of its own for it.
  OverlaySurface& overlaySurface;
};

class LinuxPlatform {
 public:
  struct Options {
    std::string display;  // the X display; empty: $DISPLAY
    ProcessId ownPid = 0;
    std::vector<std::string> dataDirs;  // empty: the environment's XDG data directories
    // Whether the Qt event loop services the desktop's connections; a caller that runs its
    // own loop dispatches them itself.
    bool serviceOnQtLoop = true;
    PreviewLook previewLook;
  };

  // Why Dovrik cannot start at all here, before anything is built: no X display answers and
  // the session is no Wayland one either. Nothing when it can.
  static std::optional<std::string> unreachableDisplay();
  // The desktop of the session this process runs in, from its environment and its session
  // bus. Asks the bus, so it comes after the Qt application object.
  static LinuxDesktop detectDesktop();

  LinuxPlatform(LinuxDesktop desktop, const Options& options, Scheduler& mainQueue,
                Background& background);
  ~LinuxPlatform();
  LinuxPlatform(const LinuxPlatform&) = delete;
  LinuxPlatform& operator=(const LinuxPlatform&) = delete;

  LinuxDesktop desktop() const { return desktop_; }
  DesktopAdapters& adapters() { return *adapters_; }
  // The X11 adapters where they serve the session; null elsewhere.
  x11::X11Desktop* x11() { return x11_; }

  Platform platform(const HostPorts& host);

 private:
  LinuxDesktop desktop_;
  std::unique_ptr<DesktopAdapters> adapters_;
  x11::X11Desktop* x11_ = nullptr;
};

}  // namespace dovrik
