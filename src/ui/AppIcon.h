// Dovrik's application icon, drawn by Dovrik itself: the windows of its own windows, and the
// source of the installed icon files.
#pragma once

#include <QPixmap>
#include <QtGlobal>

class QPainter;

namespace dovrik::ui {

// Paints the icon filling a square of `size` device-independent pixels at the origin.
void paintAppIcon(QPainter& painter, qreal size);
// The icon as a pixmap of `size` logical pixels at the device pixel ratio `scale`.
QPixmap appIcon(int size, qreal scale = 1.0);

}  // namespace dovrik::ui
