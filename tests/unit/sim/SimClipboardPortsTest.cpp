// The simulated clipboard and file system that the clipboard history is tested against.
#include <gtest/gtest.h>

#include <vector>

#include "sim/SimClock.h"
#include "sim/SimFiles.h"
#include "sim/SimPasteboard.h"

namespace dovrik::sim {
namespace {

TEST(SimPasteboardTest, EveryChangeIsCountedAndReportedLaterAndOnlyImagesAreWrittenAsImages) {
  SimClock clock;
  SimPasteboard pasteboard(clock);
  std::vector<ChangeCount> reported;
  pasteboard.changed.connect([&](ChangeCount count) { reported.push_back(count); });
  pasteboard.copyText("a");
  pasteboard.changeOwner();
  EXPECT_EQ(pasteboard.changeCount(), 2);
  EXPECT_TRUE(reported.empty());
  clock.runUntilIdle();
  EXPECT_EQ(reported, (std::vector<ChangeCount>{1, 2}));

  EXPECT_FALSE(pasteboard.writePNG(Bytes{1, 2, 3}, false));
  EXPECT_EQ(pasteboard.changeCount(), 2);
  const Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 7};
  EXPECT_EQ(pasteboard.writePNG(png, true), 3);
  ASSERT_EQ(pasteboard.writes.size(), 1U);
  EXPECT_TRUE(pasteboard.writes[0].alsoPrimary);
}

TEST(SimFilesTest, MovingAFolderCarriesItsFilesAndSettingAsideNeverOverwrites) {
  SimFiles files;
  files.put("/d/Old/a.json", Bytes{1});
  files.put("/d/Old/sub/b.json", Bytes{2});
  files.put("/d/Older/c.json", Bytes{3});
  EXPECT_TRUE(files.move("/d/Old", "/d/New"));
  EXPECT_EQ(files.read("/d/New/sub/b.json"), Bytes{2});
  EXPECT_FALSE(files.exists("/d/Old/a.json"));
  EXPECT_TRUE(files.exists("/d/Older/c.json"));
  EXPECT_FALSE(files.move("/d/Older", "/d/New"));

  EXPECT_EQ(files.setAside("/d/New/a.json"), "/d/New/a.json.unreadable");
  files.put("/d/New/a.json", Bytes{4});
  EXPECT_EQ(files.setAside("/d/New/a.json"), "/d/New/a.json.unreadable-2");
  EXPECT_EQ(files.read("/d/New/a.json.unreadable"), Bytes{1});
  EXPECT_FALSE(files.writeAtomically("/nowhere/x", "x", 0600));
}

}  // namespace
}  // namespace dovrik::sim
