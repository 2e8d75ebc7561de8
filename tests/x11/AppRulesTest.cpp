// App rules end to end: the real `dovrik` agent infers launches from the client list and snaps
// the first window of an application with a rule; `dovrik rules` and `dovrik apps` manage and
// show what it works from.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "AgentTest.h"

namespace dovrik::x11test {
namespace {

class AppRulesTest : public AgentTest {
 protected:
  Rect usable() { return client->usablePartOf({0, 0, 1920, 1080}); }
  static WindowRequest app(const std::string& instance, const std::string& className,
                           std::uint32_t pid) {
    return {.rect = {300, 300, 400, 300}, .instance = instance, .className = className, .pid = pid};
  }
};

TEST_F(AppRulesTest, OnlyTheFirstWindowOfALaunchIsSnapped) {
  const std::filesystem::path entries = session_ + "/data/applications";
  std::filesystem::create_directories(entries);
  std::ofstream(entries / "rulesdemo.desktop")
      << "[Desktop Entry]\nType=Application\nName=Rules Demo\nExec=true\n";
  // Running before Dovrik starts: its next window is no launch.
  const xcb_window_t before = client->createWindow(app("rulesdemo", "RulesDemo", 8100));
  ASSERT_TRUE(startAgent());
  // The agent's readiness probe snapped the active window to the centre.
  ASSERT_TRUE(landsOn(before, shareOf(usable(), {0.2, 0.2, 0.6, 0.6})));

  EXPECT_NE(run({"apps"}).out.find("Rules Demo (rulesdemo)\n"), std::string::npos);
  const Finished added = run({"rules", "add", "rulesdemo", "left-half"});
  EXPECT_EQ(added.status, 0) << added.err;
  EXPECT_EQ(added.out, "1. Rules Demo (rulesdemo) — Left Half — on\n");
  EXPECT_EQ(run({"rules", "add", "rulesdemo", "center"}).status, 1);
  EXPECT_EQ(run({"rules", "add", "Sentinel", "right-half"}).status, 0);

  const xcb_window_t again = client->createWindow(app("rulesdemo", "RulesDemo", 8100));
  const auto beforeFrame = client->outerFrame(before), againFrame = client->outerFrame(again);
  // A launch started later is snapped later than a snap of the window above would have been.
  const xcb_window_t sentinel = client->createWindow(app("sentinel", "Sentinel", 8200));
  EXPECT_TRUE(landsOn(sentinel, shareOf(usable(), {0.5, 0, 0.5, 1})));
  EXPECT_EQ(client->outerFrame(before), beforeFrame);
  EXPECT_EQ(client->outerFrame(again), againFrame);
}

TEST_F(AppRulesTest, SwitchedOffRulesLeaveLaunchesAloneAndTheCommandsKeepTheList) {
  ASSERT_TRUE(startAgent());
  EXPECT_EQ(run({"rules", "add", "Alpha", "top-half"}).status, 0);
  EXPECT_EQ(run({"rules", "add", "Sentinel", "Right", "Half"}).status, 0);
  EXPECT_EQ(run({"rules", "disable", "1"}).status, 0);

  const xcb_window_t alpha = client->createWindow(app("alpha", "Alpha", 8301));
  const auto alphaFrame = client->outerFrame(alpha);
  const xcb_window_t sentinel = client->createWindow(app("sentinel", "Sentinel", 8302));
  EXPECT_TRUE(landsOn(sentinel, shareOf(usable(), {0.5, 0, 0.5, 1})));
  EXPECT_EQ(client->outerFrame(alpha), alphaFrame);

  EXPECT_EQ(run({"rules", "enable", "1"}).status, 0);
  EXPECT_EQ(run({"rules", "delete", "2"}).status, 0);
  EXPECT_EQ(run({"rules", "delete", "2"}).status, 1);
  EXPECT_EQ(run({"rules", "list"}).out, "1. Alpha (Alpha) — Top Half — on\n");
  const std::string json = run({"rules", "list", "--json"}).out;
  EXPECT_NE(json.find(R"("bundleIdentifier":"Alpha","appName":"Alpha",)"
                      R"("snapPosition":"Top Half","isEnabled":true})"),
            std::string::npos)
      << json;
  EXPECT_TRUE(agentRuns());
}

}  // namespace
}  // namespace dovrik::x11test
