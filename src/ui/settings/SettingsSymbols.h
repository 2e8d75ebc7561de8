// The symbols of the settings window's headers, rows and warnings, drawn by Dovrik itself;
// names the popup and the menu draw already come from their painters.
#pragma once

#include <QColor>
#include <QPixmap>
#include <string_view>

namespace dovrik::ui {

// A transparent pixmap `size` pixels square for a name without a drawing.
QPixmap settingsSymbolPixmap(std::string_view name, const QColor& color, int size);

}  // namespace dovrik::ui
