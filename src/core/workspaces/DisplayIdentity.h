// Stable names for the connected displays: each screen's display UUID, the signature of the
// whole set, and the texts that describe a set to the user.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/Screens.h"
#include "core/workspaces/Workspace.h"

namespace dovrik {

class DisplayIdentity {
 public:
  // The UUIDs of the screens that have one, sorted bytewise and joined with "|"; empty when
  // none has one. Independent of which screen is primary and of the platform's order.
  static std::string signature(const std::vector<Screen>& screens);
  // Read afresh on every call; never cached.
  static std::string currentSignature(Screens& screens);
  // The first screen, in the platform's order, whose UUID equals `uuid` exactly.
  static std::optional<Screen> screenForUuid(Screens& screens, std::string_view uuid);

  // "Unknown display setup", "1 display", "3 displays"; empty pieces are not counted.
  static std::string describe(std::string_view signature);
  // "1 display is connected", "3 displays are connected".
  static std::string displayConnectionPhrase(const Workspace& workspace);
  // "5 windows · 3 apps · 2 displays", with " · not connected" when the workspace's displays
  // are not the current ones.
  static std::string summary(const Workspace& workspace, std::string_view currentSignature);
  // The description of the current displays, numbered from 2 when that name is taken.
  static std::string defaultName(const std::vector<Workspace>& workspaces,
                                 std::string_view currentSignature);
};

}  // namespace dovrik
