// The client and the subscription against a scripted window manager on a socket: replies in
// pieces, late and broken replies, events that arrive in parts.
#include <gtest/gtest.h>

#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <future>
#include <thread>

#include "linux/i3ipc/I3Client.h"
#include "linux/i3ipc/I3Subscription.h"

namespace dovrik::i3ipc {
namespace {

using namespace std::chrono_literals;

constexpr std::uint32_t windowEvent = eventBit | 3;

bool readable(int fd) {
  pollfd entry{fd, POLLIN, 0};
  return ::poll(&entry, 1, 5000) == 1;
}

// A stand-in for i3: a socket in a fresh folder, and one scripted session with the first
// client, on its own thread. The session gets the client's first frame and the descriptor to
// answer on; nextRequest reads the frames the client sent after it.
class ScriptedI3 {
 public:
  explicit ScriptedI3(std::function<void(int fd, const Frame& request)> session) {
    std::string folder = (std::filesystem::temp_directory_path() / "dovrik-i3-XXXXXX").string();
    EXPECT_NE(::mkdtemp(folder.data()), nullptr);
    folder_ = folder;
    path_ = folder + "/ipc.sock";
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path_.c_str());
    listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    EXPECT_EQ(::bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(::listen(listener_, 1), 0);
    thread_ = std::thread([this, session = std::move(session)] {
      const int fd = readable(listener_) ? ::accept(listener_, nullptr, nullptr) : -1;
      if (const auto request = fd >= 0 ? nextRequest(fd) : std::nullopt)
        session(fd, *request);
      ::close(fd);
    });
  }
  ~ScriptedI3() {
    thread_.join();
    ::close(listener_);
    std::filesystem::remove_all(folder_);
  }
  const std::string& path() const { return path_; }

  static void send(int fd, std::string_view bytes) {
    ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
  }

  // Called from the session only.
  std::optional<Frame> nextRequest(int fd) {
    char chunk[4096];
    std::optional<Frame> request;
    while (!(request = decoder_.next()) && readable(fd)) {
      const ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
      if (got <= 0)
        break;
      decoder_.feed({chunk, static_cast<std::size_t>(got)});
    }
    return request;
  }

 private:
  FrameDecoder decoder_;
  std::string folder_, path_;
  int listener_ = -1;
  std::thread thread_;
};

TEST(I3ClientTest, RunsACommandWhoseReplyComesInPieces) {
  ScriptedI3 i3([](int fd, const Frame& request) {
    if (request != Frame{0, "[con_id=1] kill"})
      return;
    for (const char byte : encodeFrame(0, R"([{"success":true}])"))
      ScriptedI3::send(fd, {&byte, 1});
  });
  I3Client client(i3.path());
  EXPECT_EQ(client.runCommand("[con_id=1] kill"), (std::vector<CommandOutcome>{{true, ""}}));
}

TEST(I3ClientTest, RequestsSentTogetherAreAnsweredInOrder) {
  const std::vector<MessageType> asked{MessageType::getTree, MessageType::getWorkspaces,
                                       MessageType::getOutputs};
  ScriptedI3* server = nullptr;
  ScriptedI3 i3([&](int fd, const Frame& first) {
    // Every request is in before the first reply goes out: they were sent at once.
    std::vector<Frame> requests{first};
    while (requests.size() < asked.size())
      if (const auto next = server->nextRequest(fd))
        requests.push_back(*next);
      else
        return;
    for (const Frame& request : requests)
      ScriptedI3::send(fd, encodeFrame(request.type, "reply " + std::to_string(request.type)));
  });
  server = &i3;
  I3Client client(i3.path());
  EXPECT_EQ(client.requestAll(asked), (std::vector<std::string>{"reply 4", "reply 1", "reply 3"}));
}

TEST(I3ClientTest, RequestsSentTogetherGiveNothingWhenOneReplyFails) {
  ScriptedI3 i3([](int fd, const Frame& first) {
    ScriptedI3::send(fd, encodeFrame(first.type, "[]"));
    ScriptedI3::send(fd, "not a frame at all, but bytes");
    readable(fd);  // until the client gave up and hung up
  });
  I3Client client(i3.path(), 200ms);
  EXPECT_EQ(client.requestAll({MessageType::getTree, MessageType::getWorkspaces}), std::nullopt);
}

TEST(I3ClientTest, GivesUpOnLateOrBrokenReplies) {
  struct Row {
    const char* name;
    std::string answer;
  };
  const std::vector<Row> rows{
      {"no reply", ""},
      {"a reply of another type", encodeFrame(4, "{}")},
      {"not a frame", "HTTP/1.1 400\r\n\r\n"},
      {"half a reply", encodeFrame(1, "[]").substr(0, 15)},
  };
  for (const Row& row : rows) {
    std::optional<std::string> reply = "unset";
    {
      ScriptedI3 i3([&](int fd, const Frame&) {
        ScriptedI3::send(fd, row.answer);
        readable(fd);  // until the client gave up and hung up
      });
      I3Client client(i3.path(), 200ms);
      reply = client.request(MessageType::getWorkspaces);
    }
    EXPECT_EQ(reply, std::nullopt) << row.name;
  }
  EXPECT_EQ(I3Client("/nonexistent/i3.sock", 200ms).request(MessageType::getTree), std::nullopt);
}

TEST(I3ClientTest, SubscriptionHandsOutWholeEventsAndEndsWithTheServer) {
  std::promise<void> firstRead, secondRead;
  ScriptedI3 i3([&](int fd, const Frame& subscribe) {
    if (subscribe != Frame{2, R"(["window","binding"])"})
      return;
    const std::string event = encodeFrame(windowEvent, R"({"change":"focus"})");
    ScriptedI3::send(fd, encodeFrame(2, R"({"success":true})") + event + event.substr(0, 20));
    firstRead.get_future().wait();
    ScriptedI3::send(fd, event.substr(20));
    secondRead.get_future().wait();
  });
  auto subscription = I3Subscription::open(i3.path(), {"window", "binding"}, 2s);
  ASSERT_TRUE(subscription);
  // What came with the reply is read at once, without the descriptor signalling it.
  EXPECT_EQ(subscription->readAvailable(),
            (std::vector<Frame>{{windowEvent, R"({"change":"focus"})"}}));
  firstRead.set_value();
  std::vector<Frame> rest;
  while (rest.empty() && readable(subscription->fd()))
    rest = subscription->readAvailable();
  EXPECT_EQ(rest.size(), 1u);
  secondRead.set_value();
  while (!subscription->ended() && readable(subscription->fd()))
    subscription->readAvailable();
  EXPECT_TRUE(subscription->ended());
}

}  // namespace
}  // namespace dovrik::i3ipc
