// dovrik-grab: saves the whole X screen as a PNG, for the headless demo's screenshots.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: dovrik-grab OUTPUT.png\n", stderr);
    return 2;
  }
  QGuiApplication app(argc, argv);
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) {
    std::fputs("dovrik-grab: no screen\n", stderr);
    return 1;
  }
  // Window 0 is the root window: everything on the screen, whatever the window manager.
  const QPixmap shot = screen->grabWindow(0);
  if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "dovrik-grab: could not save %s\n", argv[1]);
    return 1;
  }
  return 0;
}
