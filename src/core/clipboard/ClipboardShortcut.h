// The one system-wide hotkey that opens and closes the clipboard popup. It is held only while
// clipboard history is on.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "core/model/AppState.h"
#include "core/platform/Hotkeys.h"
#include "core/platform/Scheduler.h"
#include "core/support/Lifetime.h"
#include "core/support/Signal.h"

namespace dovrik {

class ClipboardShortcut {
 public:
  // Installs the hotkey handler; `onPressed` runs on the main queue after each press.
  ClipboardShortcut(Scheduler& scheduler, Hotkeys& hotkeys, AppState& appState,
                    std::function<void()> onPressed);
  ClipboardShortcut(const ClipboardShortcut&) = delete;
  ClipboardShortcut& operator=(const ClipboardShortcut&) = delete;
  ~ClipboardShortcut();

  static std::uint32_t signature();  // "QMCB"
  static constexpr std::uint32_t hotkeyID = 1;

  // Registers the stored shortcut afresh (⇧⌘V when it does not decode); while history is
  // off it only releases the hotkey. Answers whether the hotkey is now held.
  bool registerHotkey();
  void release();
  bool isRegistered() const { return hotkey_.has_value(); }
  // Whether a pressed hotkey is ours; if so `onPressed` is queued.
  bool handleHotkey(const EventHotKeyID& id);

  Signal<> isRegisteredChanged;

 private:
  Scheduler& scheduler_;
  Hotkeys& hotkeys_;
  AppState& appState_;
  std::function<void()> onPressed_;
  std::optional<HotkeyRef> hotkey_;
  std::optional<HotkeyHandlerRef> eventHandler_;
  Lifetime lifetime_;
};

}  // namespace dovrik
