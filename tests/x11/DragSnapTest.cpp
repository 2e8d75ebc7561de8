// Drag snapping end to end under each window manager: a real window dragged by its title bar with
// XTest lands where the zone says, the preview shows the target while the pointer is in a zone, and
// drags that must not snap leave the window where the window manager put it.
#include "DesktopTest.h"
#include "DragRig.h"
#include "QtDesktop.h"

namespace dovrik::x11test {
namespace {

constexpr Rect screen{0, 0, 1920, 1080};
constexpr Rect leftHalf{0, 0, 0.5, 1};
constexpr Rect topRight{0.5, 0, 0.5, 0.5};

class DragSnapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig_ = std::make_unique<DragRig>();
    window_ = client().createWindow({.rect = {700, 400, 400, 300}});
  }
  void TearDown() override {
    rig_.reset();
    QtDesktop::server().joinMonitors();
  }

  TestClient& client() { return *rig_->client; }
  // Inside the window manager's title bar, away from its buttons.
  Point titleBar() {
    const Rect frame = client().outerFrame(window_).value_or(Rect{});
    return {frame.midX(), frame.minY() + 8};
  }
  // `share` of the usable part of `monitor`.
  Rect target(const Rect& share, const Rect& monitor = screen) {
    return shareOf(client().usablePartOf(monitor), share);
  }
  ::testing::AssertionResult landsOn(const Rect& target) {
    return x11test::landsOn(client(), window_, target,
                            [](const std::function<bool()>& c) { return QtDesktop::waitFor(c); });
  }
  // Waits until the preview is mapped over `frame` in root coordinates, and paints `shape`.
  bool previewShows(const Rect& frame, std::optional<Rect> shape = std::nullopt) {
    const xcb_window_t preview = rig_->previewWindow();
    return QtDesktop::waitFor([&] {
      return client().isViewable(preview) && client().clientRect(preview) == frame &&
             (!shape || client().boundingShape(preview) == shape);
    });
  }
  bool previewGoes() {
    return QtDesktop::waitFor([&] { return !client().isViewable(rig_->previewWindow()); });
  }
  // After the release, wait as long as a snap would take, and require the frame not to move.
  void expectNoSnap() {
    const auto released = client().outerFrame(window_);
    rig_->settle();
    EXPECT_EQ(client().outerFrame(window_), released);
  }

  std::unique_ptr<DragRig> rig_;
  xcb_window_t window_ = XCB_NONE;
};

TEST_F(DragSnapTest, TitleBarDragToAnEdgeOrCornerSnapsOnRelease) {
  ASSERT_TRUE(rig_->drag(titleBar(), {{400, 500}, {3, 500}}));
  EXPECT_TRUE(landsOn(target(leftHalf)));
  ASSERT_TRUE(rig_->drag(titleBar(), {{1500, 300}, {1916, 2}}));
  EXPECT_TRUE(landsOn(target(topRight)));
}

TEST_F(DragSnapTest, PreviewShowsTheTargetInAZoneAndGoesAfterTheRelease) {
  const Point start = titleBar();
  ASSERT_TRUE(rig_->press(start));
  ASSERT_TRUE(rig_->moveTo({start.x + 12, start.y + 4}));
  EXPECT_FALSE(client().isViewable(rig_->previewWindow()));
  ASSERT_TRUE(rig_->moveTo({3, 500}));
  // Without a compositor it paints a ring 4 points inside its window.
  const Rect left = target(leftHalf);
  EXPECT_TRUE(previewShows(left, Rect{4, 4, left.width - 8, left.height - 8}));
  ASSERT_TRUE(rig_->release());
  EXPECT_TRUE(previewGoes());
  EXPECT_TRUE(landsOn(left));
}

TEST_F(DragSnapTest, LeavingTheTopBandHidesThePreviewAndTheReleaseDoesNotSnap) {
  const Point start = titleBar();
  ASSERT_TRUE(rig_->press(start));
  ASSERT_TRUE(rig_->moveTo({start.x + 12, start.y + 4}));
  ASSERT_TRUE(rig_->moveTo({900, 2}));
  EXPECT_TRUE(previewShows(target({0, 0, 1, 1})));
  ASSERT_TRUE(rig_->moveTo({900, 300}));
  EXPECT_TRUE(previewGoes());
  ASSERT_TRUE(rig_->release());
  expectNoSnap();
}

TEST_F(DragSnapTest, DragsThatMustNotSnapLeaveTheWindowAlone) {
  // Started in the content area, more than the title-bar depth below the top.
  ASSERT_TRUE(rig_->drag({titleBar().x, titleBar().y + 112}, {{3, 500}}));
  expectNoSnap();
  EXPECT_FALSE(client().isViewable(rig_->previewWindow()));

  // Pressed in the left band already, but moved less than the drag threshold.
  client().destroyWindow(window_);
  window_ = client().createWindow({.rect = {0, 300, 400, 300}});
  const double top = titleBar().y;
  ASSERT_TRUE(rig_->press({40, top}));
  ASSERT_TRUE(rig_->moveTo({43, top + 3}));
  ASSERT_TRUE(rig_->release());
  expectNoSnap();

  // Snapping switched off while the pointer is in a zone.
  ASSERT_TRUE(rig_->press({200, top}));
  ASSERT_TRUE(rig_->moveTo({212, top + 4}));
  ASSERT_TRUE(rig_->moveTo({3, 500}));
  ASSERT_TRUE(QtDesktop::waitFor([&] { return client().isViewable(rig_->previewWindow()); }));
  rig_->appState.setSnappingEnabled(false);
  ASSERT_TRUE(rig_->release());
  EXPECT_TRUE(previewGoes());
  expectNoSnap();
}

// Two monitors side by side; the zone is measured on the one under the pointer.
TEST_F(DragSnapTest, ZonesBelongToTheMonitorUnderThePointer) {
  ASSERT_TRUE(QtDesktop::server().splitInHalves());
  ASSERT_TRUE(QtDesktop::waitFor([&] { return rig_->x.screens.screens().size() == 2; }));
  // The left band of the right-hand monitor, not the shared border of the whole screen.
  ASSERT_TRUE(rig_->drag(titleBar(), {{1300, 500}, {963, 500}}));
  EXPECT_TRUE(landsOn(target(leftHalf, {960, 0, 960, 1080})));
  ASSERT_TRUE(rig_->drag(titleBar(), {{500, 500}, {957, 1078}}));
  EXPECT_TRUE(landsOn(target({0.5, 0.5, 0.5, 0.5}, {0, 0, 960, 1080})));
}

}  // namespace
}  // namespace dovrik::x11test
