// The badge that records a new shortcut for one action: it listens for one key press with at
// least one modifier, refuses what cannot be a shortcut or already belongs to another action,
// and hands an accepted shortcut on. Key presses come from whatever holds the keyboard while
// recording, as US-position key codes and modifiers.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/hotkeys/ShortcutConflicts.h"
#include "core/model/ShortcutAction.h"
#include "core/platform/KeyboardShortcut.h"
#include "core/platform/PlatformTexts.h"
#include "core/platform/Scheduler.h"
#include "core/platform/Shell.h"
#include "core/settings/OwnHotkeys.h"
#include "core/support/Lifetime.h"
#include "core/support/Signal.h"

namespace dovrik {

class ShortcutRecorder {
 public:
  static constexpr int escapeKeyCode = 53;
  // Recording ends by itself after this long without a key press.
  static constexpr double idleTimeout = 10.0;
  static constexpr std::string_view recordingText = "Recording…";

  using Record = std::function<void(const KeyboardShortcut&)>;
  // Sets or clears the conflict notice of the panel the recorder sits in.
  using SetNotice = std::function<void(std::optional<std::string>)>;

  // The ports a recorder uses; the panels that hold recorders pass them on.
  struct Ports {
    Scheduler& scheduler;
    Shell& shell;
    const PlatformTexts& texts;
  };

  ShortcutRecorder(Ports ports, ShortcutConflicts& conflicts, OwnHotkeys& ownHotkeys,
                   ShortcutAction action, Record onRecord, SetNotice setConflictNotice);
  ShortcutRecorder(const ShortcutRecorder&) = delete;
  ShortcutRecorder& operator=(const ShortcutRecorder&) = delete;
  // A recorder that goes away while recording gives Dovrik its hotkeys back.
  ~ShortcutRecorder();

  const ShortcutAction& action() const { return action_; }
  bool isRecording() const { return isRecording_; }
  // What the badge shows: "Recording…" while recording, else the shortcut (empty for none).
  std::string badgeText(const std::optional<KeyboardShortcut>& shortcut) const;

  // The badge was clicked: starts recording, or stops it while recording.
  void click();
  // A key went down while recording; every press is taken, none reaches anything else.
  void keyPressed(int keyCode, KeyboardShortcut::ModifierSet modifiers);
  // Ends recording without a change (focus lost, window closed).
  void cancel();

  Signal<> changed;

 private:
  void start();
  void stop();
  void armTimeout();

  Ports ports_;
  ShortcutConflicts& conflicts_;
  OwnHotkeys& ownHotkeys_;
  ShortcutAction action_;
  Record onRecord_;
  SetNotice setConflictNotice_;
  bool isRecording_ = false;
  std::optional<TaskId> timeout_;
  Lifetime lifetime_;
};

}  // namespace dovrik
