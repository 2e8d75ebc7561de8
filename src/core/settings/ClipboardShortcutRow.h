// The clipboard popup's shortcut as both the Shortcuts and the Clipboard panel show it: the
// recorder, the reset button, the refusal warning and the history switch that goes with it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/clipboard/ClipboardManager.h"
#include "core/clipboard/ClipboardShortcut.h"
#include "core/hotkeys/ShortcutConflicts.h"
#include "core/model/AppState.h"
#include "core/settings/OwnHotkeys.h"
#include "core/settings/ShortcutRecorder.h"

namespace dovrik {

class ClipboardShortcutRow {
 public:
  static constexpr std::string_view resetSymbol = "arrow.counterclockwise";
  static constexpr std::string_view historySwitchTitle = "Enable Clipboard History";

  // `setConflictNotice` reaches the notice of the panel the row sits in.
  ClipboardShortcutRow(ShortcutRecorder::Ports ports, AppState& appState,
                       ShortcutConflicts& conflicts, ClipboardManager& manager,
                       ClipboardShortcut& hotkey, OwnHotkeys& ownHotkeys,
                       ShortcutRecorder::SetNotice setConflictNotice);

  KeyboardShortcut shortcut() const { return appState_.clipboardShortcut(); }
  ShortcutRecorder& recorder() { return recorder_; }
  const ShortcutRecorder& recorder() const { return recorder_; }
  const std::string& resetHelp() const { return ports_.texts.clipboardShortcutResetHelp; }
  // Stores a shortcut already checked for conflicts and takes it as the hotkey.
  void store(const KeyboardShortcut& shortcut);
  // Back to ⇧⌘V unless another action holds it; then the conflict notice says which.
  void reset();
  // While history is on and the system refused the hotkey; never while a recorder listens,
  // when Dovrik has let go of its hotkeys on purpose.
  std::optional<std::string> refusalWarning() const;

  bool historyEnabled() const { return appState_.clipboardHistoryEnabled(); }
  // Starts or stops the clipboard monitor and takes or releases the hotkey at once.
  void setHistoryEnabled(bool enabled);

 private:
  ShortcutRecorder::Ports ports_;
  AppState& appState_;
  ShortcutConflicts& conflicts_;
  ClipboardManager& manager_;
  ClipboardShortcut& hotkey_;
  OwnHotkeys& ownHotkeys_;
  ShortcutRecorder::SetNotice setConflictNotice_;
  ShortcutRecorder recorder_;
};

}  // namespace dovrik
