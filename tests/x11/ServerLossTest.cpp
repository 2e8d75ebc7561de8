// The X server going away under the running `dovrik`, and `dovrik` started where no X server
// answers: one line that says what happened, a failure status, and nothing left running or
// claimed, so that a session starting it again is not handed a crash or a loop.
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "AgentTest.h"

namespace dovrik::x11test {
namespace {

class ServerLossTest : public AgentTest {};

TEST_F(ServerLossTest, DovrikQuitsWithOneLineWhenTheServerGoesAndWhenThereIsNone) {
  ASSERT_TRUE(startAgent());
  server->killServer();
  int status = 0;
  ASSERT_TRUE(client->waitFor([&] { return waitpid(agent_, &status, WNOHANG) == agent_; }, 10))
      << "Dovrik still runs without its X server";
  agent_ = -1;
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_NE(WEXITSTATUS(status), 0);
  const std::string lost = "Dovrik: the connection to the X server was lost; quitting.\n";
  EXPECT_EQ(contents("agent.log"), lost);

  // Started again on the display that is gone, as a session's autostart would.
  const Finished again = run({});
  EXPECT_EQ(again.status, 1);
  EXPECT_EQ(again.out, "");
  EXPECT_EQ(again.err,
            "Dovrik: cannot reach the X display \"" + server->display() + "\"; quitting.\n");
  // Neither left its lock or socket behind.
  for (const auto& entry : std::filesystem::directory_iterator(runtimeDir()))
    EXPECT_FALSE(entry.path().filename().string().starts_with("dovrik")) << entry.path();
}

}  // namespace
}  // namespace dovrik::x11test
