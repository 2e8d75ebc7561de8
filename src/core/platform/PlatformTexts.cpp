// The per-platform rows of user-visible texts.
#include "core/platform/PlatformTexts.h"

namespace dovrik {

const PlatformTexts& PlatformTexts::macOS() {
  static const PlatformTexts texts{
      .accessibilitySettingsAddress =
          "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility",
      .refusedShortcutPrefix = "macOS refused the shortcut for ",
      .refusedShortcutsPrefix = "macOS refused the shortcuts for ",
  };
  return texts;
}

const PlatformTexts& PlatformTexts::linux() {
  static const PlatformTexts texts{
      .accessibilitySettingsAddress = "",
      .refusedShortcutPrefix = "The X server refused the shortcut for ",
      .refusedShortcutsPrefix = "The X server refused the shortcuts for ",
  };
  return texts;
}

}  // namespace dovrik
