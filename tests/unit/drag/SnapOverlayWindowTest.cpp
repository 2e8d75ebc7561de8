// The snap preview: fades, the transition token against stale fade-outs, settings per show.
#include <gtest/gtest.h>

#include <memory>

#include "core/drag/SnapOverlayView.h"
#include "core/drag/SnapOverlayWindow.h"
#include "tests/unit/support/SettingsOf.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik {
namespace {

using Animation = sim::SimOverlaySurface::Animation;

class SnapOverlayWindowTest : public ::testing::Test {
 protected:
  test::SimWorld world;
  sim::SimOverlaySurface& surface = world.sim.overlaySurface;
  AppState state = test::appStateOf(world.platform);
  SnapOverlayWindow overlay{surface, state};
  const Screen screen{1, "", {0, 0, 1440, 900}, {0, 0, 1440, 875}, std::nullopt};

  void advance(double seconds) { world.clock.advanceBy(seconds); }
};

TEST_F(SnapOverlayWindowTest, ShowFadesInAtTheTargetFrameWithTheCurrentSettings) {
  overlay.show(SnapPosition::leftHalf, screen);
  EXPECT_TRUE(surface.isVisible());
  EXPECT_EQ(overlay.transitionToken(), 1);
  EXPECT_EQ(surface.frame(), (Rect{0, 0, 720, 875}));
  EXPECT_EQ(surface.contents.back(), (OverlayContent{0.35, true}));
  ASSERT_EQ(surface.animations.size(), 1u);
  EXPECT_EQ(surface.animations[0], (Animation{0, 1, 0, 0.15, AnimationCurve::easeOut}));
  advance(0.05);
  EXPECT_GT(surface.alpha(), 0);
  EXPECT_LT(surface.alpha(), 1);
  advance(0.1);
  EXPECT_EQ(surface.alpha(), 1);

  // A full-screen target leaves a 4-point margin inside the visible frame.
  overlay.show(SnapPosition::fullScreen, screen);
  const Rect frame = *surface.frame();
  const Rect box = SnapOverlayView::box(frame.size());
  EXPECT_EQ(frame, screen.visibleFrame);
  EXPECT_EQ(box, (Rect{4, 4, 1432, 867}));
  EXPECT_EQ(SnapOverlayView::box({6, 100}).width, 0);
}

TEST_F(SnapOverlayWindowTest, MovingBetweenZonesKeepsTheWindowAndFadesUpFromTheCurrentAlpha) {
  overlay.show(SnapPosition::leftHalf, screen);
  advance(0.3);
  overlay.hide(true);
  advance(0.1);
  const double halfway = surface.alpha();
  ASSERT_GT(halfway, 0);
  ASSERT_LT(halfway, 1);
  overlay.show(SnapPosition::fullScreen, screen);
  EXPECT_EQ(surface.orderFrontCount, 1);
  EXPECT_EQ(surface.orderOutCount, 0);
  EXPECT_EQ(surface.frame(), screen.visibleFrame);
  EXPECT_EQ(surface.animations.back().from, halfway);
  EXPECT_EQ(surface.animations.back().seconds, 0.15);

  // The stale fade-out completes at 0.2 s and must not hide the newer preview.
  advance(0.5);
  EXPECT_TRUE(surface.isVisible());
  EXPECT_EQ(surface.alpha(), 1);
  EXPECT_EQ(overlay.transitionToken(), 3);
}

TEST_F(SnapOverlayWindowTest, EveryHideEndsOrderedOutAtFullAlpha) {
  overlay.show(SnapPosition::leftHalf, screen);
  overlay.hide(true);
  advance(0.1);
  overlay.hide(true);
  EXPECT_EQ(overlay.transitionToken(), 3);
  advance(0.19);
  EXPECT_TRUE(surface.isVisible());
  EXPECT_EQ(surface.orderOutCount, 0);
  advance(0.02);
  EXPECT_FALSE(surface.isVisible());
  EXPECT_EQ(surface.orderOutCount, 1);
  EXPECT_EQ(surface.alpha(), 1);

  // Hiding a hidden window moves nothing on.
  overlay.hide(true);
  overlay.hide(false);
  EXPECT_EQ(overlay.transitionToken(), 3);

  // The immediate hide, in the middle of a fade-in.
  overlay.show(SnapPosition::rightHalf, screen);
  advance(0.05);
  overlay.hide(false);
  EXPECT_FALSE(surface.isVisible());
  EXPECT_EQ(surface.alpha(), 1);
  EXPECT_EQ(overlay.transitionToken(), 5);
  advance(1);
  EXPECT_EQ(surface.alpha(), 1);

  // The next appearance starts from nothing again.
  overlay.show(SnapPosition::rightHalf, screen);
  EXPECT_EQ(surface.animations.back().from, 0);

  // A fade-out ending after its window is gone does nothing.
  overlay.hide(false);
  const int outs = surface.orderOutCount;
  auto doomed = std::make_unique<SnapOverlayWindow>(surface, state);
  doomed->show(SnapPosition::leftHalf, screen);
  doomed->hide(true);
  doomed.reset();
  advance(1);
  EXPECT_EQ(surface.orderOutCount, outs);
}

TEST_F(SnapOverlayWindowTest, SettingsAreReadAtEachShow) {
  state.setShowSnapPreview(false);
  overlay.show(SnapPosition::leftHalf, screen);
  EXPECT_FALSE(surface.isVisible());
  EXPECT_EQ(overlay.transitionToken(), 0);
  EXPECT_TRUE(surface.frames.empty());

  state.setShowSnapPreview(true);
  overlay.show(SnapPosition::leftHalf, screen);
  state.setPreviewOpacity(0.8);
  state.setUseRoundedCorners(false);
  advance(1);
  EXPECT_EQ(surface.contents.back(), (OverlayContent{0.35, true}));
  overlay.show(SnapPosition::topLeft, screen);
  EXPECT_EQ(surface.contents.back(), (OverlayContent{0.8, false}));
  EXPECT_EQ(SnapOverlayView{surface.contents.back()}.cornerRadius(), 4);

  // The preview shows where the drop puts the window, gap included.
  state.setSnapGap(24);
  overlay.show(SnapPosition::rightHalf, screen);
  EXPECT_EQ(surface.frame(), (Rect{732, 24, 684, 827}));
}

}  // namespace
}  // namespace dovrik
