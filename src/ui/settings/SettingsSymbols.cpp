// Line drawings of the settings symbols, scaled to the box they are given.
#include "ui/settings/SettingsSymbols.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/menubar/MenuBarController.h"
#include "ui/SymbolIcon.h"

namespace dovrik::ui {
namespace {

void drawGear(QPainter& p, const QRectF& box, const QColor& color) {
  const QPointF c = box.center();
  const double outer = box.width() / 2;
  const double inner = outer * 0.72;
  QPainterPath gear;
  constexpr int teeth = 8;
  for (int i = 0; i < teeth * 2; ++i) {
    const double r = i % 2 == 0 ? outer : inner;
    for (int side = 0; side < 2; ++side) {
      const double a = (i + side * 0.9 - 0.45) * std::numbers::pi / teeth;
      const QPointF at(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
      if (i == 0 && side == 0)
        gear.moveTo(at);
      else
        gear.lineTo(at);
    }
  }
  gear.closeSubpath();
  gear.addEllipse(c, outer * 0.3, outer * 0.3);
  gear.setFillRule(Qt::OddEvenFill);
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawPath(gear);
}

void drawKeyboard(QPainter& p, const QRectF& box, const QColor& color) {
  const QRectF body(box.left(), box.top() + box.height() * 0.2, box.width(), box.height() * 0.6);
  const double r = box.width() / 10;
  QPainterPath path;
  path.addRoundedRect(body, r, r);
  const double key = body.width() / 9;
  for (int rowIndex = 0; rowIndex < 2; ++rowIndex) {
    for (int i = 0; i < 4; ++i)
      path.addRect(QRectF(body.left() + key * (1 + 2 * i), body.top() + key * (1 + 1.6 * rowIndex),
                          key, key));
  }
  path.addRect(QRectF(body.left() + key * 2, body.bottom() - key * 1.8, key * 5, key * 0.9));
  path.setFillRule(Qt::OddEvenFill);
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawPath(path);
}

void drawWarning(QPainter& p, const QRectF& box, const QColor& color) {
  QPainterPath path;
  path.moveTo(box.center().x(), box.top() + box.height() * 0.05);
  path.lineTo(box.right(), box.bottom() - box.height() * 0.05);
  path.lineTo(box.left(), box.bottom() - box.height() * 0.05);
  path.closeSubpath();
  const double w = box.width() / 10;
  path.addRect(
      QRectF(box.center().x() - w / 2, box.top() + box.height() * 0.35, w, box.height() * 0.3));
  path.addRect(QRectF(box.center().x() - w / 2, box.top() + box.height() * 0.72, w, w));
  path.setFillRule(Qt::OddEvenFill);
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawPath(path);
}

void drawCheckCircle(QPainter& p, const QRectF& box, const QColor& color) {
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawEllipse(box);
  p.setPen(
      QPen(QColor(255, 255, 255), box.width() / 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  const double w = box.width();
  p.drawPolyline(QPolygonF({QPointF(box.left() + w * 0.28, box.top() + w * 0.52),
                            QPointF(box.left() + w * 0.44, box.top() + w * 0.68),
                            QPointF(box.left() + w * 0.72, box.top() + w * 0.34)}));
}

void drawCounterclockwise(QPainter& p, const QRectF& box, const QColor& color) {
  const double stroke = std::max(1.5, box.width() / 9);
  p.setPen(QPen(color, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  const QRectF ring = box.adjusted(stroke, stroke, -stroke, -stroke);
  p.drawArc(ring, 120 * 16, -300 * 16);
  const QPointF tip(ring.center().x() + ring.width() / 2 * std::cos(2 * std::numbers::pi / 3),
                    ring.center().y() - ring.height() / 2 * std::sin(2 * std::numbers::pi / 3));
  const double arm = box.width() * 0.28;
  p.drawLine(tip, tip + QPointF(arm, 0));
  p.drawLine(tip, tip + QPointF(0, -arm));
}

void drawArrowsSquare(QPainter& p, const QRectF& box, const QColor& color) {
  const double stroke = std::max(1.5, box.width() / 12);
  p.setPen(QPen(color, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  const QRectF square = box.adjusted(stroke, stroke, -stroke, -stroke);
  p.drawRoundedRect(square, stroke * 2, stroke * 2);
  const double y = square.center().y();
  const double l = square.left() + square.width() * 0.2;
  const double r = square.right() - square.width() * 0.2;
  const double h = square.width() * 0.15;
  p.drawLine(QPointF(l, y), QPointF(r, y));
  p.drawPolyline(QPolygonF({QPointF(l + h, y - h), QPointF(l, y), QPointF(l + h, y + h)}));
  p.drawPolyline(QPolygonF({QPointF(r - h, y - h), QPointF(r, y), QPointF(r - h, y + h)}));
}

void drawCheckmark(QPainter& p, const QRectF& box, const QColor& color) {
  const double w = box.width();
  p.setPen(QPen(color, std::max(1.5, w / 8), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(QPolygonF({QPointF(box.left() + w * 0.12, box.top() + w * 0.55),
                            QPointF(box.left() + w * 0.38, box.top() + w * 0.8),
                            QPointF(box.left() + w * 0.88, box.top() + w * 0.2)}));
}

void drawEllipsis(QPainter& p, const QRectF& box, const QColor& color) {
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  const double r = box.width() / 11;
  for (const double x : {0.18, 0.5, 0.82})
    p.drawEllipse(QPointF(box.left() + box.width() * x, box.center().y()), r, r);
}

// An application window seen as a tile: a filled title bar over an open body. A plain filled
// square would read as a ticked check box.
void drawApp(QPainter& p, const QRectF& box, const QColor& color) {
  const double stroke = std::max(1.5, box.width() / 11);
  const QRectF tile = box.adjusted(stroke / 2, stroke / 2, -stroke / 2, -stroke / 2);
  const double r = tile.width() / 5;
  p.setPen(QPen(color, stroke));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(tile, r, r);
  QPainterPath bar;
  bar.addRoundedRect(tile, r, r);
  QPainterPath top;
  top.addRect(QRectF(tile.left(), tile.top(), tile.width(), tile.height() * 0.3));
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawPath(bar.intersected(top));
}

// The application tile with a round badge holding a check mark on its top-right corner, set
// off from the tile by a gap.
void drawAppWithCheck(QPainter& p, const QRectF& box, const QColor& color) {
  const double w = box.width();
  drawApp(p, QRectF(box.left(), box.top() + w * 0.2, w * 0.8, w * 0.8), color);
  const QPointF centre(box.right() - w * 0.22, box.top() + w * 0.22);
  const double badge = w * 0.22;
  p.setCompositionMode(QPainter::CompositionMode_Clear);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  p.drawEllipse(centre, badge + w * 0.07, badge + w * 0.07);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.setBrush(color);
  p.drawEllipse(centre, badge, badge);
  p.setCompositionMode(QPainter::CompositionMode_Clear);
  p.setPen(QPen(Qt::black, w / 14, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(
      QPolygonF({centre + QPointF(-badge * 0.5, 0), centre + QPointF(-badge * 0.12, badge * 0.4),
                 centre + QPointF(badge * 0.5, -badge * 0.4)}));
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void drawHand(QPainter& p, const QRectF& box, const QColor& color) {
  const double stroke = std::max(1.5, box.width() / 10);
  p.setPen(QPen(color, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QPainterPath wave;
  wave.moveTo(box.left(), box.bottom() - box.height() * 0.2);
  wave.cubicTo(box.left() + box.width() * 0.3, box.top(), box.left() + box.width() * 0.6,
               box.bottom(), box.right(), box.top() + box.height() * 0.2);
  p.setBrush(Qt::NoBrush);
  p.drawPath(wave);
}

void drawCorners(QPainter& p, const QRectF& box, const QColor& color) {
  const double stroke = std::max(1.5, box.width() / 10);
  p.setPen(QPen(color, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  const double a = box.width() * 0.3;
  const QRectF b = box.adjusted(stroke, stroke, -stroke, -stroke);
  for (const auto& [corner, dx, dy] :
       {std::tuple{b.topLeft(), 1, 1}, std::tuple{b.topRight(), -1, 1},
        std::tuple{b.bottomLeft(), 1, -1}, std::tuple{b.bottomRight(), -1, -1}}) {
    p.drawLine(corner, corner + QPointF(dx * a, 0));
    p.drawLine(corner, corner + QPointF(0, dy * a));
  }
}

}  // namespace

QPixmap settingsSymbolPixmap(std::string_view name, const QColor& color, int size) {
  QPixmap pixmap(size * 2, size * 2);
  pixmap.setDevicePixelRatio(2);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF box(size / 12.0, size / 12.0, size * 10 / 12.0, size * 10 / 12.0);
  if (name == "gearshape.fill")
    drawGear(p, box, color);
  else if (name == "keyboard.fill")
    drawKeyboard(p, box, color);
  else if (name == "exclamationmark.triangle.fill")
    drawWarning(p, box, color);
  else if (name == "checkmark.circle.fill")
    drawCheckCircle(p, box, color);
  else if (name == "arrow.counterclockwise")
    drawCounterclockwise(p, box, color);
  else if (name == "arrow.left.and.right.square")
    drawArrowsSquare(p, box, color);
  else if (name == "checkmark")
    drawCheckmark(p, box, color);
  else if (name == "ellipsis")
    drawEllipsis(p, box, color);
  else if (name == "app.fill")
    drawApp(p, box, color);
  else if (name == "app.badge.checkmark")
    drawAppWithCheck(p, box, color);
  else if (name == "hand.draw")
    drawHand(p, box, color);
  else if (name == "arrow.up.left.and.down.right.and.arrow.up.right.and.down.left")
    drawCorners(p, box, color);
  else {
    // The status item's group stands for the Snapping panel too.
    const std::string_view drawn =
        name == "rectangle.3.group.fill" ? MenuBarController::statusItemSymbol : name;
    p.drawPixmap(QRect(0, 0, size, size), symbolIcon(drawn, color).pixmap(size * 2, size * 2));
  }
  return pixmap;
}

}  // namespace dovrik::ui
