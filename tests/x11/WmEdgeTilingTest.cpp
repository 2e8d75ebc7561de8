// The window manager's own edge tiling under the real `dovrik`: held off while drag snapping is
// on, so a title-bar drag into a corner ends on Dovrik's quarter rather than the window
// manager's tile, and given back as the user had it when Dovrik quits, even by the run after
// one that crashed. Runs under xfwm4 (xfconf) and metacity (GSettings through dconf).
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "AgentTest.h"

namespace dovrik::x11test {
namespace {

class WmEdgeTilingTest : public AgentTest {
 protected:
  void SetUp() override {
    AgentTest::SetUp();
    // dconf's service writes the database of the session bus's environment, and every reader
    // maps the one of its own: the agent's settings folder shares the server's, as one
    // user's programs do.
    const std::filesystem::path database = server->tempDir() + "/config/dconf";
    std::filesystem::create_directories(database);
    std::filesystem::create_directories(session_ + "/config");
    std::filesystem::create_directory_symlink(database, session_ + "/config/dconf");
  }

  // The tool that reads and sets the running window manager's edge tiling.
  std::vector<std::string> edgeTilingCommand(const std::string& key = "") {
    if (server->wm() == XServer::Wm::metacity)
      return {"gsettings", "get", "org.gnome.metacity", key.empty() ? "edge-tiling" : key};
    return {"xfconf-query", "-c", "xfwm4", "-p",
            key.empty() ? "/general/tile_on_move" : "/general/" + key};
  }
  // As the tool prints it: "true\n" or "false\n".
  std::optional<std::string> edgeTiling(const std::string& key = "") {
    return server->query(edgeTilingCommand(key));
  }
  bool setEdgeTiling(bool on) {
    std::vector<std::string> argv = edgeTilingCommand();
    if (server->wm() == XServer::Wm::metacity)
      argv[1] = "set";
    else
      argv.insert(argv.end(), {"-n", "-t", "bool", "-s"});
    argv.push_back(on ? "true" : "false");
    return server->query(argv).has_value();
  }
  bool edgeTilingBecomes(const std::string& printed, const std::string& key = "") {
    return client->waitFor([&] { return edgeTiling(key) == printed; });
  }

  // Drags `window` by its title bar into the top-left corner of the screen and lets go.
  void dragToTheTopLeftCorner(xcb_window_t window) {
    const Rect frame = client->outerFrame(window).value_or(Rect{});
    const Point grip{frame.midX(), frame.minY() + 8};
    ASSERT_TRUE(movePointer(grip));
    ASSERT_EQ(server->run({"xdotool", "mousedown", "1"}), 0);
    ASSERT_TRUE(agentCaughtUp());
    ASSERT_TRUE(movePointer({grip.x - 12, grip.y - 4}));
    ASSERT_TRUE(movePointer({400, 300}));
    // Pushed into the corner, as a hand does, where the window manager's tiling takes over.
    ASSERT_TRUE(movePointer({0, 0}));
    ASSERT_TRUE(client->waitFor([&] { return previewShowsOver(topLeft()); }));
    ASSERT_EQ(server->run({"xdotool", "mouseup", "1"}), 0);
  }
  Rect topLeft() { return shareOf(client->usablePartOf({0, 0, 1920, 1080}), {0, 0, 0.5, 0.5}); }
};

TEST_F(WmEdgeTilingTest, ACornerDragLandsOnDovriksQuarterAndQuitGivesTheUsersValuesBack) {
  ASSERT_TRUE(setEdgeTiling(true));
  ASSERT_TRUE(startAgent());
  EXPECT_TRUE(edgeTilingBecomes("false\n"));
  // xfwm4's workspace wrapping, which takes a window pushed against an edge elsewhere.
  const bool xfwm4 = server->wm() == XServer::Wm::xfwm4;
  if (xfwm4) {
    EXPECT_TRUE(edgeTilingBecomes("false\n", "wrap_windows"));
  }

  const xcb_window_t window = client->createWindow({.rect = {700, 400, 400, 300}, .pid = 8201});
  ASSERT_TRUE(client->activate(window));
  dragToTheTopLeftCorner(window);
  EXPECT_TRUE(landsOn(window, topLeft()));

  EXPECT_EQ(run({"quit"}).status, 0);
  EXPECT_TRUE(client->waitFor([&] { return !agentRuns(); }));
  EXPECT_EQ(edgeTiling(), "true\n");
  if (xfwm4) {
    EXPECT_EQ(edgeTiling("wrap_windows"), "true\n");
  }
}

TEST_F(WmEdgeTilingTest, AValueACrashLeftOffIsStillTheUsersForTheNextRunToGiveBack) {
  ASSERT_TRUE(setEdgeTiling(true));
  ASSERT_TRUE(startAgent());
  ASSERT_TRUE(edgeTilingBecomes("false\n"));
  kill(agent_, SIGKILL);
  waitpid(agent_, nullptr, 0);
  EXPECT_EQ(edgeTiling(), "false\n");

  // The next run finds it off, and knows from its store that it was the user's "true".
  ASSERT_TRUE(startAgent());
  EXPECT_EQ(run({"quit"}).status, 0);
  EXPECT_TRUE(client->waitFor([&] { return !agentRuns(); }));
  EXPECT_EQ(edgeTiling(), "true\n");
}

}  // namespace
}  // namespace dovrik::x11test
