// The colour table and the text-on-accent rule.
#include "core/theme/Theme.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace dovrik {
namespace {

struct TokenColors {
  Rgba light;
  Rgba dark;
};

// Indexed by ColorToken, in its order.
constexpr std::array<TokenColors, 12> tokenColors{{
    {{255, 255, 255, 1}, {28, 31, 36, 1}},     // surface
    {{0, 0, 0, 0.04}, {255, 255, 255, 0.05}},  // hover
    {{0, 0, 0, 0.07}, {255, 255, 255, 0.09}},  // selection
    {{227, 230, 234, 1}, {44, 48, 55, 1}},     // hairline
    {{216, 220, 226, 1}, {52, 57, 65, 1}},     // border
    {{20, 23, 26, 1}, {242, 244, 247, 1}},     // textPrimary
    {{90, 97, 107, 1}, {155, 163, 174, 1}},    // textSecondary
    {{106, 113, 123, 1}, {133, 141, 152, 1}},  // textTertiary
    {{30, 127, 79, 1}, {70, 200, 138, 1}},     // success
    {{162, 91, 16, 1}, {232, 150, 60, 1}},     // warning
    {{192, 57, 43, 1}, {240, 107, 92, 1}},     // danger
    {{245, 246, 248, 1}, {18, 20, 24, 1}},     // page
}};

static_assert(static_cast<std::size_t>(ColorToken::page) + 1 == tokenColors.size());

}  // namespace

double Theme::relativeLuminance(Rgba color) {
  const auto linear = [](double channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(color.red) + 0.7152 * linear(color.green) + 0.0722 * linear(color.blue);
}

double Theme::contrastRatio(Rgba first, Rgba second) {
  const double a = relativeLuminance(first);
  const double b = relativeLuminance(second);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

Rgba Theme::textOn(Rgba fill) {
  const Rgba black{0, 0, 0, 1};
  const Rgba white{255, 255, 255, 1};
  return contrastRatio(black, fill) > contrastRatio(white, fill) ? black : white;
}

Rgba Theme::color(ColorToken token, ColorScheme scheme) {
  const TokenColors& colors = tokenColors[static_cast<std::size_t>(token)];
  return scheme == ColorScheme::dark ? colors.dark : colors.light;
}

Rgba Theme::onAccent(std::optional<Rgba> accent) {
  double lightness = 1.0;
  if (accent)
    lightness = (0.299 * accent->red + 0.587 * accent->green + 0.114 * accent->blue) / 255.0;
  return lightness > onAccentThreshold ? Rgba{0, 0, 0, 1} : Rgba{255, 255, 255, 1};
}

}  // namespace dovrik
