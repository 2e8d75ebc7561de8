// mutter's edge tiling handed to the extension while it carries it out, and to the desktop's
// tools otherwise.
#include "ShellFixture.h"
#include "linux/gnome/GnomeEdgeTiling.h"
#include "sim/SimEdgeTiling.h"

namespace dovrik::gnome::test {
namespace {

using GnomeEdgeTilingTest = ShellFixture;

constexpr std::string_view mutterSetting = "gsettings org.gnome.mutter edge-tiling";

TEST_F(GnomeEdgeTilingTest, MutterIsSuspendedByTheExtensionAndOtherwiseByTheTools) {
  sim::SimEdgeTiling tools;
  GnomeEdgeTiling tiling(*shell, tools);
  EXPECT_TRUE(tiling.setOn(mutterSetting, false));
  EXPECT_TRUE(tiling.setOn(mutterSetting, true));
  EXPECT_EQ(callCount("SuspendEdgeTiling"), 1u);
  EXPECT_EQ(callCount("RestoreEdgeTiling"), 1u);
  EXPECT_TRUE(tools.writes.empty());

  EXPECT_TRUE(tiling.setOn("gsettings org.gnome.desktop.wm.preferences edge-tiling", false));
  extension.refuse(QStringLiteral("SuspendEdgeTiling"));
  EXPECT_TRUE(tiling.setOn(mutterSetting, false));
  const std::vector<std::pair<std::string, bool>> expected = {
      {"gsettings org.gnome.desktop.wm.preferences edge-tiling", false},
      {std::string(mutterSetting), false}};
  EXPECT_EQ(tools.writes, expected);
}

}  // namespace
}  // namespace dovrik::gnome::test
