// The one set of design values Dovrik's own windows draw with: colour tokens with a light and a
// dark value, the text colour on the accent, the card look and the named animations.
#pragma once

#include <optional>

#include "core/theme/Animation.h"
#include "core/theme/ColorScheme.h"
#include "core/theme/ColorToken.h"
#include "core/theme/Rgba.h"

namespace dovrik {

namespace Theme {

Rgba color(ColorToken token, ColorScheme scheme);

// The text colour drawn on the accent: black on a light accent, white on a dark one. An accent
// that could not be read as sRGB counts as light.
Rgba onAccent(std::optional<Rgba> accent);
// Perceived lightness 0 to 1 (0.299 R + 0.587 G + 0.114 B) above which text on it is black.
inline constexpr double onAccentThreshold = 0.62;
// Black or white, whichever reads better on an opaque `fill` (a destructive button's).
Rgba textOn(Rgba fill);

// WCAG 2's relative luminance of an opaque sRGB colour, 0 (black) to 1 (white).
double relativeLuminance(Rgba color);
// The WCAG contrast ratio of two opaque colours, from 1 to 21; text needs 4.5 to be readable.
double contrastRatio(Rgba first, Rgba second);

// Cards: surface background, rounded corners, a hairline drawn inside the edge.
inline constexpr double cardCornerRadius = 10;
inline constexpr double cardOutlineWidth = 1;

namespace Motion {
inline constexpr TimedAnimation hover{AnimationCurve::easeOut, 0.12};
inline constexpr SpringAnimation toggle{0.24, 0.78, 0};
// Insertions into and removals from lists in the settings window and the popup.
inline constexpr SpringAnimation listChange{0.3, 0.82, 0};
}  // namespace Motion

}  // namespace Theme
}  // namespace dovrik
