// The shelf's list rules, storage, reachability and pasting files, on the simulated desktop.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/app/ManagerPorts.h"
#include "core/shelf/FileShelfManager.h"
#include "core/shelf/FileURL.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik {
namespace {

using Names = std::vector<std::string>;

class FileShelfManagerTest : public ::testing::Test, public test::SimWorld {
 protected:
  FileShelfManagerTest() { build(); }

  void build() {
    manager.reset();
    state = std::make_unique<AppState>(platform.defaults.application(), platform.loginItem,
                                       platform.shell);
    trust = std::make_unique<AccessibilityTrust>(platform.accessibility, platform.scheduler,
                                                 platform.shell, platform.texts, *state);
    manager = std::make_unique<FileShelfManager>(fileShelfManagerPorts(platform), *state, *trust);
  }
  // Creates the file and drops it; answers the new entry's id.
  Uuid drop(const std::string& name) {
    sim.files.put("/home/u/" + name, Bytes{1});
    clock.advanceBy(1);
    return *manager->addFile(fileURLOfPath("/home/u/" + name, false));
  }
  Names names() const {
    Names out;
    for (const FileShelfItem& item : manager->items())
      out.push_back(item.filename + (item.isPinned ? "*" : "") + (item.isReachable ? "" : "?"));
    return out;
  }
  std::optional<std::string> stored() {
    const auto bytes = sim.defaults.application().dataValue(FileShelfManager::storageKey);
    return bytes ? std::optional<std::string>(std::string(bytes->begin(), bytes->end()))
                 : std::nullopt;
  }

