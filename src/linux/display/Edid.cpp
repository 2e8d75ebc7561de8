// Decoding the identity fields of an EDID base block.
#include "linux/display/Edid.h"

#include <algorithm>
#include <array>

namespace dovrik::display {

namespace {

constexpr std::size_t blockSize = 128;
constexpr std::array<std::uint8_t, 8> header{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr std::size_t descriptorOffsets[] = {54, 72, 90, 108};
constexpr std::uint8_t serialTextTag = 0xFF;

std::uint8_t byteAt(std::string_view bytes, std::size_t i) {
  return static_cast<std::uint8_t>(bytes[i]);
}

// The serial-number descriptor holds up to 13 characters, ended by a line feed and padded
// with spaces; some monitors pad with zeros instead.
std::string serialTextOf(std::string_view block) {
  for (const std::size_t offset : descriptorOffsets) {
    // Display descriptors start with a zero pixel clock; the tag follows a reserved byte.
    if (byteAt(block, offset) != 0 || byteAt(block, offset + 1) != 0 ||
        byteAt(block, offset + 3) != serialTextTag)
      continue;
    std::string text(block.substr(offset + 5, 13));
    text = text.substr(0, text.find_first_of(std::string_view("\n\0", 2)));
    while (!text.empty() && text.back() == ' ')
      text.pop_back();
    return text;
  }
  return {};
}

}  // namespace

std::optional<Edid> Edid::parse(std::string_view bytes) {
  if (bytes.size() < blockSize)
    return std::nullopt;
  const std::string_view block = bytes.substr(0, blockSize);
  if (!std::equal(header.begin(), header.end(), block.begin(),
                  [](std::uint8_t h, char b) { return h == static_cast<std::uint8_t>(b); }))
    return std::nullopt;
  std::uint8_t sum = 0;
  for (const char b : block)
    sum = static_cast<std::uint8_t>(sum + static_cast<std::uint8_t>(b));
  if (sum != 0)
    return std::nullopt;

  Edid edid;
  // Big-endian, three 5-bit letters with 1 standing for 'A'.
  const unsigned id = (unsigned{byteAt(block, 8)} << 8) | byteAt(block, 9);
  for (const int shift : {10, 5, 0})
    edid.vendor.push_back(static_cast<char>('A' - 1 + ((id >> shift) & 0x1F)));
  edid.product = static_cast<std::uint16_t>(byteAt(block, 10) | (byteAt(block, 11) << 8));
  edid.serial = std::uint32_t{byteAt(block, 12)} | (std::uint32_t{byteAt(block, 13)} << 8) |
                (std::uint32_t{byteAt(block, 14)} << 16) | (std::uint32_t{byteAt(block, 15)} << 24);
  edid.serialText = serialTextOf(block);
  return edid;
}

}  // namespace dovrik::display
