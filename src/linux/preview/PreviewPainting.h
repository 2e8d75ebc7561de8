// What a snap-preview adapter that draws its own picture is handed by the desktop's assembly:
// where a desktop frame lies in the compositor's coordinates, and how the views paint it.
#pragma once

#include <functional>

#include <QSize>

#include "core/platform/Geometry.h"
#include "core/platform/OverlaySurface.h"

class QPainter;

namespace dovrik::preview {

// Carries a frame from desktop space to the compositor's logical coordinates (y down). The
// desktop's adapters know how the outputs are laid out.
using DesktopToCompositor = std::function<Rect(const Rect&)>;
// Paints the content, fully opaque, into a picture of the window's size; the look belongs to
// the views.
using Painter = std::function<void(QPainter&, const QSize&, const OverlayContent&)>;

}  // namespace dovrik::preview
