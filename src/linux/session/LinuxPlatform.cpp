#include "linux/session/LinuxPlatform.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <cstdlib>

#include "linux/x11/X11Desktop.h"
#ifdef DOVRIK_WITH_KWIN
#include "linux/kwin/KWinDesktop.h"
#endif
#ifdef DOVRIK_WITH_SWAY
#include "linux/sway/SwayDesktop.h"
#endif
#ifdef DOVRIK_WITH_GNOME
#include "linux/gnome/GnomeDesktop.h"
#endif

namespace dovrik {

namespace {

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

bool onSessionBus(const char* service) {
  const QDBusConnection bus = QDBusConnection::sessionBus();
  return bus.isConnected() && bus.interface() &&
         bus.interface()->isServiceRegistered(QString::fromLatin1(service)).value();
}

}  // namespace

std::optional<std::string> LinuxPlatform::unreachableDisplay() {
  if (!environment("WAYLAND_DISPLAY").empty() || x11::XConnection().isConnected())
    return std::nullopt;
  const std::string display = environment("DISPLAY");
  if (display.empty())
    return "Dovrik: no X display is set ($DISPLAY is empty); quitting.";
  return "Dovrik: cannot reach the X display \"" + display + "\"; quitting.";
}

LinuxDesktop LinuxPlatform::detectDesktop() {
  SessionFacts facts{.sessionType = environment("XDG_SESSION_TYPE"),
                     .waylandDisplay = environment("WAYLAND_DISPLAY"),
                     .kwinOnSessionBus = false,
                     .swaySocket = environment("SWAYSOCK"),
                     .gnomeShellOnSessionBus = false};
  if (detectLinuxDesktop(facts) == LinuxDesktop::unsupportedWayland) {
    facts.kwinOnSessionBus = onSessionBus("org.kde.KWin");
    facts.gnomeShellOnSessionBus = onSessionBus("org.gnome.Shell");
  }
  return detectLinuxDesktop(facts);
}

LinuxPlatform::LinuxPlatform(LinuxDesktop desktop, const Options& options, Scheduler& mainQueue,
                             Background& background)
    : desktop_(desktop) {
#ifdef DOVRIK_WITH_KWIN
  if (desktop == LinuxDesktop::kwin) {
    adapters_ = std::make_unique<kwin::KWinDesktop>(options.ownPid, options.previewLook, mainQueue,
                                                    background);
    return;
  }
#endif
#ifdef DOVRIK_WITH_SWAY
  if (desktop == LinuxDesktop::sway) {
    adapters_ = std::make_unique<sway::SwayDesktop>(environment("SWAYSOCK"), options.ownPid,
                                                    mainQueue, background);
    return;
  }
#endif
#ifdef DOVRIK_WITH_GNOME
  if (desktop == LinuxDesktop::gnome) {
    adapters_ = std::make_unique<gnome::GnomeDesktop>(options.ownPid, options.previewLook,
                                                      options.dataDirs, mainQueue, background);
    return;
  }
#endif
  auto x11 = std::make_unique<x11::X11Desktop>(
      x11::X11Desktop::Options{.display = options.display,
                               .ownPid = options.ownPid,
                               .dataDirs = options.dataDirs,
                               .serviceOnQtLoop = options.serviceOnQtLoop},
      mainQueue, background);
  // Where Dovrik cannot drive the compositor, the X server it reaches serves only the
  // applications that run through it: nothing is moved there, and the user is told why.
  if (desktop != LinuxDesktop::x11)
    x11->x.accessibility.refuseSession(unsupportedWaylandReason());
  x11_ = x11.get();
  adapters_ = std::move(x11);
}

LinuxPlatform::~LinuxPlatform() = default;

Platform LinuxPlatform::platform(const HostPorts& host) {
  DesktopAdapters& desktop = *adapters_;
  OverlaySurface* ownOverlay = desktop.ownOverlaySurface();
  return Platform{
      .clock = host.clock,
      .scheduler = host.scheduler,
      .defaults = host.defaults,
      .accessibility = desktop.accessibility(),
      .screens = desktop.screens(),
      .runningApps = desktop.runningApps(),
      .hotkeys = desktop.hotkeys(),
      .shell = host.shell,
      .loginItem = host.loginItem,
      .texts = PlatformTexts::linux(),
      .locale = host.locale,
      .eventTap = desktop.eventTap(),
      .windowList = desktop.windowList(),
      .overlaySurface = ownOverlay ? *ownOverlay : host.overlaySurface,
      .popupPanel = host.popupPanel,
      .background = host.background,
      .pasteboard = desktop.pasteboard(),
      .keySynth = desktop.keySynth(),
      .files = host.files,
      .installedApps = desktop.installedApps(),
      .settingsWindow = host.settingsWindow,
      .lifecycle = host.lifecycle,
      .onboardingWindow = host.onboardingWindow,
      .updateService = host.updateService,
      .edgeTiling = desktop.edgeTiling(),
  };
}

}  // namespace dovrik
