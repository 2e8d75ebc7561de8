// The arithmetic of putting a saved window back: which live window it takes, and where that
// window lands inside the display's visible frame.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/Geometry.h"
#include "core/workspaces/Workspace.h"

namespace dovrik {

// A frame as fractions of a visible frame, and back; both in desktop space.
Rect fractionsOf(const Rect& frame, const Rect& visibleFrame);
Rect frameFromFractions(const Rect& fractions, const Rect& visibleFrame);

// At least 120 × 80 unless the visible frame is smaller, never larger than it, and pushed back
// inside it rather than shrunk when it overhangs.
Rect clampToVisibleFrame(const Rect& target, const Rect& visibleFrame);

// The live window a saved one takes: the first unclaimed window with its exact title, else
// its saved index if that one is free, else the first unclaimed window; nothing when every
// live window is claimed. `liveTitles` holds "" for a title that cannot be read.
std::optional<std::size_t> matchIndex(const WorkspaceWindow& saved,
                                      const std::vector<std::string>& liveTitles,
                                      const std::vector<bool>& claimed);

}  // namespace dovrik
