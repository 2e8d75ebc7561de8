// The Accessibility port over a mirrored compositor: application and window elements answered
// from the mirror, frames set through the compositor's window control. Positions and sizes are
// those of the window's frame, in accessibility space.
#pragma once

#include <optional>
#include <string>

#include "core/platform/Accessibility.h"
#include "linux/mirror/MirrorApps.h"
#include "linux/mirror/WindowControl.h"
#include "linux/mirror/WindowMirror.h"

namespace dovrik::mirror {

class MirrorAccessibility : public Accessibility {
 public:
  // `untrustedReason` tells the user why windows cannot be controlled while the compositor has
  // not reported.
  MirrorAccessibility(WindowMirror& mirror, MirrorApps& apps, WindowControl& control,
                      std::string untrustedReason);
  MirrorAccessibility(const MirrorAccessibility&) = delete;
  MirrorAccessibility& operator=(const MirrorAccessibility&) = delete;
  ~MirrorAccessibility() override;

  // Trusted means: the compositor has reported everything.
  bool isProcessTrusted() override { return mirror_.answered(); }
  bool announcesTrustChanges() const override { return true; }
  // Tells on standard error why windows cannot be controlled.
  void promptForTrust() override;
  AXElement applicationElement(ProcessId pid) override;
  AXElement systemWideElement() override;
  // Every answer comes from the mirror; nothing waits on an application.
  void setMessagingTimeout(AXElement, double) override {}
  std::optional<AXElement> elementAtPosition(AXElement systemWide, Point point) override;
  std::optional<AXValue> copyAttribute(AXElement element, AXAttribute attribute) override;
  std::optional<Rect> copyFrame(AXElement window) override;
  // One request to the compositor, and the mirror takes the frame at once, so a query that
  // follows sees it before the compositor confirms.
  void setFrame(AXElement window, const Rect& frame) override;
  std::string untrustedReason() override;
  // The compositor asks nothing of the user; what Dovrik needs it sets up itself.
  bool hasPermissionSettings() const override { return false; }

  // Gives a window the keyboard focus, as a click on it would: for handing the focus back to
  // the window a paste is for. The active window changes once the compositor reports it.
  void activate(AXElement window);

  static AXElement windowElement(WindowHandle handle);
  static std::optional<WindowHandle> windowOf(AXElement element);

 private:
  std::optional<AXValue> appAttribute(ProcessId pid, AXAttribute attribute);
  std::optional<AXValue> windowAttribute(WindowHandle handle, AXAttribute attribute);

  WindowMirror& mirror_;
  MirrorApps& apps_;
  WindowControl& control_;
  std::string untrustedReason_;
  Signal<>::Connection subscription_ = 0;
};

}  // namespace dovrik::mirror
