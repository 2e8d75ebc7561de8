// Animations as plain numbers, for views to hand to their toolkit's animation classes.
#pragma once

namespace dovrik {

enum class AnimationCurve { easeIn, easeOut, easeInOut };

// A fixed-length animation along a timing curve.
struct TimedAnimation {
  AnimationCurve curve = AnimationCurve::easeInOut;
  double duration = 0;  // seconds
};

// A spring: the time of one undamped oscillation, how strongly it is damped (1 = no
// overshoot), and how long a new target blends into a running animation.
struct SpringAnimation {
  double response = 0;  // seconds
  double dampingFraction = 1;
  double blendDuration = 0;  // seconds
};

}  // namespace dovrik
