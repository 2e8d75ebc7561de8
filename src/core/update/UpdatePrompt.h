// What the update window shows: the answer of a check or of an installation, in the user's
// words, with the buttons it offers.
#pragma once

#include <optional>
#include <string>

namespace dovrik {

struct UpdatePrompt {
  enum class Kind {
    upToDate,
    // A newer version; `canInstall` tells whether this copy may replace itself.
    available,
    installing,
    failed,
  };
  Kind kind = Kind::upToDate;
  std::string title;
  std::string message;
  // The newer version's release notes, when it is one.
  std::string releaseNotes;
  // "Install and Relaunch" when the update can be installed; otherwise "OK".
  std::string primaryButton;
  // "Later" next to "Install and Relaunch"; none otherwise.
  std::optional<std::string> secondaryButton;
  bool canInstall = false;

  friend bool operator==(const UpdatePrompt&, const UpdatePrompt&) = default;
};

}  // namespace dovrik
