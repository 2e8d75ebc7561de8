// Snap frames at their cycle sizes and with gaps: exactly today's frames without a gap, the
// gap at the borders and between neighbours, and the order of the sizes.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "core/windows/SnapFrames.h"
#include "tests/unit/support/NamedRows.h"

namespace dovrik {
namespace {

const Rect kPrimaryUsable{0, 0, 1440, 875};

// Odd sizes, fractional and negative origins, a 4K screen below the primary.
const Rect kUsableSweep[] = {{0, 0, 1440, 875},
                             {-1920, -300, 1920, 1055},
                             {3.5, 7.25, 1001, 777},
                             {0, -2160, 3840, 2160},
                             {1441, 901, 1023, 767}};

std::string sizeName(SnapPosition position, SnapSize size) {
  const char* const sizes[] = {"half", "two thirds", "one third"};
  return std::string(rawValue(position)) + " at " + sizes[static_cast<int>(size)];
}

TEST(SnapFramesTest, WithoutAGapAHalfSizeIsExactlyTheTargetFrame) {
  for (const Rect& visible : kUsableSweep) {
    for (const SnapPosition position : allSnapPositions) {
      SCOPED_TRACE(std::string(rawValue(position)));
      EXPECT_EQ(snapFrame(position, visible, 0), targetFrame(position, visible));
      EXPECT_EQ(snapFrame(position, visible, 0, SnapSize::half), targetFrame(position, visible));
    }
  }
}

// One frame on the primary's usable area: a position at a size, with a gap. Desktop space: y
// grows upwards, so the top half starts above the middle.
struct SizedFrame {
  SnapPosition position;
  SnapSize size;
  double gap;
  Rect expected;

