// The window manager changing under the running `dovrik`: replaced by another, or gone for a
// while. Trust follows what runs, and the hotkeys work again by themselves once a window manager
// is back.
#include <sys/times.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "AgentTest.h"
#include "linux/x11/Keysyms.h"

namespace dovrik::x11test {
namespace {

class WindowManagerChangeTest : public AgentTest {
 protected:
  // Ctrl+Alt+Right puts a fresh, active window on the right half.
  ::testing::AssertionResult hotkeySnaps(std::uint32_t pid) {
    const xcb_window_t window = client->createWindow({.rect = {300, 300, 400, 300}, .pid = pid});
    if (!client->activate(window))
      return ::testing::AssertionFailure() << "the window was not activated";
    chord({x11::XK_Control_L, x11::XK_Alt_L}, x11::XK_Right);
    return landsOn(window, shareOf(client->usablePartOf({0, 0, 1920, 1080}), {0.5, 0, 0.5, 1}));
  }
  bool saysTrusted() {
    return client->waitFor([&] { return run({"onboarding"}).out == "You're set\n"; }, 20);
  }
  // Clock ticks of processor time the agent has used so far.
  long agentTicks() const {
    std::ifstream stat("/proc/" + std::to_string(agent_) + "/stat");
    std::string field;
    long ticks = 0;
    // utime and stime are the 14th and 15th fields; the name in parentheses has no spaces.
    for (int i = 1; i <= 15 && stat >> field; ++i) {
      if (i >= 14)
        ticks += std::stol(field);
    }
    return ticks;
  }
};

TEST_F(WindowManagerChangeTest, TrustAndHotkeysComeBackAfterEachReplacement) {
  ASSERT_TRUE(startAgent());
  ASSERT_TRUE(hotkeySnaps(8201));

  server->replaceWindowManager(XServer::WmConfig::Test, XServer::Wm::openbox);
  EXPECT_TRUE(saysTrusted());
  EXPECT_TRUE(hotkeySnaps(8202));

  server->replaceWindowManager(XServer::WmConfig::Test, XServer::Wm::fluxbox);
  EXPECT_TRUE(saysTrusted());
  EXPECT_TRUE(hotkeySnaps(8203));
  EXPECT_TRUE(agentRuns());
}

TEST_F(WindowManagerChangeTest, WithoutAWindowManagerDovrikWaitsQuietlyForTheNextOne) {
  ASSERT_TRUE(startAgent());
  server->killWindowManager();
  const long ticksBefore = agentTicks();
  tms unused{};
  const clock_t before = times(&unused);
  Finished waiting;
  EXPECT_TRUE(client->waitFor(
      [&] {
        return (waiting = run({"onboarding"})).out.find("No window manager runs") !=
               std::string::npos;
      },
      20))
      << waiting.out;
  // Some questions answered meanwhile; an agent that spins would use a whole core for them.
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(run({"onboarding"}).status, 0);
  const long used = agentTicks() - ticksBefore;
  const long elapsed = static_cast<long>(times(&unused) - before);
  EXPECT_LT(used * 2, elapsed) << used << " ticks of processor time in " << elapsed;

  server->startWindowManager(XServer::WmConfig::Test);
  EXPECT_TRUE(saysTrusted());
  EXPECT_TRUE(hotkeySnaps(8211));
  EXPECT_TRUE(agentRuns());
}

}  // namespace
}  // namespace dovrik::x11test
