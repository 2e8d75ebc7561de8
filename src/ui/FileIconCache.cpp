// Looking up a shelf file's icon once.
#include "ui/FileIconCache.h"

#include <QApplication>
#include <QStyle>

namespace dovrik::ui {

QIcon FileIconCache::icon(const FileShelfItem& item) {
  const QString path = QString::fromStdString(item.path());
  if (auto found = icons_.constFind(path); found != icons_.constEnd())
    return *found;
  // A missing file still gets the icon its name suggests.
  const QMimeType type = item.isDirectory
                             ? mimeTypes_.mimeTypeForName(QStringLiteral("inode/directory"))
                             : mimeTypes_.mimeTypeForFile(path, QMimeDatabase::MatchDefault);
  QIcon icon = QIcon::fromTheme(type.iconName());
  if (icon.isNull())
    icon = QIcon::fromTheme(type.genericIconName());
  if (icon.isNull()) {
    icon = QApplication::style()->standardIcon(item.isDirectory ? QStyle::SP_DirIcon
                                                                : QStyle::SP_FileIcon);
  }
  icons_.insert(path, icon);
  return icon;
}

}  // namespace dovrik::ui
