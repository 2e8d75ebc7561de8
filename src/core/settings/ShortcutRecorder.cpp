// The recorder's states: idle, and recording until a shortcut is accepted, a conflict is
// reported, Escape is pressed, the badge is clicked again or the keyboard stays idle too long.
#include "core/settings/ShortcutRecorder.h"

#include <utility>

namespace dovrik {

ShortcutRecorder::ShortcutRecorder(Ports ports, ShortcutConflicts& conflicts,
                                   OwnHotkeys& ownHotkeys, ShortcutAction action, Record onRecord,
                                   SetNotice setConflictNotice)
    : ports_(ports),
      conflicts_(conflicts),
      ownHotkeys_(ownHotkeys),
      action_(std::move(action)),
      onRecord_(std::move(onRecord)),
      setConflictNotice_(std::move(setConflictNotice)) {}

ShortcutRecorder::~ShortcutRecorder() {
  if (isRecording_) {
    if (timeout_)
      ports_.scheduler.cancel(*timeout_);
    ownHotkeys_.restore();
  }
}

std::string ShortcutRecorder::badgeText(const std::optional<KeyboardShortcut>& shortcut) const {
  if (isRecording_)
    return std::string(recordingText);
  return shortcut ? ports_.texts.shortcutText(*shortcut) : std::string();
}

void ShortcutRecorder::click() {
  if (isRecording_)
    stop();
  else
    start();
}

void ShortcutRecorder::cancel() {
  if (isRecording_)
    stop();
}

void ShortcutRecorder::keyPressed(int keyCode, KeyboardShortcut::ModifierSet modifiers) {
  if (!isRecording_)
    return;
  armTimeout();
  if (keyCode == escapeKeyCode) {
    stop();
    return;
  }
  const std::optional<Key> key = keyFromKeyCode(keyCode);
  if (!key || modifiers.empty()) {
    ports_.shell.beep();
    return;
  }
  const KeyboardShortcut shortcut{*key, modifiers};
  if (const auto owner = conflicts_.conflictingAction(shortcut, action_)) {
    ports_.shell.beep();
    setConflictNotice_(conflicts_.conflictNotice(shortcut, *owner));
    stop();
    return;
  }
  // The hotkeys come back after the new shortcut is stored, so it is the one registered.
  onRecord_(shortcut);
  stop();
}

void ShortcutRecorder::start() {
  setConflictNotice_(std::nullopt);
  isRecording_ = true;
  ownHotkeys_.release();
  armTimeout();
  changed.emit();
}

void ShortcutRecorder::stop() {
  if (timeout_)
    ports_.scheduler.cancel(*timeout_);
  timeout_.reset();
  isRecording_ = false;
  ownHotkeys_.restore();
  changed.emit();
}

void ShortcutRecorder::armTimeout() {
  if (timeout_)
    ports_.scheduler.cancel(*timeout_);
  timeout_ = ports_.scheduler.after(idleTimeout, lifetime_.guard([this] {
    timeout_.reset();
    cancel();
  }));
}

}  // namespace dovrik
