// GNOME's Wayland session: windows, outputs, hotkeys, title-bar drags, the clipboard, the paste
// keystroke and the snap preview, all through Dovrik's own GNOME Shell extension, which GNOME
// loads into its Shell; monitors known by the identity mutter reads from their EDID.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/platform/Background.h"
#include "core/platform/Scheduler.h"
#include "linux/desktop/DesktopApplications.h"
#include "linux/desktop/DesktopEdgeTiling.h"
#include "linux/files/DesktopEntries.h"
#include "linux/gnome/GnomeAccessibility.h"
#include "linux/gnome/GnomeEdgeTiling.h"
#include "linux/gnome/GnomeExtensionSetup.h"
#include "linux/gnome/GnomeHotkeys.h"
#include "linux/gnome/GnomePasteKeys.h"
#include "linux/gnome/GnomePasteboard.h"
#include "linux/gnome/GnomePreview.h"
#include "linux/gnome/GnomeShell.h"
#include "linux/gnome/GnomeWindowControl.h"
#include "linux/mirror/FocusWaitingPasteKeys.h"
#include "linux/mirror/MirrorApps.h"
#include "linux/mirror/MirrorEventTap.h"
#include "linux/mirror/MirrorRunningApps.h"
#include "linux/mirror/MirrorScreens.h"
#include "linux/mirror/MirrorWindowList.h"
#include "linux/mirror/OwnWindowPlacement.h"
#include "linux/mirror/WindowMirror.h"
#include "linux/session/DesktopAdapters.h"
#include "linux/session/PreviewLook.h"

namespace dovrik::gnome {

class GnomeDesktop : public DesktopAdapters {
 public:
  // `dataDirs`: where installed applications are found; empty for the environment's.
  GnomeDesktop(ProcessId ownPid, const PreviewLook& previewLook,
               const std::vector<std::string>& dataDirs, Scheduler& mainQueue,
               Background& background);
  ~GnomeDesktop() override;
  GnomeDesktop(const GnomeDesktop&) = delete;
  GnomeDesktop& operator=(const GnomeDesktop&) = delete;

  Accessibility& accessibility() override { return accessibility_; }
  Screens& screens() override { return screens_; }
  RunningApps& runningApps() override { return runningApps_; }
  Hotkeys& hotkeys() override { return hotkeys_; }
  EventTap& eventTap() override { return eventTap_; }
  WindowList& windowList() override { return windowList_; }
  Pasteboard& pasteboard() override { return pasteboard_; }
  KeySynth& keySynth() override { return pasteKeys_; }
  InstalledApps& installedApps() override { return installedApps_; }
  EdgeTiling& edgeTiling() override { return edgeTiling_; }
  // Qt's own windows cannot be placed on Wayland; the Shell shows the preview itself.
  OverlaySurface* ownOverlaySurface() override { return &preview_; }

  Rect toWindowCoordinates(const Rect& desktopFrame) override;
  // mutter hears its accelerators whichever window has the keyboard.
  bool shortcutPressedInPopup(std::uint8_t, std::uint16_t) override { return false; }
  int keyCodeAt(std::uint32_t nativeKeyCode) const override;
  void setConnectionLostHandler(std::function<void()> handler) override;
  bool placesOwnWindows() const override { return true; }
  // GNOME's top bar (where an extension shows tray icons) is dark in every theme.
  bool trayFollowsPalette() const override { return false; }
  // The extension reports every move, drags included.
  void catchUp() override {}
  void presentOwnWindow(const std::string& title, const Rect& desktopFrame) override;
  void returnKeyboard() override;

 private:
  void learnMonitors();

  mirror::WindowMirror mirror_;
  GnomeShell shell_;
  GnomeWindowControl control_;
  files::DesktopEntries desktopEntries_;
  mirror::MirrorApps apps_;
  GnomeExtensionSetup setup_;
  GnomeAccessibility accessibility_;
  mirror::MirrorScreens screens_;
  mirror::MirrorRunningApps runningApps_;
  mirror::MirrorWindowList windowList_;
  mirror::MirrorEventTap eventTap_;
  GnomeHotkeys hotkeys_;
  GnomePasteboard pasteboard_;
  GnomePasteKeys keySynth_;
  mirror::FocusWaitingPasteKeys pasteKeys_;
  desktop::DesktopApplications installedApps_;
  desktop::DesktopEdgeTiling desktopEdgeTiling_;
  GnomeEdgeTiling edgeTiling_;
  GnomePreview preview_;
  mirror::OwnWindowPlacement ownWindows_;
  // Display UUIDs by connector, as far as the extension told.
  std::map<std::string, std::string> displayUuids_;
  std::function<void()> onLost_;
  Signal<>::Connection outputsSubscription_;
  Signal<>::Connection goneSubscription_;
};

}  // namespace dovrik::gnome
