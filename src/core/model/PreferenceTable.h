// Every preference Dovrik stores in its defaults domain, declared once: key, type and the value
// an absent key reads as. Reading never clamps: the ranges are those of the settings that
// offer a value, and a hand-edited file may hold any.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/model/Preference.h"

namespace dovrik::prefs {

inline constexpr Preference<bool> snappingEnabled{"snappingEnabled", true};
inline constexpr Preference<bool> launchAtLogin{"launchAtLogin", false};
inline constexpr Preference<bool> showSnapPreview{"showSnapPreview", true};
inline constexpr Preference<bool> rulesEnabled{"rulesEnabled", true};
inline constexpr Preference<bool> animationsEnabled{"animationsEnabled", true};
inline constexpr Preference<bool> fileShelfEnabled{"fileShelfEnabled", true};
inline constexpr Preference<std::int64_t> fileShelfSize{"fileShelfSize", 10};
inline constexpr Preference<bool> clipboardHistoryEnabled{"clipboardHistoryEnabled", true};
inline constexpr Preference<std::int64_t> clipboardHistorySize{"clipboardHistorySize", 25};
// ⇧⌘V, as the shortcut encodes itself.
inline constexpr Preference<Bytes> clipboardShortcutData{
    "clipboardShortcutData", R"({"key":"v","modifiers":["command","shift"]})"};
inline constexpr Preference<double> previewOpacity{"previewOpacity", 0.35};
inline constexpr Preference<bool> useRoundedCorners{"useRoundedCorners", true};
inline constexpr Preference<bool> cyclesSnapSizes{"cycleSnapSizes", true};
inline constexpr Preference<std::int64_t> snapGap{"snapGap", 0};
inline constexpr Preference<std::string> animationSpeedRaw{"animationSpeedRaw", "Normal"};
// Every position, in the order the positions are listed.
inline constexpr Preference<Bytes> enabledPositionsData{
    "enabledPositions",
    R"(["Left Half","Right Half","Top Half","Bottom Half","Full Screen","Top Left",)"
    R"("Top Right","Bottom Left","Bottom Right","Center"])"};
inline constexpr Preference<Bytes> shortcutsData{"shortcutsData", ""};
// Set with every snap table stored: an empty table chosen on purpose, not one from before
// "none" could be chosen.
inline constexpr Preference<bool> snapShortcutsCleared{"snapShortcutsCleared", false};
inline constexpr Preference<Bytes> windowActionShortcutsData{"windowActionShortcutsData", ""};
inline constexpr Preference<Bytes> pasteKeysData{"pasteKeysData", ""};
// A list of application names; read by hand, as it has no fallback value.
inline constexpr std::string_view clipboardIgnoredAppsKey = "clipboardIgnoredApps";
inline constexpr Preference<bool> restoreSizeOnDrag{"restoreSizeOnDrag", true};
inline constexpr Preference<bool> hasPromptedForAccessibility{"hasPromptedForAccessibility", false};

// The drag zones' parameters.
inline constexpr Preference<double> edgeSensitivity{"dz_edgeSensitivity", 48.0};
inline constexpr Preference<double> cornerSensitivity{"dz_cornerSensitivity", 60.0};
inline constexpr Preference<double> snapDelay{"dz_snapDelay", 0.06};
inline constexpr Preference<double> dragThreshold{"dz_dragThreshold", 10.0};
inline constexpr Preference<bool> cornerSnapping{"dz_cornerSnapping", true};
inline constexpr Preference<bool> edgeSnapping{"dz_edgeSnapping", true};
inline constexpr Preference<bool> dragSnapping{"dz_dragSnapping", true};

}  // namespace dovrik::prefs
