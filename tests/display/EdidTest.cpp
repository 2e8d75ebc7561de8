// Reading a monitor's identity from EDID blobs built byte by byte, including the layouts
// that trip a careless reader: timings where descriptors may be, padding, extension blocks.
#include "linux/display/Edid.h"

#include <gtest/gtest.h>

#include <string>

#include "EdidBlob.h"

namespace dovrik::displaytest {
namespace {

using display::Edid;

TEST(EdidTest, ReadsTheIdentityFields) {
  const auto edid = Edid::parse(edidBlock(0xA0C2, 0x4C305A31, {{108, 0xFF, "CN0ABC123\n   "}}));
  ASSERT_TRUE(edid);
  EXPECT_EQ(*edid, (Edid{"DEL", 0xA0C2, 0x4C305A31, "CN0ABC123"}));
  // Extension blocks after the base block leave it readable.
  EXPECT_EQ(Edid::parse(edidBlock(0xA0C2, 0x4C305A31, {{108, 0xFF, "CN0ABC123\n   "}}) +
                        std::string(128, '\x02')),
            edid);
}

TEST(EdidTest, TakesTheSerialTextOnlyFromItsOwnDescriptor) {
  // The monitor's name comes first and must not be taken for the serial.
  const auto named =
      Edid::parse(edidBlock(1, 0, {{72, 0xFC, "DELL U2720Q\n "}, {90, 0xFF, "0123456789ABC"}}));
  ASSERT_TRUE(named);
  EXPECT_EQ(named->serialText, "0123456789ABC");  // all 13 characters, no line feed
  const auto zeroPadded = Edid::parse(edidBlock(1, 0, {{90, 0xFF, std::string("XY7\0\0\0", 6)}}));
  ASSERT_TRUE(zeroPadded);
  EXPECT_EQ(zeroPadded->serialText, "XY7");
  // Without one the text is empty, even though a timing sits where a descriptor could.
  const auto bare = Edid::parse(edidBlock(1, 7, {{72, 0xFC, "NONAME\n      "}}));
  ASSERT_TRUE(bare);
  EXPECT_EQ(bare->serialText, "");
  EXPECT_EQ(bare->serial, 7u);
}

TEST(EdidTest, RejectsWhatIsNoBaseBlock) {
  const std::string good = edidBlock(1, 2);
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
}  // namespace dovrik::displaytest
