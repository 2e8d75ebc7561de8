// The first-run window. The core decides when it opens and when it closes; the view shows the
// model it is handed and reports when it has gone, by the user's hand or the core's.
#pragma once

#include "core/support/Signal.h"

namespace dovrik {

class OnboardingModel;

class OnboardingWindow {
 public:
  virtual ~OnboardingWindow() = default;

  // Builds the window over `model` when none is open, centres it on the screen under the
  // pointer and brings it to the front as the active window. Asked again while it is open, it
  // brings the same window to the front.
  virtual void show(OnboardingModel& model) = 0;
  // Closes the window once the caller has returned; `closed` follows.
  virtual void dismiss() = 0;

  // The window has gone; the view has let go of the model.
  Signal<> closed;
};

}  // namespace dovrik
