// The stand-alone windows' style sheets, from the theme's colours and the desktop's accent.
#include "ui/StandaloneWindowStyle.h"

#include "ui/KeyboardFocusRing.h"
#include "ui/ThemeColors.h"
#include "ui/X11WindowSupport.h"

namespace dovrik::ui {
namespace {

QString colorName(ColorToken token, ColorScheme scheme) {
  return themeColor(token, scheme).name(QColor::HexArgb);
}

// `overlay` drawn over the opaque `base`.
QColor composited(const QColor& base, const QColor& overlay) {
  const float alpha = overlay.alphaF();
  const auto mix = [alpha](float under, float over) { return under + (over - under) * alpha; };
  return QColor::fromRgbF(mix(base.redF(), overlay.redF()), mix(base.greenF(), overlay.greenF()),
                          mix(base.blueF(), overlay.blueF()));
}

}  // namespace

QColor standaloneWindowBackground(ColorScheme scheme) {
  return composited(themeColor(ColorToken::surface, scheme),
                    themeColor(ColorToken::selection, scheme));
}

QString standaloneButtonStyle(ColorScheme scheme, const QPalette& palette) {
  const QColor accent = accentColor(palette);
  return QStringLiteral(
             "QPushButton { color: %1; background: %2; border: 1px solid %3;"
             " border-radius: 6px; padding: 6px 16px; font-size: 13px; min-width: 64px;"
             " outline: none; }"
             "QPushButton:hover { border-color: %4; }"
             "QPushButton:disabled { color: %5; }"
             "QPushButton#primary { color: %6; background: %4; border-color: %4;"
             " font-weight: 600; }"
             "QPushButton#primary:hover { background: %7; border-color: %7; }"
             "QPushButton#primary:disabled { color: %5; background: %3; border-color: %3; }"
             "QPushButton[%8=\"true\"], QPushButton#primary[%8=\"true\"]"
             " { border: 2px solid %9; padding: 5px 15px; }")
      .arg(colorName(ColorToken::textPrimary, scheme), colorName(ColorToken::surface, scheme),
           colorName(ColorToken::border, scheme), accent.name(),
           colorName(ColorToken::textTertiary, scheme), onAccentColor(palette).name(),
           accent.lighter(112).name(), QString::fromLatin1(KeyboardFocusRing::property),
           scheme == ColorScheme::dark ? accent.lighter(150).name() : accent.darker(140).name());
}

QString standaloneWindowStyle(ColorScheme scheme, const QPalette& palette) {
  return QStringLiteral(
             "QWidget { background: %1; }"
             "QLabel { color: %2; }"
             "QLabel#heading { font-size: 17px; font-weight: 700; }"
             "QLabel#explanation { color: %3; font-size: 13px; }"
             "QLabel#failure { color: %4; font-size: 13px; }"
             "#releaseNotesArea { border: 1px solid %6; border-radius: 8px; padding: 6px; }"
             "#releaseNotesArea, #releaseNotesArea QWidget { background: %5; }"
             "QLabel#releaseNotes { font-size: 12px; }"
             "QLineEdit { color: %2; background: %5; border: 1px solid %7; border-radius: 6px;"
             " padding: 5px 8px; font-size: 13px; selection-background-color: %8;"
             " selection-color: %9; }"
             "QLineEdit:focus { border-color: %8; }")
             .arg(standaloneWindowBackground(scheme).name(),
                  colorName(ColorToken::textPrimary, scheme),
                  colorName(ColorToken::textSecondary, scheme),
                  colorName(ColorToken::danger, scheme), colorName(ColorToken::surface, scheme),
                  colorName(ColorToken::hairline, scheme), colorName(ColorToken::border, scheme),
                  accentColor(palette).name(), onAccentColor(palette).name()) +
         standaloneButtonStyle(scheme, palette);
}

void applyStandaloneStyle(QWidget& window, const QString& styleSheet) {
  window.setStyleSheet(styleSheet);
  KeyboardFocusRing::install(window);
}

void presentStandalone(QWidget& window, const QString& title, QWidget& focus) {
  window.adjustSize();
  setExactTitle(window, title);
  centreOnPointerScreen(window);
  window.show();
  focus.setFocus(Qt::OtherFocusReason);
  bringForwardAndActivate(window);
}

void placeDialogButton(QDialogButtonBox& box, QPushButton& button,
                       QDialogButtonBox::ButtonRole role) {
  if (role == QDialogButtonBox::AcceptRole) {
    button.setObjectName(QStringLiteral("primary"));
    button.setDefault(true);
  }
  box.addButton(&button, role);
}

QPushButton* addDialogButton(QDialogButtonBox& box, const QString& text,
                             QDialogButtonBox::ButtonRole role) {
  // Not a standard button of the box's own: those carry the style's stock icons.
  auto* button = new QPushButton(text, &box);
  button->setAccessibleName(text);
  placeDialogButton(box, *button, role);
  return button;
}

}  // namespace dovrik::ui
