// EDID base blocks built byte by byte for the tests, valid unless a test spoils them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dovrik::displaytest {

struct EdidDescriptor {
  std::size_t offset;  // 54, 72, 90 or 108
  std::uint8_t tag;    // 0xFF serial text, 0xFC name …
  std::string text;    // as stored, with its line feed and padding
};

// A base block of a "DEL" monitor with a valid header and checksum. The first descriptor slot
// holds a detailed timing whose fourth byte happens to equal the serial-text tag.
inline std::string edidBlock(std::uint16_t product, std::uint32_t serial,
                             const std::vector<EdidDescriptor>& descriptors = {}) {
  std::string b(128, '\0');
  const std::string header("\x00\xFF\xFF\xFF\xFF\xFF\xFF\x00", 8);
  b.replace(0, header.size(), header);
  b[8] = '\x10';  // "DEL": 4, 5, 12 in 5-bit letters
  b[9] = '\xAC';
  b[10] = static_cast<char>(product & 0xFF);
  b[11] = static_cast<char>(product >> 8);
  for (int i = 0; i < 4; ++i)
    b[12 + i] = static_cast<char>((serial >> (8 * i)) & 0xFF);
  b[54] = '\x02';
  b[55] = '\x3A';
  b[57] = '\xFF';
  for (const EdidDescriptor& d : descriptors) {
    b[d.offset + 3] = static_cast<char>(d.tag);
    b.replace(d.offset + 5, d.text.size(), d.text);
  }
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i < 127; ++i)
    sum = static_cast<std::uint8_t>(sum + static_cast<std::uint8_t>(b[i]));
  b[127] = static_cast<char>(0x100 - sum);
  return b;
}

}  // namespace dovrik::displaytest
