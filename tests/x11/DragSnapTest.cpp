// Drag snapping end to end under openbox: a real window dragged by its title bar with XTest
// lands where the zone says, the preview shows the target while the pointer is in a zone, and
// drags that must not snap leave the window where the window manager put it.
#include <gtest/gtest.h>

#include <memory>

#include "DragRig.h"
#include "QtDesktop.h"

namespace dovrik::x11test {
namespace {

constexpr Rect leftHalf{0, 0, 960, 1080};
constexpr Rect topRightQuarter{960, 0, 960, 540};
// The preview paints 4 points inside its window.
constexpr Rect insetBy4(const Rect& r) {
  return {r.x + 4, r.y + 4, r.width - 8, r.height - 8};
}

class DragSnapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig_ = std::make_unique<DragRig>();
    window_ = rig_->client->createWindow({.rect = {700, 400, 400, 300}});
    const auto frame = rig_->client->outerFrame(window_);
    ASSERT_TRUE(frame);
    // Inside openbox's title bar, away from its buttons.
    titleBar_ = {frame->midX(), frame->minY() + 8};
  }
  void TearDown() override { rig_.reset(); }

  ::testing::AssertionResult landsOn(const Rect& target) {
    if (QtDesktop::waitFor([&] { return rig_->client->outerFrame(window_) == target; }))
      return ::testing::AssertionSuccess();
    const auto frame = rig_->client->outerFrame(window_);
    if (!frame)
      return ::testing::AssertionFailure() << "window gone";
    return ::testing::AssertionFailure() << "outer frame (" << frame->x << ", " << frame->y << ", "
                                         << frame->width << ", " << frame->height << ")";
  }

  // After the release, wait as long as a snap would take, and require the frame not to move.
  void expectNoSnap() {
    const auto released = rig_->client->outerFrame(window_);
    rig_->settle();
    EXPECT_EQ(rig_->client->outerFrame(window_), released);
  }

  std::unique_ptr<DragRig> rig_;
  xcb_window_t window_ = XCB_NONE;
  Point titleBar_;
};

TEST_F(DragSnapTest, TitleBarDragToAnEdgeOrCornerSnapsOnRelease) {
  ASSERT_TRUE(rig_->drag(titleBar_, {{400, 500}, {3, 500}}));
  EXPECT_TRUE(landsOn(leftHalf));

  const auto frame = rig_->client->outerFrame(window_);
  ASSERT_TRUE(rig_->drag({frame->midX(), frame->minY() + 8}, {{1500, 300}, {1916, 2}}));
  EXPECT_TRUE(landsOn(topRightQuarter));
}

TEST_F(DragSnapTest, PreviewShowsTheTargetInAZoneAndGoesAfterTheRelease) {
  ASSERT_TRUE(rig_->press(titleBar_));
  ASSERT_TRUE(rig_->moveTo({titleBar_.x + 12, titleBar_.y + 4}));
  EXPECT_FALSE(rig_->previewMapped());
  ASSERT_TRUE(rig_->moveTo({3, 500}));
  EXPECT_TRUE(QtDesktop::waitFor([&] {
    return rig_->previewMapped() && rig_->previewRootFrame() == leftHalf &&
           rig_->previewShapeExtents() == insetBy4(leftHalf);
  }));
  ASSERT_TRUE(rig_->release());
  EXPECT_TRUE(QtDesktop::waitFor([&] { return !rig_->previewMapped(); }));
  EXPECT_TRUE(landsOn(leftHalf));
}

TEST_F(DragSnapTest, LeavingTheTopBandHidesThePreviewAndTheReleaseDoesNotSnap) {
  ASSERT_TRUE(rig_->press(titleBar_));
  ASSERT_TRUE(rig_->moveTo({titleBar_.x + 12, titleBar_.y + 4}));
  ASSERT_TRUE(rig_->moveTo({900, 2}));
  EXPECT_TRUE(QtDesktop::waitFor([&] {
    return rig_->previewMapped() && rig_->previewRootFrame() == Rect{0, 0, 1920, 1080};
  }));
  ASSERT_TRUE(rig_->moveTo({900, 300}));
  EXPECT_TRUE(QtDesktop::waitFor([&] { return !rig_->previewMapped(); }));
  ASSERT_TRUE(rig_->release());
  expectNoSnap();
}

TEST_F(DragSnapTest, DragsThatMustNotSnapLeaveTheWindowAlone) {
  // Started in the content area, more than the title-bar depth below the top.
  const auto frame = rig_->client->outerFrame(window_);
  ASSERT_TRUE(rig_->drag({frame->midX(), frame->minY() + 120}, {{3, 500}}));
  expectNoSnap();
  EXPECT_FALSE(rig_->previewMapped());

  // Pressed in the left band already, but moved less than the drag threshold.
  rig_->client->destroyWindow(window_);
  window_ = rig_->client->createWindow({.rect = {0, 300, 400, 300}});
  const auto nearEdge = rig_->client->outerFrame(window_);
  ASSERT_TRUE(rig_->press({40, nearEdge->minY() + 8}));
  ASSERT_TRUE(rig_->moveTo({43, nearEdge->minY() + 11}));
  ASSERT_TRUE(rig_->release());
  expectNoSnap();

  // Snapping switched off while the pointer is in a zone.
  ASSERT_TRUE(rig_->press({200, nearEdge->minY() + 8}));
  ASSERT_TRUE(rig_->moveTo({212, nearEdge->minY() + 12}));
  ASSERT_TRUE(rig_->moveTo({3, 500}));
  ASSERT_TRUE(QtDesktop::waitFor([&] { return rig_->previewMapped(); }));
  rig_->appState->setSnappingEnabled(false);
  ASSERT_TRUE(rig_->release());
  EXPECT_TRUE(QtDesktop::waitFor([&] { return !rig_->previewMapped(); }));
  expectNoSnap();
}

// Two monitors side by side; the zone is measured on the one under the pointer.
class DragSnapMonitorsTest : public DragSnapTest {
 protected:
  void SetUp() override {
    XServer& server = QtDesktop::server();
    ASSERT_EQ(server.run({"xrandr", "--setmonitor", "A", "960/254x1080/286+0+0", "screen"}), 0);
    ASSERT_EQ(server.run({"xrandr", "--setmonitor", "B", "960/254x1080/286+960+0", "none"}), 0);
    DragSnapTest::SetUp();
    ASSERT_TRUE(QtDesktop::waitFor([&] { return rig_->x->screens.screens().size() == 2; }));
  }
  void TearDown() override {
    DragSnapTest::TearDown();
    for (const char* name : {"A", "B"})
      QtDesktop::server().run({"xrandr", "--delmonitor", name});
  }
};

TEST_F(DragSnapMonitorsTest, ZonesBelongToTheMonitorUnderThePointer) {
  // The left band of the right-hand monitor, not the shared border of the whole screen.
  ASSERT_TRUE(rig_->drag(titleBar_, {{1300, 500}, {963, 500}}));
  EXPECT_TRUE(landsOn({960, 0, 480, 1080}));

  const auto frame = rig_->client->outerFrame(window_);
  ASSERT_TRUE(rig_->drag({frame->midX(), frame->minY() + 8}, {{500, 500}, {957, 1078}}));
  EXPECT_TRUE(landsOn({480, 540, 480, 540}));
}

}  // namespace
}  // namespace dovrik::x11test
