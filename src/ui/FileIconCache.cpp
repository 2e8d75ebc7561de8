// Looking up a shelf file's icon once; thumbnails come from the shared decoder.
#include "ui/FileIconCache.h"

#include <QApplication>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

#include "ui/ThumbnailCache.h"

namespace dovrik::ui {
namespace {

constexpr double thumbnailRadius = 4;

QIcon themeIcon(const QMimeType& type, bool isDirectory) {
  for (const QString& name :
       {type.iconName(), type.genericIconName(),
        isDirectory ? QStringLiteral("folder") : QStringLiteral("text-x-generic")}) {
    if (QIcon icon = QIcon::fromTheme(name); !icon.isNull())
      return icon;
  }
  return QApplication::style()->standardIcon(isDirectory ? QStyle::SP_DirIcon
                                                         : QStyle::SP_FileIcon);
}

}  // namespace

FileIconCache::FileIconCache(ThumbnailCache& thumbnails) : thumbnails_(thumbnails) {}

const FileIconCache::Look& FileIconCache::lookUp(const FileShelfItem& item) {
  const QString path = QString::fromStdString(item.path());
  if (auto found = looks_.constFind(path); found != looks_.constEnd())
    return *found;
  // A missing file still gets the icon its name suggests.
  const QMimeType type = item.isDirectory
                             ? mimeTypes_.mimeTypeForName(QStringLiteral("inode/directory"))
                             : mimeTypes_.mimeTypeForFile(path, QMimeDatabase::MatchDefault);
  const bool isImage =
      !item.isDirectory && QImageReader::supportedMimeTypes().contains(type.name().toLatin1());
  return *looks_.insert(path, Look{themeIcon(type, item.isDirectory), isImage});
}

QIcon FileIconCache::icon(const FileShelfItem& item) {
  return lookUp(item).icon;
}

void FileIconCache::paint(QPainter& painter, const QRectF& box, const FileShelfItem& item,
                          qreal pixelRatio) {
  const Look& look = lookUp(item);
  if (look.isImage && item.isReachable) {
    const QImage thumbnail =
        thumbnails_.fileThumbnail(QString::fromStdString(item.path()), pixelRatio);
    if (!thumbnail.isNull()) {
      QPainterPath clip;
      clip.addRoundedRect(box, thumbnailRadius, thumbnailRadius);
      painter.save();
      painter.setRenderHint(QPainter::Antialiasing);
      painter.setClipPath(clip);
      painter.drawImage(box, thumbnail);
      painter.restore();
      return;
    }
  }
  look.icon.paint(&painter, box.toAlignedRect());
}

}  // namespace dovrik::ui
