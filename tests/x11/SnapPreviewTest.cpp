// The preview window on a real X server: where it lands, that input passes through it and it
// takes no focus, its outline-only shape without a compositor, and fades that report their end.
#include <xcb/shape.h>

#include <algorithm>

#include "DragRig.h"
#include "FakePointer.h"
#include "ui/X11WindowSupport.h"

namespace dovrik::x11test {
namespace {

class SnapPreviewTest : public ::testing::Test {
 protected:
  // Shows the preview over `root` (root coordinates) as the core does, and waits until the
  // server has it there.
  bool showAt(const Rect& root) {
    preview_.setFrame(flipRect(root, 1080));
    preview_.setContent({0.2, true});
    preview_.setAlpha(0);
    preview_.orderFront();
    return QtDesktop::waitFor(
        [&] { return client_.isViewable(id()) && client_.clientRect(id()) == root; });
  }
  xcb_window_t id() { return rig_.previewWindow(); }

  // The preview as drag snapping has it, idle: no drag moves it here.
  DragRig rig_;
  TestClient& client_ = *rig_.client;
  ui::SnapPreviewWindow& preview_ = rig_.preview;
};

TEST_F(SnapPreviewTest, LandsOnTopWithoutTakingFocusOrInput) {
  const xcb_window_t window = client_.createWindow({.rect = {100, 100, 600, 400}});
  ASSERT_TRUE(client_.activate(window));
  ASSERT_TRUE(showAt({50, 60, 800, 500}));
  xcb_connection_t* c = client_.raw();

  // Nothing of it takes input: the pointer over it is over the window below.
  auto* rectangles = xcb_shape_get_rectangles_reply(
      c, xcb_shape_get_rectangles(c, id(), XCB_SHAPE_SK_INPUT), nullptr);
  ASSERT_TRUE(rectangles);
  EXPECT_EQ(rectangles->rectangles_len, 0);
  std::free(rectangles);
  fakeMotion(client_, {300, 300});
  auto* pointer = xcb_query_pointer_reply(c, xcb_query_pointer(c, client_.root()), nullptr);
  ASSERT_TRUE(pointer);
  EXPECT_NE(pointer->child, id());
  std::free(pointer);

  // Above the window's frame among the root's children, and the window keeps the focus.
  const auto stack = client_.children(client_.root());
  EXPECT_GT(std::ranges::find(stack, id()), std::ranges::find(stack, client_.topLevelOf(window)));
  EXPECT_EQ(client_.property(client_.root(), "_NET_ACTIVE_WINDOW").at(0), window);
  preview_.orderOut();
}

TEST_F(SnapPreviewTest, OutlineOnlyWithoutACompositorAndWholeWithOne) {
  ASSERT_TRUE(showAt({100, 100, 400, 300}));
  EXPECT_FALSE(ui::isCompositing());
  // A ring 4 points inside the window: the desktop shows through the middle.
  EXPECT_EQ(client_.boundingShape(id()), (Rect{4, 4, 392, 292}));
  preview_.orderOut();

  // A compositing manager appears: the selection of screen 0 gets an owner.
  xcb_connection_t* c = client_.raw();
  const xcb_window_t owner = xcb_generate_id(c);
  xcb_create_window(c, XCB_COPY_FROM_PARENT, owner, client_.root(), 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
  xcb_set_selection_owner(c, owner, client_.atom("_NET_WM_CM_S0"), XCB_CURRENT_TIME);
  client_.sync();
  ASSERT_TRUE(showAt({100, 100, 400, 300}));
  EXPECT_TRUE(ui::isCompositing());
  EXPECT_TRUE(QtDesktop::waitFor([&] {
    return client_.boundingShape(id()) == Rect{0, 0, 400, 300};
  }));
  preview_.orderOut();
  xcb_destroy_window(c, owner);
  client_.sync();
}

TEST_F(SnapPreviewTest, FadesReportTheirEndOnTimeEvenWhenReplaced) {
  ASSERT_TRUE(showAt({100, 100, 400, 300}));
  std::vector<std::string> ended;
  preview_.animateAlpha(0.0, 0.2, AnimationCurve::easeIn, [&] { ended.push_back("out"); });
  preview_.animateAlpha(1.0, 0.15, AnimationCurve::easeOut, [&] { ended.push_back("in"); });
  ASSERT_TRUE(QtDesktop::waitFor([&] { return ended.size() == 2; }));
  EXPECT_EQ(ended, (std::vector<std::string>{"in", "out"}));
  EXPECT_DOUBLE_EQ(preview_.windowOpacity(), 1.0);

  // Setting the alpha stops the fade where it is; its end is still reported.
  preview_.animateAlpha(0.0, 0.2, AnimationCurve::easeIn, [&] { ended.push_back("stopped"); });
  preview_.setAlpha(0.5);
  ASSERT_TRUE(QtDesktop::waitFor([&] { return ended.size() == 3; }));
  // The X property holds the alpha in 8 bits.
  EXPECT_NEAR(preview_.windowOpacity(), 0.5, 0.01);
  preview_.orderOut();
}

}  // namespace
}  // namespace dovrik::x11test
