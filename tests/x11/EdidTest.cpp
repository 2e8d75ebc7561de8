// Reading a monitor's identity from EDID blobs built here byte by byte, including the layouts
// that trip a careless reader: timings where descriptors may be, padding, extension blocks.
#include "linux/x11/Edid.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace dovrik::x11test {
namespace {

using x11::Edid;

struct Descriptor {
  std::size_t offset;
  std::uint8_t tag;
  std::string text;  // as stored, with its line feed and padding
};

// A base block with a valid header and checksum; the first descriptor slot holds a detailed
// timing whose fourth byte happens to equal the serial-text tag.
std::string block(std::uint16_t product, std::uint32_t serial,
                  const std::vector<Descriptor>& descriptors) {
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
  for (const Descriptor& d : descriptors) {
    b[d.offset + 3] = static_cast<char>(d.tag);
    b.replace(d.offset + 5, d.text.size(), d.text);
  }
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i < 127; ++i)
    sum = static_cast<std::uint8_t>(sum + static_cast<std::uint8_t>(b[i]));
  b[127] = static_cast<char>(0x100 - sum);
  return b;
}

TEST(EdidTest, ReadsTheIdentityFields) {
  const auto edid = Edid::parse(block(0xA0C2, 0x4C305A31, {{108, 0xFF, "CN0ABC123\n   "}}));
  ASSERT_TRUE(edid);
  EXPECT_EQ(*edid, (Edid{"DEL", 0xA0C2, 0x4C305A31, "CN0ABC123"}));
  // Extension blocks after the base block leave it readable.
  EXPECT_EQ(Edid::parse(block(0xA0C2, 0x4C305A31, {{108, 0xFF, "CN0ABC123\n   "}}) +
                        std::string(128, '\x02')),
            edid);
}

TEST(EdidTest, TakesTheSerialTextOnlyFromItsOwnDescriptor) {
  // The monitor's name comes first and must not be taken for the serial.
  const auto named =
      Edid::parse(block(1, 0, {{72, 0xFC, "DELL U2720Q\n "}, {90, 0xFF, "0123456789ABC"}}));
  ASSERT_TRUE(named);
  EXPECT_EQ(named->serialText, "0123456789ABC");  // all 13 characters, no line feed
  const auto zeroPadded = Edid::parse(block(1, 0, {{90, 0xFF, std::string("XY7\0\0\0", 6)}}));
  ASSERT_TRUE(zeroPadded);
  EXPECT_EQ(zeroPadded->serialText, "XY7");
  // Without one the text is empty, even though a timing sits where a descriptor could.
  const auto bare = Edid::parse(block(1, 7, {{72, 0xFC, "NONAME\n      "}}));
  ASSERT_TRUE(bare);
  EXPECT_EQ(bare->serialText, "");
  EXPECT_EQ(bare->serial, 7u);
}

TEST(EdidTest, RejectsWhatIsNoBaseBlock) {
  const std::string good = block(1, 2, {});
  ASSERT_TRUE(Edid::parse(good));
  EXPECT_FALSE(Edid::parse(good.substr(0, 127)));
  EXPECT_FALSE(Edid::parse(""));

  std::string badHeader = good;
  badHeader[0] = '\x01';
  badHeader[127] = static_cast<char>(badHeader[127] - 1);  // checksum still right
  EXPECT_FALSE(Edid::parse(badHeader));

  std::string badChecksum = good;
  badChecksum[20] = static_cast<char>(badChecksum[20] + 1);
  EXPECT_FALSE(Edid::parse(badChecksum));
}

}  // namespace
}  // namespace dovrik::x11test
