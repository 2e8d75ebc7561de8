// Simulated system-wide hotkeys: combinations held by other applications, refusal of a
// combination this process already holds, injectable handler failure, and key presses.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "core/hotkeys/HotkeyTable.h"
#include "core/platform/Hotkeys.h"

namespace dovrik::sim {

class SimHotkeys : public Hotkeys {
 public:
  std::optional<HotkeyHandlerRef> installHandler(HotkeyHandler handler) override;
  void removeHandler(HotkeyHandlerRef handler) override;
  HotkeyRegistration registerHotkey(int keyCode, std::uint32_t modifiers,
                                    EventHotKeyID id) override;
  void unregisterHotkey(HotkeyRef hotkey) override;

  // Another application owns this combination: registering it is refused.
  void ownByOtherApplication(int keyCode, std::uint32_t modifiers);
  // Handler installation fails from now on.
  void setHandlerInstallFails(bool fails) { handlerInstallFails_ = fails; }

  // Delivers a key press to the handler chain; answers the chain's status.
  int press(int keyCode, std::uint32_t modifiers) const { return table_.press(keyCode, modifiers); }
  // The combinations this process holds, in registration order.
  std::vector<HotkeyTable::Entry> registered() const { return table_.entries(); }
  std::size_t handlerCount() const { return handlers_.size(); }

 private:
  HotkeyTable table_;
  std::set<std::pair<int, std::uint32_t>> ownedElsewhere_;
  std::set<HotkeyHandlerRef> handlers_;
  bool handlerInstallFails_ = false;
};

}  // namespace dovrik::sim
