// Putting a saved layout back: which live window each saved one takes, where it lands, and
// what happens when windows, applications or displays go away meanwhile.
#include <gtest/gtest.h>

#include "core/workspaces/WorkspacePlacement.h"
#include "tests/unit/workspaces/WorkspaceFixture.h"

namespace dovrik::test {
namespace {

// The halves of display A's visible frame in accessibility space, below its 25-point bar.
constexpr Rect kAxLeft{0, 25, 720, 875};
constexpr Rect kAxRight{720, 25, 720, 875};
constexpr Rect kAxTopLeft{0, 25, 720, 437.5};

class WorkspaceRestoreTest : public ::testing::Test, public WorkspaceWorld {
 protected:
  Workspace editorLayout(std::vector<WorkspaceWindow> windows) {
    return layout("Desk", std::move(windows));
  }
};

TEST_F(WorkspaceRestoreTest, TitlesWinOverIndicesAndEachLiveWindowIsTakenOnce) {
  const AXElement b = desktop.addWindow(kEditor, {5, 5, 300, 200}, "B");
  const AXElement a = desktop.addWindow(kEditor, {5, 5, 300, 200}, "A");
  manager().restore(
      editorLayout({editorWindow("A", 0, kLeftHalf), editorWindow("B", 1, kRightHalf)}));
  EXPECT_EQ(desktop.frameOf(a), kAxLeft);
  EXPECT_EQ(desktop.frameOf(b), kAxRight);
}

TEST_F(WorkspaceRestoreTest, UntitledWindowsGoByIndexThenToTheFirstUnclaimedOne) {
  const AXElement doc = desktop.addWindow(kEditor, {5, 5, 300, 200}, "Doc");
  const AXElement second = desktop.addWindow(kEditor, {5, 5, 300, 200}, "x");
  const AXElement third = desktop.addWindow(kEditor, {5, 5, 300, 200}, std::nullopt);
  // Saved order puts the untitled window first; the titled one still claims "Doc" before it.
  manager().restore(editorLayout({
      editorWindow("", 0, kLeftHalf),           // index 0 claimed by "Doc": first unclaimed, 1
      editorWindow("Doc", 2, kRightHalf),       // by title, whatever its index
      editorWindow("", 1, {0, 0.5, 0.5, 0.5}),  // index 1 claimed meanwhile: 2
      editorWindow("", 7, {0, 0, 0.5, 0.5}),    // every live window claimed: ignored
  }));
  EXPECT_EQ(desktop.frameOf(doc), kAxRight);
  EXPECT_EQ(desktop.frameOf(second), kAxLeft);
  EXPECT_EQ(desktop.frameOf(third), kAxTopLeft);
  EXPECT_EQ(frameWrites(desktop.writes()).size(), 3u);

  const std::vector<std::string> titles = {"p", "q"};
  EXPECT_EQ(matchIndex(editorWindow("", 5, {}), titles, {false, false}), 0u);
  EXPECT_EQ(matchIndex(editorWindow("", -1, {}), titles, {true, false}), 1u);
  EXPECT_EQ(matchIndex(editorWindow("q", 0, {}), titles, {false, true}), 0u);
  EXPECT_FALSE(matchIndex(editorWindow("", 0, {}), {}, {}));
}

TEST_F(WorkspaceRestoreTest, FramesAreClampedIntoTheVisibleFrameAndNeverAnimated) {
  const AXElement over = desktop.addWindow(kEditor, {5, 5, 300, 200}, "over");
  const AXElement tiny = desktop.addWindow(kEditor, {5, 5, 300, 200}, "tiny");
  const AXElement right = desktop.addWindow(kEditor, {5, 5, 300, 200}, "right");
  manager().restore(editorLayout({
      editorWindow("over", 0, {-0.1, 0, 0.5, 1}),
      editorWindow("tiny", 1, {0.5, 0.5, 0.01, 0.01}),
      editorWindow("right", 2, {0.9, 0, 0.5, 2}),
  }));
  EXPECT_EQ(desktop.frameOf(over), kAxLeft);
  EXPECT_EQ(desktop.frameOf(tiny), (Rect{720, 900 - 437.5 - 80, 120, 80}));
  EXPECT_EQ(desktop.frameOf(right), kAxRight);
  for (const auto& write : frameWrites(desktop.writes()))
    EXPECT_EQ(write.time, 0);

  // A visible frame smaller than the minimum caps the size at the frame.
  EXPECT_EQ(clampToVisibleFrame({10, 10, 50, 50}, {0, 0, 100, 60}), (Rect{0, 0, 100, 60}));
}

TEST_F(WorkspaceRestoreTest, AWindowOfADisplayNotConnectedGoesToTheMainScreen) {
  const std::uint32_t b = plugB();
  desktop.setMainScreen(b);
  const AXElement window = desktop.addWindow(kEditor, {5, 5, 300, 200}, "w");
  manager().restore(editorLayout({editorWindow("w", 0, kLeftHalf, "CCCCCCCC-GONE")}));
  EXPECT_EQ(desktop.frameOf(window), (Rect{1440, -180, 960, 1080}));
}

TEST_F(WorkspaceRestoreTest, ClosedAppsAreNotLaunchedAndTheMarkStillLasts1point6Seconds) {
  const Workspace absent =
      layout("Absent", {{"com.example.absent", "Absent", "", 0, kDisplayA, kLeftHalf}});
  manager().restore(absent);
  EXPECT_TRUE(desktop.writes().empty());
  EXPECT_EQ(manager().lastRestoredID(), absent.id);
  world.clock.advanceBy(1.0);
  const Workspace other = layout("Other", {});
  manager().restore(other);
  world.clock.advanceBy(0.7);  // the first layout's mark would end now; the newer one stays
  EXPECT_EQ(manager().lastRestoredID(), other.id);
  world.clock.advanceBy(0.9);
  EXPECT_FALSE(manager().lastRestoredID());
  EXPECT_EQ(restored, (std::vector<Uuid>{absent.id, other.id}));
}

TEST_F(WorkspaceRestoreTest, WithoutTrustNothingMovesAndNothingIsMarked) {
  desktop.addWindow(kEditor, {5, 5, 300, 200}, "w");
  manager();
  trust->apply(false);
  manager().restore(editorLayout({editorWindow("w", 0, kLeftHalf)}));
  EXPECT_TRUE(desktop.writes().empty());
  EXPECT_FALSE(manager().lastRestoredID());
}

TEST_F(WorkspaceRestoreTest, WindowsAppsAndDisplaysVanishingMidwayLeaveTheRestGoingOn) {
  plugB();
  const std::uint32_t b = desktop.screens().back().displayId;
  desktop.addApp({200, "com.example.term", "Terminal", ActivationPolicy::Regular, false});
  const AXElement first = desktop.addWindow(kEditor, {5, 5, 300, 200}, "one");
  const AXElement gone = desktop.addWindow(kEditor, {5, 5, 300, 200}, "two");
  const AXElement last = desktop.addWindow(kEditor, {5, 5, 300, 200}, "three");
  const AXElement terminal = desktop.addWindow(200, {5, 5, 300, 200}, "t");
  // The first resize takes away a window, the other application's window and display B.
  desktop.setSizeRule(first, [&](Size requested) {
    desktop.removeWindow(gone);
    desktop.removeWindow(terminal);
    desktop.removeScreen(b);
    return requested;
  });
  manager().restore(editorLayout({
      editorWindow("one", 0, kLeftHalf, kDisplayB),
      editorWindow("two", 1, kLeftHalf, kDisplayB),
      editorWindow("three", 2, kLeftHalf, kDisplayB),
      {"com.example.term", "Terminal", "t", 0, kDisplayB, kLeftHalf},
  }));
  EXPECT_EQ(desktop.frameOf(first), (Rect{1440, -180, 960, 1080}));
  EXPECT_EQ(desktop.frameOf(last), kAxLeft);  // display B is gone: the main screen
  EXPECT_EQ(manager().lastRestoredID(), std::optional(restored.back()));
}

}  // namespace
}  // namespace dovrik::test
