// Remembering frames from before placements, and telling a window the user moved from one
// that took its frame in whole character cells.
#include "core/windows/PlacedFrames.h"

#include <gtest/gtest.h>

namespace dovrik {
namespace {

constexpr Rect userFrame{100, 120, 640, 480};
constexpr Rect leftHalf{0, 28, 640, 772};
constexpr Rect rightHalf{640, 28, 640, 772};

TEST(PlacedFramesTest, RunsOfPlacementsKeepTheFrameFromBeforeTheFirst) {
  PlacedFrames frames;
  frames.notePlacement(7, userFrame, leftHalf);
  EXPECT_EQ(frames.frameBefore(7, leftHalf), userFrame);
  frames.notePlacement(7, leftHalf, rightHalf);
  EXPECT_EQ(frames.frameBefore(7, rightHalf), userFrame);
  // Another window has its own.
  EXPECT_EQ(frames.frameBefore(8, rightHalf), std::nullopt);
}

TEST(PlacedFramesTest, AWindowTheUserMovedOrResizedIsForgotten) {
  PlacedFrames frames;
  frames.notePlacement(7, userFrame, leftHalf);
  const Rect moved{200, 28, 640, 772};
  EXPECT_EQ(frames.frameBefore(7, moved), std::nullopt);
  const Rect resized{0, 28, 500, 772};
  EXPECT_EQ(frames.frameBefore(7, resized), std::nullopt);
  // Snapped again from where the user left it: that is the frame to go back to now.
  frames.notePlacement(7, moved, rightHalf);
  EXPECT_EQ(frames.frameBefore(7, rightHalf), moved);
}

TEST(PlacedFramesTest, ACellSizedWindowShortOfItsFrameIsStillWhereItWasPut) {
  PlacedFrames frames;
  frames.notePlacement(7, userFrame, leftHalf);
  // xterm keeps whole cells: a few pixels narrower and shorter than asked.
  const Rect xterm{0, 28, 634, 767};
  EXPECT_EQ(frames.frameBefore(7, xterm), userFrame);
  frames.notePlacement(7, xterm, rightHalf);
  EXPECT_EQ(frames.frameBefore(7, rightHalf), userFrame);
}

TEST(PlacedFramesTest, ForgottenWindowsHaveNothingToGoBackTo) {
  PlacedFrames frames;
  frames.notePlacement(7, userFrame, leftHalf);
  frames.forget(7);
  EXPECT_EQ(frames.frameBefore(7, leftHalf), std::nullopt);
}

}  // namespace
}  // namespace dovrik
