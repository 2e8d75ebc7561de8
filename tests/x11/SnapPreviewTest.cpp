// The preview window on a real X server: where it lands, that input passes through it and it
// takes no focus, its outline-only shape without a compositor, and fades that report their end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <xcb/shape.h>

#include "FakePointer.h"
#include "QtDesktop.h"
#include "TestClient.h"
#include "core/windows/ScreenGeometry.h"
#include "linux/x11/XConnection.h"
#include "ui/SnapPreviewWindow.h"

namespace dovrik::x11test {
namespace {

class SnapPreviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string& display = QtDesktop::server().display();
    client_ = std::make_unique<TestClient>(display);
    x_ = std::make_unique<x11::XConnection>(display.c_str());
    preview_ = std::make_unique<ui::SnapPreviewWindow>([this](const Rect& desktop) {
      return x_->accessibilityToRoot(flipRect(desktop, x_->primaryHeight()));
    });
  }

  xcb_window_t previewId() const { return static_cast<xcb_window_t>(preview_->winId()); }

  // Shows the preview over `root` (root coordinates) as the core does.
  void showAt(const Rect& root) {
    preview_->setFrame(flipRect(root, 1080));
    preview_->setContent({0.2, true});
    preview_->setAlpha(0);
    preview_->orderFront();
  }
  bool mappedAt(const Rect& root) {
    return QtDesktop::waitFor([&] {
      auto* attributes = xcb_get_window_attributes_reply(
          client_->raw(), xcb_get_window_attributes(client_->raw(), previewId()), nullptr);
      const bool mapped = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
      std::free(attributes);
      return mapped && client_->clientRect(previewId()) == root;
    });
  }
  // The bounding shape's extents, relative to the window.
  Rect shapeExtents() {
    auto* reply = xcb_shape_query_extents_reply(
        client_->raw(), xcb_shape_query_extents(client_->raw(), previewId()), nullptr);
    const Rect extents{static_cast<double>(reply->bounding_shape_extents_x),
                       static_cast<double>(reply->bounding_shape_extents_y),
                       static_cast<double>(reply->bounding_shape_extents_width),
                       static_cast<double>(reply->bounding_shape_extents_height)};
    std::free(reply);
    return extents;
  }

  std::unique_ptr<TestClient> client_;
  std::unique_ptr<x11::XConnection> x_;
  std::unique_ptr<ui::SnapPreviewWindow> preview_;
};

TEST_F(SnapPreviewTest, LandsOnTopWithoutTakingFocusOrInput) {
  const xcb_window_t window = client_->createWindow({.rect = {100, 100, 600, 400}});
  client_->activate(window);
  ASSERT_TRUE(client_->waitFor([&] {
    return client_->property(client_->root(), "_NET_ACTIVE_WINDOW") ==
           std::vector<std::uint32_t>{window};
  }));

  showAt({50, 60, 800, 500});
  ASSERT_TRUE(mappedAt({50, 60, 800, 500}));
  xcb_connection_t* c = client_->raw();

  // Nothing of it takes input: the pointer over it is over the window below.
  auto* rectangles = xcb_shape_get_rectangles_reply(
      c, xcb_shape_get_rectangles(c, previewId(), XCB_SHAPE_SK_INPUT), nullptr);
  ASSERT_TRUE(rectangles);
  EXPECT_EQ(rectangles->rectangles_len, 0);
  std::free(rectangles);
  fakeMotion(*client_, {300, 300});
  auto* pointer = xcb_query_pointer_reply(c, xcb_query_pointer(c, client_->root()), nullptr);
  ASSERT_TRUE(pointer);
  EXPECT_NE(pointer->child, previewId());
  std::free(pointer);

  // Above the window, and the window keeps the focus.
  auto* tree = xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr);
  const xcb_window_t frame = tree->parent;
  std::free(tree);
  tree = xcb_query_tree_reply(c, xcb_query_tree(c, client_->root()), nullptr);
  const xcb_window_t* children = xcb_query_tree_children(tree);
  const auto end = children + xcb_query_tree_children_length(tree);
  EXPECT_GT(std::find(children, end, previewId()), std::find(children, end, frame));
  std::free(tree);
  EXPECT_EQ(client_->property(client_->root(), "_NET_ACTIVE_WINDOW"),
            std::vector<std::uint32_t>{window});

  preview_->orderOut();
  client_->destroyWindow(window);
}

TEST_F(SnapPreviewTest, OutlineOnlyWithoutACompositorAndWholeWithOne) {
  showAt({100, 100, 400, 300});
  ASSERT_TRUE(mappedAt({100, 100, 400, 300}));
  EXPECT_FALSE(preview_->isCompositing());
  // A ring 4 points inside the window: the desktop shows through the middle.
  EXPECT_EQ(shapeExtents(), (Rect{4, 4, 392, 292}));
  preview_->orderOut();

  // A compositing manager appears: the selection of screen 0 gets an owner.
  xcb_connection_t* c = client_->raw();
  const xcb_window_t owner = xcb_generate_id(c);
  xcb_create_window(c, XCB_COPY_FROM_PARENT, owner, client_->root(), 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
  xcb_set_selection_owner(c, owner, client_->atom("_NET_WM_CM_S0"), XCB_CURRENT_TIME);
  std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));

  showAt({100, 100, 400, 300});
  ASSERT_TRUE(mappedAt({100, 100, 400, 300}));
  EXPECT_TRUE(preview_->isCompositing());
  EXPECT_TRUE(QtDesktop::waitFor([&] { return shapeExtents() == Rect{0, 0, 400, 300}; }));
  preview_->orderOut();
  xcb_destroy_window(c, owner);
  std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

TEST_F(SnapPreviewTest, FadesReportTheirEndOnTimeEvenWhenReplaced) {
  showAt({100, 100, 400, 300});
  std::vector<std::string> ended;
  preview_->animateAlpha(0.0, 0.2, AnimationCurve::easeIn, [&] { ended.push_back("out"); });
  preview_->animateAlpha(1.0, 0.15, AnimationCurve::easeOut, [&] { ended.push_back("in"); });
  ASSERT_TRUE(QtDesktop::waitFor([&] { return ended.size() == 2; }));
  EXPECT_EQ(ended, (std::vector<std::string>{"in", "out"}));
  EXPECT_DOUBLE_EQ(preview_->windowOpacity(), 1.0);

  // Setting the alpha stops the fade where it is; its end is still reported.
  preview_->animateAlpha(0.0, 0.2, AnimationCurve::easeIn, [&] { ended.push_back("stopped"); });
  preview_->setAlpha(0.5);
  ASSERT_TRUE(QtDesktop::waitFor([&] { return ended.size() == 3; }));
  // The X property holds the alpha in 8 bits.
  EXPECT_NEAR(preview_->windowOpacity(), 0.5, 0.01);
  preview_->orderOut();
}

}  // namespace
}  // namespace dovrik::x11test
