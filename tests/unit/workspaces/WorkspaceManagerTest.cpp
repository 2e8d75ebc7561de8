// The layout store: capture, the per-display switch, updates, persistence of an unreadable
// list, and the automatic restore when the displays settle.
#include <gtest/gtest.h>

#include "tests/unit/workspaces/WorkspaceFixture.h"

namespace dovrik::test {
namespace {

class WorkspaceManagerTest : public ::testing::Test, public WorkspaceWorld {
 protected:
  Defaults& stored = world.sim.defaults.application();
  std::vector<Workspace> storedLayouts() const {
    const Bytes bytes = *stored.dataValue(WorkspaceManager::storageKey);
    return *decodeWorkspaces({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
  }
};

TEST_F(WorkspaceManagerTest, CaptureRecordsFractionsPerDisplayAndSkipsWhatCannotBePlaced) {
  plugB();
  desktop.addApp({200, "", "No Bundle", ActivationPolicy::Regular, false});
  desktop.addApp({300, "com.example.nameless", "", ActivationPolicy::Regular, false});
  desktop.addWindow(kEditor, {0, 25, 720, 875}, "left");
  desktop.addWindow(200, {0, 25, 720, 875}, "skipped");
  const AXElement unreadable = desktop.addWindow(kEditor, {0, 25, 720, 875}, "unreadable");
  desktop.addWindow(300, {1440 + 480, -180, 960, 540}, std::nullopt);
  world.clock.setWallTimeSince2001(790000000.25);
  int changes = 0;
  manager().workspacesChanged.connect([&] { ++changes; });
  desktop.failAttribute(unreadable, AXAttribute::Size);

  const auto captured = manager().captureCurrent("Desk");
  ASSERT_TRUE(captured);
  EXPECT_EQ(
      captured->windows,
      (std::vector<WorkspaceWindow>{
          {"com.example.editor", "Editor", "left", 0, kDisplayA, kLeftHalf},
          {"com.example.nameless", "com.example.nameless", "", 0, kDisplayB, {0.25, 0.5, 0.5, 0.5}},
      }));
  EXPECT_EQ(captured->displaySignature, kDisplayA + "|" + kDisplayB);
  EXPECT_FALSE(captured->autoRestore);
  EXPECT_FALSE(captured->shortcut);
  EXPECT_EQ(captured->createdAt, 790000000.25);
  EXPECT_EQ(storedLayouts(), std::vector<Workspace>{*captured});
  EXPECT_EQ(changes, 1);

  trust->apply(false);
  EXPECT_FALSE(manager().captureCurrent("Untrusted"));
  EXPECT_EQ(manager().workspaces().size(), 1u);
  EXPECT_EQ(changes, 1);
}

TEST_F(WorkspaceManagerTest, AutoRestoreIsExclusivePerDisplaySetAndLooksUpStaleCopies) {
  const Workspace a1 = layout("A1", {}, kDisplayA, true);
  const Workspace a2 = layout("A2", {}, kDisplayA, false);
  const Workspace other = layout("Other", {}, kDisplayB, true);
  storeLayouts({a1, a2, other});
  const auto switches = [&] {
    std::vector<bool> on;
    for (const Workspace& w : manager().workspaces())
      on.push_back(w.autoRestore);
    return on;
  };
  Workspace stale = a2;
  stale.name = "renamed elsewhere";
  manager().setAutoRestore(true, stale);
  EXPECT_EQ(switches(), (std::vector<bool>{false, true, true}));
  manager().setAutoRestore(false, a2);
  EXPECT_EQ(switches(), (std::vector<bool>{false, false, true}));
  manager().setAutoRestore(true, layout("unknown", {}));
  EXPECT_EQ(switches(), (std::vector<bool>{false, false, true}));
  EXPECT_EQ(storedLayouts(), manager().workspaces());
  EXPECT_EQ(manager().workspaces()[1].name, "A2");
}

TEST_F(WorkspaceManagerTest, UpdateTakesNewWindowsAndDisplaysButKeepsEverythingElse) {
  Workspace desk = layout("Desk", {editorWindow("old", 3, kRightHalf)}, kDisplayA, true);
  desk.shortcut = KeyboardShortcut{Key::d, {Modifier::control}};
  storeLayouts({desk});
  plugB();
  desktop.addWindow(kEditor, {0, 25, 720, 875}, "new");

  EXPECT_TRUE(manager().updateWindows(desk));
  Workspace expected = desk;
  expected.windows = {editorWindow("new", 0, kLeftHalf)};
  expected.displaySignature = kDisplayA + "|" + kDisplayB;
  EXPECT_EQ(manager().workspaces(), std::vector<Workspace>{expected});
  EXPECT_EQ(storedLayouts(), manager().workspaces());

  EXPECT_FALSE(manager().updateWindows(layout("unknown", {})));
  trust->apply(false);
  EXPECT_FALSE(manager().updateWindows(desk));
  EXPECT_EQ(manager().workspaces(), std::vector<Workspace>{expected});
}

TEST_F(WorkspaceManagerTest, AnUnreadableStoredListIsKeptAsideBeforeTheFirstSave) {
  for (const DefaultsValue& unreadable :
       {DefaultsValue(Bytes{'[', '{', '}', ']'}), DefaultsValue("a string, not data")}) {
    store.reset();
    stored.remove(WorkspaceManager::unreadableKey);
    stored.set(WorkspaceManager::storageKey, unreadable);
    EXPECT_TRUE(manager().workspaces().empty());
    manager().restore(layout("nothing stored by this", {}));
    EXPECT_EQ(stored.object(WorkspaceManager::storageKey), unreadable);
    EXPECT_FALSE(stored.object(WorkspaceManager::unreadableKey));

    desktop.addWindow(kEditor, {0, 25, 720, 875}, "w");
    ASSERT_TRUE(manager().captureCurrent("First"));
    EXPECT_EQ(stored.object(WorkspaceManager::unreadableKey), unreadable);
    EXPECT_EQ(storedLayouts().size(), 1u);
    // Later saves leave the copy alone.
    stored.set(WorkspaceManager::unreadableKey, "kept");
    manager().remove(manager().workspaces().front());
    EXPECT_EQ(stored.object(WorkspaceManager::unreadableKey), DefaultsValue("kept"));
  }
}

class AutoRestoreTest : public WorkspaceManagerTest {
 protected:
  AXElement window = desktop.addWindow(kEditor, {5, 5, 300, 200}, "w");
  Workspace single = layout("Single", {editorWindow("w", 0, kLeftHalf)}, kDisplayA, true);
  Workspace dual =
      layout("Dual", {editorWindow("w", 0, kRightHalf)}, kDisplayA + "|" + kDisplayB, true);
};

TEST_F(AutoRestoreTest, ABurstOfChangesIsEvaluatedOnce3SecondsAfterTheLast) {
  storeLayouts({single, dual});
  manager();
  world.clock.advanceBy(10);
  EXPECT_TRUE(restored.empty()) << "the displays at launch restore nothing by themselves";

  const std::uint32_t b = plugB();
  world.clock.advanceBy(1);
  desktop.moveScreen(b, {1440, -100, 1920, 1080}, {1440, -100, 1920, 1080});
  world.clock.advanceBy(2.9);
  EXPECT_TRUE(restored.empty());
  world.clock.advanceBy(0.2);
  EXPECT_EQ(restored, std::vector<Uuid>{dual.id});
  EXPECT_EQ(desktop.frameOf(window), (Rect{720, 25, 720, 875}));

  desktop.removeScreen(b);
  world.clock.advanceBy(3);
  EXPECT_EQ(restored, (std::vector<Uuid>{dual.id, single.id}));
  EXPECT_EQ(desktop.frameOf(window), (Rect{0, 25, 720, 875}));
}

TEST_F(AutoRestoreTest, TheSameDisplaysBackAfterAChangeInBetweenRestoreAgain) {
  storeLayouts({single});
  manager();
  const std::uint32_t b = plugB();
  world.clock.advanceBy(1);
  desktop.removeScreen(b);
  world.clock.advanceBy(3);
  EXPECT_EQ(restored, std::vector<Uuid>{single.id});

  // A mode change alone, with nothing in between, is no reason to restore.
  desktop.moveScreen(displayA, {0, 0, 1440, 900}, {0, 0, 1440, 860});
  world.clock.advanceBy(3);
  EXPECT_EQ(restored.size(), 1u);
}

TEST_F(AutoRestoreTest, AChangeWithoutTrustCountsAsHandledAndIsNotReplayed) {
  storeLayouts({single, dual});
  desktop.setTrusted(false);
  manager();
  plugB();
  world.clock.advanceBy(3);
  EXPECT_TRUE(restored.empty());
  desktop.setTrusted(true);
  world.clock.advanceBy(0.5);
  ASSERT_TRUE(trust->hasAccessibilityPermission());
  desktop.moveScreen(displayA, {0, 0, 1440, 900}, {0, 0, 1440, 875});
  world.clock.advanceBy(3);
  EXPECT_TRUE(restored.empty());
}

TEST_F(AutoRestoreTest, TheFirstMatchingLayoutWinsAndOnlySwitchedOnOnesCount) {
  Workspace off = dual;
  off.id = Uuid::random();
  off.autoRestore = false;
  Workspace second = dual;
  second.id = Uuid::random();
  storeLayouts({single, off, dual, second});
  manager();
  plugB();
  world.clock.advanceBy(3);
  EXPECT_EQ(restored, std::vector<Uuid>{dual.id});
}

TEST_F(AutoRestoreTest, NoLayoutForTheNewDisplaysDoesNothingAndADeadStoreIsNeverCalled) {
  storeLayouts({single});
  manager();
  plugB();
  world.clock.advanceBy(3);
  EXPECT_TRUE(restored.empty());
  desktop.removeScreen(desktop.screens().back().displayId);
  store.reset();
  world.clock.advanceBy(3);
  EXPECT_TRUE(desktop.writes().empty());
}

}  // namespace
}  // namespace dovrik::test
