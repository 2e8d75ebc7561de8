// dovrik-icons: writes Dovrik's icon into a freedesktop icon theme folder, as a scalable SVG and
// as PNGs of the sizes desktops ask for, all drawn by the same painter the program uses.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>

#include "ui/AppIcon.h"

namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
constexpr int kScalableSize = 128;

bool writeSvg(const QString& path, const QString& title) {
  QSvgGenerator svg;
  svg.setFileName(path);
  svg.setSize(QSize(kScalableSize, kScalableSize));
  svg.setViewBox(QRect(0, 0, kScalableSize, kScalableSize));
  svg.setTitle(title);
  QPainter painter;
  if (!painter.begin(&svg))
    return false;
  dovrik::ui::paintAppIcon(painter, kScalableSize);
  return painter.end();
}

bool writePng(const QString& path, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  dovrik::ui::paintAppIcon(painter, size);
  painter.end();
  return image.save(path, "PNG");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: dovrik-icons THEME_FOLDER ICON_NAME\n", stderr);
    return 2;
  }
  QGuiApplication app(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const QString name = QString::fromLocal8Bit(argv[2]);
  const auto place = [&](const QString& sizeFolder, const QString& suffix) {
    const QString apps = folder + '/' + sizeFolder + "/apps";
    QDir().mkpath(apps);
    return apps + '/' + name + suffix;
  };
  bool written = writeSvg(place("scalable", ".svg"), QStringLiteral("Dovrik"));
  for (const int size : kSizes)
    written = writePng(place(QStringLiteral("%1x%1").arg(size), ".png"), size) && written;
  if (!written) {
    std::fprintf(stderr, "dovrik-icons: could not write the icons into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
