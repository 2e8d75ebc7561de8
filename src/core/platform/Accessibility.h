// The accessibility interface: how Dovrik reads and changes other applications' windows.
// Elements are opaque handles; attributes carry plain values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/platform/Geometry.h"
#include "core/platform/RunningApps.h"
#include "core/support/Signal.h"

namespace dovrik {

struct AXElement {
  std::uint64_t handle = 0;
  friend bool operator==(const AXElement&, const AXElement&) = default;
};

enum class AXAttribute {
  FocusedWindow,  // element
  MainWindow,     // element
  Windows,        // list of elements, in a stable order
  Minimized,      // bool
  Position,       // Point, top-left corner in accessibility space
  Size,           // Size
  Title,          // string
  Role,           // string; "AXWindow" for a window
  Parent,         // element
};

using AXValue = std::variant<AXElement, std::vector<AXElement>, bool, Point, Size, std::string>;

class Accessibility {
 public:
  virtual ~Accessibility() = default;
  // Whether the process may use this interface at all.
  virtual bool isProcessTrusted() = 0;
  // Whether `trustMayHaveChanged` is raised whenever the answer of `isProcessTrusted` changes,
  // so that nobody has to ask again on a timer.
  virtual bool announcesTrustChanges() const = 0;
  // Shows the platform's permission prompt; its answer is not reported.
  virtual void promptForTrust() = 0;
  virtual AXElement applicationElement(ProcessId pid) = 0;
  // The element that answers hit tests over the whole desktop.
  virtual AXElement systemWideElement() = 0;
  // Bounds how long any query on `element` may block.
  virtual void setMessagingTimeout(AXElement element, double seconds) = 0;
  // The element under a point in accessibility space, or nothing.
  virtual std::optional<AXElement> elementAtPosition(AXElement systemWide, Point point) = 0;
  // Nothing on failure: untrusted, unresponsive application, missing or unreadable value.
  virtual std::optional<AXValue> copyAttribute(AXElement element, AXAttribute attribute) = 0;
  // A window's position and size together (accessibility space), in one query where the
  // platform can; nothing when either cannot be read.
  virtual std::optional<Rect> copyFrame(AXElement window) = 0;
  // Writes a window's position, then its size (`frame` in accessibility space), in one request
  // where the platform can. The result is not reported; the owning application may keep a
  // frame of its own choosing.
  virtual void setFrame(AXElement window, const Rect& frame) = 0;
  // Why the process may not use this interface, in the user's words; empty while it may.
  virtual std::string untrustedReason() = 0;
  // Whether the platform has a settings page where the user grants the permission, so that
  // Dovrik can offer to open it and name the way there.
  virtual bool hasPermissionSettings() const = 0;

  // Raised, where trust changes are announced, when the answer of `isProcessTrusted` may have
  // changed.
  Signal<> trustMayHaveChanged;
};

}  // namespace dovrik
