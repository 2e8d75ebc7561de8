// The Accessibility port over KWin: application and window elements answered from the mirror,
// frames set through the script. Positions and sizes are those of the window's frame, in
// accessibility space.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/platform/Accessibility.h"
#include "linux/kwin/KWinApps.h"
#include "linux/kwin/KWinMirror.h"
#include "linux/kwin/KWinProtocol.h"

namespace dovrik::kwin {

using CommandSink = std::function<void(ScriptCommand)>;

class KWinAccessibility : public Accessibility {
 public:
  KWinAccessibility(KWinMirror& mirror, KWinApps& apps, CommandSink send);
  KWinAccessibility(const KWinAccessibility&) = delete;
  KWinAccessibility& operator=(const KWinAccessibility&) = delete;
  ~KWinAccessibility() override;

  // Trusted means: Dovrik's script runs in KWin and has reported.
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
  // One command to the script, and the mirror takes the frame at once, so a query that follows
  // sees it before KWin confirms.
  void setFrame(AXElement window, const Rect& frame) override;
  std::string untrustedReason() override;
  // KWin asks nothing of the user; what Dovrik needs is the script it loads itself.
  bool hasPermissionSettings() const override { return false; }

  // Gives a window the keyboard focus, as a click on it would: for handing the focus back to
  // the window a paste is for. The active window changes once KWin reports it.
  void activate(AXElement window);

  static AXElement windowElement(WindowHandle handle);
  static std::optional<WindowHandle> windowOf(AXElement element);

 private:
  std::optional<AXValue> appAttribute(ProcessId pid, AXAttribute attribute);
  std::optional<AXValue> windowAttribute(WindowHandle handle, AXAttribute attribute);

  KWinMirror& mirror_;
  KWinApps& apps_;
  CommandSink send_;
  Signal<>::Connection subscription_ = 0;
};

}  // namespace dovrik::kwin
