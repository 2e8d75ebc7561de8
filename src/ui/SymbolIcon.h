// Dovrik's own drawings of the symbol names the core gives its items, in one colour like a
// template image, so they suit light and dark panels and menus alike.
#pragma once

#include <QColor>
#include <QIcon>
#include <string_view>

namespace dovrik::ui {

// A null icon for a name without a drawing.
QIcon symbolIcon(std::string_view name, const QColor& color);

}  // namespace dovrik::ui
