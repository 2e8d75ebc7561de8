// The window manager's own edge tiling held off while drag snapping is on: the user's value
// recorded before any change and given back when drag snapping goes off, at quit, or at the
// next start after a crash; and the plain words where Dovrik cannot switch it.
#include <gtest/gtest.h>

#include <memory>

#include "core/app/App.h"
#include "core/drag/EdgeTilingGuard.h"
#include "core/settings/DragZonesPanelModel.h"
#include "tests/unit/support/SettingsOf.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik {
namespace {

const EdgeTilingSetting kTile{"xfconf xfwm4 /general/tile_on_move", "untick tiling"};
const EdgeTilingSetting kWrap{"xfconf xfwm4 /general/wrap_windows", "untick wrapping"};

// One run of Dovrik: its store, switches and guard. Ending a run without `restoreAll` is a
// crash.
struct DovrikRun {
  explicit DovrikRun(Platform& platform)
      : appState(test::appStateOf(platform)),
        trust(test::trustOf(platform, appState)),
        zones(platform.defaults.application()),
        guard(platform.scheduler, platform.defaults, platform.edgeTiling, platform.eventTap,
              appState, trust, zones) {}
  AppState appState;
  AccessibilityTrust trust;
  DragZoneManager zones;
  EdgeTilingGuard guard;
};

class EdgeTilingGuardTest : public ::testing::Test {
 protected:
  EdgeTilingGuardTest() {
    tiling.windowManager = {"Xfwm4", {kTile, kWrap}};
    tiling.values = {{kTile.id, true}, {kWrap.id, true}};
  }
  std::unique_ptr<DovrikRun> start() {
    auto run = std::make_unique<DovrikRun>(world.platform);
    run->guard.apply();
    return run;
  }
  std::optional<DefaultsValue> recorded() {
    return world.sim.defaults.application().object("wmEdgeTilingOriginals");
  }
  bool on(const EdgeTilingSetting& setting) { return tiling.values.at(setting.id); }

