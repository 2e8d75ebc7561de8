// Windows that their applications destroy while the running `dovrik` is working on them: between
// the frames of an animated snap, in the middle of a layout restore, and while a title-bar drag
// shows the preview. Dovrik carries on quietly and answers the next command.
#include <filesystem>
#include <fstream>
#include <string>

#include "AgentTest.h"

namespace dovrik::x11test {
namespace {

class VanishingWindowTest : public AgentTest {
 protected:
  // Animations on and slow, so that a snap takes many frames.
  bool startSlowAgent() {
    std::filesystem::create_directories(session_ + "/config/dovrik");
    std::ofstream(session_ + "/config/dovrik/dovrik.json")
        << R"({"animationsEnabled": {"bool": true}, "animationSpeedRaw": {"string": "Slow"}})";
    return startAgent();
  }

  // Dovrik still answers, and moves another window at the next command; it said nothing more
  // than `said` before the window went.
  void expectDovrikCarriesOn(const std::string& said) {
    const xcb_window_t next = client->createWindow({.rect = {600, 200, 300, 200}, .pid = 8190});
    ASSERT_TRUE(client->activate(next));
    const Finished snap = run({"snap", "right-half"});
    EXPECT_EQ(snap.status, 0) << snap.err;
    EXPECT_TRUE(landsOn(next, shareOf(client->usablePartOf({0, 0, 1920, 1080}), {0.5, 0, 0.5, 1})));
    EXPECT_TRUE(agentRuns());
    // A window that went away is nothing to tell the user about.
    EXPECT_EQ(contents("agent.log"), said);
  }
};

TEST_F(VanishingWindowTest, DestroyedBetweenTheFramesOfAnAnimatedSnap) {
  ASSERT_TRUE(startSlowAgent());
  const xcb_window_t doomed = client->createWindow({.rect = {500, 300, 400, 300}, .pid = 8101});
  ASSERT_TRUE(client->activate(doomed));
  const auto start = client->outerFrame(doomed);
  const Rect target = shareOf(client->usablePartOf({0, 0, 1920, 1080}), {0, 0, 0.5, 1});

  const int out = create("out");
  const pid_t snap = spawn({"snap", "left-half"}, out, out);
  close(out);
  std::optional<Rect> moving;
  ASSERT_TRUE(client->waitFor([&] { return (moving = client->outerFrame(doomed)) != start; }, 15));
  const std::string said = contents("agent.log");
  client->destroyWindow(doomed);
  client->sync();
  EXPECT_NE(moving, target) << "the snap ended before the window went";
  int status = -1;
  EXPECT_TRUE(client->waitFor([&] { return waitpid(snap, &status, WNOHANG) == snap; }, 15));
  EXPECT_EQ(status, 0);
  expectDovrikCarriesOn(said);
}

TEST_F(VanishingWindowTest, DestroyedWhileALayoutIsRestored) {
  ASSERT_TRUE(startAgent());
  std::vector<xcb_window_t> windows;
  std::uint32_t pid = 8110;
  for (const char* name : {"first", "second", "third"})
    windows.push_back(client->createWindow({.instance = name, .className = name, .pid = ++pid}));
  const std::vector<Rect> saved = {{40, 60, 500, 400}, {700, 100, 500, 400}, {300, 500, 500, 300}};
  ASSERT_TRUE(placeAll(windows, saved));
  ASSERT_EQ(run({"layout", "save", "Desk"}).status, 0);
  ASSERT_TRUE(
      placeAll(windows, {{800, 600, 300, 200}, {820, 620, 300, 200}, {840, 640, 300, 200}}));

  // A window manager that has not yet caught up still lists the window its application has
  // just destroyed: the restore meets it half gone.
  const std::string said = contents("agent.log");
  server->pauseWindowManager(true);
  client->destroyWindow(windows[1]);
  client->sync();
  const Finished restore = run({"layout", "restore", "Desk"});
  server->pauseWindowManager(false);
  EXPECT_EQ(restore.status, 0) << restore.err;
  EXPECT_TRUE(landsOn(windows[0], saved[0]));
  EXPECT_TRUE(landsOn(windows[2], saved[2]));
  expectDovrikCarriesOn(said);
}

TEST_F(VanishingWindowTest, DestroyedWhileADragShowsThePreview) {
  ASSERT_TRUE(startAgent());
  const xcb_window_t doomed = client->createWindow({.rect = {700, 400, 400, 300}, .pid = 8120});
  ASSERT_TRUE(client->activate(doomed));
  const Rect frame = client->outerFrame(doomed).value_or(Rect{});
  const Point grip{frame.midX(), frame.minY() + 8};
  ASSERT_TRUE(movePointer(grip));
  ASSERT_EQ(server->run({"xdotool", "mousedown", "1"}), 0);
  ASSERT_TRUE(agentCaughtUp());
  // Past both Dovrik's drag threshold and the window manager's, then into the left zone.
  ASSERT_TRUE(movePointer({grip.x + 12, grip.y + 4}));
  ASSERT_TRUE(movePointer({3, 500}));
  const Rect left = shareOf(client->usablePartOf({0, 0, 1920, 1080}), {0, 0, 0.5, 1});
  ASSERT_TRUE(client->waitFor([&] { return previewShowsOver(left); }));

  const std::string said = contents("agent.log");
  client->destroyWindow(doomed);
  client->sync();
  ASSERT_EQ(server->run({"xdotool", "mouseup", "1"}), 0);
  EXPECT_TRUE(client->waitFor([&] { return !previewShowsOver(left); }));
  expectDovrikCarriesOn(said);
}

}  // namespace
}  // namespace dovrik::x11test
