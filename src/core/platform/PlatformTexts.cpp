// The per-platform rows of user-visible texts.
#include "core/platform/PlatformTexts.h"

namespace dovrik {

const PlatformTexts& PlatformTexts::macOS() {
  static const PlatformTexts texts{
      .accessibilitySettingsAddress =
          "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility",
      .refusedShortcutPrefix = "macOS refused the shortcut for ",
      .refusedShortcutsPrefix = "macOS refused the shortcuts for ",
      .refusedShortcutsAdvice =
          "Rectangle and Magnet use these same keys — if either is still "
          "installed, change the shortcuts here.",
  };
  return texts;
}

const PlatformTexts& PlatformTexts::linux() {
  static const PlatformTexts texts{
      .accessibilitySettingsAddress = "",
      .refusedShortcutPrefix = "The X server refused the shortcut for ",
      .refusedShortcutsPrefix = "The X server refused the shortcuts for ",
      .refusedShortcutsAdvice =
          "Desktop environments and window managers often bind these same "
          "keys for tiling or switching workspaces — if yours does, change "
          "the shortcuts here.",
  };
  return texts;
}

}  // namespace dovrik
