// Draws the status-item glyph and the snap-position symbols at the sizes trays and menus ask
// for.
#include "ui/SymbolIcon.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <optional>

#include "core/menubar/MenuBarController.h"
#include "core/model/SnapPosition.h"

namespace dovrik::ui {
namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64};

std::optional<SnapPosition> positionWithIcon(std::string_view name) {
  for (SnapPosition position : allSnapPositions) {
    if (icon(position) == name)
      return position;
  }
  return std::nullopt;
}

// Three rounded tiles: a tall one on the left, two stacked on the right.
void drawGroup(QPainter& p, const QRectF& box, const QColor& color) {
  const double gap = box.width() / 10;
  const double half = (box.width() - gap) / 2;
  const double radius = box.width() / 14;
  const double stroke = std::max(1.0, box.width() / 14);
  p.setPen(QPen(color, stroke));
  p.setBrush(Qt::NoBrush);
  const double inset = stroke / 2;
  const QRectF tall(box.left() + inset, box.top() + inset, half - stroke, box.height() - stroke);
  const double rightX = box.left() + half + gap + inset;
  const double rowH = (box.height() - gap) / 2;
  const QRectF top(rightX, box.top() + inset, half - stroke, rowH - stroke);
  const QRectF bottom(rightX, box.top() + rowH + gap + inset, half - stroke, rowH - stroke);
  p.drawRoundedRect(tall, radius, radius);
  p.setBrush(color);
  p.drawRoundedRect(top, radius, radius);
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(bottom, radius, radius);
}

// A screen outline with the position's share of it filled, from the same geometry that
// places the window.
void drawPosition(QPainter& p, const QRectF& box, SnapPosition position, const QColor& color) {
  const double stroke = std::max(1.0, box.width() / 14);
  const QRectF screen = box.adjusted(stroke / 2, box.height() / 8 + stroke / 2, -stroke / 2,
                                     -box.height() / 8 - stroke / 2);
  p.setPen(QPen(color, stroke));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(screen, stroke, stroke);
  const QRectF inner = screen.adjusted(stroke * 1.5, stroke * 1.5, -stroke * 1.5, -stroke * 1.5);
  const Rect unit{0, 0, 1, 1};
  const Rect share = targetFrame(position, unit);
  // The geometry is y-up; the picture is y-down.
  const QRectF fill(inner.left() + share.x * inner.width(),
                    inner.top() + (1 - share.maxY()) * inner.height(), share.width * inner.width(),
                    share.height * inner.height());
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawRect(fill);
}

}  // namespace

QIcon symbolIcon(std::string_view name, const QColor& color) {
  const std::optional<SnapPosition> position = positionWithIcon(name);
  if (!position && name != MenuBarController::statusItemSymbol)
    return {};
  QIcon result;
  for (int size : kSizes) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(size / 16.0, size / 16.0, size * 14 / 16.0, size * 14 / 16.0);
    if (position)
      drawPosition(painter, box, *position, color);
    else
      drawGroup(painter, box, color);
    painter.end();
    result.addPixmap(pixmap);
  }
  return result;
}

}  // namespace dovrik::ui
