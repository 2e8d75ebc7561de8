// The few user-visible texts that name the operating system or its parts, one row per platform.
#pragma once

#include <string>

#include "core/platform/KeyboardShortcut.h"

namespace dovrik {

struct PlatformTexts {
  // Address of the settings page where the user grants window control; empty when the
  // platform has none.
  std::string accessibilitySettingsAddress;
  // Where in the system's settings window control is granted; empty when the platform has no
  // such place.
  std::string accessibilitySettingsPath;
  // What the user can do while Dovrik may not move windows.
  std::string accessibilityMissingDetail;
  // The General panel's row about window control, while Dovrik may move windows and while not.
  std::string accessGrantedTitle;
  std::string accessMissingTitle;
  // The buttons that ask for window control: before the system has asked the user, and after.
  std::string grantAccessTitle;
  std::string openAccessSettingsTitle;
  // The first-run window: why the permission is needed, two of its assurances, the note on the
  // clipboard history, and the line shown while Dovrik waits for control.
  std::string onboardingPermission;
  std::string onboardingStaysLocal;
  std::string onboardingRevocable;
  std::string onboardingClipboardNote;
  std::string onboardingWaiting;
  // Start of the notice for one refused snap shortcut, followed by the position's name.
  std::string refusedShortcutPrefix;
  // Start of the notice for several refused snap shortcuts, followed by their names.
  std::string refusedShortcutsPrefix;
  // The sentence that ends the notice for several refused snap shortcuts: who else tends to
  // hold these keys, and what to do about it.
  std::string refusedShortcutsAdvice;
  // Start of the notice for a refused hotkey, followed by its shortcut.
  std::string refusedHotkeyPrefix;
  // Why dragging to the screen edge stays off until Dovrik starts again.
  std::string tapRestartWarning;
  // What the rounded corners of the snap preview are for.
  std::string roundedCornersDetail;
  // The help of the button that restores the clipboard shortcut.
  std::string clipboardShortcutResetHelp;
  // The menu item that shows a file of the shelf in the file manager.
  std::string revealInFileManagerTitle;
  // The window that moves a copy started from a place it cannot keep to where programs are
  // installed: its heading, and what follows "Dovrik is running from <place>", when nothing is
  // installed yet.
  std::string relocateMoveHeading;
  std::string relocateMoveReason;
  std::string relocateMoveButton;
  // The same when a copy is installed already; follows "This copy is running from <place>".
  std::string relocateOpenHeading;
  std::string relocateOpenReason;
  // The starts of the two failures, each followed by the system's reason, and the advice that
  // ends every failure.
  std::string relocateCopyFailedPrefix;
  std::string relocateLaunchFailedPrefix;
  std::string relocateManualAdvice;
  // A removable medium by its name: "the " + name + this.
  std::string namedVolumeSuffix;
  // Why windows cannot be controlled, where the desktop tells the reasons apart: no display
  // named, a display that does not answer (its name and a closing quote follow the prefix), a
  // window manager without EWMH, and none at all.
  std::string noDisplayReason;
  std::string unreachableDisplayPrefix;
  std::string windowManagerWithoutEwmhReason;
  std::string noWindowManagerReason;
  // Why windows cannot be controlled yet where a compositor script moves them and has not
  // answered.
  std::string windowScriptSilentReason;
  // Why windows cannot be controlled where the window manager's IPC socket moves them and
  // cannot be reached.
  std::string windowManagerSocketSilentReason;
  // Why windows cannot be controlled where Dovrik's GNOME Shell extension moves them: it is
  // not turned on, the Shell loads it only at the next login, the Shell could not run it, or it
  // runs but has not answered.
  std::string shellExtensionOffReason;
  std::string shellExtensionNeedsLoginReason;
  std::string shellExtensionFailedReason;
  std::string shellExtensionSilentReason;
  // Shortcuts are written with the modifiers' names joined by "+" ("Shift+Super+V") instead
  // of their symbols run together ("⇧⌘V").
  bool namesModifiers = false;

  // A shortcut as this platform writes it.
  std::string shortcutText(const KeyboardShortcut& shortcut) const;

  static const PlatformTexts& macOS();
  static const PlatformTexts& linux();
};

}  // namespace dovrik
