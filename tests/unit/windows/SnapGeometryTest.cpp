// Target frames, the flip between the two coordinate spaces and the screen a frame belongs to.
#include <gtest/gtest.h>

#include "core/model/SnapPosition.h"
#include "core/windows/ScreenGeometry.h"
#include "tests/unit/support/NamedRows.h"

namespace dovrik {
namespace {

const auto screenOf = [](Rect frame, Rect visible) {
  return Screen{0, "", frame, visible, std::nullopt};
};

// One position's frame on a 1440×900 screen below a 25-point menu bar, in desktop space and
// then in accessibility space.
struct ScreenFigure {
  SnapPosition position;
  Rect desktop;
  Rect accessibility;

  friend std::string_view describe(const ScreenFigure& row) { return rawValue(row.position); }
  friend void PrintTo(const ScreenFigure& row, std::ostream* os) { *os << describe(row); }
};
using SnapGeometryTest = ::testing::TestWithParam<ScreenFigure>;

TEST_P(SnapGeometryTest, FiguresOnA1440By900ScreenInBothSpaces) {
  const std::vector<Screen> screens = {screenOf({0, 0, 1440, 900}, {0, 0, 1440, 875})};
  const double P = primaryScreenHeight(screens);
  ASSERT_EQ(P, 900);
  const Rect desktop = targetFrame(GetParam().position, screens[0].visibleFrame);
  EXPECT_EQ(desktop, GetParam().desktop);
  EXPECT_EQ(flipRect(desktop, P), GetParam().accessibility);
}

const ScreenFigure kFigures[] = {
    {SnapPosition::leftHalf, {0, 0, 720, 875}, {0, 25, 720, 875}},
    {SnapPosition::topHalf, {0, 437.5, 1440, 437.5}, {0, 25, 1440, 437.5}},
    {SnapPosition::bottomRight, {720, 0, 720, 437.5}, {720, 462.5, 720, 437.5}},
    {SnapPosition::center, {288, 175, 864, 525}, {288, 200, 864, 525}},
    {SnapPosition::fullScreen, {0, 0, 1440, 875}, {0, 25, 1440, 875}},
};
INSTANTIATE_TEST_SUITE_P(Rows, SnapGeometryTest, ::testing::ValuesIn(kFigures), test::RowName{});

// Every position over odd sizes and negative origins stays inside the visible frame, is never
// empty, and the halves and quarters tile it exactly.
TEST(SnapGeometryTest, EveryPositionStaysInsideItsVisibleFrame) {
  const Rect frames[] = {{0, 0, 1440, 875},      {-1920, -300, 1920, 1055}, {1440, 900, 1, 1},
                         {3.5, 7.25, 1001, 777}, {0, -2160, 3840, 2160},    {-5, -5, 10, 3}};
  for (const Rect& v : frames) {
    double quarterArea = 0;
    for (SnapPosition p : allSnapPositions) {
      const Rect t = targetFrame(p, v);
      EXPECT_GT(t.width, 0);
      EXPECT_GT(t.height, 0);
      EXPECT_GE(t.minX(), v.minX());
      EXPECT_LE(t.maxX(), v.maxX() + 1e-9);
      EXPECT_GE(t.minY(), v.minY());
      EXPECT_LE(t.maxY(), v.maxY() + 1e-9);
      if (p == SnapPosition::topLeft || p == SnapPosition::topRight ||
          p == SnapPosition::bottomLeft || p == SnapPosition::bottomRight) {
        quarterArea += t.width * t.height;
      }
    }
    EXPECT_NEAR(quarterArea, v.width * v.height, 1e-6);
    const Rect l = targetFrame(SnapPosition::leftHalf, v),
               r = targetFrame(SnapPosition::rightHalf, v);
    EXPECT_DOUBLE_EQ(l.maxX(), r.minX());
    const Rect c = targetFrame(SnapPosition::center, v);
    EXPECT_NEAR(c.midX(), v.midX(), 1e-9);
    EXPECT_NEAR(c.midY(), v.midY(), 1e-9);
  }
  // Halves of odd sizes keep their fractions.
  const Rect odd{0, 0, 1441, 901};
  EXPECT_EQ(targetFrame(SnapPosition::leftHalf, odd).width, 720.5);
  EXPECT_EQ(targetFrame(SnapPosition::rightHalf, odd).x, 720.5);
  EXPECT_EQ(targetFrame(SnapPosition::topLeft, odd).y, 450.5);
}

TEST(SnapGeometryTest, FlipIsItsOwnInverseAndThePrimaryIsTheScreenAtTheOrigin) {
  const Rect r{12.5, -40, 300, 200.25};
  EXPECT_EQ(flipRect(flipRect(r, 900), 900), r);
  EXPECT_EQ(flipPoint(flipPoint({3, 4}, 1080), 1080), (Point{3, 4}));
  EXPECT_EQ(flipPoint({10, 0}, 900), (Point{10, 900}));
  EXPECT_EQ(primaryScreenHeight({}), 0);
  EXPECT_EQ(
      primaryScreenHeight({screenOf({100, 0, 800, 600}, {}), screenOf({0, 0, 1440, 900}, {})}),
      900);
  EXPECT_EQ(
      primaryScreenHeight({screenOf({100, 0, 800, 600}, {}), screenOf({0, 5, 1440, 900}, {})}),
      600);
}

TEST(SnapGeometryTest, ScreenForFrameTakesTheLargestOverlapAndTiesGoFirst) {
  const std::vector<Screen> screens = {screenOf({0, 0, 1000, 800}, {}),
                                       screenOf({1000, 0, 1000, 800}, {})};
  EXPECT_EQ(screenIndexForFrame(screens, {900, 100, 300, 300}), 1u);
  EXPECT_EQ(screenIndexForFrame(screens, {800, 100, 400, 300}), 0u);  // equal overlap
  EXPECT_EQ(screenIndexForFrame(screens, {5000, 5000, 10, 10}), 0u);  // on no screen
  EXPECT_EQ(screenIndexForFrame({}, {0, 0, 10, 10}), std::nullopt);
}

TEST(SnapGeometryTest, MouseInRectIncludesLeftAndTopEdgesOnly) {
  const Rect left{0, 0, 1440, 900}, right{1440, 0, 1920, 1080}, above{0, 900, 1440, 900};
  EXPECT_FALSE(left.containsMouse({1440, 100}));
  EXPECT_TRUE(right.containsMouse({1440, 100}));
  EXPECT_TRUE(left.containsMouse({0, 1}));
  EXPECT_FALSE(left.containsMouse({10, 0}));
  EXPECT_TRUE(left.containsMouse({10, 900}));
  EXPECT_FALSE(above.containsMouse({10, 900}));
}

}  // namespace
}  // namespace dovrik
