// sway's answers in the mirror's terms: which windows are ordinary and by what they are known,
// the usable area each output's visible workspace leaves, and monitor identities.
#include "linux/sway/SwayState.h"

#include <gtest/gtest.h>

namespace dovrik::sway {
namespace {

i3ipc::I3Output output(std::string name, Rect rect, std::string serial = "", bool active = true) {
  return {.name = std::move(name),
          .make = "Dell Inc.",
          .model = "U2720Q",
          .serial = std::move(serial),
          .rect = rect,
          .active = active};
}

i3ipc::I3Workspace workspace(std::string name, std::string output, Rect rect, bool visible) {
  return {.name = std::move(name),
          .output = std::move(output),
          .rect = rect,
          .focused = false,
          .visible = visible};
}

TEST(SwayStateTest, WaylandWindowsGoByTheirAppIdAndXwaylandOnesByTheirClass) {
  i3ipc::I3Window foot;
  foot.conId = 7;
  foot.appId = "foot";
  foot.pid = 40;
  foot.frame = {0, 23, 640, 777};
  foot.output = "HEADLESS-1";
  i3ipc::I3Window xterm;
  xterm.x11Window = 0x400001;
  xterm.x11Class = "XTerm";
  xterm.x11Instance = "xterm";
  xterm.windowType = "normal";
  i3ipc::I3Window dialog = xterm;
  dialog.windowType = "dialog";
  i3ipc::I3Window splash = xterm;
  splash.windowType = "splash";

  const mirror::MirroredWindow wayland = mirroredWindow(foot);
  EXPECT_EQ(wayland.id, "7");
  EXPECT_EQ(wayland.resourceClass, "foot");
  EXPECT_EQ(wayland.desktopFileName, "foot");
  EXPECT_EQ(wayland.pid, 40);
  EXPECT_EQ(wayland.frame, (Rect{0, 23, 640, 777}));
  EXPECT_EQ(wayland.output, "HEADLESS-1");
  EXPECT_TRUE(wayland.normal) << "sway gives its own windows no type";

  const mirror::MirroredWindow x11 = mirroredWindow(xterm);
  EXPECT_EQ(x11.resourceClass, "XTerm");
  EXPECT_EQ(x11.resourceName, "xterm");
  EXPECT_EQ(x11.desktopFileName, "");
  EXPECT_TRUE(x11.isOrdinary());
  EXPECT_TRUE(mirroredWindow(dialog).dialog);
  EXPECT_FALSE(mirroredWindow(splash).isOrdinary());
}

TEST(SwayStateTest, EachActiveOutputOffersWhatItsVisibleWorkspaceLeavesFree) {
  const std::vector<i3ipc::I3Output> outputs = {output("HEADLESS-1", {0, 0, 1280, 800}),
                                                output("HEADLESS-2", {1280, 0, 1920, 1080}),
                                                output("xroot-0", {0, 0, 3200, 1080}, "", false)};
  const std::vector<i3ipc::I3Workspace> spaces = {
      workspace("1", "HEADLESS-1", {0, 0, 1280, 780}, false),
      workspace("3", "HEADLESS-1", {0, 23, 1280, 777}, true),
      workspace("2", "HEADLESS-2", {1280, 23, 1920, 1057}, false)};
  const auto mirrored = mirroredOutputs(outputs, spaces);
  ASSERT_EQ(mirrored.size(), 2u) << "the inactive fallback output is no screen";
  EXPECT_EQ(mirrored[0].usable, (Rect{0, 23, 1280, 777}));
  EXPECT_EQ(mirrored[1].usable, (Rect{1280, 0, 1920, 1080}))
      << "an output showing no workspace yet is usable whole";

  i3ipc::I3Window other;
  other.conId = 4;
  i3ipc::I3Window focused;
  focused.conId = 5;
  focused.focused = true;
  const SwayState state = swayState(outputs, spaces, {other, focused});
  EXPECT_EQ(state.activeId, "5");
  EXPECT_EQ(state.windows.size(), 2u);
  EXPECT_EQ(swayState(outputs, spaces, {}).activeId, "");
}

TEST(SwayStateTest, AMonitorIsKnownByWhatItTellsAndTwinsByTheirConnectors) {
  const auto identities = [](const std::vector<i3ipc::I3Output>& outputs) {
    return display::identityNames(monitorDescriptions(outputs));
  };
  const auto names = identities({output("DP-1", {}, "ABC123"), output("HDMI-A-1", {}, "XYZ9"),
                                 output("HEADLESS-1", {}), output("HEADLESS-2", {})});
  EXPECT_EQ(names[0], "Dell Inc. U2720Q ABC123");
  EXPECT_EQ(identities({output("HDMI-A-2", {}, "ABC123")})[0], names[0])
      << "the same monitor on another connector";
  EXPECT_NE(names[2], names[3]);
  EXPECT_NE(names[2].find("HEADLESS-1"), std::string::npos);
}

}  // namespace
}  // namespace dovrik::sway
