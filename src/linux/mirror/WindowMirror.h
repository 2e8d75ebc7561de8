// Dovrik's copy of what a compositor reports: the outputs, the windows with the order they were
// last raised in, the active window and where the pointer was last seen. Every port over such a
// compositor answers from here, so no question waits for it. The compositor's backend keeps the
// copy current through the mutators, in the order its reports come.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/support/Signal.h"
#include "linux/mirror/MirroredWindow.h"

namespace dovrik::mirror {

// A number for a window, stable for as long as Dovrik runs; compositors' ids are text.
using WindowHandle = std::uint64_t;

class WindowMirror {
 public:
  // Everything the compositor knows, as it first reports it: the windows are a baseline, not
  // announced as added. `activeId` is empty when no window is active.
  void replaceAll(std::vector<MirroredOutput> outputs, const std::vector<MirroredWindow>& windows,
                  const std::string& activeId);
  void setOutputs(std::vector<MirroredOutput> outputs);
  // A new window comes to the front, and is announced unless already known.
  void addWindow(const MirroredWindow& window);
  void changeWindow(const MirroredWindow& window);
  void removeWindow(const std::string& id);
  // A window activated before it is reported becomes active once it is.
  void setActive(const std::string& id);
  void setCursor(Point cursor) { cursor_ = cursor; }
  // Announced for known windows only.
  void reportMove(MovePhase phase, const std::string& id);
  // The stacking order as the compositor tells it, topmost first; windows it leaves out keep
  // their places behind the ones it names.
  void restack(const std::vector<std::string>& frontToBack);
  // The compositor went away: nothing is known until it reports everything again.
  void forget();

  // The compositor has reported everything since it last came.
  bool answered() const { return answered_; }
  const std::vector<MirroredOutput>& outputs() const { return outputs_; }
  // In the order the windows appeared.
  std::vector<WindowHandle> windows() const { return order_; }
  // Front to back as far as the compositor tells: its own order where it tells one (GNOME),
  // otherwise the last raised or added first. Some (KWin 5.27) do not show the stacking order,
  // so activation stands in for it.
  std::vector<WindowHandle> frontToBack() const { return stacking_; }
  const MirroredWindow* window(WindowHandle handle) const;
  std::optional<WindowHandle> handleOf(const std::string& id) const;
  std::optional<WindowHandle> active() const { return handleOf(activeId_); }
  // The compositor's coordinates.
  std::optional<Point> cursor() const { return cursor_; }

  // A frame Dovrik asked for, taken as granted until the compositor reports the one it chose.
  void setFrameOptimistically(WindowHandle handle, const Rect& frame);

  Signal<> answeredChanged;
  Signal<> outputsChanged;
  // A window appeared after the first report of everything.
  Signal<const MirroredWindow&> windowAdded;
  // A known window changed: its title may come only after it appeared.
  Signal<const MirroredWindow&> windowChanged;
  Signal<MovePhase, WindowHandle> moved;

 private:
  WindowHandle numberFor(const std::string& id);
  void store(const MirroredWindow& window, bool raise);
  void raise(WindowHandle handle);

  bool answered_ = false;
  std::vector<MirroredOutput> outputs_;
  std::map<WindowHandle, MirroredWindow> windows_;
  std::vector<WindowHandle> order_;
  std::vector<WindowHandle> stacking_;
  std::map<std::string, WindowHandle> numbers_;
  WindowHandle nextNumber_ = 1;
  // The id of an active window not reported yet waits for it.
  std::string activeId_;
  std::optional<Point> cursor_;
};

}  // namespace dovrik::mirror
