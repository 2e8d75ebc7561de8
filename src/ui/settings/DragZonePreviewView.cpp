// Paints the zones of the miniature in the accent colour over a screen outline.
#include "ui/settings/DragZonePreviewView.h"

#include <QPainter>

#include "ui/PopupFonts.h"
#include "ui/ThemeColors.h"

namespace dovrik::ui {
namespace {

constexpr double kWidth = 320;

QRectF toQt(const Rect& rect, const QPointF& origin) {
  return {origin.x() + rect.x, origin.y() + rect.y, rect.width, rect.height};
}

}  // namespace

DragZonePreviewView::DragZonePreviewView(std::function<DragZonePreview(double)> preview,
                                         ColorScheme scheme, QWidget* parent)
    : QWidget(parent), preview_(std::move(preview)), scheme_(scheme) {
  setFixedHeight(static_cast<int>(preview_(kWidth).size.height) + 24);
  setAccessibleName(QStringLiteral("Zone preview"));
}

void DragZonePreviewView::paintEvent(QPaintEvent*) {
  const DragZonePreview preview = preview_(kWidth);
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF origin((width() - preview.size.width) / 2, 12);
  const QRectF screen(origin, QSizeF(preview.size.width, preview.size.height));
  p.setPen(QPen(themeColor(ColorToken::border, scheme_), 1));
  p.setBrush(themeColor(ColorToken::hover, scheme_));
  p.drawRoundedRect(screen, 6, 6);
  p.save();
  p.setClipRect(screen);
  QColor edge = accentColor(palette());
  edge.setAlphaF(0.22F);
  QColor corner = accentColor(palette());
  corner.setAlphaF(0.45F);
  p.setPen(Qt::NoPen);
  p.setBrush(edge);
  for (const Rect& band : preview.edgeBands)
    p.drawRect(toQt(band, origin));
  p.setBrush(corner);
  for (const Rect& square : preview.cornerSquares)
    p.drawRect(toQt(square, origin));
  p.restore();
  if (preview.notice) {
    p.setPen(themeColor(ColorToken::textSecondary, scheme_));
    p.setFont(popupFont(13));
    p.drawText(
        screen, Qt::AlignCenter,
        QString::fromUtf8(preview.notice->data(), static_cast<qsizetype>(preview.notice->size())));
  }
}

}  // namespace dovrik::ui
