// The look of Dovrik's small stand-alone windows (relocation, updates): the theme's surface,
// a heading, secondary text, a danger line and rounded buttons with one accented primary.
#pragma once

#include <QPalette>
#include <QString>

#include "core/theme/ColorScheme.h"

namespace dovrik::ui {

// A style sheet for object names "heading", "explanation", "failure" (labels) and "primary"
// (the default button).
QString standaloneWindowStyle(ColorScheme scheme, const QPalette& palette);

}  // namespace dovrik::ui
