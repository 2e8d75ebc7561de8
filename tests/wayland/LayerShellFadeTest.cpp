// The overlay's alpha animation in virtual time, without a compositor: a timer only while a
// fade runs, the easing applied, and completions on time even when a fade is replaced.
#include <gtest/gtest.h>

#include "linux/wayland/LayerShellOverlay.h"
#include "sim/SimClock.h"

namespace dovrik::wayland {
namespace {

class LayerShellFadeTest : public testing::Test {
 protected:
  WaylandConnection nowhere{"/nonexistent/wayland-0"};
  sim::SimClock clock;
  std::vector<AnimationCurve> curves;
  LayerShellOverlay overlay{nowhere, clock, [](const Rect& rect) { return rect; },
                            [](QPainter&, const QSize&, const OverlayContent&) {},
                            [this](AnimationCurve curve, double progress) {
                              curves.push_back(curve);
                              return progress * progress;
                            }};
};

TEST_F(LayerShellFadeTest, FadeRunsItsTimerOnlyWhileItRuns) {
  EXPECT_FALSE(overlay.isAvailable());
  overlay.setAlpha(0);
  EXPECT_EQ(clock.pendingCount(), 0u);
  int completions = 0;
  overlay.animateAlpha(1, 0.2, AnimationCurve::easeOut, [&] { ++completions; });
  clock.advanceBy(0.1);
  // Half the time, along the curve handed in.
  EXPECT_NEAR(overlay.alpha(), 0.25, 0.02);
  EXPECT_EQ(curves.front(), AnimationCurve::easeOut);
  EXPECT_EQ(completions, 0);
  clock.advanceBy(0.1 + 1e-9);
  EXPECT_DOUBLE_EQ(overlay.alpha(), 1);
  EXPECT_EQ(completions, 1);
  EXPECT_EQ(clock.pendingCount(), 0u) << "a timer is left running after the fade";
}

TEST_F(LayerShellFadeTest, ReplacedOrStoppedFadesStillCompleteOnTime) {
  overlay.setAlpha(1);
  std::vector<double> completedAt;
  overlay.animateAlpha(0, 0.3, AnimationCurve::easeIn, [&] { completedAt.push_back(clock.now()); });
  clock.advanceBy(0.1);
  const double midway = overlay.alpha();
  EXPECT_LT(midway, 1);
  // The new fade starts where the old one was.
  overlay.animateAlpha(1, 0.1, AnimationCurve::easeInOut,
                       [&] { completedAt.push_back(clock.now()); });
  EXPECT_DOUBLE_EQ(overlay.alpha(), midway);
  clock.advanceBy(0.1 + 1e-9);
  EXPECT_DOUBLE_EQ(overlay.alpha(), 1);
  overlay.animateAlpha(0, 1, AnimationCurve::easeIn, [&] { completedAt.push_back(clock.now()); });
  overlay.setAlpha(0.5);  // stops the fade at once
  clock.advanceBy(2);
  EXPECT_DOUBLE_EQ(overlay.alpha(), 0.5);
  ASSERT_EQ(completedAt.size(), 3u);
  EXPECT_NEAR(completedAt[0], 0.2, 1e-6);
  EXPECT_NEAR(completedAt[1], 0.3, 1e-6);
  EXPECT_NEAR(completedAt[2], 1.2, 1e-6);
  EXPECT_EQ(clock.pendingCount(), 0u);
}

TEST_F(LayerShellFadeTest, CompletionNeverRunsOnADestroyedOverlay) {
  int completions = 0;
  {
    LayerShellOverlay shortLived{nowhere, clock, [](const Rect& rect) { return rect; },
                                 [](QPainter&, const QSize&, const OverlayContent&) {},
                                 [](AnimationCurve, double progress) { return progress; }};
    shortLived.animateAlpha(0, 0.5, AnimationCurve::easeIn, [&] { ++completions; });
  }
  clock.advanceBy(1);
  EXPECT_EQ(completions, 0);
}

}  // namespace
}  // namespace dovrik::wayland
