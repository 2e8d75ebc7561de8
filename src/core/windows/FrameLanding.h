// Whether a window reached the frame Dovrik asked for. Window managers apply a move when they
// get to it, and some never do: a tiling manager keeps its tiles where its layout puts them.
// A placement counts as done only once the window is seen there.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>

#include "core/platform/Accessibility.h"
#include "core/platform/Geometry.h"
#include "core/platform/Scheduler.h"
#include "core/support/Lifetime.h"

namespace dovrik {

// How a watched placement ended.
struct Landing {
  enum class Outcome {
    landed,
    missed,    // the window stayed away from the frame
    vanished,  // the window closed first: nothing the user needs to hear about
  };
  Outcome outcome = Outcome::landed;
  // Where the window stayed when it missed.
  std::optional<Rect> frame = std::nullopt;

  bool missed() const { return outcome == Outcome::missed; }
};

class FrameLanding {
 public:
  using Done = std::function<void(const Landing&)>;

  // Often enough that a command's answer does not keep a script waiting; long enough for a
  // window manager that is busy redrawing, or a compositor that answers over a bus.
  static constexpr double pollInterval = 0.05;
  static constexpr double patience = 1.0;

  FrameLanding(Scheduler& scheduler, Accessibility& accessibility)
      : scheduler_(scheduler), accessibility_(accessibility) {}
  FrameLanding(const FrameLanding&) = delete;
  FrameLanding& operator=(const FrameLanding&) = delete;
  ~FrameLanding();

  // Calls `done` once: as soon as `window` holds `target` (accessibility space), or when
  // patience runs out. A window already there is answered before this returns.
  void watch(AXElement window, const Rect& target, Done done);
  // A newer placement of the window takes over: the watch still open for it ends as landed,
  // since what it asked for was carried out and then superseded.
  void supersede(AXElement window);

 private:
  struct Watch {
    Rect target;
    Done done;
    TaskId poll = 0;
    int pollsLeft = 0;
  };

  void schedulePoll(std::uint64_t handle, Watch& watch);
  void check(std::uint64_t handle);
  void finish(std::uint64_t handle, const Landing& landing);

  Scheduler& scheduler_;
  Accessibility& accessibility_;
  std::map<std::uint64_t, Watch> watches_;
  Lifetime lifetime_;
};

}  // namespace dovrik
