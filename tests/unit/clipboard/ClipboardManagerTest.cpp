// The clipboard history: what a copy records, the list rules, saving, and pasting back.
#include <gtest/gtest.h>

#include "core/paste/PasteKeys.h"
#include "tests/unit/clipboard/ClipboardFixture.h"

namespace dovrik::test {
namespace {

using Texts = std::vector<std::string>;

struct ClipboardManagerTest : ::testing::Test, ClipboardFixture {
  ClipboardManagerTest() {
    sim.pasteboard.copyText("there before start");
    build();
    manager->applyEnabledState();
  }
};

TEST_F(ClipboardManagerTest, RecordsTrimmedTextDeduplicatesKeepsPinsAndLinksNeedALowerCaseScheme) {
  clock.advanceBy(1);
  EXPECT_TRUE(manager->items().empty());
  copy("  word\n");
  copy("https://a.example");
  copy("HTTPS://A.EXAMPLE");
  const Uuid firstId = manager->items().back().id;
  copy("word");
  EXPECT_EQ(texts(), (Texts{"word", "HTTPS://A.EXAMPLE", "https://a.example"}));
  EXPECT_NE(manager->items()[0].id, firstId);
  EXPECT_EQ(manager->items()[1].kind, ClipboardKind::text);
  EXPECT_EQ(manager->items()[2].kind, ClipboardKind::link);

  manager->togglePin(manager->items()[2].id);
  EXPECT_EQ(texts(), (Texts{"word", "HTTPS://A.EXAMPLE", "https://a.example*"}));
  copy("other");
  copy("https://a.example");
  EXPECT_EQ(texts(), (Texts{"https://a.example*", "other", "word", "HTTPS://A.EXAMPLE"}));
  manager->clearHistory();
  EXPECT_EQ(texts(), (Texts{"https://a.example*"}));
}

TEST_F(ClipboardManagerTest, SkipsSecretsWhiteSpaceAndWhatWasCopiedWhileOff) {
  sim.pasteboard.copy({.types = {"text/plain", "org.nspasteboard.ConcealedType"}, .text = "pw"});
  sim.pasteboard.copy({.types = {"com.agilebits.onepassword"}, .text = "pw2"});
  clock.advanceBy(0.01);
  sim.pasteboard.copy({.types = {"org.nspasteboard.TransientType"}, .png = png(1)});
  clock.advanceBy(0.01);
  copy(" \n\t ");
  EXPECT_TRUE(manager->items().empty());
  EXPECT_EQ(sim.pasteboard.pngReads, 1);  // only the white-space copy looked for an image

  state->setClipboardHistoryEnabled(false);
  manager->applyEnabledState();
  copy("while off");
  state->setClipboardHistoryEnabled(true);
  manager->applyEnabledState();
  clock.advanceBy(1);
  copy("after");
  EXPECT_EQ(texts(), (Texts{"after"}));
}

TEST_F(ClipboardManagerTest, ImagesAreRecordedOnceInARowEvenWithTextBetween) {
  sim.pasteboard.copy({.types = {"image/png"}, .png = png(1)});
  clock.advanceBy(0.01);
  copy("text");
  sim.pasteboard.copy({.types = {"image/bmp"}, .otherImage = png(1)});
  clock.advanceBy(0.01);
  sim.pasteboard.copy({.types = {"image/bmp"}, .otherImage = std::optional<Bytes>()});
  clock.advanceBy(0.01);
  sim.pasteboard.copy({.types = {"image/png"}, .text = "caption", .png = png(2)});
  clock.advanceBy(0.01);
  ASSERT_EQ(manager->items().size(), 3U);
  EXPECT_EQ(manager->items()[0].text, "caption");
  EXPECT_EQ(manager->items()[2].imageData, png(1));
  EXPECT_EQ(manager->items()[2].kind, ClipboardKind::image);
}

TEST_F(ClipboardManagerTest, AnImageCopiedAgainAfterItsEntryWentIsRecordedAgain) {
  const auto copyImage = [&](std::uint8_t tag) {
    sim.pasteboard.copy({.types = {"image/png"}, .png = png(tag)});
    clock.advanceBy(0.01);
  };
  copyImage(1);
  copy("text");
  manager->setItems({manager->items()[0]});  // the image deleted
  copyImage(1);
  EXPECT_EQ(texts(), (Texts{"", "text"}));

  copyImage(2);
  manager->setItems({manager->items()[0], manager->items()[1]});  // the text deleted
  copyImage(2);
  EXPECT_EQ(texts(), (Texts{"", ""})) << "the image is still there: a repeat";

  manager->clearHistory();
  copyImage(2);
  EXPECT_EQ(texts(), (Texts{""}));
}

TEST_F(ClipboardManagerTest, TheSizeLimitCountsOnlyUnpinnedEntries) {
  for (int i = 0; i < 3; ++i) {
    copy("pin" + std::to_string(i));
    manager->togglePin(manager->items()[static_cast<std::size_t>(i)].id);
  }
  for (int i = 0; i < 26; ++i)
    copy("n" + std::to_string(i));
  EXPECT_EQ(manager->items().size(), 28U);
  EXPECT_EQ(manager->items()[3].text, "n25");
  EXPECT_EQ(manager->items().back().text, "n1");

  state->setClipboardHistorySize(10);
  manager->enforceLimits();
  EXPECT_EQ(manager->items().size(), 13U);
  EXPECT_EQ(manager->items().back().text, "n16");
}

TEST_F(ClipboardManagerTest, AFloodOfChangesIsCheckedOncePerTurnAndHoldsOneImageReadAtATime) {
  for (int i = 0; i < 1000; ++i)
    sim.pasteboard.copyText("t" + std::to_string(i));
  clock.advanceBy(0.01);
  EXPECT_EQ(sim.pasteboard.textReads, 1);
  EXPECT_EQ(texts(), (Texts{"t999"}));

  sim.pasteboard.pngReadDelay = 0.1;
  sim.pasteboard.copy({.types = {"image/png"}, .png = png(0)});
  clock.advanceBy(0.01);
  for (std::uint8_t i = 1; i < 100; ++i) {
    sim.pasteboard.copy({.types = {"image/png"}, .png = png(i)});
    clock.advanceBy(0.0001);
  }
  sim.pasteboard.copyText("last");
  clock.advanceBy(0.2);
  EXPECT_EQ(sim.pasteboard.pngReads, 1);
  EXPECT_EQ(texts(), (Texts{"last", "", "t999"}));
}

TEST_F(ClipboardManagerTest, PastingWritesMovesUpAndIsNotRecordedAgain) {
  copy("a");
  copy("b");
  manager->paste(manager->items()[1]);
  EXPECT_EQ(sim.pasteboard.writes.back().text, "a");
  EXPECT_EQ(texts(), (Texts{"a", "b"}));
  clock.advanceBy(1);
  EXPECT_EQ(texts(), (Texts{"a", "b"}));
  ASSERT_EQ(sim.keySynth.posts.size(), 1U);
  EXPECT_EQ(sim.keySynth.posts[0].chord, PasteChord::ControlV);
}

TEST_F(ClipboardManagerTest, PasteWaitsForModifiersUpToTwentyFiveTriesAndNeedsTrust) {
  desktop.setTrusted(true);
  trust->apply(true);
  copy("a");
  const double start = clock.now();
  sim.keySynth.held = true;
  manager->paste(manager->items()[0]);
  clock.advanceBy(0.5);
  EXPECT_TRUE(sim.keySynth.posts.empty());
  clock.advanceBy(1);
  ASSERT_EQ(sim.keySynth.posts.size(), 1U);
  EXPECT_NEAR(sim.keySynth.posts[0].time - start, 0.08 + 24 * 0.04, 1e-9);
  EXPECT_EQ(sim.keySynth.modifierChecks, 25);

  sim.keySynth.posts.clear();
  manager->paste(manager->items()[0]);
  clock.advanceBy(0.2);
  sim.keySynth.held = false;
  clock.advanceBy(0.05);
  ASSERT_EQ(sim.keySynth.posts.size(), 1U);

  trust->apply(false);
  manager->paste(manager->items()[0]);
  clock.advanceBy(2);
  EXPECT_EQ(sim.keySynth.posts.size(), 1U);
}

TEST_F(ClipboardManagerTest, EntriesPastedInOrderWaitForEachToBeTaken) {
  desktop.setTrusted(true);
  trust->apply(true);
  copy("a");
  copy("b");
  copy("c");
  const auto written = [&] {
    Texts out;
    for (const auto& write : sim.pasteboard.writes)
      out.push_back(write.text.value_or("?"));
    return out;
  };
  manager->pasteInOrder({manager->items()[2], manager->items()[0], manager->items()[1]});
  EXPECT_EQ(written(), (Texts{"a"}));
  clock.advanceBy(0.5);
  ASSERT_EQ(sim.keySynth.posts.size(), 1U);
  EXPECT_EQ(written(), (Texts{"a"})) << "the next write waits for the application";

  // Taken: the next one follows, after a moment for a second form of the content.
  const double taken = clock.now();
  sim.pasteboard.takeContent();
  clock.advanceBy(PasteQueue::settleAfterTake - 0.001);
  EXPECT_EQ(written(), (Texts{"a"}));
  clock.advanceBy(0.002);
  EXPECT_EQ(written(), (Texts{"a", "c"}));
  const double secondPost = taken + PasteQueue::settleAfterTake + PasteKeystroke::delay;
  clock.advanceBy(0.1);
  ASSERT_EQ(sim.keySynth.posts.size(), 2U);
  EXPECT_NEAR(sim.keySynth.posts[1].time, secondPost, 1e-9);

  // Never taken: the wait is bounded.
  const double thirdWrite = secondPost + PasteQueue::takeTimeout + PasteQueue::settleAfterTake;
  clock.advanceBy(thirdWrite - clock.now() - 0.001);
  EXPECT_EQ(written(), (Texts{"a", "c"}));
  clock.advanceBy(0.002);
  EXPECT_EQ(written(), (Texts{"a", "c", "b"}));
  clock.advanceBy(5);
  EXPECT_EQ(sim.keySynth.posts.size(), 3U);
  // Each entry moved up as it was pasted: the last one pasted is on top.
  EXPECT_EQ(texts(), (Texts{"b", "c", "a"}));
}

TEST_F(ClipboardManagerTest, APasteRunStopsWithoutWindowControlOrForANewPaste) {
  copy("a");
  copy("b");
  copy("c");
  // A taking before the keystroke (a clipboard manager reading each write) does not count.
  desktop.setTrusted(true);
  trust->apply(true);
  manager->pasteInOrder({manager->items()[2], manager->items()[1]});
  sim.pasteboard.takeContent();
  clock.advanceBy(0.5);
  EXPECT_EQ(sim.pasteboard.writes.size(), 1U);
  // A single paste meanwhile replaces the run.
  manager->paste(manager->items()[2]);
  clock.advanceBy(5);
  EXPECT_EQ(sim.pasteboard.writes.size(), 2U);
  EXPECT_EQ(*sim.pasteboard.text(), "b");

  // Without window control nothing is pasted, so nothing more is written over the first.
  trust->apply(false);
  manager->pasteInOrder({manager->items()[1], manager->items()[2]});
  clock.advanceBy(5);
  EXPECT_EQ(sim.pasteboard.writes.size(), 3U);
}

TEST_F(ClipboardManagerTest, TerminalsGetTheirChordAndXtermAlsoThePrimarySelection) {
  desktop.addApp(debianXterm(200));
  desktop.setFrontmostApp(200);
  copy("a");
  manager->paste(manager->items()[0]);
  clock.advanceBy(1);
  EXPECT_TRUE(sim.pasteboard.writes.back().alsoPrimary);
  ASSERT_EQ(sim.keySynth.posts.size(), 1U);
  EXPECT_EQ(sim.keySynth.posts[0].chord, PasteChord::ShiftInsert);

  // The user's choice for the application is the keystroke, and the primary selection follows it.
  setPasteKey(*state, "debian-xterm", PasteChord::ControlShiftV);
  manager->paste(manager->items()[0]);
  clock.advanceBy(1);
  EXPECT_FALSE(sim.pasteboard.writes.back().alsoPrimary);
  ASSERT_EQ(sim.keySynth.posts.size(), 2U);
  EXPECT_EQ(sim.keySynth.posts[1].chord, PasteChord::ControlShiftV);
  desktop.setFrontmostApp(appPid);
  setPasteKey(*state, "com.example.editor", PasteChord::ShiftInsert);
  manager->paste(manager->items()[0]);
  clock.advanceBy(1);
  EXPECT_TRUE(sim.pasteboard.writes.back().alsoPrimary);
  EXPECT_EQ(sim.keySynth.posts.back().chord, PasteChord::ShiftInsert);
}

TEST_F(ClipboardManagerTest, SavesOnceAfterABurstAndFlushWritesAPendingSaveAtOnce) {
  copy("a");
  clock.advanceBy(0.3);
  copy("b");
  clock.advanceBy(0.3);
  EXPECT_EQ(sim.files.writes, 0);
  clock.advanceBy(0.2);
  EXPECT_EQ(sim.files.writes, 1);
  const auto file = sim.files.file(storeFile);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->mode, 0600U);
  EXPECT_EQ(sim.files.directoryMode("/home/sim/.local/share/Dovrik"), 0700U);

