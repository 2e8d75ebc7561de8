// The left-button tap on its own: what it delivers, where it says the pointer is, and that it
// keeps hearing the pointer while openbox holds its grab for a title-bar move.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "AdapterPump.h"
#include "FakePointer.h"
#include "TestClient.h"
#include "XServer.h"
#include "linux/x11/X11EventTap.h"
#include "linux/x11/XConnection.h"

namespace dovrik::x11test {
namespace {

using Type = TapEventType;

class EventTapTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    server_ = new XServer(1920, 1080);
    server_->startWindowManager(XServer::WmConfig::Test);
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }
  void SetUp() override {
    client_ = std::make_unique<TestClient>(server_->display());
    x_ = std::make_unique<x11::XConnection>(server_->display().c_str());
    tap_ = std::make_unique<x11::X11EventTap>(*x_);
    ref_ = tap_->install([this](const TapEvent& event) { events_.push_back(event); });
    ASSERT_TRUE(ref_);
  }
  void TearDown() override {
    server_->run({"xdotool", "mouseup", "1"});
    server_->run({"xdotool", "mouseup", "3"});
  }

  void button(const char* action, int number) {
    ASSERT_EQ(server_->run({"xdotool", action, std::to_string(number)}), 0);
  }
  bool lastIs(Type type, std::optional<Point> at = std::nullopt) {
    return pumpUntil(*x_, [&] {
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

  static XServer* server_;
  std::unique_ptr<TestClient> client_;
  std::unique_ptr<x11::XConnection> x_;
  std::unique_ptr<x11::X11EventTap> tap_;
  std::optional<EventTapRef> ref_;
  std::vector<TapEvent> events_;
};

XServer* EventTapTest::server_ = nullptr;

TEST_F(EventTapTest, DeliversOnlyTheLeftButtonAndItsDrags) {
  EXPECT_FALSE(tap_->install([](const TapEvent&) {})) << "one tap at a time";

  fakeMotion(*client_, {300, 400});  // no button held: nothing to deliver
  button("mousedown", 1);
  ASSERT_TRUE(lastIs(Type::leftMouseDown, Point{300, 400}));
  fakeMotion(*client_, {310, 410});
  button("mousedown", 3);  // other buttons, even during a drag, are not ours
  button("mouseup", 3);
  fakeMotion(*client_, {350, 450});
  ASSERT_TRUE(lastIs(Type::leftMouseDragged, Point{350, 450}));
  button("mouseup", 1);
  ASSERT_TRUE(lastIs(Type::leftMouseUp, Point{350, 450}));
  fakeMotion(*client_, {500, 500});
  button("mousedown", 3);
  button("mouseup", 3);
  button("mousedown", 1);
  ASSERT_TRUE(lastIs(Type::leftMouseDown, Point{500, 500}));
  EXPECT_EQ(types(), (std::vector<Type>{Type::leftMouseDown, Type::leftMouseDragged,
                                        Type::leftMouseUp, Type::leftMouseDown}));
  button("mouseup", 1);
  ASSERT_TRUE(lastIs(Type::leftMouseUp));

  // Switched off, it hears nothing; back on, it waits for the next press.
  tap_->setEnabled(*ref_, false);
  events_.clear();
  button("mousedown", 1);
  fakeMotion(*client_, {520, 520});
  tap_->setEnabled(*ref_, true);
  button("mouseup", 1);
  button("mousedown", 1);
  ASSERT_TRUE(lastIs(Type::leftMouseDown, Point{520, 520}));
  EXPECT_EQ(events_.size(), 1u);

  // Removed, it hears nothing at all.
  tap_->remove(*ref_);
  events_.clear();
  button("mouseup", 1);
  button("mousedown", 1);
  button("mouseup", 1);
  x_->dispatchPending();
  fakeMotion(*client_, {10, 10});
  x_->dispatchPending();
  EXPECT_TRUE(events_.empty());
}

TEST_F(EventTapTest, TheReleasePointIsDeliveredEvenAfterAWarp) {
  fakeMotion(*client_, {300, 300});
  button("mousedown", 1);
  ASSERT_TRUE(lastIs(Type::leftMouseDown, Point{300, 300}));
  // A warp moves the pointer without device motion.
  ASSERT_EQ(server_->run({"xdotool", "mousemove", "700", "640"}), 0);
  button("mouseup", 1);
  ASSERT_TRUE(lastIs(Type::leftMouseUp, Point{700, 640}));
  ASSERT_GE(events_.size(), 3u);
  EXPECT_EQ(events_[events_.size() - 2].type, Type::leftMouseDragged);
  EXPECT_EQ(events_[events_.size() - 2].location, (Point{700, 640}));
}

TEST_F(EventTapTest, ALeftHandedMappingMakesTheRightButtonTheLeft) {
  xcb_connection_t* c = client_->raw();
  auto* reply = xcb_get_pointer_mapping_reply(c, xcb_get_pointer_mapping(c), nullptr);
  ASSERT_TRUE(reply);
  const std::uint8_t* map = xcb_get_pointer_mapping_map(reply);
  const std::vector<std::uint8_t> original(map, map + xcb_get_pointer_mapping_map_length(reply));
  std::free(reply);
  ASSERT_GE(original.size(), 3u);
  std::vector<std::uint8_t> leftHanded = original;
  std::swap(leftHanded[0], leftHanded[2]);
  const auto setMapping = [&](const std::vector<std::uint8_t>& mapping) {
    std::free(xcb_set_pointer_mapping_reply(
        c, xcb_set_pointer_mapping(c, static_cast<std::uint8_t>(mapping.size()), mapping.data()),
        nullptr));
  };
  setMapping(leftHanded);

  fakeMotion(*client_, {200, 200});
  button("mousedown", 1);  // now the right button: ignored
  button("mouseup", 1);
  button("mousedown", 3);
  ASSERT_TRUE(lastIs(Type::leftMouseDown, Point{200, 200}));
  button("mouseup", 3);
  ASSERT_TRUE(lastIs(Type::leftMouseUp));
  EXPECT_EQ(events_.size(), 2u);
  setMapping(original);
}

TEST_F(EventTapTest, KeepsHearingThePointerWhileOpenboxMovesAWindow) {
  const xcb_window_t window = client_->createWindow({.rect = {400, 300, 400, 300}});
  const Rect before = *client_->outerFrame(window);
  const Point title{before.midX(), before.minY() + 8};
  fakeMotion(*client_, title);
  button("mousedown", 1);
  ASSERT_TRUE(lastIs(Type::leftMouseDown, title));
  for (int step = 1; step <= 10; ++step) {
    const Point p{title.x + 20 * step, title.y + 10 * step};
    fakeMotion(*client_, p);
    ASSERT_TRUE(lastIs(Type::leftMouseDragged, p)) << "step " << step;
  }
  button("mouseup", 1);
  ASSERT_TRUE(lastIs(Type::leftMouseUp, Point{title.x + 200, title.y + 100}));
  // The window went along, so openbox did hold the pointer for its move.
  EXPECT_TRUE(client_->waitFor([&] {
    const auto after = client_->outerFrame(window);
    return after && after->x == before.x + 200 && after->y == before.y + 100;
  }));
}

// Accessibility space starts at the primary monitor's top-left corner, wherever that lies on
// the root window.
class EventTapMonitorsTest : public EventTapTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(server_->run({"xrandr", "--setmonitor", "A", "960/254x1080/286+960+0", "screen"}), 0);
    ASSERT_EQ(server_->run({"xrandr", "--setmonitor", "B", "960/254x1080/286+0+0", "none"}), 0);
    EventTapTest::SetUp();
    ASSERT_TRUE(pumpUntil(*x_, [&] { return x_->monitors().size() == 2; }));
  }
  void TearDown() override {
    EventTapTest::TearDown();
    for (const char* name : {"A", "B"})
      server_->run({"xrandr", "--delmonitor", name});
  }
};

TEST_F(EventTapMonitorsTest, LocationsAreMeasuredFromThePrimaryMonitor) {
  ASSERT_EQ(x_->primaryOrigin(), (Point{960, 0}));
  fakeMotion(*client_, {1000, 100});
  button("mousedown", 1);
  ASSERT_TRUE(lastIs(Type::leftMouseDown, Point{40, 100}));
  fakeMotion(*client_, {100, 700});
  ASSERT_TRUE(lastIs(Type::leftMouseDragged, Point{-860, 700}));
  button("mouseup", 1);
  ASSERT_TRUE(lastIs(Type::leftMouseUp, Point{-860, 700}));
}

}  // namespace
}  // namespace dovrik::x11test
