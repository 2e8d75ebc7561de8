// Where Dovrik's own stand-alone windows appear, and how they come to the front.
#include "ui/WindowPlacement.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include "ui/X11WindowSupport.h"

namespace dovrik::ui {

void centreOnPointerScreen(QWidget& window) {
  QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
  if (!screen)
    screen = QGuiApplication::primaryScreen();
  if (!screen)
    return;
  QRect box = window.frameGeometry();
  box.moveCenter(screen->availableGeometry().center());
  window.move(box.topLeft());
}

void bringToFront(QWidget& window) {
  window.raise();
  // Focus-stealing prevention may refuse an application's own request; a pager's request
  // (source 2) is what window managers honour for a window the user asked for.
  if (!askWindowManagerToActivate(window))
    window.activateWindow();
}

}  // namespace dovrik::ui
