// The harness itself, against a real KWin: what the kwin tests rely on.
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include <QDBusConnectionInterface>

#include "Await.h"
#include "KWinWindowsTest.h"
#include "TestClients.h"

namespace dovrik::kwintest {
namespace {

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

class KWinSessionTest : public KWinTest {};

TEST_F(KWinSessionTest, ServesWaylandXwaylandAndTheBusAsTheSessionUser) {
  struct stat socket {};
  ASSERT_EQ(stat((session().runtimeDir() + "/" + session().waylandDisplay()).c_str(), &socket), 0);
  EXPECT_EQ(socket.st_uid, session().user());
  struct stat runtime {};
  ASSERT_EQ(stat(session().runtimeDir().c_str(), &runtime), 0);
  EXPECT_EQ(runtime.st_mode & 0777, 0700u);
  EXPECT_EQ(runtime.st_uid, session().user());
  EXPECT_EQ(session().x11Display().rfind(':', 0), 0u) << session().x11Display();
  EXPECT_TRUE(session().bus().interface()->isServiceRegistered("org.kde.KWin").value());
  EXPECT_TRUE(session().bus().interface()->isServiceRegistered("org.kde.kglobalaccel").value());
}

TEST_F(KWinSessionTest, RestartedKWinComesBackOnTheSameSocketAndBus) {
  KWinScripts scripts(session());
  KWinWindows windows(scripts);
  const pid_t before = session().kwinPid();
  const std::string socket = session().waylandDisplay();
  const std::string address = session().busAddress();

  session().restartKWin();

  EXPECT_NE(session().kwinPid(), before);
  EXPECT_GT(session().kwinPid(), 0);
  EXPECT_EQ(session().waylandDisplay(), socket);
  EXPECT_EQ(session().busAddress(), address);
  EXPECT_TRUE(std::filesystem::exists(session().runtimeDir() + "/" + socket));
  EXPECT_FALSE(session().x11Display().empty());
  // Scripts reach this process over the same bus, and new clients reach the new KWin.
  const auto window = startQtWindow(session(), "After restart", "org.dovrik.KWinTestWindow");
  EXPECT_TRUE(windows.awaitTitled("After restart")) << scripts.lastError();
}

// The test clients and the ways the tests act on windows: scripts and fake input.
class KWinClientsTest : public KWinWindowsTest {
 protected:
  // Copies in the window "Copy source" by `command`, then pastes with Ctrl+V into "Paste
  // target"; answers what the source said it copied.
  std::string copyThenPaste(ChildProcess& source, const std::string& command) {
    if (!windows().activate("Copy source"))
      return "source not activated";
    source.sendLine(command);
    const std::string copied = awaitOutput(source, "copied");
    if (!windows().activate("Paste target"))
      return "target not activated";
    return pressKeys(session(), {"ctrl+v"}) == 0 ? copied : "keys refused";
  }
};

// Both kinds of client appear with their identity, and scripts place them.
TEST_F(KWinClientsTest, ScriptPlacesWaylandAndXwaylandWindowsAndReadsTheirFramesBack) {
  const auto qt = startQtWindow(session(), "Placed Qt", "org.dovrik.KWinTestWindow");
  const auto xterm = startXterm(session(), "Placed xterm", "KWinTestXterm");
  const auto qtWindow = windows().awaitTitled("Placed Qt");
  ASSERT_TRUE(qtWindow) << scripts().lastError();
  EXPECT_EQ(qtWindow->desktopFileName, "org.dovrik.KWinTestWindow");
  const auto xtermWindow = windows().awaitTitled("Placed xterm");
  ASSERT_TRUE(xtermWindow) << scripts().lastError();
  EXPECT_EQ(lower(xtermWindow->resourceClass), "kwintestxterm");
  EXPECT_GT(xtermWindow->frame.width, 0);

  // Sizes a terminal's character grid and the Qt window's minimum allow exactly.
  const Frame qtFrame{100, 120, 500, 300};
  ASSERT_TRUE(windows().setFrame("Placed Qt", qtFrame));
  EXPECT_TRUE(windows().awaitFrame("Placed Qt", qtFrame)) << windows().titled("Placed Qt")->frame;

  const Frame xtermTarget{700, 50, 500, 400};
  ASSERT_TRUE(windows().setFrame("Placed xterm", xtermTarget));
  // xterm keeps to whole character cells: the origin is exact, the size close.
  ASSERT_TRUE(await(
      [&] {
        const auto w = windows().titled("Placed xterm");
        return w && w->frame.x == xtermTarget.x && w->frame.y == xtermTarget.y &&
               std::abs(w->frame.width - xtermTarget.width) < 20 &&
               std::abs(w->frame.height - xtermTarget.height) < 30;
      },
      std::chrono::seconds(5)))
      << windows().titled("Placed xterm")->frame;
}

TEST_F(KWinClientsTest, FakeInputMetaLeftQuickTilesTheActiveWindowLeft) {
  const auto qt = startQtWindow(session(), "Tiled Qt", "org.dovrik.KWinTestWindow");
  ASSERT_TRUE(windows().awaitTitled("Tiled Qt")) << scripts().lastError();
  ASSERT_TRUE(windows().setFrame("Tiled Qt", {300, 200, 400, 300}));
  ASSERT_TRUE(windows().activate("Tiled Qt"));

  ASSERT_EQ(pressKeys(session(), {"meta+Left"}), 0) << session().kwinLog();

  EXPECT_TRUE(windows().awaitFrame("Tiled Qt", {0, 0, KWinSession::width / 2, KWinSession::height}))
      << windows().titled("Tiled Qt")->frame;
}

TEST_F(KWinClientsTest, WhatOneClientCopiesAnotherPastesWithCtrlV) {
  const auto source = startQtWindow(session(), "Copy source", "org.dovrik.KWinTestSource");
  const auto target = startQtWindow(session(), "Paste target", "org.dovrik.KWinTestTarget");
  ASSERT_TRUE(windows().awaitTitled("Copy source")) << scripts().lastError();
  ASSERT_TRUE(windows().awaitTitled("Paste target")) << scripts().lastError();

  EXPECT_EQ(copyThenPaste(*source, "copy-text hello from the source"), "copied text/plain");
  EXPECT_EQ(awaitOutput(*target, "pasted-text"), "pasted-text hello from the source");

  EXPECT_EQ(copyThenPaste(*source, "copy-image 32 24"), "copied image/png");
  EXPECT_EQ(awaitOutput(*target, "pasted-image"), "pasted-image 32x24");

  // The mark travels as a MIME type of its own, which a clipboard history must see.
  EXPECT_EQ(copyThenPaste(*source, "copy-secret hunter2"), "copied secret");
  EXPECT_EQ(awaitOutput(*target, "pasted-"), "pasted-hint secret");
  EXPECT_EQ(awaitOutput(*target, "pasted-"), "pasted-text hunter2");
}

}  // namespace
}  // namespace dovrik::kwintest
