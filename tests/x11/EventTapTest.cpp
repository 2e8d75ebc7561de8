// The left-button tap on its own: what it delivers, where it says the pointer is, and that it
// keeps hearing the pointer while the window manager holds its grab for a title-bar move.
#include "linux/x11/X11EventTap.h"

#include <xcb/xinput.h>

#include <algorithm>
#include <chrono>

#include "DesktopTest.h"
#include "FakePointer.h"

namespace dovrik::x11test {
namespace {

using Type = TapEventType;

class EventTapTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    tap_ = std::make_unique<x11::X11EventTap>(x().connection);
    ref_ = tap_->install([this](const TapEvent& event) { events_.push_back(event); });
    ASSERT_TRUE(ref_);
  }
  void TearDown() override {
    button(1, false);
    button(3, false);
    DesktopTest::TearDown();
  }

  void moveTo(Point root) { fakeMotion(*client, root); }
  // Through xdotool, whose presses come a little later than our own XTest client's: openbox
  // is more likely to ignore a title-bar drag whose press closely follows a burst of clicks.
  void button(int number, bool pressed) {
    ASSERT_EQ(server->run({"xdotool", pressed ? "mousedown" : "mouseup", std::to_string(number)}),
              0);
  }
  bool lastIs(Type type, std::optional<Point> at = std::nullopt) {
    return pumpUntil([&] {
      return !events_.empty() && events_.back().type == type &&
             (!at || events_.back().location == *at);
    });
  }
  std::vector<Type> types() const {
    std::vector<Type> result;
    for (const TapEvent& e : events_) {
      // A burst of moves may come as fewer events; one stands for all.
      if (e.type != Type::leftMouseDragged || result.empty() || result.back() != e.type)
        result.push_back(e.type);
    }
    return result;
  }
  void setPointerMapping(const std::vector<std::uint8_t>& mapping) {
    xcb_connection_t* c = client->raw();
    std::free(xcb_set_pointer_mapping_reply(
        c, xcb_set_pointer_mapping(c, static_cast<std::uint8_t>(mapping.size()), mapping.data()),
        nullptr));
  }

  std::unique_ptr<x11::X11EventTap> tap_;
  std::optional<EventTapRef> ref_;
  std::vector<TapEvent> events_;
};

TEST_F(EventTapTest, EveryTapHearsTheLeftButtonItsDragsAndRightPresses) {
  std::vector<TapEvent> second;
  const auto other = tap_->install([&](const TapEvent& e) { second.push_back(e); });
  ASSERT_TRUE(other);

  moveTo({300, 400});  // no button held: nothing to deliver
  button(1, true);
  ASSERT_TRUE(lastIs(Type::leftMouseDown, Point{300, 400}));
  moveTo({310, 410});
  button(2, true);  // the middle button, even during a drag, is not ours
  button(2, false);
  moveTo({350, 450});
  ASSERT_TRUE(lastIs(Type::leftMouseDragged, Point{350, 450}));
  button(1, false);
  ASSERT_TRUE(lastIs(Type::leftMouseUp, Point{350, 450}));
  moveTo({500, 500});
  button(3, true);
  ASSERT_TRUE(lastIs(Type::rightMouseDown, Point{500, 500}));
  button(3, false);  // a right release is nobody's business
  button(1, true);
  ASSERT_TRUE(lastIs(Type::leftMouseDown, Point{500, 500}));
  EXPECT_EQ(types(),
            (std::vector<Type>{Type::leftMouseDown, Type::leftMouseDragged, Type::leftMouseUp,
                               Type::rightMouseDown, Type::leftMouseDown}));
  EXPECT_EQ(second, events_);
  tap_->remove(*other);
  button(1, false);
  ASSERT_TRUE(lastIs(Type::leftMouseUp));
  EXPECT_EQ(second.size() + 1, events_.size());

  // Switched off, it hears nothing; back on, it waits for the next press.
  tap_->setEnabled(*ref_, false);
  events_.clear();
  button(1, true);
  moveTo({520, 520});
  tap_->setEnabled(*ref_, true);
  button(1, false);
  button(1, true);
  ASSERT_TRUE(lastIs(Type::leftMouseDown, Point{520, 520}));
  EXPECT_EQ(events_.size(), 1u);

  // Removed, it hears nothing at all.
  tap_->remove(*ref_);
  events_.clear();
  button(1, false);
  button(1, true);
  button(1, false);
  x().connection.dispatchPending();
  moveTo({10, 10});
  x().connection.dispatchPending();
  EXPECT_TRUE(events_.empty());
}

TEST_F(EventTapTest, TheReleasePointIsDeliveredEvenAfterAWarp) {
  moveTo({300, 300});
  button(1, true);
  ASSERT_TRUE(lastIs(Type::leftMouseDown, Point{300, 300}));
  // A warp moves the pointer without device motion.
  ASSERT_EQ(server->run({"xdotool", "mousemove", "700", "640"}), 0);
  button(1, false);
  ASSERT_TRUE(lastIs(Type::leftMouseUp, Point{700, 640}));
  ASSERT_GE(events_.size(), 3u);
  EXPECT_EQ(events_[events_.size() - 2].type, Type::leftMouseDragged);
  EXPECT_EQ(events_[events_.size() - 2].location, (Point{700, 640}));
}

