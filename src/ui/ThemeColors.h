// The theme's colour values as Qt colours, the accent the desktop's palette gives, and the
// card look. Only the colour names come in here, so views that also see the platform's
// headers can use it.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPalette>
#include <QRectF>
#include <QString>

#include "core/theme/ColorScheme.h"
#include "core/theme/ColorToken.h"
#include "core/theme/Rgba.h"

namespace dovrik::ui {

QColor toQColor(const Rgba& rgba);
QColor themeColor(ColorToken token, ColorScheme scheme);
// The desktop's accent is the palette's highlight colour.
QColor accentColor(const QPalette& palette);
// Black or white, whichever reads on the accent.
QColor onAccentColor(const QPalette& palette);
// A thin scroll bar with a handle in the tertiary text colour, for lists on themed panels.
QString thinScrollBarStyle(ColorScheme scheme);
// The card look over `box`: the surface colour at `surfaceAlpha`, rounded corners and a
// hairline drawn inside the edge.
void paintThemedCard(QPainter& painter, const QRectF& box, ColorScheme scheme,
                     double surfaceAlpha = 1);

}  // namespace dovrik::ui
