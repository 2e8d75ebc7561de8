// The command line end to end: the real `dovrik` executable runs as the agent on a private
// display, and `dovrik snap …` started beside it moves the active window, as the X server
// reports it; without a running agent, commands say so and start nothing.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "AgentTest.h"
#include "ClipboardClient.h"
#include "linux/x11/Keysyms.h"

namespace dovrik::x11test {
namespace {

class CommandLineTest : public AgentTest {};

TEST_F(CommandLineTest, SnapMovesTheActiveWindowThroughTheRunningDovrik) {
  ASSERT_TRUE(startAgent());
  const xcb_window_t window = client->createWindow({.rect = {300, 300, 400, 300}, .pid = 8001});
  ASSERT_TRUE(client->activate(window));

  const Finished leftHalf = run({"snap", "left-half"});
  EXPECT_EQ(leftHalf.status, 0) << leftHalf.err;
  EXPECT_EQ(leftHalf.out + leftHalf.err, "");
  const Rect usable = client->usablePartOf({0, 0, 1920, 1080});
  EXPECT_TRUE(landsOn(window, shareOf(usable, {0, 0, 0.5, 1})));

  EXPECT_EQ(run({"snap", "Bottom Right"}).status, 0);
  EXPECT_TRUE(landsOn(window, shareOf(usable, {0.5, 0.5, 0.5, 0.5})));
  EXPECT_TRUE(agentRuns());
}

TEST_F(CommandLineTest, LayoutsAreSavedListedRestoredAndDeletedThroughTheRunningDovrik) {
  ASSERT_TRUE(startAgent());
  const std::vector<xcb_window_t> windows = {
      client->createWindow({.instance = "alpha", .className = "Alpha", .pid = 8001}),
      client->createWindow({.instance = "beta", .className = "Beta", .pid = 8002})};
  const std::vector<Rect> saved = {{40, 60, 600, 400}, {900, 100, 700, 500}};
  ASSERT_TRUE(placeAll(windows, saved));

  const Finished save = run({"layout", "save", "My", "Desk"});
  EXPECT_EQ(save.status, 0) << save.err;
  const Finished list = run({"layout", "list"});
  EXPECT_EQ(list.out, "My Desk — 2 windows · 2 apps · 1 display — automatic restore off\n");

  ASSERT_TRUE(placeAll(windows, {{300, 300, 300, 200}, {320, 320, 300, 200}}));
  EXPECT_EQ(run({"layout", "restore", "My Desk"}).status, 0);
  EXPECT_TRUE(landsOn(windows[0], saved[0]));
  EXPECT_TRUE(landsOn(windows[1], saved[1]));

  const Finished unknown = run({"layout", "restore", "Elsewhere"});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_NE(unknown.err.find("Elsewhere"), std::string::npos) << unknown.err;
  EXPECT_EQ(run({"layout", "delete", "My Desk"}).status, 0);
  EXPECT_EQ(run({"layout", "list"}).out, "No saved layouts.\n");
}

// A copy made just before Dovrik is told to end is still written, and the history comes back
// on the next start from a file only its user can read.
TEST_F(CommandLineTest, ClipboardHistoryOutlivesTheAgentEvenWhenEndedRightAfterACopy) {
  ASSERT_TRUE(startAgent());
  ClipboardClient other(server->display());
  ASSERT_TRUE(copyListed(other, "  remembered  "));
  // Ended well inside the pause before a save: only the flush on quit can keep this copy.
  ASSERT_TRUE(copyListed(other, "copied last"));
  kill(agent_, SIGTERM);
  int status = 0;
  ASSERT_TRUE(client->waitFor([&] { return waitpid(agent_, &status, WNOHANG) == agent_; }));
  agent_ = -1;
  EXPECT_TRUE(WIFEXITED(status)) << "ended by a signal instead of quitting";

  const std::string file = session_ + "/data/Dovrik/clipboard.json";
  struct stat info {};
  ASSERT_EQ(stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  ASSERT_TRUE(startAgent());
  const Finished list = run({"clipboard", "list"});
  EXPECT_NE(list.out.find("copied last"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find("remembered"), std::string::npos) << list.out;
}

// A file added by a relative path is pasted the way file managers copy files: another client
// reads the URL list, GNOME's copied-files form and the path from CLIPBOARD.
TEST_F(CommandLineTest, ShelfAddAndPastePutTheFileOnTheClipboardForOtherApplications) {
  ASSERT_TRUE(startAgent());
  std::ofstream(session_ + "/My File 100%.txt") << "on the shelf";
  const Finished add = run({"shelf", "add", "My File 100%.txt"});
  EXPECT_EQ(add.status, 0) << add.err;
  const Finished missing = run({"shelf", "add", "nowhere.txt"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "There is no file or folder at " + session_ +
                             "/nowhere.txt; nothing was added to the file shelf.\n");
  const Finished paste = run({"shelf", "paste", "1"});
  EXPECT_EQ(paste.status, 0) << paste.err;

  const std::string url = "file://" + session_ + "/My%20File%20100%25.txt";
  ClipboardClient other(server->display());
  const auto read = [&](const std::string& target) {
    return other.pasteWaiting(target, [&](const auto& done) {
      return client->waitFor([&] {
        other.service();
        return done();
      });
    });
  };
  EXPECT_EQ(read("text/uri-list"), url + "\r\n");
  EXPECT_EQ(read("x-special/gnome-copied-files"), "copy\n" + url);
  EXPECT_EQ(read("UTF8_STRING"), session_ + "/My File 100%.txt");

  // Once the file is gone, pasting it fails, marks it, and leaves the clipboard alone.
  std::filesystem::rename(session_ + "/My File 100%.txt", session_ + "/moved.txt");
  EXPECT_EQ(run({"shelf", "paste", "1"}).status, 1);
  EXPECT_NE(run({"shelf", "list"}).out.find("100%.txt (missing)"), std::string::npos);
  EXPECT_EQ(read("text/uri-list"), url + "\r\n");
}

TEST_F(CommandLineTest, RelaunchHandsTheTrayHotkeysAndCommandsToAFreshDovrik) {
  ASSERT_TRUE(startAgent());
  const xcb_window_t window = client->createWindow({.rect = {300, 300, 400, 300}, .pid = 8003});
  ASSERT_TRUE(client->activate(window));
  const pid_t first = agent_;

  const Finished relaunch = run({"relaunch"});
  EXPECT_EQ(relaunch.status, 0) << relaunch.err;
  int status = -1;
  ASSERT_TRUE(client->waitFor([&] { return waitpid(first, &status, WNOHANG) == first; }));
  agent_ = -1;
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  pid_t successor = 0;
  ASSERT_TRUE(client->waitFor(
      [&] {
        successor = lockHolder();
        return successor > 0 && successor != first && kill(successor, 0) == 0 &&
               run({"snap", "left-half"}).status == 0;
      },
      30));
  const Rect usable = client->usablePartOf({0, 0, 1920, 1080});
  EXPECT_TRUE(landsOn(window, shareOf(usable, {0, 0, 0.5, 1})));
  // The hotkeys the first one held are the new one's.
  chord({x11::XK_Control_L, x11::XK_Alt_L}, x11::XK_Right);
  EXPECT_TRUE(landsOn(window, shareOf(usable, {0.5, 0, 0.5, 1})));

  EXPECT_EQ(run({"quit"}).status, 0);
  EXPECT_TRUE(client->waitFor([&] { return kill(successor, 0) != 0; }));
  if (kill(successor, 0) == 0)
    kill(successor, SIGKILL);
}

TEST_F(CommandLineTest, WithoutDovrikHelpAndChecksAnswerAndCommandsStartNothing) {
  const Finished help = run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("snap POSITION"), std::string::npos);
  EXPECT_EQ(run({"snap", "--help"}).status, 0);
  EXPECT_EQ(run({"--version"}).out, "dovrik " DOVRIK_VERSION "\n");

  const Finished nowhere = run({"snap", "nowhere"});
  EXPECT_EQ(nowhere.status, 2);
  EXPECT_NE(nowhere.err.find("left-half, right-half, top-half, bottom-half, full-screen, top-left, "
                             "top-right, bottom-left, bottom-right, center, next-display, "
                             "previous-display, restore."),
            std::string::npos)
      << nowhere.err;

  const Finished notRunning = run({"snap", "left-half"});
  EXPECT_EQ(notRunning.status, 3);
  EXPECT_EQ(notRunning.err, "Dovrik is not running on this display. Start it with `dovrik`.\n");
  // No lock was claimed and no socket opened: no agent started.
  EXPECT_TRUE(std::filesystem::is_empty(runtimeDir()));
}

}  // namespace
}  // namespace dovrik::x11test
