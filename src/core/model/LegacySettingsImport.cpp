// Which of the predecessor's keys travel, and the flag that makes the import happen once.
#include "core/model/LegacySettingsImport.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dovrik {
namespace {

constexpr std::string_view kImportedFlag = "migratedFromQuillmoor";

// The keys the predecessor kept outside its managers' "qlm." and drag-zone "dz_" keys.
constexpr std::array<std::string_view, 18> kLegacyKeys = {
    "snappingEnabled",         "launchAtLogin",
    "showSnapPreview",         "rulesEnabled",
    "advancedSnappingEnabled", "animationsEnabled",
    "smartSnappingEnabled",    "fileShelfEnabled",
    "fileShelfSize",           "clipboardHistoryEnabled",
    "clipboardHistorySize",    "clipboardShortcutData",
    "previewOpacity",          "useRoundedCorners",
    "animationSpeedRaw",       "enabledPositions",
    "shortcutsData",           kImportedFlag,
};

bool isLegacyKey(std::string_view key) {
  if (key.starts_with("qlm.") || key.starts_with("dz_"))
    return true;
  for (std::string_view k : kLegacyKeys) {
    if (k == key)
      return true;
  }
  return false;
}

}  // namespace

void importLegacySettingsIfNeeded(DefaultsDomains& domains, Shell& shell) {
  Defaults& own = domains.application();
  if (own.boolValue(kImportedFlag).value_or(false))
    return;
  Defaults* legacy = domains.openDomain("com.quillmoor.app");
  std::vector<std::string> selected;
  if (legacy) {
    for (const std::string& key : legacy->keys()) {
      if (isLegacyKey(key))
        selected.push_back(key);
    }
  }
  if (!selected.empty()) {
    for (const std::string& key : selected) {
      if (own.object(key))
        continue;
      if (auto value = legacy->object(key))
        own.set(key, std::move(*value));
    }
    shell.systemLog("[Dovrik] migrated " + std::to_string(selected.size()) +
                    " settings from the previous bundle id");
  }
  own.set(kImportedFlag, true);
}

}  // namespace dovrik
