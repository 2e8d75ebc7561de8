// Line drawings in the manner of the system symbols: round caps, a stroke that grows with the
// box, filled shapes where the symbol's name says "fill".
#include "ui/PopupSymbols.h"

#include <QPainterPath>
#include <QPainterPathStroker>
#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>

namespace dovrik::ui {
namespace {

using Drawing = void (*)(QPainter&, const QRectF&, const QColor&);

double strokeFor(const QRectF& box) {
  return std::max(1.2, box.width() / 11);
}

QPen linePen(const QRectF& box, const QColor& color) {
  return QPen(color, strokeFor(box), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPointF at(const QRectF& box, double fx, double fy) {
  return {box.left() + fx * box.width(), box.top() + fy * box.height()};
}

// A path through points given as fractions of the box.
QPainterPath pathThrough(const QRectF& box, std::initializer_list<std::pair<double, double>> points,
                         bool closed) {
  QPainterPath path;
  for (const auto& [fx, fy] : points) {
    if (path.elementCount() == 0)
      path.moveTo(at(box, fx, fy));
    else
      path.lineTo(at(box, fx, fy));
  }
  if (closed)
    path.closeSubpath();
  return path;
}

void drawClipboard(QPainter& p, const QRectF& b, const QColor& c) {
  const double s = strokeFor(b);
  p.setPen(linePen(b, c));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(at(b, 0.18, 0.14), at(b, 0.82, 0.95)), s * 1.4, s * 1.4);
  p.setBrush(c);
  p.drawRoundedRect(QRectF(at(b, 0.35, 0.05), at(b, 0.65, 0.22)), s, s);
}

void drawMagnifyingGlass(QPainter& p, const QRectF& b, const QColor& c) {
  p.setPen(linePen(b, c));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(at(b, 0.08, 0.08), at(b, 0.68, 0.68)));
  p.drawLine(at(b, 0.62, 0.62), at(b, 0.92, 0.92));
}

void drawXmark(QPainter& p, const QRectF& b, const QColor& c) {
  p.setPen(linePen(b, c));
  p.drawLine(at(b, 0.2, 0.2), at(b, 0.8, 0.8));
  p.drawLine(at(b, 0.8, 0.2), at(b, 0.2, 0.8));
}

// The cross is cut out of the disc, so whatever lies beneath shows through it.
void drawXmarkCircleFill(QPainter& p, const QRectF& b, const QColor& c) {
  QPainterPath disc;
  disc.addEllipse(b);
  QPainterPath cross;
  cross.moveTo(at(b, 0.34, 0.34));
  cross.lineTo(at(b, 0.66, 0.66));
  cross.moveTo(at(b, 0.66, 0.34));
  cross.lineTo(at(b, 0.34, 0.66));
  QPainterPathStroker stroker;
  stroker.setWidth(strokeFor(b) * 1.1);
  stroker.setCapStyle(Qt::RoundCap);
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawPath(disc.subtracted(stroker.createStroke(cross)));
}

void drawChevron(QPainter& p, const QRectF& b, const QColor& c, bool down) {
  const double top = down ? 0.36 : 0.64;
  const double tip = down ? 0.66 : 0.34;
  p.setPen(linePen(b, c));
  p.setBrush(Qt::NoBrush);
  const std::array<QPointF, 3> points{at(b, 0.18, top), at(b, 0.5, tip), at(b, 0.82, top)};
  p.drawPolyline(points.data(), static_cast<int>(points.size()));
}

void drawChevronDown(QPainter& p, const QRectF& b, const QColor& c) {
  drawChevron(p, b, c, true);
}

void drawChevronUp(QPainter& p, const QRectF& b, const QColor& c) {
  drawChevron(p, b, c, false);
}

// An open tray seen from the front: a box whose upper edge dips where things are put in.
void drawTray(QPainter& p, const QRectF& b, const QColor& c) {
  const double s = strokeFor(b);
  p.setPen(linePen(b, c));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(at(b, 0.08, 0.2), at(b, 0.92, 0.85)), s * 1.5, s * 1.5);
  const QPainterPath slot = pathThrough(
      b, {{0.08, 0.55}, {0.32, 0.55}, {0.38, 0.66}, {0.62, 0.66}, {0.68, 0.55}, {0.92, 0.55}},
      false);
  p.drawPath(slot);
}

// Two chain links on the diagonal.
void drawLink(QPainter& p, const QRectF& b, const QColor& c) {
  p.save();
  p.translate(b.center());
  p.rotate(-45);
  p.setPen(linePen(b, c));
  p.setBrush(Qt::NoBrush);
  const double w = b.width() * 0.5;
  const double h = b.height() * 0.3;
  p.drawRoundedRect(QRectF(-w * 0.95, -h / 2, w, h), h / 2, h / 2);
  p.drawRoundedRect(QRectF(-w * 0.05, -h / 2, w, h), h / 2, h / 2);
  p.restore();
}

void drawDocText(QPainter& p, const QRectF& b, const QColor& c) {
  p.setPen(linePen(b, c));
  p.setBrush(Qt::NoBrush);
  const QPainterPath page =
      pathThrough(b, {{0.2, 0.06}, {0.6, 0.06}, {0.82, 0.28}, {0.82, 0.94}, {0.2, 0.94}}, true);
  p.drawPath(page);
  for (double y : {0.45, 0.6, 0.75})
    p.drawLine(at(b, 0.34, y), at(b, y < 0.7 ? 0.68 : 0.56, y));
}

void drawPhoto(QPainter& p, const QRectF& b, const QColor& c) {
  const double s = strokeFor(b);
  p.setPen(linePen(b, c));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(at(b, 0.06, 0.16), at(b, 0.94, 0.84)), s * 1.5, s * 1.5);
  const QPainterPath hills =
      pathThrough(b, {{0.14, 0.76}, {0.4, 0.46}, {0.58, 0.64}, {0.68, 0.54}, {0.86, 0.76}}, true);
  p.setBrush(c);
  p.drawPath(hills);
  p.drawEllipse(QRectF(at(b, 0.66, 0.26), at(b, 0.78, 0.38)));
}

