// Applications that run as a process per window, as terminals do: a layout numbers their
// windows across the processes, and a restore places every one of them.
#include <gtest/gtest.h>

#include "tests/unit/workspaces/WorkspaceFixture.h"

namespace dovrik::test {
namespace {

constexpr ProcessId kFirstTerm = 500;

class MultiProcessAppTest : public ::testing::Test, public WorkspaceWorld {
 protected:
  // One terminal process with one window titled like every other terminal's.
  AXElement startTerm(ProcessId pid, Rect frame) {
    desktop.addApp({pid, "org.example.Term", "Term", ActivationPolicy::Regular, false});
    return desktop.addWindow(pid, frame, "~");
  }
};

TEST_F(MultiProcessAppTest, WindowsOfEveryProcessAreNumberedOnceAcrossTheApplication) {
  plugB();
  const AXElement first = startTerm(kFirstTerm, {0, 25, 720, 875});
  desktop.addWindow(kEditor, {720, 25, 720, 875}, "notes");
  const AXElement second = startTerm(kFirstTerm + 1, {720, 25, 720, 875});
  // A second window of the second process comes after it, before the third process.
  const AXElement secondMore = desktop.addWindow(kFirstTerm + 1, {1440, -180, 960, 1080}, "~");
  const AXElement third = startTerm(kFirstTerm + 2, {1440 + 960, -180, 960, 1080});

  EXPECT_EQ(manager().captureCurrent("Terms")->windows,
            (std::vector<WorkspaceWindow>{
                {"com.example.editor", "Editor", "notes", 0, kDisplayA, kRightHalf},
                {"org.example.Term", "Term", "~", 0, kDisplayA, kLeftHalf},
                {"org.example.Term", "Term", "~", 1, kDisplayA, kRightHalf},
                {"org.example.Term", "Term", "~", 2, kDisplayB, kLeftHalf},
                {"org.example.Term", "Term", "~", 3, kDisplayB, kRightHalf},
            }));
  EXPECT_EQ(windows->windows("org.example.Term"),
            (std::vector<AXElement>{first, second, secondMore, third}));

  // Scrambled, every terminal goes back to its own place, not just the first process's.
  for (const AXElement window : {first, second, secondMore, third})
    desktop.setFrame(window, {100, 100, 400, 300});
  manager().restore(manager().workspaces().front());
  EXPECT_EQ(desktop.frameOf(first), (Rect{0, 25, 720, 875}));
  EXPECT_EQ(desktop.frameOf(second), (Rect{720, 25, 720, 875}));
  EXPECT_EQ(desktop.frameOf(secondMore), (Rect{1440, -180, 960, 1080}));
  EXPECT_EQ(desktop.frameOf(third), (Rect{1440 + 960, -180, 960, 1080}));
}

TEST_F(MultiProcessAppTest, EndedProcessesAndUnrelatedApplicationsAreLeftOut) {
  const AXElement ended = startTerm(kFirstTerm, {0, 25, 300, 200});
  const AXElement live = startTerm(kFirstTerm + 1, {0, 25, 300, 200});
  desktop.terminateApp(kFirstTerm);
  desktop.addApp(
      {kFirstTerm + 2, "org.example.Term.Helper", "Helper", ActivationPolicy::Regular, false});
  const AXElement helper = desktop.addWindow(kFirstTerm + 2, {0, 25, 300, 200}, "~");

  // The one live terminal is the application's window 0, so it takes the saved window 0.
  manager().restore(layout("Desk", {{"org.example.Term", "Term", "~", 0, kDisplayA, kLeftHalf},
                                    {"org.example.Term", "Term", "~", 1, kDisplayA, kRightHalf}}));
  EXPECT_EQ(desktop.frameOf(live), (Rect{0, 25, 720, 875}));
  EXPECT_EQ(desktop.frameOf(ended), (Rect{0, 25, 300, 200}));
  EXPECT_EQ(desktop.frameOf(helper), (Rect{0, 25, 300, 200}));
}

}  // namespace
}  // namespace dovrik::test
