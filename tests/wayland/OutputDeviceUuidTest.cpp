// Display UUIDs of KWin's output devices against what the X11 adapters compute for the same
// monitors on the same connectors: a monitor must keep its UUID, and the layouts saved for it,
// when the user switches between an X11 and a Wayland session.
#include <gtest/gtest.h>

#include "EdidBlob.h"
#include "linux/display/DisplayUuid.h"
#include "linux/kwin/OutputDevices.h"

namespace dovrik::kwin {
namespace {

using display::DisplaySource;
using display::Edid;
using displaytest::edidBlock;

OutputDevice output(const std::string& name, const std::string& edid) {
  OutputDevice device;
  device.name = name;
  device.edid = edid;
  return device;
}

TEST(OutputDeviceUuidTest, SameMonitorsGetTheUuidsTheX11SideGivesThem) {
  const std::string serialised = edidBlock(0xA0C2, 0x4C305A31);
  // Two units of one model without serial numbers, told apart by their connectors only.
  const std::string twin = edidBlock(0x1234, 0);
  const std::vector<OutputDevice> outputs{output("DP-1", serialised), output("HDMI-A-1", twin),
                                          output("HDMI-A-2", twin), output("Virtual-1", "")};
  // X11 names a monitor with an EDID by its identity and connector, one without by its name.
  const auto x11 = display::displayUuids({{"DP-1", "DP-1", Edid::parse(serialised)},
                                          {"HDMI-A-1", "HDMI-A-1", Edid::parse(twin)},
                                          {"HDMI-A-2", "HDMI-A-2", Edid::parse(twin)},
                                          {"Virtual-1", "", std::nullopt}});
  for (std::size_t i = 0; i < outputs.size(); ++i)
    EXPECT_EQ(displayUuidAmong(outputs, outputs[i].name), x11[i]) << outputs[i].name;
  EXPECT_NE(displayUuidAmong(outputs, "HDMI-A-1"), displayUuidAmong(outputs, "HDMI-A-2"));
  EXPECT_EQ(displayUuidAmong(outputs, "DP-2"), std::nullopt);
}

TEST(OutputDeviceUuidTest, MonitorKeepsItsUuidOnAnotherConnectorAndBesideOthers) {
  const std::string monitor = edidBlock(0xA0C2, 0x4C305A31);
  const auto alone = displayUuidAmong({output("DP-1", monitor)}, "DP-1");
  const auto moved =
      displayUuidAmong({output("eDP-1", edidBlock(0x0001, 99)), output("DP-3", monitor)}, "DP-3");
  ASSERT_TRUE(alone.has_value());
  EXPECT_EQ(alone, moved);
  // An EDID that fails its checksum counts as none: the output is named by its connector.
  std::string spoiled = monitor;
  spoiled[127] = static_cast<char>(spoiled[127] + 1);
  EXPECT_EQ(displayUuidAmong({output("DP-1", spoiled)}, "DP-1"), display::nameBasedUuid("DP-1"));
}

}  // namespace
}  // namespace dovrik::kwin
