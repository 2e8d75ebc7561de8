// Raw values and durations of the animation speeds.
#include "core/model/AnimationSpeed.h"

namespace dovrik {

std::string_view rawValue(AnimationSpeed speed) {
  switch (speed) {
    case AnimationSpeed::slow:
      return "Slow";
    case AnimationSpeed::fast:
      return "Fast";
    case AnimationSpeed::normal:
      break;
  }
  return "Normal";
}

std::optional<AnimationSpeed> animationSpeedFromRawValue(std::string_view text) {
  for (AnimationSpeed s : allAnimationSpeeds) {
    if (rawValue(s) == text)
      return s;
  }
  return std::nullopt;
}

double animationDuration(AnimationSpeed speed) {
  switch (speed) {
    case AnimationSpeed::slow:
      return 0.5;
    case AnimationSpeed::fast:
      return 0.12;
    case AnimationSpeed::normal:
      break;
  }
  return 0.25;
}

double animationDurationForRawValue(std::string_view text) {
  return animationDuration(animationSpeedFromRawValue(text).value_or(AnimationSpeed::normal));
}

}  // namespace dovrik
