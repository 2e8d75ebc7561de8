// The paste keystroke waits for the focus to leave Dovrik's own windows, for a while at most.
#include <gtest/gtest.h>

#include "linux/mirror/FocusWaitingPasteKeys.h"
#include "sim/SimClock.h"
#include "sim/SimKeySynth.h"

namespace dovrik::mirror {
namespace {

class FocusWaitingPasteKeysTest : public testing::Test {
 protected:
  sim::SimClock clock;
  sim::SimKeySynth keys{clock};
  bool ownWindowFocused = false;
  FocusWaitingPasteKeys paste{keys, clock, [this] { return ownWindowFocused; }};
};

TEST_F(FocusWaitingPasteKeysTest, PastesAtOnceWhenAnotherWindowHasTheFocus) {
  paste.postPaste(PasteChord::ControlShiftV);
  ASSERT_EQ(keys.posts.size(), 1u);
  EXPECT_EQ(keys.posts[0].chord, PasteChord::ControlShiftV);
}

TEST_F(FocusWaitingPasteKeysTest, WaitsUntilTheFocusLeavesDovriksWindowAndNoLonger) {
  ownWindowFocused = true;
  paste.postPaste(PasteChord::ControlV);
  clock.advanceBy(0.2);
  EXPECT_TRUE(keys.posts.empty());
  ownWindowFocused = false;
  clock.advanceBy(FocusWaitingPasteKeys::pollInterval);
  ASSERT_EQ(keys.posts.size(), 1u);
  EXPECT_LE(keys.posts[0].time, 0.2 + FocusWaitingPasteKeys::pollInterval + 1e-9);
  clock.advanceBy(2);
  EXPECT_EQ(keys.posts.size(), 1u);
}

TEST_F(FocusWaitingPasteKeysTest, AFocusThatNeverLeavesStillGetsThePasteOnceAndANewerOneWins) {
  ownWindowFocused = true;
  paste.postPaste(PasteChord::ControlV);
  clock.advanceBy(0.1);
  paste.postPaste(PasteChord::ShiftInsert);
  clock.advanceBy(FocusWaitingPasteKeys::pollInterval * FocusWaitingPasteKeys::polls + 0.01);
  ASSERT_EQ(keys.posts.size(), 1u);
  EXPECT_EQ(keys.posts[0].chord, PasteChord::ShiftInsert);
  clock.advanceBy(5);
  EXPECT_EQ(keys.posts.size(), 1u);
}

}  // namespace
}  // namespace dovrik::mirror
