// The real program started in a KWin session the way the end-to-end tests start it.
#include <sys/stat.h>

#include "KWinTest.h"
#include "SessionAgent.h"
#include "core/cli/CommandOutcome.h"

namespace dovrik::kwintest {
namespace {

using sessiontest::SessionAgent;

class AgentSessionTest : public KWinTest {
 public:
  static void SetUpTestSuite() { startSession({DOVRIK_AGENT_EXECUTABLE}); }
};

TEST_F(AgentSessionTest, AgentRunsAsTheSessionUserAndAnswersCommandsUntilStopped) {
  SessionAgent agent(session(), DOVRIK_EXECUTABLE);
  ASSERT_TRUE(agent.start()) << agent.log();
  struct stat process {};
  ASSERT_EQ(stat(("/proc/" + std::to_string(agent.pid())).c_str(), &process), 0);
  EXPECT_EQ(process.st_uid, session().user());

  const auto onboarding = agent.run({"onboarding"});
  EXPECT_EQ(onboarding.status, 0) << onboarding.err;
  EXPECT_FALSE(onboarding.out.empty());

  EXPECT_EQ(agent.stop(), 0) << agent.log();
  EXPECT_EQ(agent.run({"onboarding"}).status, static_cast<int>(cli::ExitStatus::unreachable))
      << "a stopped agent still answers";
}

}  // namespace
}  // namespace dovrik::kwintest
