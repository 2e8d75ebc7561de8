// A confirmation dialog the settings window asks before something that cannot be undone.
#pragma once

#include <string>

namespace dovrik {

struct Confirmation {
  std::string title;
  // Empty when the dialog has none.
  std::string message;
  std::string confirmButton;  // destructive
  std::string cancelButton = "Cancel";
  friend bool operator==(const Confirmation&, const Confirmation&) = default;
};

}  // namespace dovrik
