// The file shelf's rows of the Clipboard panel: the size slider and its release, the counts,
// the switch and clearing behind the confirmation.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/settings/ShelfSettingsModel.h"
#include "core/shelf/FileURL.h"
#include "tests/unit/settings/SettingsFixture.h"

namespace dovrik {
namespace {

struct ShelfSettingsModelTest : test::SettingsFixture {
  FileShelfManager& shelf() { return app.fileShelfManager(); }
  Uuid drop(const std::string& name) {
    sim.files.put("/home/u/" + name, Bytes{1});
    clock.advanceBy(1);
    return *shelf().addFile(fileURLOfPath("/home/u/" + name, false));
  }
  ShelfSettingsModel rows{app.appState(), app.fileShelfManager()};
};

TEST_F(ShelfSettingsModelTest, SizeSliderStopsAtEveryWholeNumberFromThreeToTwenty) {
  std::set<std::int64_t> stops;
  for (double v = 0; v <= 25; v += 0.25) {
    rows.setSize(v);
    stops.insert(app.appState().fileShelfSize());
  }
  EXPECT_EQ(stops.size(), 18u);
  EXPECT_EQ(*stops.begin(), 3);
  EXPECT_EQ(*stops.rbegin(), 20);
  rows.setSize(7.6);
  EXPECT_EQ(rows.sizeTitle(), "Store up to 8 files");
}

TEST_F(ShelfSettingsModelTest, LoweringTheSizeDropsFilesOnlyWhenTheSliderIsReleased) {
  const Uuid pinned = drop("kept");
  shelf().togglePin(pinned);
  for (int i = 0; i < 8; ++i)
    drop("f" + std::to_string(i));
  EXPECT_EQ(rows.storedCounts(), "8 unpinned · 1 pinned");

  rows.setSize(3);
  EXPECT_EQ(shelf().items().size(), 9u);
  EXPECT_EQ(rows.storedAgainstSize(), "8 / 3");
  rows.releaseSizeSlider();
  EXPECT_EQ(rows.storedCounts(), "3 unpinned · 1 pinned");
  EXPECT_EQ(shelf().items()[1].filename, "f7");
}

TEST_F(ShelfSettingsModelTest, ClearingAsksFirstAndKeepsPinnedFiles) {
  int changes = 0;
  rows.changed.connect([&] { ++changes; });
  shelf().togglePin(drop("kept"));
  drop("gone");

  rows.requestClear();
  EXPECT_EQ(rows.clearConfirmation()->confirmButton, "Clear File Shelf");
  rows.cancelClear();
  rows.confirmClear();  // no longer asked: nothing happens
  EXPECT_EQ(shelf().items().size(), 2u);
  rows.requestClear();
  rows.confirmClear();
  EXPECT_EQ(rows.storedCounts(), "0 unpinned · 1 pinned");
  EXPECT_EQ(rows.clearConfirmation(), std::nullopt);
  EXPECT_GT(changes, 0);

  rows.setEnabled(false);
  EXPECT_FALSE(app.appState().fileShelfEnabled());
}

}  // namespace
}  // namespace dovrik
