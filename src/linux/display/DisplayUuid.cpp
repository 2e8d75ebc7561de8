// Naming monitors by their EDID identity.
#include "linux/display/DisplayUuid.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "linux/display/Sha1.h"

namespace dovrik::display {

namespace {

// Dovrik's namespace for display UUIDs: 8ADE9762-A398-4448-97F6-C464A286DE38. Changing it
// would orphan every workspace saved for a display.
constexpr std::array<std::uint8_t, 16> displayNamespace{
    0x8A, 0xDE, 0x97, 0x62, 0xA3, 0x98, 0x44, 0x48, 0x97, 0xF6, 0xC4, 0x64, 0xA2, 0x86, 0xDE, 0x38};

std::string identityOf(const Edid& edid) {
  return edid.vendor + "|" + std::to_string(edid.product) + "|" + std::to_string(edid.serial) +
         "|" + edid.serialText;
}

}  // namespace

std::string nameBasedUuid(std::string_view name) {
  std::string input(displayNamespace.begin(), displayNamespace.end());
  input.append(name);
  const auto digest = sha1(input);
  std::array<std::uint8_t, 16> bytes{};
  std::copy_n(digest.begin(), bytes.size(), bytes.begin());
  bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x50);  // version 5
  bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant

  static constexpr char hex[] = "0123456789ABCDEF";
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10)
      text.push_back('-');
    text.push_back(hex[bytes[i] >> 4]);
    text.push_back(hex[bytes[i] & 0x0F]);
  }
  return text;
}

std::vector<std::string> displayUuids(const std::vector<DisplaySource>& monitors) {
  std::vector<std::string> identities;
  for (const DisplaySource& monitor : monitors)
    identities.push_back(monitor.edid ? identityOf(*monitor.edid) : monitor.monitorName);

  std::vector<std::string> result;
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    std::string identity = identities[i];
    // Two monitors of one model without serial numbers (or with firmware that gives every unit
    // the same one) look alike; only the connector tells them apart. It is left out otherwise,
    // so that moving a monitor keeps its UUID.
    const bool twin =
        monitors[i].edid && std::count(identities.begin(), identities.end(), identities[i]) > 1;
    if (twin)
      identity += "|" + monitors[i].connector;
    result.push_back(nameBasedUuid(identity));
  }
  return result;
}

}  // namespace dovrik::display
