// The client end of the single-instance socket against stand-in agents that misbehave: none
// at all, one that holds the lock but does not listen, one that never answers, one whose reply
// comes in pieces or never ends, and one that hangs up.
#include "linux/ipc/InstanceClient.h"

#include <gtest/gtest.h>
#include <linux/sockios.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <thread>

#include "TempFolder.h"

namespace dovrik::ipc {
namespace {

using namespace files::testing;
using namespace std::chrono_literals;
using Status = InstanceAnswer::Status;

// Accepts one connection and hands it to `serve` on a thread of its own.
class StandInAgent {
 public:
  StandInAgent(const InstancePaths& paths, std::function<void(int)> serve) {
    listener_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, paths.socket().c_str(), sizeof address.sun_path - 1);
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 1) != 0)
      throw std::runtime_error("cannot listen");
    thread_ = std::thread([this, serve = std::move(serve)] {
      const int connection = ::accept(listener_, nullptr, nullptr);
      serve(connection);
      ::close(connection);
    });
  }
  ~StandInAgent() {
    thread_.join();
    ::close(listener_);
  }

 private:
  int listener_ = -1;
  std::thread thread_;
};

std::string readLine(int fd) {
  std::string line;
  char c = 0;
  while (::read(fd, &c, 1) == 1 && c != '\n')
    line += c;
  return line;
}

void writeAll(int fd, const std::string& bytes) {
  ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
}

// Until the peer has read everything written so far, so that what follows arrives apart.
bool peerHasReadAll(int fd) {
  const auto deadline = std::chrono::steady_clock::now() + 5s;
  int unread = 1;
  while (::ioctl(fd, SIOCOUTQ, &unread) == 0 && unread > 0 &&
         std::chrono::steady_clock::now() < deadline)
    std::this_thread::yield();
  return unread == 0;
}

// Blocks until the client hangs up.
void waitForHangUp(int fd) {
  char byte = 0;
  while (::read(fd, &byte, 1) > 0) {
  }
}

class InstanceClientTest : public ::testing::Test {
 protected:
  InstanceAnswer ask(std::string_view request = "{}") {
    return askInstance(paths, request,
                       {.window = 300ms, .retryPause = 10ms, .maxReplyBytes = 1000});
  }
  void holdLock(pid_t pid) { writeFile(paths.lock(), std::to_string(pid) + "\ndovrik\nhost\n"); }

  TempFolder temp;
  InstancePaths paths{temp.path(), "1000-_0"};
};

// Without a live lock holder nothing runs, even with the socket file or lock of one that died;
// asking creates nothing.
TEST_F(InstanceClientTest, WithoutALiveAgentItIsNotRunning) {
  EXPECT_EQ(ask().status, Status::notRunning);
  writeFile(paths.socket(), "");
  EXPECT_EQ(ask().status, Status::notRunning);
  const pid_t ended = ::fork();
  if (ended == 0)
    ::_exit(0);
  ::waitpid(ended, nullptr, 0);
  holdLock(ended);
  EXPECT_EQ(ask().status, Status::notRunning);
  EXPECT_EQ(namesIn(temp.path()),
            (std::vector<std::string>{"dovrik-1000-_0.lock", "dovrik-1000-_0.socket"}));
}

// A live holder of the lock that does not take the connection, or takes it and says nothing,
// runs but does not answer; the client gives up at its window.
TEST_F(InstanceClientTest, AnAgentThatHoldsTheLockButDoesNotAnswerIsNoAnswer) {
  holdLock(::getpid());
  EXPECT_EQ(ask().status, Status::noAnswer);
  StandInAgent silent(paths, [](int fd) {
    readLine(fd);
    waitForHangUp(fd);
  });
  EXPECT_EQ(ask().status, Status::noAnswer);
}

TEST_F(InstanceClientTest, AReplyInPiecesIsReadToItsLineBreak) {
  std::string request;
  {
    StandInAgent agent(paths, [&request](int fd) {
      request = readLine(fd);
      writeAll(fd, "{\"exit\": 0, ");
      ASSERT_TRUE(peerHasReadAll(fd));
      writeAll(fd, "\"stdout\": \"ok\"}\nwhat follows");
    });
    const InstanceAnswer answer = ask("{\"args\": [\"snap\"]}");
    EXPECT_EQ(answer.status, Status::answered);
    EXPECT_EQ(answer.reply, "{\"exit\": 0, \"stdout\": \"ok\"}");
  }
  EXPECT_EQ(request, "{\"args\": [\"snap\"]}");
}

// A reply that outgrows the limit is given up at once, not read until the window ends; an
// agent that hangs up before its line break gives no answer either.
TEST_F(InstanceClientTest, AnOversizedOrCutReplyIsNoAnswer) {
  {
    StandInAgent endless(paths, [](int fd) {
      readLine(fd);
      writeAll(fd, std::string(2000, 'x'));
      waitForHangUp(fd);
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(askInstance(paths, "{}", {.window = 60s, .maxReplyBytes = 1000}).status,
              Status::noAnswer);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30s);
  }
  std::filesystem::remove(paths.socket());
  StandInAgent cut(paths, [](int fd) {
    readLine(fd);
    writeAll(fd, "{\"exit\": 0");
  });
  EXPECT_EQ(ask().status, Status::noAnswer);
}

}  // namespace
}  // namespace dovrik::ipc
