// Application icons: Dovrik's own, drawn by Dovrik itself (the windows of its own windows, and
// the source of the installed icon files), and other applications' icons by their desktop
// entries' `Icon` value.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QtGlobal>

class QPainter;

namespace dovrik::ui {

// Paints the icon filling a square of `size` device-independent pixels at the origin.
void paintAppIcon(QPainter& painter, qreal size);
// The icon as a pixmap of `size` logical pixels at the device pixel ratio `scale`.
QPixmap appIcon(int size, qreal scale = 1.0);
// Another application's icon from the `Icon` value of its desktop entry: a file when it is a
// path, else the icon theme (with its fallback, so hicolor's applications are found on every
// desktop), else the legacy pixmaps folder, else the theme's generic program icon.
QIcon applicationIcon(const QString& iconValue);

}  // namespace dovrik::ui
