// The Clipboard panel: the size slider and its release, the counts, the pinned list, the clear
// confirmation and the paste keystrokes' rows.
#include <gtest/gtest.h>

#include <set>

#include "core/app/ManagerPorts.h"
#include "core/settings/ClipboardPanelModel.h"
#include "tests/unit/settings/SettingsFixture.h"

namespace dovrik {
namespace {

struct ClipboardPanelModelTest : test::SettingsFixture {
  ClipboardManager& manager() { return app.clipboardManager(); }
  void copy(int n) {
    for (int i = 0; i < n; ++i) {
      sim.pasteboard.copyText("entry " + std::to_string(copies++));
      clock.advanceBy(1);
    }
  }
  int copies = 0;
  ClipboardPanelModel panel{shortcutRecorderPorts(platform),
                            platform.runningApps,
                            platform.locale,
                            app.appState(),
                            app.shortcutConflicts(),
                            app.clipboardManager(),
                            app.fileShelfManager(),
                            app.clipboardShortcut(),
                            ownHotkeys,
                            app.installedAppsCache()};
};

TEST_F(ClipboardPanelModelTest, SizeSliderStopsEveryFiveFromFiveToFifty) {
  std::set<std::int64_t> stops;
  for (double v = 0; v <= 60; v += 0.5) {
    panel.setSize(v);
    stops.insert(app.appState().clipboardHistorySize());
  }
  EXPECT_EQ(stops, (std::set<std::int64_t>{5, 10, 15, 20, 25, 30, 35, 40, 45, 50}));
  panel.setSize(26.9);
  EXPECT_EQ(panel.sizeTitle(), "Store up to 25 items");
}

TEST_F(ClipboardPanelModelTest, LoweringTheSizeCutsTheHistoryOnlyWhenTheSliderIsReleased) {
  copy(20);
  manager().togglePin(manager().items()[5].id);
  manager().togglePin(manager().items()[19].id);
  EXPECT_EQ(panel.storedCounts(), "18 unpinned · 2 pinned");

  panel.setSize(10);
  EXPECT_EQ(manager().items().size(), 20u);
  EXPECT_EQ(panel.storedAgainstSize(), "18 / 10");
  panel.releaseSizeSlider();
  EXPECT_EQ(panel.storedCounts(), "10 unpinned · 2 pinned");
  EXPECT_EQ(panel.pinnedRows().size(), 2u);
  // The newest unpinned entries stay.
  EXPECT_EQ(manager().items()[2].text, "entry 19");
}

TEST_F(ClipboardPanelModelTest, UnpinningRemovesTheRowAndCancellingClearKeepsEverything) {
  copy(3);
  const Uuid pinned = manager().items()[1].id;
  manager().togglePin(pinned);
  ASSERT_EQ(panel.pinnedRows().size(), 1u);
  EXPECT_EQ(panel.pinnedRows()[0].text, "entry 1");
  panel.unpin(pinned);
  EXPECT_TRUE(panel.pinnedRows().empty());
  EXPECT_EQ(manager().items().size(), 3u);

  manager().togglePin(pinned);
  panel.requestClear();
  EXPECT_EQ(panel.clearConfirmation()->confirmButton, "Clear History");
  panel.cancelClear();
  panel.confirmClear();  // no longer asked: nothing happens
  EXPECT_EQ(manager().items().size(), 3u);
  panel.requestClear();
  panel.confirmClear();
  EXPECT_EQ(panel.storedCounts(), "0 unpinned · 1 pinned");
  EXPECT_EQ(panel.clearConfirmation(), std::nullopt);
}

TEST_F(ClipboardPanelModelTest, SwitchingHistoryOffReleasesTheHotkeyAndOnTakesItAgain) {
  panel.shortcutRow().setHistoryEnabled(false);
  EXPECT_FALSE(holds(test::kVCode, test::kShiftCmd));
  EXPECT_EQ(panel.shortcutRow().refusalWarning(), std::nullopt);
  panel.shortcutRow().setHistoryEnabled(true);
  EXPECT_TRUE(holds(test::kVCode, test::kShiftCmd));
}

TEST_F(ClipboardPanelModelTest, ShowsChangesOfThePasteKeystrokes) {
  int changes = 0;
  const auto connection = panel.changed.connect([&] { ++changes; });
  panel.pasteKeys().selectApp("com.example.editor");
  panel.pasteKeys().add();
  EXPECT_EQ(changes, 2);
  ASSERT_EQ(panel.pasteKeys().rows().size(), 1U);
  EXPECT_EQ(panel.pasteKeys().rows()[0].name, "Editor");
  panel.changed.disconnect(connection);
}

}  // namespace
}  // namespace dovrik
