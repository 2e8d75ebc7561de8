// Drawings of the symbols the clipboard popup shows, painted straight into a box so rows and
// buttons draw them at any size and in the colour of the moment.
#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <string_view>

namespace dovrik::ui {

bool hasPopupSymbol(std::string_view name);
// Draws nothing for a name without a drawing.
void paintPopupSymbol(QPainter& painter, std::string_view name, const QRectF& box,
                      const QColor& color);

}  // namespace dovrik::ui
