// Slider values and their texts.
#include "core/settings/SettingSlider.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace dovrik {

double SettingSlider::clamp(double value) const {
  if (std::isnan(value))
    return minimum;
  double v = std::clamp(value, minimum, maximum);
  if (step > 0)
    v = std::min(maximum, minimum + std::round((v - minimum) / step) * step);
  return v;
}

std::string SettingSlider::valueText(double value) const {
  if (decimals == 0)
    return std::to_string(static_cast<long long>(std::trunc(value))) + std::string(unit);
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text + std::string(unit);
}

std::string SettingSlider::percentText(double fraction) {
  return std::to_string(std::lround(fraction * 100)) + "%";
}

}  // namespace dovrik
