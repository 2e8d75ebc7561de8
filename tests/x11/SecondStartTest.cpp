// `dovrik` started again and again while one runs: each later start hands over to the running
// one and ends at once, leaving no process, lock or socket of its own, and the running one keeps
// its commands and hotkeys.
#include <filesystem>
#include <set>
#include <string>

#include "AgentTest.h"
#include "linux/x11/Keysyms.h"

namespace dovrik::x11test {
namespace {

class SecondStartTest : public AgentTest {
 protected:
  // Dovrik's own files in the runtime folder.
  std::set<std::string> runtimeFiles() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(runtimeDir())) {
      if (entry.path().filename().string().starts_with("dovrik"))
        names.insert(entry.path().filename().string());
    }
    return names;
  }
  // The processes that run this build's agent, which every `dovrik` without a command becomes.
  static std::set<pid_t> dovrikProcesses() {
    std::set<pid_t> found;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
      std::error_code ec;
      const auto exe = std::filesystem::read_symlink(entry.path() / "exe", ec);
      if (!ec && exe == std::filesystem::path(DOVRIK_AGENT_EXECUTABLE))
        found.insert(std::stoi(entry.path().filename().string()));
    }
    return found;
  }
};

TEST_F(SecondStartTest, FiftyLaterStartsEachHandOverAndLeaveNothingBehind) {
  ASSERT_TRUE(startAgent());
  const std::set<std::string> claimed = runtimeFiles();
  ASSERT_EQ(claimed.size(), 2u);  // the running one's lock and socket

  for (int i = 0; i < 50; ++i) {
    const Finished later = run({});
    ASSERT_EQ(later.status, 0) << "start " << i << ": " << later.err;
    EXPECT_EQ(later.out + later.err, "") << "start " << i;
  }
  EXPECT_EQ(runtimeFiles(), claimed);
  EXPECT_EQ(dovrikProcesses(), std::set<pid_t>{agent_});

  const xcb_window_t window = client->createWindow({.rect = {300, 300, 400, 300}, .pid = 8301});
  ASSERT_TRUE(client->activate(window));
  const Rect usable = client->usablePartOf({0, 0, 1920, 1080});
  EXPECT_EQ(run({"snap", "left-half"}).status, 0);
  EXPECT_TRUE(landsOn(window, shareOf(usable, {0, 0, 0.5, 1})));
  chord({x11::XK_Control_L, x11::XK_Alt_L}, x11::XK_Right);
  EXPECT_TRUE(landsOn(window, shareOf(usable, {0.5, 0, 0.5, 1})));
}

}  // namespace
}  // namespace dovrik::x11test
