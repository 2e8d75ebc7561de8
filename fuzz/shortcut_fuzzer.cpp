// Any bytes as a stored shortcut: what reads must read back the same after it is written.
#include "FuzzSupport.h"
#include "core/platform/KeyboardShortcut.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using dovrik::KeyboardShortcut;
  const auto shortcut = KeyboardShortcut::fromJsonBytes(dovrik::fuzz::asText(data, size));
  if (shortcut)
    dovrik::fuzz::require(KeyboardShortcut::fromJsonBytes(shortcut->toJson().dump()) == shortcut);
  return 0;
}
