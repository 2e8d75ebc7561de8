// What Dovrik remembers of the windows it placed: where each one was before the first of a run
// of placements, and where Dovrik last put it. A window still where Dovrik put it can be given
// its old frame back; one the user has moved or resized since is the user's again.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "core/platform/Geometry.h"

namespace dovrik {

// Whether a window's frame is the one it was asked to take. Terminals and other programs that
// size in character cells round the size down to whole cells, and some window managers move
// a window by a few pixels to fit its decoration; neither is the user's doing.
bool hasTakenFrame(const Rect& actual, const Rect& requested);

class PlacedFrames {
 public:
  // Records that `window`, now at `current`, is being placed at `placed`. The frame from before
  // is kept across placements that follow one another, so that a window snapped twice still
  // returns to where the user had it.
  void notePlacement(std::uint64_t window, const Rect& current, const Rect& placed);
  // The frame `window` had before Dovrik placed it, while it is still where Dovrik put it (at
  // `current`); nothing once the user has moved or resized it, or Dovrik never placed it.
  std::optional<Rect> frameBefore(std::uint64_t window, const Rect& current) const;
  void forget(std::uint64_t window);

 private:
  struct Placement {
    Rect before;
    Rect placed;
  };

  std::map<std::uint64_t, Placement> placements_;
};

}  // namespace dovrik
