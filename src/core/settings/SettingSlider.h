// A labelled slider of the settings window: its range, its steps and the text of its value.
#pragma once

#include <string>
#include <string_view>

namespace dovrik {

struct SettingSlider {
  std::string_view label;
  double minimum = 0;
  double maximum = 1;
  // Zero for a slider that moves freely.
  double step = 0;
  std::string_view unit;
  int decimals = 0;

  // The value on the slider: inside the range, on the nearest step.
  double clamp(double value) const;
  // With no decimals the value truncated to a whole number, else with that many decimals;
  // then the unit with no space ("48px", "0.06s").
  std::string valueText(double value) const;
  // A fraction as a whole percentage ("35%").
  static std::string percentText(double fraction);
};

}  // namespace dovrik
