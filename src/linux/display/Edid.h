// What identifies a monitor in its EDID base block: manufacturer, product, serial number.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dovrik::display {

struct Edid {
  std::string vendor;         // three upper-case letters, the PNP manufacturer id
  std::uint16_t product = 0;  // the manufacturer's product code
  std::uint32_t serial = 0;   // 0 when the manufacturer left it out
  std::string serialText;     // the serial-number descriptor's text, trimmed; may be empty
  friend bool operator==(const Edid&, const Edid&) = default;

  // Reads the 128-byte base block at the start of `bytes` (extension blocks may follow);
  // nothing when it is short, lacks the fixed header or fails its checksum.
  static std::optional<Edid> parse(std::string_view bytes);
};

}  // namespace dovrik::display
