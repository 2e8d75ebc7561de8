// Draws the status-item glyph and the snap-position symbols at the sizes trays and menus ask
// for.
#include "ui/SymbolIcon.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <optional>

#include "core/menubar/MenuBarController.h"
#include "core/model/SnapPosition.h"
#include "ui/PopupSymbols.h"

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

// A saved layout: a window in front of another that lies tilted behind it.
void drawLayout(QPainter& p, const QRectF& box, const QColor& color) {
  const double stroke = std::max(1.0, box.width() / 14);
  p.setPen(QPen(color, stroke));
  const QRectF front(box.left() + stroke, box.top() + box.height() * 0.35, box.width() * 0.7,
                     box.height() * 0.55);
  p.save();
  p.translate(box.center());
  p.rotate(-12);
  p.translate(-box.center());
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(front.translated(box.width() * 0.22, -box.height() * 0.25), stroke, stroke);
  p.restore();
  p.setBrush(color);
  p.drawRoundedRect(front, stroke, stroke);
}

void drawPlus(QPainter& p, const QRectF& box, const QColor& color) {
  p.setPen(QPen(color, std::max(1.0, box.width() / 8), Qt::SolidLine, Qt::RoundCap));
  const QPointF c = box.center();
  const double arm = box.width() * 0.4;
  p.drawLine(QPointF(c.x() - arm, c.y()), QPointF(c.x() + arm, c.y()));
  p.drawLine(QPointF(c.x(), c.y() - arm), QPointF(c.x(), c.y() + arm));
}

constexpr std::string_view layoutSymbol = "rectangle.on.rectangle.angled";
constexpr std::string_view plusSymbol = "plus";

}  // namespace

QIcon symbolIcon(std::string_view name, const QColor& color) {
  const std::optional<SnapPosition> position = positionWithIcon(name);
  if (!position && name != MenuBarController::statusItemSymbol && name != layoutSymbol &&
      name != plusSymbol && !hasPopupSymbol(name))
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
    else if (name == layoutSymbol)
      drawLayout(painter, box, color);
    else if (name == plusSymbol)
      drawPlus(painter, box, color);
    else if (hasPopupSymbol(name))
      paintPopupSymbol(painter, name, box, color);
    else
      drawGroup(painter, box, color);
    painter.end();
    result.addPixmap(pixmap);
  }
  return result;
}

}  // namespace dovrik::ui
