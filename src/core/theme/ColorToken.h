// The names of the theme's colours, apart from their values, so views can name a colour
// without the rest of the theme.
#pragma once

namespace dovrik {

// Every colour token except the accent, which is the system's own.
enum class ColorToken {
  surface,
  hover,
  selection,
  hairline,
  border,
  textPrimary,
  textSecondary,
  textTertiary,
  success,
  warning,
  danger,
  // The window's own background, under the cards: darker than a card in both appearances, so
  // cards read as raised.
  page,
};

}  // namespace dovrik
