// The client and the subscription against a scripted window manager: replies in pieces, late
// and broken replies, events that arrive in parts.
#include <gtest/gtest.h>

#include <poll.h>

#include <functional>
#include <future>

#include "ScriptedServer.h"
#include "linux/i3ipc/I3Client.h"
#include "linux/i3ipc/I3Subscription.h"
#include "linux/i3ipc/MessageType.h"

namespace dovrik::i3ipc {
namespace {

using testing::ScriptedServer;
using namespace std::chrono_literals;

constexpr std::uint32_t windowEvent = eventBit | 3;

TEST(I3ClientTest, RunsACommandWhoseReplyComesInPieces) {
  ScriptedServer server([](int fd) {
    const auto request = ScriptedServer::readFrame(fd);
    if (!request || request->type != 0 || request->payload != "[con_id=1] kill")
      return;
    const std::string reply = encodeFrame(0, R"([{"success":true}])");
    for (const char byte : reply)
      ScriptedServer::send(fd, {&byte, 1});
  });
  I3Client client(server.path());
  EXPECT_EQ(client.runCommand("[con_id=1] kill"), (std::vector<CommandOutcome>{{true, ""}}));
}

TEST(I3ClientTest, GivesUpOnLateOrBrokenReplies) {
  struct Row {
    const char* name;
    std::function<void(int)> answer;
  };
  const std::vector<Row> rows{
      {"no reply", [](int) {}},
      {"a reply of another type", [](int fd) { ScriptedServer::send(fd, encodeFrame(4, "{}")); }},
      {"not a frame", [](int fd) { ScriptedServer::send(fd, "HTTP/1.1 400\r\n\r\n"); }},
      {"half a reply",
       [](int fd) { ScriptedServer::send(fd, encodeFrame(1, "[]").substr(0, 15)); }},
  };
  for (const Row& row : rows) {
    std::optional<std::string> result = "unset";
    {
      ScriptedServer server([&](int fd) {
        if (ScriptedServer::readFrame(fd))
          row.answer(fd);
        // Hold the connection until the client gave up.
        pollfd entry{fd, POLLIN, 0};
        ::poll(&entry, 1, 5000);
      });
      I3Client client(server.path(), 200ms);
      result = client.request(MessageType::getWorkspaces);
    }
    EXPECT_EQ(result, std::nullopt) << row.name;
  }
  I3Client nobody("/nonexistent/i3.sock", 200ms);
  EXPECT_EQ(nobody.request(MessageType::getTree), std::nullopt);
}

TEST(I3ClientTest, SubscriptionHandsOutWholeEventsAndEndsWithTheServer) {
  std::promise<void> firstRead, secondRead;
  ScriptedServer server([&](int fd) {
    const auto subscribe = ScriptedServer::readFrame(fd);
    if (!subscribe || subscribe->payload != R"(["window","binding"])")
      return;
    const std::string event = encodeFrame(windowEvent, R"({"change":"focus"})");
    ScriptedServer::send(fd, encodeFrame(2, R"({"success":true})") + event + event.substr(0, 20));
    firstRead.get_future().wait();
    ScriptedServer::send(fd, event.substr(20));
    secondRead.get_future().wait();
  });
  auto subscription = I3Subscription::open(server.path(), {"window", "binding"}, 2s);
  ASSERT_TRUE(subscription);
  const auto waitReadable = [&] {
    pollfd entry{subscription->fd(), POLLIN, 0};
    return ::poll(&entry, 1, 5000) == 1;
  };
  std::vector<Frame> frames = subscription->readAvailable();
  while (frames.empty() && waitReadable())
    frames = subscription->readAvailable();
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0], (Frame{windowEvent, R"({"change":"focus"})"}));
  firstRead.set_value();
  frames.clear();
  while (frames.empty() && waitReadable())
    frames = subscription->readAvailable();
  EXPECT_EQ(frames.size(), 1u);
  secondRead.set_value();
  while (!subscription->ended() && waitReadable())
    subscription->readAvailable();
  EXPECT_TRUE(subscription->ended());
}

TEST(I3ClientTest, SubscriptionRefusedIsNone) {
  ScriptedServer server([](int fd) {
    if (ScriptedServer::readFrame(fd))
      ScriptedServer::send(fd, encodeFrame(2, R"({"success":false})"));
  });
  EXPECT_FALSE(I3Subscription::open(server.path(), {"tick"}, 2s));
}

}  // namespace
}  // namespace dovrik::i3ipc
