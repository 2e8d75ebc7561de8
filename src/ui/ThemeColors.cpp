// Converting theme values to Qt colours.
#include "ui/ThemeColors.h"

#include <optional>

#include "core/theme/Theme.h"

namespace dovrik::ui {

QColor toQColor(const Rgba& rgba) {
  return QColor::fromRgbF(rgba.red / 255.0F, rgba.green / 255.0F, rgba.blue / 255.0F,
                          static_cast<float>(rgba.alpha));
}

QColor themeColor(ColorToken token, ColorScheme scheme) {
  return toQColor(Theme::color(token, scheme));
}

QColor accentColor(const QPalette& palette) {
  return palette.color(QPalette::Active, QPalette::Highlight);
}

QColor onAccentColor(const QPalette& palette) {
  const QColor accent = accentColor(palette).toRgb();
  std::optional<Rgba> rgba;
  if (accent.isValid())
    rgba = Rgba{static_cast<std::uint8_t>(accent.red()), static_cast<std::uint8_t>(accent.green()),
                static_cast<std::uint8_t>(accent.blue()), accent.alphaF()};
  return toQColor(Theme::onAccent(rgba));
}

QString thinScrollBarStyle(ColorScheme scheme) {
  return QStringLiteral(
             "QScrollBar:vertical { background: transparent; width: 8px; margin: 2px; }"
             "QScrollBar::handle:vertical { background: %1; border-radius: 2px;"
             " min-height: 24px; }"
             "QScrollBar::add-line, QScrollBar::sub-line { height: 0; }"
             "QScrollBar::add-page, QScrollBar::sub-page { background: none; }")
      .arg(themeColor(ColorToken::textTertiary, scheme).name(QColor::HexArgb));
}

void paintThemedCard(QPainter& painter, const QRectF& box, ColorScheme scheme,
                     double surfaceAlpha) {
  QColor surface = themeColor(ColorToken::surface, scheme);
  surface.setAlphaF(static_cast<float>(surfaceAlpha * surface.alphaF()));
  const double radius = Theme::cardCornerRadius;
  const double half = Theme::cardOutlineWidth / 2;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(themeColor(ColorToken::hairline, scheme), Theme::cardOutlineWidth));
  painter.setBrush(surface);
  painter.drawRoundedRect(box.adjusted(half, half, -half, -half), radius, radius);
  painter.restore();
}

}  // namespace dovrik::ui
