// Start-up and re-open of the application object on the simulated desktop.
#include <gtest/gtest.h>

#include "core/app/App.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik {
namespace {

constexpr int kLeftArrow = 123;
constexpr std::uint32_t kCtrlOpt = controlKey | optionKey;

class AppTest : public ::testing::Test {
 protected:
  test::SimWorld world;
  Defaults& stored = world.sim.defaults.application();
};

TEST_F(AppTest, StartImportsThenRegistersTheSnapHotkeysWhenTrusted) {
  world.sim.defaults.addDomain("com.quillmoor.app").set("snappingEnabled", true);
  App app(world.platform);
  app.start();
  EXPECT_EQ(stored.boolValue("migratedFromQuillmoor"), true);
  EXPECT_EQ(world.hotkeys.registered().size(), 4u);

  const AXElement window = world.desktop.addWindow(test::SimWorld::appPid, {100, 100, 800, 600});
  world.sim.defaults.application().set("animationsEnabled", false);
  EXPECT_EQ(world.hotkeys.press(kLeftArrow, kCtrlOpt), noErr);
  world.clock.runUntilIdle();
  EXPECT_EQ(world.desktop.frameOf(window), (Rect{0, 25, 720, 875}));
}

TEST_F(AppTest, WithoutTrustNothingIsRegisteredUntilTrustArrives) {
  world.desktop.setTrusted(false);
  App app(world.platform);
  app.start();
  EXPECT_TRUE(world.hotkeys.registered().empty());
  world.clock.advanceBy(3);
  EXPECT_TRUE(world.hotkeys.registered().empty());

  world.desktop.setTrusted(true);
  world.clock.advanceBy(0.5);
  EXPECT_EQ(world.hotkeys.registered().size(), 4u);
  EXPECT_FALSE(app.appState().isPollingPermission());
}

TEST_F(AppTest, ReopenRefreshesTheTrustState) {
  App app(world.platform);
  app.start();
  world.desktop.setTrusted(false);
  app.reopen();
  EXPECT_FALSE(app.appState().hasAccessibilityPermission());
  world.desktop.setTrusted(true);
  app.reopen();
  EXPECT_TRUE(app.appState().hasAccessibilityPermission());
  EXPECT_EQ(world.hotkeys.registered().size(), 4u);
}

}  // namespace
}  // namespace dovrik
