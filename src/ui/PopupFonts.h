// The popup's type sizes, in pixels so that the layout holds whatever the desktop's point
// size is.
#pragma once

#include <QFont>

namespace dovrik::ui {

QFont popupFont(int pixelSize, bool semibold = false);

}  // namespace dovrik::ui