  std::unique_ptr<AppState> state;
  std::unique_ptr<AccessibilityTrust> trust;
  std::unique_ptr<FileShelfManager> manager;
};

TEST_F(FileShelfManagerTest, TheUnpinnedLimitIsTheSettingButAtLeastThreeAndPinsMayBeTwiceThat) {
  for (const std::int64_t size : {0, 1, 3}) {
    state->setFileShelfSize(size);
    EXPECT_EQ(manager->unpinnedLimit(), 3U);
  }
  state->setFileShelfSize(10);
  EXPECT_EQ(manager->pinnedLimit(), 20U);
  const Uuid pinned = drop("pinned");
  manager->togglePin(pinned);
  for (int i = 1; i <= 11; ++i)
    drop("f" + std::to_string(i));
  EXPECT_EQ(names(),
            (Names{"pinned*", "f11", "f10", "f9", "f8", "f7", "f6", "f5", "f4", "f3", "f2"}));
  EXPECT_EQ(decodeFileShelfItems(*stored()), manager->items());

  // A smaller setting takes effect the next time the limits are applied, and is saved then.
  state->setFileShelfSize(4);
  EXPECT_EQ(manager->items().size(), 11U);
  manager->enforceLimits();
  EXPECT_EQ(names(), (Names{"pinned*", "f11", "f10", "f9", "f8"}));
  EXPECT_EQ(decodeFileShelfItems(*stored()), manager->items());
}

TEST_F(FileShelfManagerTest, PinningEndsThePinnedGroupAndUnpinningStartsTheFullUnpinnedGroup) {
  state->setFileShelfSize(3);
  const Uuid a = drop("a");
  const Uuid b = drop("b");
  const Uuid c = drop("c");
  manager->togglePin(b);
  manager->togglePin(a);
  EXPECT_EQ(names(), (Names{"b*", "a*", "c"}));
  drop("d");
  drop("e");
  EXPECT_EQ(names(), (Names{"b*", "a*", "e", "d", "c"}));
  manager->togglePin(b);
  EXPECT_EQ(names(), (Names{"a*", "b", "e", "d"}));  // c, the oldest unpinned, fell off
  manager->togglePin(c);                             // gone: nothing happens
  // Pinning past the pinned limit is refused rather than dropping the entry just pinned.
  for (const char* name : {"p1", "p2", "p3", "p4", "p5"})
    EXPECT_TRUE(manager->togglePin(drop(name)));
  EXPECT_FALSE(manager->togglePin(manager->items()[6].id));
  EXPECT_EQ(names(), (Names{"a*", "p1*", "p2*", "p3*", "p4*", "p5*", "b", "e"}));
  manager->clearShelf();
  EXPECT_EQ(names(), (Names{"a*", "p1*", "p2*", "p3*", "p4*", "p5*"}));
  manager->remove(a);
  EXPECT_EQ(names(), (Names{"p1*", "p2*", "p3*", "p4*", "p5*"}));
  EXPECT_EQ(decodeFileShelfItems(*stored()), manager->items());
}

TEST_F(FileShelfManagerTest, DroppingAgainMovesToTheTopUnpinnedWithANewIdAndDotDotIsTheSameFolder) {
  sim.files.createDirectory("/home/u/Docs/sub", 0755);
  const Uuid folder = *manager->addFile("file:///home/u/Docs");
  const Uuid file = drop("x.txt");
  manager->togglePin(file);
  clock.advanceBy(10);
  const auto again = manager->addFile("file:///home/u/Docs/sub/..");
  ASSERT_TRUE(again);
  EXPECT_NE(*again, folder);
  EXPECT_EQ(names(), (Names{"x.txt*", "Docs"}));
  EXPECT_EQ(manager->items()[1].url, "file:///home/u/Docs/");
  EXPECT_TRUE(manager->items()[1].isDirectory);
  EXPECT_EQ(manager->items()[1].timestamp, clock.wallTimeSince2001());

  manager->addFile("file:///home/u/./x.txt");  // a pinned file dropped again loses its pin
  EXPECT_EQ(names(), (Names{"x.txt", "Docs"}));
  EXPECT_EQ(manager->addFile("https://example.com/x.txt"), std::nullopt);
  manager->addFile("file:///home/u/gone.txt");
  EXPECT_EQ(names(), (Names{"gone.txt?", "x.txt", "Docs"}));
}

TEST_F(FileShelfManagerTest, AnUnreadableStoredShelfStartsEmptyAndIsSetAsideBeforeTheNextSave) {
  Defaults& defaults = sim.defaults.application();
  defaults.set(FileShelfManager::storageKey, Bytes{'[', '{', '}', ']'});
  build();
  EXPECT_TRUE(manager->items().empty());
  EXPECT_EQ(defaults.dataValue(FileShelfManager::storageKey), (Bytes{'[', '{', '}', ']'}));
  drop("a");
  EXPECT_EQ(defaults.dataValue(FileShelfManager::unreadableKey), (Bytes{'[', '{', '}', ']'}));
  EXPECT_EQ(names(), Names{"a"});

  // A stored shelf over the limits is cut on loading, without a save.
  for (const char* name : {"b", "c", "d"})
    drop(name);
  const std::string full = *stored();
  state->setFileShelfSize(-5);
  build();
  EXPECT_EQ(names(), (Names{"d", "c", "b"}));
  EXPECT_EQ(stored(), full);
}

TEST_F(FileShelfManagerTest, ReachabilityIsCheckedOnASnapshotAndDroppedWhenTheListChanged) {
  drop("a");
  drop("b");
  build();
  sim.files.move("/home/u/a", "/elsewhere/a");
  manager->refreshReachability();
  // The list grows before the answers come: both checks of the two entries are dropped.
  sim.files.put("/home/u/c", Bytes{1});
  manager->addFile("file:///home/u/c");
  clock.advanceBy(1);
  EXPECT_EQ(names(), (Names{"c", "b", "a"}));

  manager->refreshReachability();
  // The same length but another order: each answer still lands on its own file.
  manager->togglePin(manager->items()[2].id);
  clock.advanceBy(1);
  EXPECT_EQ(names(), (Names{"a*?", "c", "b"}));
  EXPECT_EQ(decodeFileShelfItems(*stored()), manager->items());

  sim.files.move("/elsewhere/a", "/home/u/a");
  manager->refreshReachability();
  manager.reset();  // an answer arriving after the shelf is gone does nothing
  clock.advanceBy(1);
  build();
  clock.advanceBy(1);
  EXPECT_EQ(names(), (Names{"a*", "c", "b"}));
}

TEST_F(FileShelfManagerTest, PastingAFilePutsThreeFormsOnTheClipboardHidesAndPastesAfterTheDelay) {
  desktop.setTrusted(true);
  trust->apply(true);
  int hides = 0;
  manager->hidePopupRequested.connect([&] { ++hides; });
  drop("My File 100%.txt");
  const double start = clock.now();
  ASSERT_TRUE(manager->pasteFile(manager->items()[0]));
  const std::string url = "file:///home/u/My%20File%20100%25.txt";
  ASSERT_EQ(sim.pasteboard.writes.size(), 1U);
  EXPECT_EQ(sim.pasteboard.writes[0].representations,
            (std::vector<PasteboardRepresentation>{
                {"text/uri-list", url + "\r\n"},
                {"x-special/gnome-copied-files", "copy\n" + url},
                {"text/plain;charset=utf-8", "/home/u/My File 100%.txt"}}));
  EXPECT_FALSE(sim.pasteboard.writes[0].alsoPrimary);
  EXPECT_EQ(hides, 1);
  clock.advanceBy(0.079);
  EXPECT_TRUE(sim.keySynth.posts.empty());
  clock.advanceBy(0.01);
  ASSERT_EQ(sim.keySynth.posts.size(), 1U);
  EXPECT_NEAR(sim.keySynth.posts[0].time - start, 0.08, 1e-9);
  EXPECT_EQ(sim.keySynth.posts[0].chord, PasteChord::ControlV);

  // xterm pastes the primary selection with its own keystroke; the file's forms go there too.
  desktop.addApp({200, "XTerm", "xterm", ActivationPolicy::Regular, false});
  desktop.setFrontmostApp(200);
  ASSERT_TRUE(manager->pasteFile(manager->items()[0]));
  clock.advanceBy(1);
  EXPECT_TRUE(sim.pasteboard.writes.back().alsoPrimary);
  EXPECT_EQ(sim.keySynth.posts.back().chord, PasteChord::ShiftInsert);
}

TEST_F(FileShelfManagerTest, PastingAMissingFileRingsMarksItMissingAndLeavesTheClipboard) {
  drop("a");
  const FileShelfItem stale = manager->items()[0];
  sim.files.move("/home/u/a", "/elsewhere/a");
  const ChangeCount before = sim.pasteboard.changeCount();
  EXPECT_FALSE(manager->pasteFile(stale));
  clock.advanceBy(1);
  EXPECT_EQ(sim.shell.beeps, 1);
  EXPECT_EQ(names(), Names{"a?"});
  EXPECT_EQ(decodeFileShelfItems(*stored()), manager->items());
  EXPECT_EQ(sim.pasteboard.changeCount(), before);
  EXPECT_TRUE(sim.keySynth.posts.empty());
}

}  // namespace
}  // namespace dovrik
