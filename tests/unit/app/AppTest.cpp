// Start-up, arriving trust, re-open and teardown of the application object on the simulated
// desktop.
#include <gtest/gtest.h>

#include "core/app/App.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik {
namespace {

class AppTest : public ::testing::Test {
 protected:
  test::SimWorld world;
  Defaults& stored = world.sim.defaults.application();
  sim::SimEventTap& tap = world.sim.eventTap;
};

TEST_F(AppTest, StartImportsThenSetsUpHotkeysAndTheTapWhichTheAppRemoves) {
  world.sim.defaults.addDomain("com.quillmoor.app").set("snappingEnabled", true);
  {
    App app(world.platform);
    app.start();
    EXPECT_EQ(stored.boolValue("migratedFromQuillmoor"), true);
    // Four snap hotkeys, the three window commands' and the clipboard popup's.
    EXPECT_EQ(world.hotkeys.registered().size(), 8u);
    EXPECT_TRUE(tap.isInstalled());
  }
  EXPECT_FALSE(tap.isInstalled());
}

TEST_F(AppTest, WithoutTrustNothingIsSetUpUntilTrustArrivesAndReopenRefreshesIt) {
  world.desktop.setTrusted(false);
  App app(world.platform);
  app.start();
  // Only the clipboard popup's hotkey, which needs no trust.
  EXPECT_EQ(world.hotkeys.registered().size(), 1u);
  world.clock.advanceBy(3);
  EXPECT_EQ(world.hotkeys.registered().size(), 1u);
  EXPECT_EQ(tap.installAttempts, 0);

  world.desktop.setTrusted(true);
  world.clock.advanceBy(0.5);
  EXPECT_EQ(world.hotkeys.registered().size(), 8u);
  EXPECT_TRUE(tap.isInstalled());
  EXPECT_FALSE(app.accessibilityTrust().isPollingPermission());

  world.desktop.setTrusted(false);
  app.reopen();
  EXPECT_FALSE(app.accessibilityTrust().hasAccessibilityPermission());
  world.desktop.setTrusted(true);
  app.reopen();
  EXPECT_TRUE(app.accessibilityTrust().hasAccessibilityPermission());
  EXPECT_EQ(world.hotkeys.registered().size(), 8u);
  EXPECT_EQ(tap.installAttempts, 1);
}

TEST_F(AppTest, StartMonitorsTheClipboardAndQuittingRightAfterACopyKeepsIt) {
  {
    App app(world.platform);
    app.start();
    world.sim.pasteboard.copyText("copied");
    world.clock.advanceBy(0.1);
    EXPECT_EQ(app.shortcutConflicts().resetClipboardShortcut(), std::nullopt);
    EXPECT_TRUE(app.clipboardShortcut().isRegistered());
    app.flush();
  }
  App again(world.platform);
  ASSERT_EQ(again.clipboardManager().items().size(), 1u);
  EXPECT_EQ(again.clipboardManager().items()[0].text, "copied");
}

}  // namespace
}  // namespace dovrik
