// The application's font family at the popup's sizes.
#include "ui/PopupFonts.h"

#include <QApplication>

namespace dovrik::ui {

QFont popupFont(int pixelSize, bool semibold) {
  QFont font = QApplication::font();
  font.setPixelSize(pixelSize);
  if (semibold)
    font.setWeight(QFont::DemiBold);
  return font;
}

}  // namespace dovrik::ui
