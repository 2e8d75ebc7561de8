// The per-platform rows of user-visible texts.
#include "core/platform/PlatformTexts.h"

#include <utility>

namespace dovrik {

std::string PlatformTexts::shortcutText(const KeyboardShortcut& shortcut) const {
  if (!namesModifiers)
    return shortcut.displayString();
  // The order desktop environments write them in; ⌘ is the Super key.
  static constexpr std::pair<Modifier, const char*> names[] = {
      {Modifier::control, "Ctrl+"},
      {Modifier::option, "Alt+"},
      {Modifier::shift, "Shift+"},
      {Modifier::command, "Super+"},
  };
  std::string text;
  for (const auto& [modifier, name] : names) {
    if (shortcut.modifiers.contains(modifier))
      text += name;
  }
  return text + KeyboardShortcut{shortcut.key, {}}.displayString();
}

const PlatformTexts& PlatformTexts::macOS() {
  static const PlatformTexts texts{
      .accessibilitySettingsAddress =
          "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility",
      .accessibilitySettingsPath = "System Settings → Privacy & Security → Accessibility",
      .accessibilityMissingDetail = "Grant access in System Settings to move and resize windows.",
      .accessGrantedTitle = "Accessibility access granted",
      .accessMissingTitle = "Accessibility access required",
      .grantAccessTitle = "Allow Access",
      .openAccessSettingsTitle = "Open Privacy Settings",
      .onboardingPermission =
          "macOS requires your permission before any app can move or resize another app's "
          "windows. That permission is called Accessibility access.",
      .onboardingStaysLocal = "Everything stays on your Mac. Nothing is sent anywhere.",
      .onboardingRevocable = "You can revoke it at any time in System Settings.",
      .onboardingClipboardNote =
          "Clipboard history is on by default and keeps your last copied items on this Mac. "
          "Turn it off in Settings → Clipboard.",
      .onboardingWaiting =
          "Waiting for permission… this can take a few seconds after you switch it on.",
      .refusedShortcutPrefix = "macOS refused the shortcut for ",
      .refusedShortcutsPrefix = "macOS refused the shortcuts for ",
      .refusedShortcutsAdvice =
          "Rectangle and Magnet use these same keys — if either is still "
          "installed, change the shortcuts here.",
      .refusedHotkeyPrefix = "macOS refused ",
      .tapRestartWarning =
          "Dragging windows to the screen edge will not snap them until Dovrik is restarted. "
          "macOS decides whether an app may watch for drags when that app starts, so permission "
          "granted just now does not take effect until then. Keyboard shortcuts are unaffected.",
      .roundedCornersDetail = "Match the shape of macOS windows",
      .clipboardShortcutResetHelp = "Reset to default (⌘⇧V)",
      .revealInFileManagerTitle = "Reveal in Finder",
      .relocateMoveHeading = "Move Dovrik to Applications",
      .relocateMoveReason =
          ". macOS gives apps opened this way a temporary location, so any permission you grant "
          "would be forgotten and window snapping would not work.",
      .relocateMoveButton = "Move to Applications",
      .relocateOpenHeading = "Open Dovrik from Applications",
      .relocateOpenReason =
          ", but Dovrik is already in your Applications folder. macOS ties permissions to where "
          "an app lives, so this copy could never keep them. Open the installed one instead.",
      .relocateCopyFailedPrefix = "Could not copy Dovrik to Applications. ",
      .relocateLaunchFailedPrefix = "Could not open Dovrik from Applications. ",
      .relocateManualAdvice = " Drag Dovrik into Applications yourself, then open it from there.",
      .namedVolumeSuffix = " disk image",
      // There is no display or window manager to be missing.
      .noDisplayReason = {},
      .unreachableDisplayPrefix = {},
      .windowManagerWithoutEwmhReason = {},
      .noWindowManagerReason = {},
      .windowScriptSilentReason = {},
      .windowManagerSocketSilentReason = {},
      .shellExtensionOffReason = {},
      .shellExtensionNeedsLoginReason = {},
      .shellExtensionFailedReason = {},
      .shellExtensionSilentReason = {},
  };
  return texts;
}

const PlatformTexts& PlatformTexts::linux() {
  static const PlatformTexts texts{
      .accessibilitySettingsAddress = "",
      .accessibilitySettingsPath = "",
      .accessibilityMissingDetail =
          "Dovrik moves and resizes windows through the window manager, and no window manager "
          "that supports EWMH runs on this X display. Start Dovrik in an X11 session with one "
          "(for example Openbox, Xfwm, KWin or Mutter).",
      .accessGrantedTitle = "Window control available",
      .accessMissingTitle = "Window control unavailable",
      // Nothing is granted on Linux: the button checks the window manager again.
      .grantAccessTitle = "Check Again",
      .openAccessSettingsTitle = "Check Again",
      .onboardingPermission =
          "On Linux, Dovrik moves and resizes other apps' windows by asking the window manager. "
          "That works in an X11 session whose window manager supports EWMH, as Openbox, Xfwm, "
          "KWin, Mutter and i3 do, and in the Wayland sessions of KDE Plasma, GNOME and sway.",
      .onboardingStaysLocal = "Everything stays on this computer. Nothing is sent anywhere.",
      .onboardingRevocable = "You can stop it at any time: choose Quit Dovrik in its tray menu.",
      .onboardingClipboardNote =
          "Clipboard history is on by default and keeps your last copied items on this computer. "
          "Turn it off in Settings → Clipboard.",
      .onboardingWaiting = "Waiting for a window manager… Dovrik notices one as soon as it starts.",
      .refusedShortcutPrefix = "The desktop refused the shortcut for ",
      .refusedShortcutsPrefix = "The desktop refused the shortcuts for ",
      .refusedShortcutsAdvice =
          "Desktop environments and window managers often bind these same "
          "keys for tiling or switching workspaces — if yours does, change "
          "the shortcuts here.",
      .refusedHotkeyPrefix = "The desktop refused ",
      .tapRestartWarning =
          "Dragging windows to the screen edge will not snap them until Dovrik is restarted. "
          "The X server would not let Dovrik watch the mouse, and Dovrik asks for that only "
          "when it starts. Keyboard shortcuts are unaffected.",
      .roundedCornersDetail = "Round the preview's corners like most window themes",
      .clipboardShortcutResetHelp = "Reset to default (Shift+Super+V)",
      .revealInFileManagerTitle = "Show in File Manager",
      .relocateMoveHeading = "Move Dovrik to your programs",
      .relocateMoveReason =
          ". A program started from there is gone once the folder is cleaned up or the medium is "
          "taken out, and the login item and menu entry that start Dovrik would stop working. "
          "Dovrik installs itself for you in ~/.local/bin, with a menu entry.",
      .relocateMoveButton = "Move to ~/.local/bin",
      .relocateOpenHeading = "Open the installed Dovrik",
      .relocateOpenReason =
          ", but Dovrik is already installed on this computer. The login item and the menu "
          "entry start the installed one, so this copy would run beside it. Open the installed "
          "one instead.",
      .relocateCopyFailedPrefix = "Could not copy Dovrik to ~/.local/bin. ",
      .relocateLaunchFailedPrefix = "Could not open the installed Dovrik. ",
      .relocateManualAdvice =
          " Copy the dovrik program into ~/.local/bin yourself, then start it from there.",
      .namedVolumeSuffix = " drive",
      .noDisplayReason =
          "Dovrik cannot reach any windows: no X display is set ($DISPLAY is empty).",
      .unreachableDisplayPrefix = "Dovrik cannot reach the X display \"",
      .windowManagerWithoutEwmhReason =
          "The window manager on this display does not support EWMH, the standard Dovrik moves "
          "windows through. Switch to one that does (for example Openbox, Xfwm, KWin or "
          "Mutter).",
      .noWindowManagerReason =
          "No window manager runs on this display. Start one that supports EWMH (for example "
          "Openbox, Xfwm, KWin or Mutter); Dovrik notices it at once.",
      .windowScriptSilentReason =
          "Dovrik moves windows on Plasma through a small KWin script, and that script has not "
          "answered yet. If this lasts more than a few seconds, quit Dovrik and start it again; "
          "Dovrik notices the script the moment it answers.",
      .windowManagerSocketSilentReason =
          "Dovrik moves windows on sway through sway's IPC socket, and cannot reach it. Start "
          "Dovrik from within the sway session (for example with `exec dovrik` in sway's "
          "config), so that it finds the socket sway names in $SWAYSOCK.",
      .shellExtensionOffReason =
          "On GNOME, Dovrik snaps windows, keeps the clipboard history and pastes through its "
          "own small GNOME Shell extension, because GNOME lets no other program do these things. "
          "The extension answers Dovrik alone: no other program can use it to move windows or "
          "read the clipboard. Check Again installs it for you where needed and turns it on (so "
          "does `dovrik onboarding grant-access`); you can also turn it on in GNOME's Extensions "
          "app, where it is called Dovrik.",
      .shellExtensionNeedsLoginReason =
          "Dovrik's GNOME Shell extension is turned on. GNOME loads a newly added extension only "
          "when you log in: log out and log in again, and Dovrik is ready.",
      .shellExtensionFailedReason =
          "GNOME could not run Dovrik's GNOME Shell extension: it reports an error, or finds the "
          "extension made for another GNOME version. Look at it in GNOME's Extensions app, or "
          "install Dovrik again.",
      .shellExtensionSilentReason =
          "Dovrik's GNOME Shell extension is on but has not answered yet. If this lasts more "
          "than a few seconds, quit Dovrik and start it again.",
      .namesModifiers = true,
  };
  return texts;
}

}  // namespace dovrik
