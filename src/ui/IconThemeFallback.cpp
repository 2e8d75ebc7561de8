// Qt on a desktop without a platform theme (openbox, XDG_CURRENT_DESKTOP unset) reports
// "hicolor", which holds applications' icons but no file-type icons at all.
#include "ui/IconThemeFallback.h"

#include <QDirIterator>
#include <QIcon>
#include <QStandardPaths>
#include <QStringList>

namespace dovrik::ui {
namespace {

// Every full freedesktop theme has it. Themes are judged by their files: asking Qt would
// cache the miss, and Qt does not look again once a fallback is set.
const QStringList probeFiles{QStringLiteral("text-x-generic.png"),
                             QStringLiteral("text-x-generic.svg"),
                             QStringLiteral("text-x-generic.svgz")};

// Full themes, in order of preference; each inherits hicolor, so applications' own icons are
// still found through it.
const QStringList fullThemes{QStringLiteral("breeze"),  QStringLiteral("Adwaita"),
                             QStringLiteral("Papirus"), QStringLiteral("elementary"),
                             QStringLiteral("gnome"),   QStringLiteral("Tango")};

// The folder under `folders` that holds `theme` with file-type icons, if any.
QString folderWithFileTypeIcons(const QString& theme, const QStringList& folders) {
  if (theme.isEmpty())
    return {};
  for (const QString& folder : folders) {
    QDirIterator files(folder + QLatin1Char('/') + theme, probeFiles, QDir::Files,
                       QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
    if (files.hasNext())
      return folder;
  }
  return {};
}

}  // namespace

void installIconThemeFallback() {
  const QStringList searched = QIcon::themeSearchPaths();
  if (!folderWithFileTypeIcons(QIcon::themeName(), searched).isEmpty() ||
      !folderWithFileTypeIcons(QIcon::fallbackThemeName(), searched).isEmpty())
    return;
  // Platforms without a theme of their own (offscreen, minimal) search only Qt's resources;
  // the freedesktop folders are where the installed themes are.
  QStringList folders = searched;
  for (const QString& folder :
       QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                 QStandardPaths::LocateDirectory)) {
    if (!folders.contains(folder))
      folders.append(folder);
  }
  for (const QString& theme : fullThemes) {
    const QString folder = folderWithFileTypeIcons(theme, folders);
    if (folder.isEmpty())
      continue;
    if (!searched.contains(folder))
      QIcon::setThemeSearchPaths(searched + QStringList{folder});
    QIcon::setFallbackThemeName(theme);
    return;
  }
}

}  // namespace dovrik::ui
