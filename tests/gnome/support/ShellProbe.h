// The gnome tests' probe extension (tests/gnome/probe), seen from the test: the windows as mutter
// has them, keys typed and the pointer moved and pressed on its virtual devices, and what it can
// tell of a move and of Dovrik's preview. Also where a snap puts a window on the session's
// monitor.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QList>
#include <optional>
#include <string>

#include "core/platform/Geometry.h"
#include "core/windows/SnapFrames.h"

namespace dovrik::gnometest {

struct ShownWindow {
  Rect frame;
  bool focused = false;
};

class ShellProbe {
 public:
  explicit ShellProbe(QDBusConnection connection) : connection_(std::move(connection)) {}

  // Nothing when the shell did not answer or shows no window titled `title`.
  std::optional<ShownWindow> window(const std::string& title) const;
  std::optional<Rect> frame(const std::string& title) const;
  // Presses the keys (X keysyms) in order and releases them in reverse.
  bool type(const QList<uint>& keyvals) const;
  // Gives the window the keyboard, as a click on it would.
  void focus(const std::string& title) const;
  bool pointerTo(double x, double y) const;
  bool button(bool pressed) const;
  // Whether mutter moves a window with the pointer now.
  bool moving() const { return says("Moving"); }
  // Whether Dovrik's snap preview shows.
  bool previewShown() const { return says("PreviewShown"); }
  // The whole screen as a PNG file at `path`, which the session's user may write.
  bool screenshot(const std::string& path) const;

 private:
  bool says(const char* question) const;
  QDBusMessage call(QDBusMessage message) const;
  static QDBusMessage message(const char* method);

  QDBusConnection connection_;
};

// Where a snap puts a window on the session's 1280×800 monitor, below GNOME's 32 px top bar: the
// snap rule works in desktop space (y up), mutter's coordinates run down from the monitor's top.
Rect frameOnMonitor(SnapPosition position);

}  // namespace dovrik::gnometest
