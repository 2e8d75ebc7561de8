// The window manager's edge-tiling settings through the desktop's tools, with stand-ins for
// gsettings, xfconf-query, kreadconfig5, kwriteconfig5 and dbus-send on PATH that log how
// they were called and answer as the real ones do.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "TempFolder.h"
#include "linux/desktop/DesktopEdgeTiling.h"
#include "linux/desktop/SettingsTool.h"

namespace dovrik::desktop {
namespace {

using files::testing::readFile;
using files::testing::TempFolder;

class DesktopEdgeTilingTest : public ::testing::Test {
 protected:
  DesktopEdgeTilingTest() : oldPath_(std::getenv("PATH")) {
    setenv("PATH", folder_.path().c_str(), 1);
  }
  ~DesktopEdgeTilingTest() override { setenv("PATH", oldPath_.c_str(), 1); }

  // A tool that logs its arguments, then runs `body`.
  void tool(const std::string& name, const std::string& body) {
    const auto file = folder_.path() / name;
    std::ofstream(file) << "#!/bin/sh\necho \"" << name << " $*\" >> " << log() << "\n"
                        << body << "\n";
    chmod(file.c_str(), 0755);
  }
  std::string log() const { return (folder_.path() / "calls").string(); }
  std::string calls() const { return readFile(log()); }

  TempFolder folder_;
  std::string oldPath_;
  std::string windowManager_;
  DesktopEdgeTiling tiling_{[this] { return windowManager_; }};
};

TEST_F(DesktopEdgeTilingTest, KnowsEachWindowManagerByItsOwnNameWhateverTheCase) {
  windowManager_ = "Xfwm4";
  const WindowManagerTiling xfwm4 = tiling_.running();
  EXPECT_EQ(xfwm4.windowManager, "Xfwm4");
  ASSERT_EQ(xfwm4.settings.size(), 2u);
  EXPECT_EQ(xfwm4.settings[0].id, "xfconf xfwm4 /general/tile_on_move");
  windowManager_ = "METACITY";
  EXPECT_EQ(tiling_.running().settings.at(0).id, "gsettings org.gnome.metacity edge-tiling");
  windowManager_ = "Openbox";
  EXPECT_TRUE(tiling_.running().settings.empty());
  windowManager_ = "";
  EXPECT_TRUE(tiling_.running().settings.empty());
}

TEST_F(DesktopEdgeTilingTest, GSettingsIsReadAndSetByArgumentsAndAMissingToolReadsAsNothing) {
  const std::string id = "gsettings org.gnome.metacity edge-tiling";
  EXPECT_EQ(tiling_.isOn(id), std::nullopt);
  EXPECT_FALSE(tiling_.setOn(id, false));
  tool("gsettings", "echo false");
  EXPECT_EQ(tiling_.isOn(id), false);
  EXPECT_TRUE(tiling_.setOn(id, true));
  EXPECT_EQ(calls(),
            "gsettings get org.gnome.metacity edge-tiling\n"
            "gsettings set org.gnome.metacity edge-tiling true\n");
  // A schema that is not installed.
  tool("gsettings", "exit 1");
  EXPECT_EQ(tiling_.isOn(id), std::nullopt);
  EXPECT_EQ(tiling_.isOn("gsettings org.gnome.metacity edge-tiling extra"), std::nullopt);
}

TEST_F(DesktopEdgeTilingTest, AnXfconfPropertyNotYetStoredHoldsXfwm4sBuiltInValue) {
  const std::string id = "xfconf xfwm4 /general/tile_on_move";
  // The property is absent, the channel answers.
  tool("xfconf-query", "[ \"$3\" = -l ] && exit 0; exit 1");
  EXPECT_EQ(tiling_.isOn(id), true);
  // No daemon answers at all.
  tool("xfconf-query", "exit 1");
  EXPECT_EQ(tiling_.isOn(id), std::nullopt);
  tool("xfconf-query", "exit 0");
  EXPECT_TRUE(tiling_.setOn(id, false));
  EXPECT_NE(calls().find("xfconf-query -c xfwm4 -p /general/tile_on_move -n -t bool -s false\n"),
            std::string::npos);
}

TEST_F(DesktopEdgeTilingTest, KwinrcIsSetWithThePlasmaToolsFoundAndCountsOnlyOnceKWinReloads) {
  const std::string id = "kwinrc Windows ElectricBorderTiling";
  tool("kreadconfig5", "echo true");
  tool("kwriteconfig5", "exit 0");
  tool("dbus-send", "exit 0");
  EXPECT_EQ(tiling_.isOn(id), true);
  EXPECT_TRUE(tiling_.setOn(id, false));
  EXPECT_EQ(calls(),
            "kreadconfig5 --file kwinrc --group Windows --key ElectricBorderTiling --default "
            "true\n"
            "kwriteconfig5 --file kwinrc --group Windows --key ElectricBorderTiling --type bool "
            "false\n"
            "dbus-send --session --type=method_call --dest=org.kde.KWin /KWin "
            "org.kde.KWin.reconfigure\n");
  // Written, but KWin did not hear of it: not done.
  tool("dbus-send", "exit 1");
  EXPECT_FALSE(tiling_.setOn(id, false));
}

TEST_F(DesktopEdgeTilingTest, AToolThatHangsIsKilledAtItsDeadline) {
  tool("hangs", "exec /bin/sleep 30");
  EXPECT_EQ(runSettingsTool({"hangs"}, std::chrono::milliseconds(200)), std::nullopt);
  tool("answers", "echo yes; exit 3");
  const auto output = runSettingsTool({"answers"});
  ASSERT_NE(output, std::nullopt);
  EXPECT_EQ(output->exitStatus, 3);
  EXPECT_EQ(output->out, "yes\n");
}

}  // namespace
}  // namespace dovrik::desktop