TEST_F(EventTapTest, ALeftHandedMappingMakesTheRightButtonTheLeft) {
  xcb_connection_t* c = client->raw();
  auto* reply = xcb_get_pointer_mapping_reply(c, xcb_get_pointer_mapping(c), nullptr);
  ASSERT_TRUE(reply);
  const std::uint8_t* map = xcb_get_pointer_mapping_map(reply);
  const std::vector<std::uint8_t> original(map, map + xcb_get_pointer_mapping_map_length(reply));
  std::free(reply);
  ASSERT_GE(original.size(), 3u);
  std::vector<std::uint8_t> leftHanded = original;
  std::swap(leftHanded[0], leftHanded[2]);
  setPointerMapping(leftHanded);

  moveTo({200, 200});
  button(1, true);  // now the right button
  ASSERT_TRUE(lastIs(Type::rightMouseDown, Point{200, 200}));
  button(1, false);
  button(3, true);
  ASSERT_TRUE(lastIs(Type::leftMouseDown, Point{200, 200}));
  button(3, false);
  ASSERT_TRUE(lastIs(Type::leftMouseUp));
  EXPECT_EQ(events_.size(), 3u);
  setPointerMapping(original);
}

TEST_F(EventTapTest, KeepsHearingThePointerWhileTheWindowManagerMovesAWindow) {
  const xcb_window_t window = client->createWindow({.rect = {400, 300, 400, 300}});
  // Now and then openbox lets a title-bar press pass without starting a move (about once in
  // seventy runs, only after earlier clicks on the same server). The tap is what is under test
  // and is checked on every try; only a press the window manager ignored is made again.
  for (int attempt = 1; attempt <= 3; ++attempt) {
    const Rect before = *client->outerFrame(window);
    const Point title{before.midX(), before.minY() + 8};
    moveTo(title);
    button(1, true);
    ASSERT_TRUE(lastIs(Type::leftMouseDown, title));
    for (int step = 1; step <= 10; ++step) {
      const Point p{title.x + 20 * step, title.y + 10 * step};
      moveTo(p);
      ASSERT_TRUE(lastIs(Type::leftMouseDragged, p)) << "step " << step;
    }
    button(1, false);
    ASSERT_TRUE(lastIs(Type::leftMouseUp, Point{title.x + 200, title.y + 100}));
    // The window went along, so the window manager did hold the pointer for its move. fluxbox
    // starts moving only after the first step, so the window may trail the pointer by it.
    if (pumpUntil([&] {
          const auto frame = client->outerFrame(window);
          return frame && frame->x >= before.x + 180 && frame->y >= before.y + 90;
        })) {
      return;
    }
  }
  FAIL() << "the window manager never moved the window by its title bar";
}

// Reading the pointer is a round trip, so a fast drag is read at most once per display frame,
// and where it stopped always arrives; motion is only listened to while the button is down.
TEST_F(EventTapTest, AFastDragIsReadOncePerFrameAndEndsWhereThePointerStopped) {
  const auto hearsMotion = [this] {
    xcb_connection_t* c = x().connection.raw();
    auto* reply = xcb_input_xi_get_selected_events_reply(
        c, xcb_input_xi_get_selected_events(c, x().connection.root()), nullptr);
    bool motion = false;
    for (auto it = xcb_input_xi_get_selected_events_masks_iterator(reply); reply && it.rem;
         xcb_input_event_mask_next(&it)) {
      motion = motion || (*xcb_input_event_mask_mask(it.data) & XCB_INPUT_XI_EVENT_MASK_RAW_MOTION);
    }
    std::free(reply);
    return motion;
  };
  EXPECT_FALSE(hearsMotion());
  moveTo({100, 100});
  button(1, true);
  ASSERT_TRUE(lastIs(Type::leftMouseDown, Point{100, 100}));
  EXPECT_TRUE(hearsMotion());

  const auto start = std::chrono::steady_clock::now();
  for (int step = 1; step <= 200; ++step) {
    moveTo({100.0 + 4 * step, 100.0 + 2 * step});
    x().connection.dispatchPending();
  }
  ASSERT_TRUE(lastIs(Type::leftMouseDragged, Point{900, 500}));
  const double elapsed =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const auto drags = std::count_if(events_.begin(), events_.end(), [](const TapEvent& e) {
    return e.type == Type::leftMouseDragged;
  });
  EXPECT_LE(drags, static_cast<long>(elapsed / x11::X11EventTap::pointerReadInterval) + 2)
      << "in " << elapsed << " s";

  button(1, false);
  ASSERT_TRUE(lastIs(Type::leftMouseUp, Point{900, 500}));
  EXPECT_FALSE(hearsMotion());
}

// Accessibility space starts at the primary monitor's top-left corner, wherever that lies on
// the root window.
TEST_F(EventTapTest, LocationsAreMeasuredFromThePrimaryMonitor) {
  ASSERT_TRUE(splitInHalves(/*primaryOnTheRight=*/true));
  ASSERT_EQ(x().connection.primaryOrigin(), (Point{960, 0}));
  moveTo({1000, 100});
  button(1, true);
  ASSERT_TRUE(lastIs(Type::leftMouseDown, Point{40, 100}));
  moveTo({100, 700});
  ASSERT_TRUE(lastIs(Type::leftMouseDragged, Point{-860, 700}));
  button(1, false);
  ASSERT_TRUE(lastIs(Type::leftMouseUp, Point{-860, 700}));
}

}  // namespace
}  // namespace dovrik::x11test
