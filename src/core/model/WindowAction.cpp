// Names of the window commands.
#include "core/model/WindowAction.h"

namespace dovrik {

std::string_view rawValue(WindowAction action) {
  switch (action) {
    case WindowAction::nextDisplay:
      return "Next Display";
    case WindowAction::previousDisplay:
      return "Previous Display";
    case WindowAction::restore:
      return "Restore";
  }
  return {};
}

std::string_view icon(WindowAction action) {
  switch (action) {
    case WindowAction::nextDisplay:
      return "display.arrow.right";
    case WindowAction::previousDisplay:
      return "display.arrow.left";
    case WindowAction::restore:
      return "arrow.uturn.backward";
  }
  return {};
}

std::optional<WindowAction> windowActionFromRawValue(std::string_view text) {
  for (const WindowAction action : allWindowActions) {
    if (rawValue(action) == text)
      return action;
  }
  return std::nullopt;
}

}  // namespace dovrik
