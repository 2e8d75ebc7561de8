// Pictures of shelf files: a thumbnail for an image file that is still there, otherwise the
// icon the icon theme has for the file's type, looked up once per path for the rest of the run.
#pragma once

#include <QHash>
#include <QIcon>
#include <QMimeDatabase>

#include "core/shelf/FileShelfItem.h"

class QPainter;
class QRectF;

namespace dovrik::ui {

class ThumbnailCache;

class FileIconCache {
 public:
  static constexpr int iconSize = 20;

  // `thumbnails` outlives the cache; it announces when a file's picture becomes ready.
  explicit FileIconCache(ThumbnailCache& thumbnails);

  // The theme's icon for the file's type: its own, its family's, a plain document or folder,
  // and the style's generic page only when the theme has none of those.
  QIcon icon(const FileShelfItem& item);
  // Draws the file's thumbnail, or its icon while the thumbnail decodes and for other files.
  void paint(QPainter& painter, const QRectF& box, const FileShelfItem& item, qreal pixelRatio);

 private:
  struct Look {
    QIcon icon;
    bool isImage = false;
  };
  const Look& lookUp(const FileShelfItem& item);

  ThumbnailCache& thumbnails_;
  QMimeDatabase mimeTypes_;
  QHash<QString, Look> looks_;
};

}  // namespace dovrik::ui
