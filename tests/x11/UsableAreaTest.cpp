// Cutting docks' struts out of monitors, on layouts that trip naive approaches.
#include "linux/x11/UsableArea.h"

#include <gtest/gtest.h>

namespace dovrik::x11test {
namespace {

using x11::Monitor;
using x11::PixelRect;
using x11::Strut;
using x11::usableArea;
using x11::withinWorkArea;
using x11::workAreaOf;

const Monitor left{"L", 0, 0, 1920, 1080, true, {}};
const Monitor right{"R", 1920, 0, 1280, 1024, false, {}};
constexpr int rootWidth = 3200;
constexpr int rootHeight = 1080;

Strut partial(std::vector<std::uint32_t> values) {
  return *Strut::fromValues(values, rootWidth, rootHeight);
}

TEST(UsableAreaTest, StrutsCutOnlyTheMonitorTheyLieOn) {
  // Top panel on the right monitor only.
  const Strut top = partial({0, 0, 28, 0, 0, 0, 0, 0, 1920, 3199, 0, 0});
  EXPECT_EQ(usableArea(left, {top}, rootWidth, rootHeight), (PixelRect{0, 0, 1920, 1080}));
  EXPECT_EQ(usableArea(right, {top}, rootWidth, rootHeight), (PixelRect{1920, 28, 1280, 996}));

  // The right monitor is shorter: a bottom strut is measured from the root's bottom edge, so
  // 56 pixels reach 56 − (1080 − 1024) = 0 pixels into it, and 100 reach 44.
  const Strut shallow = partial({0, 0, 0, 56, 0, 0, 0, 0, 0, 0, 1920, 3199});
  EXPECT_EQ(usableArea(right, {shallow}, rootWidth, rootHeight), (PixelRect{1920, 0, 1280, 1024}));
  const Strut deep = partial({0, 0, 0, 100, 0, 0, 0, 0, 0, 0, 1920, 3199});
  EXPECT_EQ(usableArea(right, {deep}, rootWidth, rootHeight), (PixelRect{1920, 0, 1280, 980}));
}

TEST(UsableAreaTest, StrutOnAnInnerEdgeBelongsToTheMonitorItEndsIn) {
  // A dock at the left edge of the right monitor reserves 1920 + 48 from the root's left edge.
  const Strut inner = partial({1968, 0, 0, 0, 0, 1023, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(usableArea(left, {inner}, rootWidth, rootHeight), (PixelRect{0, 0, 1920, 1080}));
  EXPECT_EQ(usableArea(right, {inner}, rootWidth, rootHeight), (PixelRect{1968, 0, 1232, 1024}));
}

TEST(UsableAreaTest, OldStyleStrutSpansWholeEdgesAndStrutsCombine) {
  const Strut old = *Strut::fromValues({0, 30, 0, 0}, rootWidth, rootHeight);
  const Strut top = partial({0, 0, 25, 0, 0, 0, 0, 0, 0, 1919, 0, 0});
  EXPECT_EQ(usableArea(right, {old, top}, rootWidth, rootHeight), (PixelRect{1920, 0, 1250, 1024}));
  EXPECT_EQ(usableArea(left, {old, top}, rootWidth, rootHeight), (PixelRect{0, 25, 1920, 1055}));
  EXPECT_FALSE(Strut::fromValues({1, 2}, rootWidth, rootHeight));
}

// A toolbar of the window manager's own shows only in the work area; with two monitors the work
// area is their bounding box and must not undo what a strut took from one of them.
TEST(UsableAreaTest, WorkAreaOfTheCurrentDesktopNarrowsTheStrutArea) {
  const std::vector<std::uint32_t> perDesktop = {0, 0, 3200, 1060, 0, 0, 3200, 1080, 0, 0, 0, 0};
  EXPECT_EQ(workAreaOf(perDesktop, 0), (PixelRect{0, 0, 3200, 1060}));
  EXPECT_EQ(workAreaOf(perDesktop, 1), (PixelRect{0, 0, 3200, 1080}));
  EXPECT_EQ(workAreaOf(perDesktop, 2), std::nullopt);  // empty: not a statement
  EXPECT_EQ(workAreaOf(perDesktop, 3), std::nullopt);  // not listed
  EXPECT_EQ(workAreaOf({0, 0, 3200}, 0), std::nullopt);

  const Strut topOfRight = partial({0, 0, 28, 0, 0, 0, 0, 0, 1920, 3199, 0, 0});
  const auto area = workAreaOf(perDesktop, 0);
  EXPECT_EQ(withinWorkArea(usableArea(left, {topOfRight}, rootWidth, rootHeight), area),
            (PixelRect{0, 0, 1920, 1060}));
  EXPECT_EQ(withinWorkArea(usableArea(right, {topOfRight}, rootWidth, rootHeight), area),
            (PixelRect{1920, 28, 1280, 996}));
  // A work area that misses a monitor entirely is stale, not a reason to lose the monitor.
  EXPECT_EQ(withinWorkArea({1920, 0, 1280, 1024}, PixelRect{0, 0, 1920, 1080}),
            (PixelRect{1920, 0, 1280, 1024}));
  EXPECT_EQ(withinWorkArea({0, 0, 1920, 1080}, std::nullopt), (PixelRect{0, 0, 1920, 1080}));
}

}  // namespace
}  // namespace dovrik::x11test
