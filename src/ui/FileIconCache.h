// Icons of shelf files from the icon theme by MIME type, a generic file or folder icon when the
// theme has none, kept per path for the rest of the run.
#pragma once

#include <QHash>
#include <QIcon>
#include <QMimeDatabase>

#include "core/shelf/FileShelfItem.h"

namespace dovrik::ui {

class FileIconCache {
 public:
  static constexpr int iconSize = 20;

  QIcon icon(const FileShelfItem& item);

 private:
  QMimeDatabase mimeTypes_;
  QHash<QString, QIcon> icons_;
};

}  // namespace dovrik::ui
