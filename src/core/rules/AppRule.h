// An application rule: snap this application's window to a position when it is launched; with
// the stored JSON form of a list of them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/SnapPosition.h"
#include "core/platform/Uuid.h"

namespace dovrik {

struct AppRule {
  Uuid id;
  // Compared exactly, case and all, with the identity of a launched application.
  std::string bundleIdentifier;
  std::string appName;  // the name when the rule was made, for lists
  SnapPosition snapPosition = SnapPosition::leftHalf;
  bool isEnabled = true;
  friend bool operator==(const AppRule&, const AppRule&) = default;
};

std::string encodeAppRules(const std::vector<AppRule>& rules);
// Strict: every key is required, and one record that does not decode fails the whole list.
std::optional<std::vector<AppRule>> decodeAppRules(std::string_view text);

}  // namespace dovrik
