// Display UUIDs: the hash under them against published vectors, the UUID text against an
// independent implementation, and the identity rules that keep a monitor's UUID its own.
#include "linux/display/DisplayUuid.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "linux/display/Sha1.h"

namespace dovrik::displaytest {
namespace {

using display::DisplaySource;
using display::displayUuids;
using display::Edid;
using display::nameBasedUuid;

std::string sha1Hex(std::string_view bytes) {
  std::string text;
  for (const std::uint8_t b : display::sha1(bytes)) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02x", b);
    text += pair;
  }
  return text;
}

TEST(DisplayUuidTest, Sha1MatchesThePublishedVectors) {
  EXPECT_EQ(sha1Hex(""), "da39a3ee5e6b4b0d3255bfef95601890afd80709");
  EXPECT_EQ(sha1Hex("abc"), "a9993e364706816aba3e25717850c26c9cd0d89d");
  // 56 bytes: the length no longer fits the first block, so padding spills into a second.
  EXPECT_EQ(sha1Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "84983e441c3bd26ebaae4aa1f95129e5e54670f1");
}

TEST(DisplayUuidTest, NamesGiveVersion5UuidsInOurNamespace) {
  // Expected values from Python's uuid.uuid5 with the same namespace.
  EXPECT_EQ(nameBasedUuid("A"), "5EFF2AE6-3B56-5FDE-A0DE-D63A0652545A");
  EXPECT_EQ(nameBasedUuid("screen"), "9A539566-C049-54E3-BAB0-E96D65E97E1B");
}

const Edid dell{"DEL", 41154, 808464432, ""};
const Edid dellWithoutSerial{"DEL", 41154, 0, ""};

TEST(DisplayUuidTest, AMonitorKeepsItsUuidOnAnyConnector) {
  const auto onDp = displayUuids({{"DP-1", "DP-1", dell}});
  const auto onHdmi = displayUuids({{"HDMI-1", "HDMI-1", dell}, {"DP-2", "DP-2", std::nullopt}});
  EXPECT_EQ(onDp[0], "26A90189-3698-546C-81BC-BEC53BB26FDA");
  EXPECT_EQ(onHdmi[0], onDp[0]);
  // Without an EDID the monitor's name is all there is.
  EXPECT_EQ(onHdmi[1], nameBasedUuid("DP-2"));
  // Alone, a monitor without a serial number still does not depend on its connector.
  EXPECT_EQ(displayUuids({{"DP-1", "DP-1", dellWithoutSerial}})[0],
            displayUuids({{"HDMI-1", "HDMI-1", dellWithoutSerial}})[0]);
}

TEST(DisplayUuidTest, TwinsAreToldApartByConnector) {
  const auto twins = displayUuids({{"DP-1", "DP-1", dellWithoutSerial},
                                   {"HDMI-1", "HDMI-1", dellWithoutSerial},
                                   {"DP-2", "DP-2", dell}});
  EXPECT_EQ(twins[0], "C6C22411-6FB7-50F9-A638-B02895BD4BA0");
  EXPECT_EQ(twins[1], "1E7B64CA-379A-5366-BE55-99B763B13C1E");
  EXPECT_EQ(twins[2], displayUuids({{"DP-2", "DP-2", dell}})[0]);
  // The same pair listed the other way round keeps each connector's UUID.
  const auto swapped =
      displayUuids({{"HDMI-1", "HDMI-1", dellWithoutSerial}, {"DP-1", "DP-1", dellWithoutSerial}});
  EXPECT_EQ(swapped[0], twins[1]);
  EXPECT_EQ(swapped[1], twins[0]);
  // Units that all claim one serial number are twins too.
  const auto sameSerial = displayUuids({{"DP-1", "DP-1", dell}, {"DP-3", "DP-3", dell}});
  EXPECT_NE(sameSerial[0], sameSerial[1]);
}

}  // namespace
}  // namespace dovrik::displaytest
