// The Hotkeys port over accelerators mutter grabs for Dovrik's extension. mutter refuses a
// combination one of GNOME's own key bindings or another program holds, and that is told as a
// grab another client holds is on X11. Combinations registered while the extension does not
// answer are grabbed once it does, and grabbed again whenever it comes back; one refused then
// stays registered but silent, as on X11 after a lost regrab.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "core/hotkeys/HotkeyTable.h"
#include "core/platform/Hotkeys.h"
#include "linux/gnome/GnomeShell.h"

namespace dovrik::gnome {

class GnomeHotkeys : public Hotkeys {
 public:
  explicit GnomeHotkeys(GnomeShell& shell);
  ~GnomeHotkeys() override;
  GnomeHotkeys(const GnomeHotkeys&) = delete;
  GnomeHotkeys& operator=(const GnomeHotkeys&) = delete;

  std::optional<HotkeyHandlerRef> installHandler(HotkeyHandler handler) override;
  void removeHandler(HotkeyHandlerRef handler) override;
  // eventHotKeyExistsErr when this process holds the combination or mutter refuses it;
  // invalidHotKeyStatus for a key outside the table.
  HotkeyRegistration registerHotkey(int keyCode, std::uint32_t modifiers,
                                    EventHotKeyID id) override;
  void unregisterHotkey(HotkeyRef hotkey) override;

  // Carbon's status for a hotkey that cannot be expressed.
  static constexpr int invalidHotKeyStatus = -9879;

 private:
  struct Held {
    int keyCode = 0;
    std::uint32_t modifiers = 0;
    std::string accelerator;
    std::uint32_t action = 0;  // 0 while not grabbed
  };

  void grabAll();
  void pressed(std::uint32_t action);

  GnomeShell& shell_;
  HotkeyTable table_;
  std::map<HotkeyRef, Held> held_;
  Signal<>::Connection answeredSubscription_;
  Signal<>::Connection closedSubscription_;
  Signal<std::uint32_t>::Connection pressedSubscription_;
};

}  // namespace dovrik::gnome