// A push pin leaning to the right: head, collar and needle.
void drawPin(QPainter& p, const QRectF& b, const QColor& c) {
  p.save();
  p.translate(b.center());
  p.rotate(40);
  p.translate(-b.center());
  p.setPen(linePen(b, c));
  p.setBrush(c);
  const QPainterPath head = pathThrough(
      b, {{0.34, 0.08}, {0.66, 0.08}, {0.62, 0.42}, {0.74, 0.56}, {0.26, 0.56}, {0.38, 0.42}},
      true);
  p.drawPath(head);
  p.drawLine(at(b, 0.5, 0.56), at(b, 0.5, 0.95));
  p.restore();
}

void drawTrash(QPainter& p, const QRectF& b, const QColor& c) {
  const double s = strokeFor(b);
  p.setPen(linePen(b, c));
  p.setBrush(Qt::NoBrush);
  p.drawLine(at(b, 0.12, 0.22), at(b, 0.88, 0.22));
  p.drawLine(at(b, 0.4, 0.08), at(b, 0.6, 0.08));
  p.drawRoundedRect(QRectF(at(b, 0.22, 0.22), at(b, 0.78, 0.94)), s, s);
  p.drawLine(at(b, 0.42, 0.38), at(b, 0.42, 0.78));
  p.drawLine(at(b, 0.58, 0.38), at(b, 0.58, 0.78));
}

constexpr std::array<std::pair<std::string_view, Drawing>, 12> drawings{{
    {"clipboard", drawClipboard},
    {"magnifyingglass", drawMagnifyingGlass},
    {"xmark", drawXmark},
    {"xmark.circle.fill", drawXmarkCircleFill},
    {"chevron.down", drawChevronDown},
    {"chevron.up", drawChevronUp},
    {"tray", drawTray},
    {"link", drawLink},
    {"doc.text", drawDocText},
    {"photo", drawPhoto},
    {"pin.fill", drawPin},
    {"trash", drawTrash},
}};

Drawing drawingFor(std::string_view name) {
  const auto found = std::find_if(drawings.begin(), drawings.end(),
                                  [&](const auto& entry) { return entry.first == name; });
  return found == drawings.end() ? nullptr : found->second;
}

}  // namespace

bool hasPopupSymbol(std::string_view name) {
  return drawingFor(name) != nullptr;
}

void paintPopupSymbol(QPainter& painter, std::string_view name, const QRectF& box,
                      const QColor& color) {
  const Drawing drawing = drawingFor(name);
  if (!drawing)
    return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  drawing(painter, box, color);
  painter.restore();
}

}  // namespace dovrik::ui
