// What Dovrik's own floating windows share on an X11 desktop: where a frame in X root
// coordinates lies in Qt's space, whether a compositing manager runs, and the timing curves
// the core names.
#pragma once

#include <QEasingCurve>
#include <QRect>
#include <QWidget>

#include "core/platform/Geometry.h"
#include "core/theme/Animation.h"

namespace dovrik::ui {

// X root coordinates are device pixels; Qt places windows in its own device-independent
// global space, where each screen keeps its top-left corner and scales by its pixel ratio.
QRect rootToQt(const Rect& root);

// Whether a compositing manager owns the screen of Qt's X connection, so that translucency and
// fades can be shown. True off X11, where the platform composites windows itself.
bool isCompositing();

QEasingCurve easingFor(AnimationCurve curve);

// Asks the window manager to activate `window`, shown already, as a pager would
// (`_NET_ACTIVE_WINDOW` with source 2): Qt's own request says it comes from the application,
// which focus-stealing prevention may refuse. False off X11, where nothing was asked.
bool askWindowManagerToActivate(QWidget& window);

// Moves `window` so that it is centred on the usable area of the screen under the pointer
// (else the primary screen).
void centreOnPointerScreen(QWidget& window);

// Raises `window`, shown already, and makes it the active window: through the window manager
// as a pager would, else through Qt.
void bringForwardAndActivate(QWidget& window);

// Gives `window` exactly `title` on X11, where Qt would append the application's name to a
// title that does not end with it.
void setExactTitle(QWidget& window, const QString& title);

}  // namespace dovrik::ui