  test::SimWorld world;
  sim::SimEdgeTiling& tiling = world.sim.edgeTiling;
};

TEST_F(EdgeTilingGuardTest, DragSnappingOnTurnsItOffOnlyAfterTheUsersValueIsStored) {
  std::vector<std::optional<DefaultsValue>> storedAtEachWrite;
  tiling.beforeWrite = [&](const std::string&, bool) { storedAtEachWrite.push_back(recorded()); };
  const auto run = start();
  EXPECT_FALSE(on(kTile));
  EXPECT_FALSE(on(kWrap));
  ASSERT_EQ(storedAtEachWrite.size(), 2u);
  EXPECT_EQ(storedAtEachWrite[0], DefaultsValue(DefaultsValue::Dict{{kTile.id, true}}));
  EXPECT_EQ(storedAtEachWrite[1],
            DefaultsValue(DefaultsValue::Dict{{kTile.id, true}, {kWrap.id, true}}));
  EXPECT_EQ(run->guard.heldOff(), (std::vector{kTile, kWrap}));
  EXPECT_EQ(run->guard.heldOffNotice(),
            "Xfwm4's own edge tiling is off while drag snapping is on; Dovrik turns it back on "
            "when drag snapping is switched off or Dovrik quits.");
  EXPECT_EQ(run->guard.leftOnNotice(), std::nullopt);
}

TEST_F(EdgeTilingGuardTest, EitherSwitchOffGivesItBackAndOnTakesItAgain) {
  const auto run = start();
  run->zones.setDragSnappingEnabled(false);
  world.clock.runUntilIdle();
  EXPECT_TRUE(on(kTile));
  EXPECT_TRUE(on(kWrap));
  EXPECT_EQ(recorded(), std::nullopt);
  EXPECT_TRUE(run->guard.heldOff().empty());

  run->zones.setDragSnappingEnabled(true);
  world.clock.runUntilIdle();
  EXPECT_FALSE(on(kTile));
  run->appState.setSnappingEnabled(false);
  world.clock.runUntilIdle();
  EXPECT_TRUE(on(kTile));

  // A slider moved while nothing that matters changed reads and writes nothing.
  const std::size_t writes = tiling.writes.size();
  run->zones.setEdgeSensitivity(70);
  world.clock.runUntilIdle();
  EXPECT_EQ(tiling.writes.size(), writes);
}

TEST_F(EdgeTilingGuardTest, QuitGivesItBackButNeverWritesOverTheUsersOwnChange) {
  auto run = start();
  run->guard.restoreAll();
  EXPECT_TRUE(on(kTile));
  EXPECT_EQ(recorded(), std::nullopt);
  // Settings stored while Dovrik winds down change nothing any more.
  run->appState.setSnappingEnabled(false);
  run->appState.setSnappingEnabled(true);
  world.clock.runUntilIdle();
  EXPECT_TRUE(on(kTile));

  run = start();
  // The user turns one back on while Dovrik holds it off: at quit it is already back.
  tiling.values[kWrap.id] = true;
  tiling.writes.clear();
  run->guard.restoreAll();
  EXPECT_EQ(tiling.writes, (std::vector<std::pair<std::string, bool>>{{kTile.id, true}}));
  EXPECT_EQ(recorded(), std::nullopt);
}

TEST_F(EdgeTilingGuardTest, AValueACrashLeftOffComesBackAtTheNextStart) {
  start().reset();  // ends without giving anything back
  EXPECT_FALSE(on(kTile));
  ASSERT_NE(recorded(), std::nullopt);

  // Drag snapping still on: held off again from the record, which stays, with no write.
  tiling.writes.clear();
  auto run = start();
  EXPECT_TRUE(tiling.writes.empty());
  EXPECT_EQ(run->guard.heldOff().size(), 2u);
  run.reset();

  // Switched off meanwhile, and the settings daemon not answering at first: kept for later.
  world.sim.defaults.application().set("dz_dragSnapping", false);
  tiling.unreadable = {kTile.id};
  run = start();
  EXPECT_FALSE(on(kTile));
  EXPECT_TRUE(on(kWrap));
  EXPECT_EQ(recorded(), DefaultsValue(DefaultsValue::Dict{{kTile.id, true}}));
  run.reset();
  tiling.unreadable.clear();
  run = start();
  EXPECT_TRUE(on(kTile));
  EXPECT_EQ(recorded(), std::nullopt);
}

TEST_F(EdgeTilingGuardTest, AValueTheUserHasOffAlreadyIsNeitherRecordedNorTouched) {
  tiling.values = {{kTile.id, false}, {kWrap.id, false}};
  auto run = start();
  EXPECT_EQ(recorded(), std::nullopt);
  EXPECT_TRUE(run->guard.heldOff().empty());
  EXPECT_EQ(run->guard.heldOffNotice(), std::nullopt);
  run->zones.setDragSnappingEnabled(false);
  world.clock.runUntilIdle();
  run->guard.restoreAll();
  EXPECT_TRUE(tiling.writes.empty());
}

TEST_F(EdgeTilingGuardTest, WhatCannotBeSwitchedIsLeftForTheUserInPlainWords) {
  // Unreadable (its tool missing), refused, and accepted without being kept (GSettings with
  // no backend keeps a value in memory only).
  tiling.unreadable = {kTile.id};
  tiling.notKept = {kWrap.id};
  auto run = start();
  EXPECT_EQ(run->guard.leftOn(), (std::vector{kTile, kWrap}));
  EXPECT_EQ(run->guard.leftOnNotice(),
            "Xfwm4 tiles windows dropped on a screen edge itself, and Dovrik could not turn that "
            "off, so a drag may end where Xfwm4 puts the window rather than where Dovrik shows. To "
            "turn it off: untick tiling; untick wrapping.");
  // Nothing changed, so nothing is owed.
  EXPECT_EQ(recorded(), std::nullopt);

  tiling.unreadable.clear();
  tiling.notKept.clear();
  tiling.refused = {kWrap.id};
  run = start();
  EXPECT_EQ(run->guard.leftOn(), std::vector{kWrap});
  EXPECT_EQ(run->guard.heldOff(), std::vector{kTile});
  EXPECT_TRUE(on(kWrap));
  EXPECT_EQ(recorded(), DefaultsValue(DefaultsValue::Dict{{kTile.id, true}}));
}

TEST_F(EdgeTilingGuardTest, AWindowManagerWithoutEdgeTilingIsLeftAloneAndSaysNothing) {
  tiling.windowManager = {"Openbox", {}};
  const auto run = start();
  EXPECT_TRUE(tiling.writes.empty());
  EXPECT_EQ(run->guard.leftOnNotice(), std::nullopt);
  EXPECT_EQ(run->guard.heldOffNotice(), std::nullopt);
}

TEST_F(EdgeTilingGuardTest, TheAppHoldsItOffFromStartToQuitAndThePanelSaysWhatToChange) {
  {
    App app(world.platform);
    app.start();
    EXPECT_FALSE(on(kTile));
    app.flush();
    EXPECT_TRUE(on(kTile));
  }
  tiling.unreadable = {kTile.id};
  App app(world.platform);
  app.start();
  DragZonesPanelModel panel(app.dragZoneManager(), app.edgeTilingGuard(), world.sim.desktop,
                            app.dragMonitor());
  ASSERT_NE(panel.edgeTilingWarning(), std::nullopt);
  EXPECT_NE(panel.edgeTilingWarning()->find("To turn it off: untick tiling."), std::string::npos);
  EXPECT_EQ(panel.edgeTilingNote(), app.edgeTilingGuard().heldOffNotice());
  ASSERT_NE(panel.edgeTilingNote(), std::nullopt);

  // Another window manager in its place, noticed with the change of trust that comes with it:
  // the first one's value is given back and the panel says so at once.
  int changes = 0;
  panel.changed.connect([&] { ++changes; });
  tiling.windowManager = {"Openbox", {}};
  world.desktop.setTrusted(false);
  app.reopen();
  world.clock.runUntilIdle();
  EXPECT_TRUE(on(kWrap));
  EXPECT_EQ(panel.edgeTilingWarning(), std::nullopt);
  EXPECT_EQ(panel.edgeTilingNote(), std::nullopt);
  EXPECT_GT(changes, 0);
}

}  // namespace
}  // namespace dovrik
