// How long an animated snap takes.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace dovrik {

enum class AnimationSpeed { slow, normal, fast };

inline constexpr std::array<AnimationSpeed, 3> allAnimationSpeeds = {
    AnimationSpeed::slow, AnimationSpeed::normal, AnimationSpeed::fast};

std::string_view rawValue(AnimationSpeed speed);
std::optional<AnimationSpeed> animationSpeedFromRawValue(std::string_view text);
double animationDuration(AnimationSpeed speed);
// Any text that is not a speed's raw value counts as "Normal".
double animationDurationForRawValue(std::string_view text);

}  // namespace dovrik
