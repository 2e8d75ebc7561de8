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
