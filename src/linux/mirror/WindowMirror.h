// Dovrik's copy of what the KWin script reports: the outputs, the windows with the order they
// were last raised in, the active window and where the pointer was last seen. Every port over
// KWin answers from here, so no question waits for KWin.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/support/Signal.h"
#include "linux/kwin/KWinProtocol.h"
#include "linux/kwin/KWinWindow.h"

namespace dovrik::kwin {

// A number for a window, stable for as long as Dovrik runs; KWin's ids are text.
using WindowHandle = std::uint64_t;

class KWinMirror {
 public:
  void apply(const ScriptMessage& message);
  // KWin left the bus: nothing is known until its script says hello again.
  void forget();

  // The script has answered since KWin last came.
  bool answered() const { return answered_; }
  const std::vector<KWinOutput>& outputs() const { return outputs_; }
  // In the order the windows appeared.
  std::vector<WindowHandle> windows() const { return order_; }
  // Front to back as far as the script tells: the last raised or added first. KWin 5.27 does
  // not show scripts the stacking order, so activation stands in for it.
  std::vector<WindowHandle> frontToBack() const { return stacking_; }
  const KWinWindow* window(WindowHandle handle) const;
  std::optional<WindowHandle> handleOf(const std::string& id) const;
  std::optional<WindowHandle> active() const { return handleOf(activeId_); }
  // KWin's coordinates.
  std::optional<Point> cursor() const { return cursor_; }

  // A frame Dovrik asked for, taken as granted until the script reports the one KWin chose.
  void setFrameOptimistically(WindowHandle handle, const Rect& frame);

  Signal<> answeredChanged;
  Signal<> outputsChanged;
  // A window appeared after the script's first report.
  Signal<const KWinWindow&> windowAdded;
  Signal<MoveMessage::Phase, WindowHandle> moved;

 private:
  WindowHandle numberFor(const std::string& id);
  void store(const KWinWindow& window, bool raise);
  void remove(const std::string& id);
  void setActive(const std::string& id);
  void setOutputs(std::vector<KWinOutput> outputs);
  void raise(WindowHandle handle);

  bool answered_ = false;
  std::vector<KWinOutput> outputs_;
  std::map<WindowHandle, KWinWindow> windows_;
  std::vector<WindowHandle> order_;
  std::vector<WindowHandle> stacking_;
  std::map<std::string, WindowHandle> numbers_;
  WindowHandle nextNumber_ = 1;
  // KWin may activate a window before it reports the window added: the id waits for it.
  std::string activeId_;
  std::optional<Point> cursor_;
};

}  // namespace dovrik::kwin
