// The Hotkeys port on sway: each combination is bound at run time over sway's IPC socket
// (bindsym --no-repeat) to a tagged nop, and the binding events sway reports for it come in
// through bindingRan() from whoever reads the event subscription. A combination the user's
// config binds in the default mode is refused, as a grab another client holds is on X11:
// sway would let the new binding replace the user's own without a word.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/hotkeys/HotkeyTable.h"
#include "core/platform/Hotkeys.h"
#include "linux/i3ipc/I3Client.h"
#include "linux/sway/SwayCombination.h"

namespace dovrik::sway {

class SwayHotkeys : public Hotkeys {
 public:
  explicit SwayHotkeys(i3ipc::I3Client& client);
  SwayHotkeys(const SwayHotkeys&) = delete;
  SwayHotkeys& operator=(const SwayHotkeys&) = delete;
  // Unbinds every combination still held: sway would keep running them after Dovrik quits.
  ~SwayHotkeys() override;

  std::optional<HotkeyHandlerRef> installHandler(HotkeyHandler handler) override;
  void removeHandler(HotkeyHandlerRef handler) override;
  // eventHotKeyExistsErr when this process holds the combination, the config binds it or sway
  // refuses the binding; invalidHotKeyStatus for a key outside the table or when sway cannot
  // be reached.
  HotkeyRegistration registerHotkey(int keyCode, std::uint32_t modifiers,
                                    EventHotKeyID id) override;
  void unregisterHotkey(HotkeyRef hotkey) override;

  // The command of a binding event: a press of a held combination goes to the handlers, any
  // other command is not Dovrik's.
  void bindingRan(std::string_view command);
  // sway drops the bindings made at run time when it reloads its config (a workspace event
  // "reload" tells of it). Binds the held combinations again, except those the new config
  // binds itself: they stay held, silent, as a lost regrab does on X11.
  void configReloaded();

  // Carbon's status for a hotkey that cannot be expressed.
  static constexpr int invalidHotKeyStatus = -9879;

 private:
  // The default mode's bindings in the config sway runs now; nothing when sway cannot be
  // reached.
  std::optional<std::vector<SwayCombination>> configBindings();
  std::optional<std::vector<i3ipc::CommandOutcome>> bind(int keyCode, std::uint32_t modifiers,
                                                         EventHotKeyID id,
                                                         const std::string& combination);
  void release(const std::vector<HotkeyTable::Entry>& entries);

  i3ipc::I3Client& client_;
  HotkeyTable table_;
};

}  // namespace dovrik::sway
