// The settings window. The core decides when it opens and on which panel; the view builds the
// window over the content it is handed and reports when the user closes it.
#pragma once

#include "core/support/Signal.h"

namespace dovrik {

class SettingsContent;

class SettingsWindow {
 public:
  virtual ~SettingsWindow() = default;

  // Builds the window over `content` when none is open, centres it on the screen under the
  // pointer and brings it to the front as the active window. Asked again while it is open, it
  // shows the same window.
  virtual void show(SettingsContent& content) = 0;

  // The user closed the window; the view has let go of the content.
  Signal<> closed;
};

}  // namespace dovrik
