// KWin's output devices as the adapter sees them on the fixture's virtual output.
#include "WaylandSession.h"
#include "linux/display/DisplayUuid.h"
#include "linux/kwin/OutputDevices.h"

namespace dovrik::waylandtest {
namespace {

class OutputDevicesTest : public WaylandTest {};

TEST_F(OutputDevicesTest, VirtualOutputIsDescribedAndNamedByItsConnector) {
  const auto connection = connect();
  kwin::OutputDevices outputs(*connection);
  const auto devices = outputs.devices();
  ASSERT_EQ(devices.size(), 1u);
  const kwin::OutputDevice& output = devices.front();
  EXPECT_FALSE(output.name.empty());
  EXPECT_FALSE(output.uuid.empty());
  EXPECT_TRUE(output.enabled);
  EXPECT_EQ(output.x, 0);
  EXPECT_EQ(output.y, 0);
  EXPECT_EQ(outputs.device(output.name), output);
  // A virtual output has no EDID: it is named by its connector, as Xvfb's outputs are on X11.
  EXPECT_TRUE(output.edid.empty());
  EXPECT_EQ(outputs.displayUuid(output.name), display::nameBasedUuid(output.name));
  EXPECT_EQ(outputs.displayUuid(output.name + "-gone"), std::nullopt);
}

}  // namespace
}  // namespace dovrik::waylandtest
