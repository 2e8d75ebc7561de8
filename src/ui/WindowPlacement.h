// Where Dovrik's own stand-alone windows appear, and how they come to the front.
#pragma once

#include <QWidget>

namespace dovrik::ui {

// Centres `window` on the screen that holds the pointer, the one the user looks at.
void centreOnPointerScreen(QWidget& window);

// Raises `window`, shown already, and makes it the active window.
void bringToFront(QWidget& window);

}  // namespace dovrik::ui
