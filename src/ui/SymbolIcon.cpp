// Draws the status-item glyph and the snap-position symbols at the sizes trays and menus ask
// for.
#include "ui/SymbolIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <algorithm>
#include <optional>

#include "core/menubar/MenuBarController.h"
#include "core/model/SnapPosition.h"
#include "core/model/WindowAction.h"
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

std::optional<WindowAction> actionWithIcon(std::string_view name) {
  for (WindowAction action : allWindowActions) {
    if (icon(action) == name)
      return action;
  }
  return std::nullopt;
}

// The outline of a screen that every window symbol sits in; answers the area inside it.
QRectF drawScreen(QPainter& p, const QRectF& box, const QColor& color) {
  const double stroke = std::max(1.0, box.width() / 14);
  const QRectF screen = box.adjusted(stroke / 2, box.height() / 8 + stroke / 2, -stroke / 2,
                                     -box.height() / 8 - stroke / 2);
  p.setPen(QPen(color, stroke));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(screen, stroke, stroke);
  return screen.adjusted(stroke * 1.5, stroke * 1.5, -stroke * 1.5, -stroke * 1.5);
}

// A screen outline with the position's share of it filled, from the same geometry that
// places the window.
void drawPosition(QPainter& p, const QRectF& box, SnapPosition position, const QColor& color) {
  const QRectF inner = drawScreen(p, box, color);
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

// A screen with an arrow across it: to the next or the previous screen; or a hooked arrow
// turning back: where the window was.
void drawWindowAction(QPainter& p, const QRectF& box, WindowAction action, const QColor& color) {
  const QRectF inner = drawScreen(p, box, color);
  const double stroke = std::max(1.0, box.width() / 10);
  p.setPen(QPen(color, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  const double head = inner.height() * 0.4;
  const double midY = inner.center().y();
  if (action == WindowAction::restore) {
    const QRectF hook(inner.left() + inner.width() * 0.3, inner.top() + inner.height() * 0.1,
                      inner.width() * 0.45, inner.height() * 0.8);
    QPainterPath path(QPointF(hook.left(), hook.top()));
    path.lineTo(hook.center().x(), hook.top());
    path.arcTo(
        QRectF(hook.center().x() - hook.width() / 2, hook.top(), hook.width(), hook.height()), 90,
        -180);
    path.lineTo(hook.left(), hook.bottom());
    p.drawPath(path);
    p.drawPolyline(QPolygonF({QPointF(hook.left() + head * 0.7, hook.top() - head * 0.6),
                              QPointF(hook.left(), hook.top()),
                              QPointF(hook.left() + head * 0.7, hook.top() + head * 0.6)}));
    return;
  }
  const double sign = action == WindowAction::nextDisplay ? 1 : -1;
  const double from = inner.center().x() - sign * inner.width() * 0.3;
  const double to = inner.center().x() + sign * inner.width() * 0.3;
  p.drawLine(QPointF(from, midY), QPointF(to, midY));
  p.drawPolyline(QPolygonF({QPointF(to - sign * head * 0.8, midY - head), QPointF(to, midY),
                            QPointF(to - sign * head * 0.8, midY + head)}));
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
  const std::optional<WindowAction> action = actionWithIcon(name);
  if (!position && !action && name != MenuBarController::statusItemSymbol && name != layoutSymbol &&
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
    else if (action)
      drawWindowAction(painter, box, *action, color);
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