  copy("c");
  manager->flush();
  EXPECT_EQ(sim.files.writes, 2);
  build();
  EXPECT_EQ(texts(), (Texts{"c", "b", "a"}));
  clock.advanceBy(1);
  EXPECT_EQ(sim.files.writes, 2);
}

TEST_F(ClipboardManagerTest, AStaleBackgroundWriteNeverReplacesANewerFlush) {
  copy("old");
  clock.advanceBy(0.4);  // the save is handed to the worker, which has not run yet
  copy("new");
  manager->flush();
  clock.runUntilIdle();
  build();
  EXPECT_EQ(texts(), (Texts{"new", "old"}));
}

struct ClipboardStoreTest : ::testing::Test, ClipboardFixture {
  ClipboardStoreTest() : ClipboardFixture(false) {}
};

TEST_F(ClipboardStoreTest, MovesThePredecessorFolderOnceAndImportsTheOlderKeyOnce) {
  const std::string legacy = R"([{"id":"0F0E0D0C-0B0A-4908-8706-050403020100","text":"old",)"
                             R"("timestamp":1,"isPinned":true}])";
  sim.files.put("/home/sim/.local/share/Quillmoor/other.json", Bytes{1});
  sim.defaults.application().set("qlm.clipboardHistory", Bytes(legacy.begin(), legacy.end()));
  build();
  EXPECT_TRUE(sim.files.exists("/home/sim/.local/share/Dovrik/other.json"));
  EXPECT_EQ(texts(), (Texts{"old*"}));
  EXPECT_FALSE(sim.defaults.application().object("qlm.clipboardHistory"));
  clock.runUntilIdle();
  EXPECT_TRUE(sim.files.file(storeFile));
}

TEST_F(ClipboardStoreTest, AnUnreadableFileIsSetAsideBeforeTheNextWriteReplacesIt) {
  sim.files.put(storeFile, Bytes{'{', 'x'});
  const Bytes garbage{'n', 'o'};
  sim.defaults.application().set("qlm.clipboardHistory", garbage);
  build();
  EXPECT_TRUE(manager->items().empty());
  EXPECT_EQ(sim.defaults.application().dataValue("qlm.clipboardHistory"), garbage);
  EXPECT_EQ(sim.files.read(storeFile), (Bytes{'{', 'x'}));
  manager->addItem("fresh");
  manager->flush();
  EXPECT_EQ(sim.files.read(std::string(storeFile) + ".unreadable"), (Bytes{'{', 'x'}));
  build();
  EXPECT_EQ(texts(), (Texts{"fresh"}));
}

TEST_F(ClipboardStoreTest, ASaveOvertakenBeforeItsTurnIsSkippedButTheUnreadableFileIsKept) {
  sim.files.put(storeFile, Bytes{'{', 'x'});
  ClipboardStore store(sim.files, sim.background, sim.defaults.application());
  EXPECT_TRUE(store.load().items.empty());
  ClipboardItem item;
  item.id = Uuid::random();
  item.text = "a";
  store.writeInBackground({item});
  item.text = "b";
  store.writeInBackground({item});
  clock.runUntilIdle();
  EXPECT_EQ(sim.files.writes, 1);
  EXPECT_EQ(sim.files.read(std::string(storeFile) + ".unreadable"), (Bytes{'{', 'x'}));
  build();
  EXPECT_EQ(texts(), (Texts{"b"}));
}

}  // namespace
}  // namespace dovrik::test
