// A rounded tile in Dovrik's blue holding a screen split as its snaps split it: a tall left half
// and two quarters on the right.
#include "ui/AppIcon.h"

#include <QDir>
#include <QFileInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace dovrik::ui {

void paintAppIcon(QPainter& painter, qreal size) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);

  // Icons of the freedesktop themes leave a small margin around the tile.
  const qreal margin = size * 0.06;
  const QRectF tile(margin, margin, size - 2 * margin, size - 2 * margin);
  QLinearGradient blue(tile.topLeft(), tile.bottomLeft());
  blue.setColorAt(0, QColor(0x3d, 0x8b, 0xfd));
  blue.setColorAt(1, QColor(0x1f, 0x5f, 0xd6));
  painter.setBrush(blue);
  painter.drawRoundedRect(tile, tile.width() * 0.22, tile.width() * 0.22);

  const qreal inset = tile.width() * 0.2;
  const QRectF screen = tile.adjusted(inset, inset, -inset, -inset);
  const qreal gap = screen.width() * 0.08;
  const qreal radius = screen.width() * 0.07;
  const qreal halfWidth = (screen.width() - gap) / 2;
  const qreal halfHeight = (screen.height() - gap) / 2;
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(QRectF(screen.left(), screen.top(), halfWidth, screen.height()), radius,
                          radius);
  painter.setBrush(QColor(255, 255, 255, 200));
  const qreal right = screen.left() + halfWidth + gap;
  painter.drawRoundedRect(QRectF(right, screen.top(), halfWidth, halfHeight), radius, radius);
  painter.drawRoundedRect(QRectF(right, screen.top() + halfHeight + gap, halfWidth, halfHeight),
                          radius, radius);
  painter.restore();
}

QPixmap appIcon(int size, qreal scale) {
  QPixmap pixmap(QSize(size, size) * scale);
  pixmap.setDevicePixelRatio(scale);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  paintAppIcon(painter, size);
  return pixmap;
}

QIcon applicationIcon(const QString& iconValue) {
  if (QDir::isAbsolutePath(iconValue)) {
    if (QFileInfo::exists(iconValue))
      return QIcon(iconValue);
  } else if (!iconValue.isEmpty()) {
    if (QIcon icon = QIcon::fromTheme(iconValue); !icon.isNull())
      return icon;
    for (const char* suffix : {".png", ".svg", ".xpm"}) {
      const QString pixmap =
          QStringLiteral("/usr/share/pixmaps/") + iconValue + QLatin1String(suffix);
      if (QFileInfo::exists(pixmap))
        return QIcon(pixmap);
    }
  }
  return QIcon::fromTheme(QStringLiteral("application-x-executable"));
}

}  // namespace dovrik::ui
