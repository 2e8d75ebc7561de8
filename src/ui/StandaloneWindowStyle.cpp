// The stand-alone windows' style sheet, from the theme's colours and the desktop's accent.
#include "ui/StandaloneWindowStyle.h"

#include "ui/ThemeColors.h"

namespace dovrik::ui {
namespace {

QString colorName(ColorToken token, ColorScheme scheme) {
  return themeColor(token, scheme).name(QColor::HexArgb);
}

}  // namespace

QString standaloneWindowStyle(ColorScheme scheme, const QPalette& palette) {
  return QStringLiteral(
             "QWidget { background: %1; }"
             "QLabel#heading { color: %2; font-size: 17px; font-weight: 600; }"
             "QLabel#explanation { color: %3; font-size: 13px; }"
             "QLabel#failure { color: %4; font-size: 13px; }"
             "QPlainTextEdit { color: %2; background: transparent; border: 1px solid %5;"
             " border-radius: 6px; font-size: 12px; }"
             "QPushButton { color: %2; background: transparent; border: 1px solid %5;"
             " border-radius: 6px; padding: 6px 14px; font-size: 13px; }"
             "QPushButton:focus { border-color: %6; }"
             "QPushButton#primary { color: %7; background: %6; border-color: %6; }"
             "QPushButton#primary:disabled { color: %3; background: %5; border-color: %5; }")
      .arg(colorName(ColorToken::surface, scheme), colorName(ColorToken::textPrimary, scheme),
           colorName(ColorToken::textSecondary, scheme), colorName(ColorToken::danger, scheme),
           colorName(ColorToken::border, scheme), accentColor(palette).name(),
           onAccentColor(palette).name());
}

}  // namespace dovrik::ui