  friend std::string describe(const SizedFrame& row) {
    const std::string gap = std::to_string(static_cast<int>(row.gap));
    return sizeName(row.position, row.size) + (row.gap > 0 ? " with a " + gap + "-point gap" : "");
  }
  friend void PrintTo(const SizedFrame& row, std::ostream* os) { *os << describe(row); }
};
using SnapFramesTest = ::testing::TestWithParam<SizedFrame>;

TEST_P(SnapFramesTest, FramesOfTheUsableAreaOfA1440By875Screen) {
  EXPECT_EQ(snapFrame(GetParam().position, kPrimaryUsable, GetParam().gap, GetParam().size),
            GetParam().expected);
}

std::vector<SizedFrame> sizedFrames() {
  using enum SnapPosition;
  using enum SnapSize;
  return {
      // Every position with a 24-point gap.
      {leftHalf, half, 24, {24, 24, 684, 827}},
      {rightHalf, half, 24, {732, 24, 684, 827}},
      {topHalf, half, 24, {24, 449.5, 1392, 401.5}},
      {bottomHalf, half, 24, {24, 24, 1392, 401.5}},
      {topLeft, half, 24, {24, 449.5, 684, 401.5}},
      {topRight, half, 24, {732, 449.5, 684, 401.5}},
      {bottomLeft, half, 24, {24, 24, 684, 401.5}},
      {bottomRight, half, 24, {732, 24, 684, 401.5}},
      {fullScreen, half, 24, {24, 24, 1392, 827}},
      {center, half, 24, {288, 175, 864, 525}},  // already farther from every border than the gap
      // Halves cycle their width or their height, quarters their width only; the far side stays
      // against its border.
      {leftHalf, twoThirds, 0, {0, 0, 960, 875}},
      {rightHalf, oneThird, 0, {960, 0, 480, 875}},
      {topRight, twoThirds, 0, {480, 437.5, 960, 437.5}},
      {bottomLeft, oneThird, 0, {0, 0, 480, 437.5}},
      // With a gap the steps are the same shares of the usable area, gapped like the halves.
      {leftHalf, twoThirds, 24, {24, 24, 924, 827}},
      {leftHalf, oneThird, 24, {24, 24, 444, 827}},
      {rightHalf, oneThird, 24, {972, 24, 444, 827}},
  };
}
INSTANTIATE_TEST_SUITE_P(Rows, SnapFramesTest, ::testing::ValuesIn(sizedFrames()), test::RowName{});

TEST(SnapFramesTest, ACentredWindowOnATinyScreenKeepsTheGapToTheBorders) {
  EXPECT_EQ(snapFrame(SnapPosition::center, {0, 0, 100, 100}, 0), (Rect{20, 20, 60, 60}));
  EXPECT_EQ(snapFrame(SnapPosition::center, {0, 0, 100, 100}, 24), (Rect{24, 24, 52, 52}));
}

TEST(SnapFramesTest, SizesStepThroughHalfTwoThirdsAndOneThirdOfTheCycledSide) {
  EXPECT_EQ(nextSnapSize(SnapSize::half), SnapSize::twoThirds);
  EXPECT_EQ(nextSnapSize(SnapSize::twoThirds), SnapSize::oneThird);
  EXPECT_EQ(nextSnapSize(SnapSize::oneThird), SnapSize::half);
  EXPECT_FALSE(cyclesSize(SnapPosition::fullScreen));
  EXPECT_FALSE(cyclesSize(SnapPosition::center));
  const Rect topTwoThirds =
      snapFrame(SnapPosition::topHalf, kPrimaryUsable, 0, SnapSize::twoThirds);
  EXPECT_NEAR(topTwoThirds.height, 875.0 * 2 / 3, 1e-9);
  EXPECT_DOUBLE_EQ(topTwoThirds.maxY(), 875);
  EXPECT_EQ(topTwoThirds.width, 1440);
  const Rect bottomThird =
      snapFrame(SnapPosition::bottomHalf, kPrimaryUsable, 0, SnapSize::oneThird);
  EXPECT_EQ(bottomThird.y, 0);
  EXPECT_NEAR(bottomThird.height, 875.0 / 3, 1e-9);
  // Positions of one size ignore the size asked for.
  EXPECT_EQ(snapFrame(SnapPosition::fullScreen, kPrimaryUsable, 8, SnapSize::oneThird),
            snapFrame(SnapPosition::fullScreen, kPrimaryUsable, 8));
}

// Over the sweep of screens, each size of each position keeps the whole gap to the borders,
// and a position next to its complement (two thirds beside one third) is one gap apart.
TEST(SnapFramesTest, EverySizeKeepsTheGapToTheBordersAndToItsComplement) {
  const std::tuple<SnapPosition, SnapPosition, bool> neighbours[] = {
      {SnapPosition::leftHalf, SnapPosition::rightHalf, true},
      {SnapPosition::topLeft, SnapPosition::topRight, true},
      {SnapPosition::bottomLeft, SnapPosition::bottomRight, true},
      {SnapPosition::bottomHalf, SnapPosition::topHalf, false},
  };
  const std::tuple<SnapSize, SnapSize> complements[] = {
      {SnapSize::half, SnapSize::half},
      {SnapSize::twoThirds, SnapSize::oneThird},
      {SnapSize::oneThird, SnapSize::twoThirds},
  };
  for (const double gap : {0.0, 7.0, 24.0}) {
    for (const Rect& visible : kUsableSweep) {
      for (const SnapPosition position : allSnapPositions) {
        for (const SnapSize size : snapSizeCycle) {
          SCOPED_TRACE(sizeName(position, size) + " gap " + std::to_string(gap));
          const Rect frame = snapFrame(position, visible, gap, size);
          EXPECT_GT(frame.width, 0);
          EXPECT_GT(frame.height, 0);
          EXPECT_GE(frame.minX(), visible.minX() + gap - 1e-9);
          EXPECT_LE(frame.maxX(), visible.maxX() - gap + 1e-9);
          EXPECT_GE(frame.minY(), visible.minY() + gap - 1e-9);
          EXPECT_LE(frame.maxY(), visible.maxY() - gap + 1e-9);
        }
      }
      for (const auto& [low, high, sideBySide] : neighbours) {
        for (const auto& [lowSize, highSize] : complements) {
          SCOPED_TRACE(sizeName(low, lowSize) + " beside " + sizeName(high, highSize));
          const Rect a = snapFrame(low, visible, gap, lowSize);
          const Rect b = snapFrame(high, visible, gap, highSize);
          EXPECT_NEAR(sideBySide ? b.minX() - a.maxX() : b.minY() - a.maxY(), gap, 1e-9);
        }
      }
    }
  }
}

}  // namespace
}  // namespace dovrik
