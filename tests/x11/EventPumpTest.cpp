// The Qt loop services our connection: events reach subscribers whether they arrive on the
// socket or were queued inside xcb by a round trip.
#include "linux/x11/XEventPump.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include "TestClient.h"
#include "XServer.h"
#include "linux/x11/XConnection.h"

namespace dovrik::x11test {
namespace {

TEST(EventPumpTest, QtLoopDeliversSocketAndQueuedEvents) {
  int argc = 1;
  char name[] = "dovrik_x11_tests";
  char* argv[] = {name, nullptr};
  QCoreApplication qt(argc, argv);
  XServer server(640, 480);
  TestClient client(server.display());
  x11::XConnection x(server.display().c_str());
  x11::XEventPump pump(x);

  std::vector<xcb_atom_t> changed;
  x.events.connect([&](const xcb_generic_event_t& event) {
    if ((event.response_type & 0x7f) == XCB_PROPERTY_NOTIFY)
      changed.push_back(reinterpret_cast<const xcb_property_notify_event_t&>(event).atom);
  });
  // Runs the Qt loop (which sleeps between wake-ups, as in the program) until `count` events
  // arrived, checking every 10 ms, for at most 5 s.
  const auto runUntil = [&](std::size_t count) {
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, [&] {
      if (changed.size() >= count)
        loop.quit();
    });
    check.start(10);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    return changed.size() >= count;
  };

  client.setProperty(client.root(), "DOVRIK_TEST_ONE", XCB_ATOM_CARDINAL, {1});
  ASSERT_TRUE(runUntil(1));
  // Let the event reach xcb's queue through a round trip of our own, so the socket shows
  // nothing new when the loop goes to sleep.
  client.setProperty(client.root(), "DOVRIK_TEST_TWO", XCB_ATOM_CARDINAL, {1});
  client.waitFor([&] { return !client.property(client.root(), "DOVRIK_TEST_TWO").empty(); });
  x.cardinals(x.root(), x.atoms()._NET_ACTIVE_WINDOW);
  ASSERT_TRUE(runUntil(2));
  EXPECT_EQ(changed[1], client.atom("DOVRIK_TEST_TWO"));
}

// Properties are read from the server once and then kept: a change, a deletion and the
// window's destruction each make the next read ask again, and nothing else does.
TEST(EventPumpTest, PropertiesAreKeptUntilTheServerSaysTheyChanged) {
  XServer server(640, 480);
  TestClient client(server.display());
  x11::XConnection x(server.display().c_str());
  const xcb_window_t window = client.createWindow({.map = false});
  const xcb_atom_t kept = client.atom("DOVRIK_TEST_KEPT");
  const xcb_atom_t absent = client.atom("DOVRIK_TEST_ABSENT");
  client.setProperty(window, "DOVRIK_TEST_KEPT", XCB_ATOM_CARDINAL, {1});
  client.sync();

  using Values = std::vector<std::uint32_t>;
  EXPECT_EQ(x.cardinals(window, kept), Values{1});
  EXPECT_EQ(x.cardinals(window, absent), Values{});
  const std::size_t asked = x.propertyRoundTrips();
  EXPECT_EQ(x.cardinals(window, kept, XCB_ATOM_CARDINAL), Values{1});
  EXPECT_EQ(x.cardinals(window, kept, XCB_ATOM_WINDOW), Values{});  // another type
  EXPECT_EQ(x.cardinals(window, absent), Values{});
  EXPECT_EQ(x.propertyRoundTrips(), asked);

  client.setProperty(window, "DOVRIK_TEST_KEPT", XCB_ATOM_CARDINAL, {2, 3});
  EXPECT_TRUE(x.waitUntil([&] { return x.cardinals(window, kept) == Values{2, 3}; }, 5));
  xcb_delete_property(client.raw(), window, kept);
  client.sync();
  EXPECT_TRUE(x.waitUntil([&] { return x.cardinals(window, kept).empty(); }, 5));
  client.setProperty(window, "DOVRIK_TEST_KEPT", XCB_ATOM_CARDINAL, {4});
  EXPECT_TRUE(x.waitUntil([&] { return x.cardinals(window, kept) == Values{4}; }, 5));
  client.destroyWindow(window);
  EXPECT_TRUE(x.waitUntil([&] { return x.cardinals(window, kept).empty(); }, 5));
  // An id read before its window exists (a stale active-window property names one) is watched
  // once the window does.
  xcb_connection_t* c = client.raw();
  const xcb_window_t later = xcb_generate_id(c);
  EXPECT_EQ(x.cardinals(later, kept), Values{});
  xcb_create_window(c, XCB_COPY_FROM_PARENT, later, client.root(), 0, 0, 10, 10, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
  client.setProperty(later, "DOVRIK_TEST_KEPT", XCB_ATOM_CARDINAL, {5});
  client.sync();
  EXPECT_EQ(x.cardinals(later, kept), Values{5});
  client.setProperty(later, "DOVRIK_TEST_KEPT", XCB_ATOM_CARDINAL, {6});
  EXPECT_TRUE(x.waitUntil([&] { return x.cardinals(later, kept) == Values{6}; }, 5));
}

}  // namespace
}  // namespace dovrik::x11test
