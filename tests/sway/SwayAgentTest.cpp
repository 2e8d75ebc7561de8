// The real program in a sway session, driven the ways a sway user drives it: `dovrik snap` from
// a terminal or the user's own bindings, Dovrik's own hotkeys, and copies to the clipboard.
// Frames are read from sway itself: the outer frame of a floating window, title bar included.
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <QDBusInterface>
#include <QStringList>

#include "SessionAgent.h"
#include "SessionClients.h"
#include "SwayTest.h"
#include "core/cli/SnapCommand.h"
#include "core/windows/SnapFrames.h"
#include "linux/qt/QtMainQueue.h"
#include "linux/qt/ThreadPoolBackground.h"
#include "linux/wayland/DataControlPasteboard.h"
#include "linux/wayland/WaylandConnection.h"

namespace dovrik::swaytest {
namespace {

using sessiontest::ChildLaunch;
using sessiontest::ChildProcess;
using sessiontest::SessionAgent;

Rect rectOf(const nlohmann::json& rect) {
  return {rect.value("x", 0.0), rect.value("y", 0.0), rect.value("width", 0.0),
          rect.value("height", 0.0)};
}

// The visible frame sway gives a window: its container, grown upwards by a title bar drawn
// above it.
Rect outerFrame(const nlohmann::json& node) {
  Rect frame = rectOf(node["rect"]);
  const Rect deco = rectOf(node["deco_rect"]);
  if (rectOf(node["window_rect"]).y < deco.height) {
    frame.y -= deco.height;
    frame.height += deco.height;
  }
  return frame;
}

// Where a snap puts a window on the only output: the snap rule works in desktop space (y up),
// sway's coordinates run down from the output's top.
Rect expectedFrame(SnapPosition position, const Rect& usable) {
  const double height = SwaySession::height;
  const Rect desktop{usable.x, height - usable.y - usable.height, usable.width, usable.height};
  const Rect snapped = snapFrame(position, desktop, 0);
  return {snapped.x, height - snapped.y - snapped.height, snapped.width, snapped.height};
}

class SwayAgentTest : public SwayTest {
 protected:
  static void SetUpTestSuite() {
    SwayTest::SetUpTestSuite();
    if (!SwaySession::unavailable()) {
      agent_ = std::make_unique<SessionAgent>(session(), DOVRIK_EXECUTABLE);
      agentStarted_ = agent_->start();
    }
  }
  static void TearDownTestSuite() {
    agent_.reset();
    SwayTest::TearDownTestSuite();
  }
  void SetUp() override {
    SwayTest::SetUp();
    if (IsSkipped())
      return;
    ASSERT_TRUE(agentStarted_) << agent_->log();
  }

  static SessionAgent& agent() { return *agent_; }

  // Whether the window titled `title` comes to `frame`, to the whole pixel sway rounds to, or
  // within `slack` pixels.
  static testing::AssertionResult landsOn(const std::string& title, const Rect& frame,
                                          double slack = 1) {
    Rect last;
    const auto near = [&] {
      return std::abs(last.x - frame.x) <= slack && std::abs(last.y - frame.y) <= slack &&
             std::abs(last.width - frame.width) <= slack &&
             std::abs(last.height - frame.height) <= slack;
    };
    if (sessiontest::await(
            [&] {
              const auto window = windowTitled(session().message("get_tree"), title);
              return window && (last = outerFrame(window->node), near());
            },
            std::chrono::seconds(5)))
      return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "at " << last.x << "," << last.y << " " << last.width << "×" << last.height
           << ", not " << frame.x << "," << frame.y << " " << frame.width << "×" << frame.height;
  }

  // Ctrl+Alt+`key` typed on a keyboard of the seat.
  static void typeCtrlAlt(const std::string& key) {
    ChildLaunch typing;
    typing.argv = {"wtype", "-M", "ctrl", "-M", "alt", "-k", key, "-m", "alt", "-m", "ctrl"};
    ASSERT_EQ(session().launch(typing)->awaitExit(std::chrono::seconds(5)).value_or(-1), 0);
  }

  // Whether `text`, copied with wl-copy, comes into `dovrik clipboard list`; `listed` holds
  // the last listing.
  static bool copiedIntoHistory(const std::string& text, std::string& listed) {
    ChildLaunch copy;
    copy.argv = {"wl-copy", text};
    if (session().launch(copy)->awaitExit(std::chrono::seconds(5)).value_or(-1) != 0)
      return false;
    return sessiontest::await(
        [&] {
          listed = agent().run({"clipboard", "list"}).out;
          return listed.find(text) != std::string::npos;
        },
        std::chrono::seconds(10));
  }

  static Rect usableArea(const std::string& title) {
    return rectOf(awaitWindow(title)->workspace["rect"]);
  }

 private:
  static inline std::unique_ptr<SessionAgent> agent_;
  static inline bool agentStarted_ = false;
};

// A tiled window floats and lands on each of the ten frames, inside the area swaybar leaves.
TEST_F(SwayAgentTest, SnapsATiledWindowToEveryPositionFromTheCommandLine) {
  const auto window = sessiontest::startQtWindow(session(), "Snapped", "org.example.snapped");
  ASSERT_TRUE(awaitWindow("Snapped"));
  const Rect usable = usableArea("Snapped");
  ASSERT_GT(usable.y, 0) << "swaybar holds the top of the output";
  for (const SnapPosition position : allSnapPositions) {
    const std::string name = cli::argumentName(position);
    SCOPED_TRACE(name);
    const auto result = agent().run({"snap", name});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(landsOn("Snapped", expectedFrame(position, usable)));
  }
  const auto snapped = awaitWindow("Snapped");
  EXPECT_EQ(snapped->node.value("type", ""), "floating_con");
  // sway's own toggle puts it back into the layout, as users expect of a floated window.
  EXPECT_TRUE(session().command("[title=\"^Snapped$\"] floating toggle"));
  EXPECT_TRUE(sessiontest::await(
      [&] {
        const auto w = windowTitled(session().message("get_tree"), "Snapped");
        return w && w->node.value("type", "") == "con";
      },
      std::chrono::seconds(5)));
}

// swaybar shows Dovrik's icon: the item is registered with the watcher swaybar runs.
TEST_F(SwayAgentTest, TheTrayIconIsAnItemOfSwaybarsTray) {
  QDBusInterface watcher("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher",
                         "org.kde.StatusNotifierWatcher", session().bus().connection());
  QStringList items;
  EXPECT_TRUE(sessiontest::await(
      [&] {
        items = watcher.property("RegisteredStatusNotifierItems").toStringList();
        return !items.isEmpty();
      },
      std::chrono::seconds(10)))
      << agent().log();
  EXPECT_EQ(agent().log().find("no system tray"), std::string::npos) << agent().log();
}

TEST_F(SwayAgentTest, DovriksHotkeysSnapTheFocusedXwaylandWindow) {
  const auto xterm = sessiontest::startXterm(session(), "Terminal", "XTerm");
  ASSERT_TRUE(awaitWindow("Terminal"));
  const Rect usable = usableArea("Terminal");
  typeCtrlAlt("Right");
  // Dovrik asks for the whole frame; xterm then sizes itself in whole character cells, so
  // its top-left corner is what lands exactly.
  const Rect right = expectedFrame(SnapPosition::rightHalf, usable);
  EXPECT_TRUE(sessiontest::await(
      [&] {
        const auto w = windowTitled(session().message("get_tree"), "Terminal");
        const Rect frame = w ? outerFrame(w->node) : Rect{};
        return std::abs(frame.x - right.x) <= 1 && std::abs(frame.y - right.y) <= 1 &&
               std::abs(frame.width - right.width) < 16;
      },
      std::chrono::seconds(5)));
}

// A window moved in a way sway does not report is snapped from where it is: the command line's
// second snap to the same half puts it back there rather than cycling its size.
TEST_F(SwayAgentTest, TheCommandLineSeesWhereTheWindowIsNow) {
  const auto window = sessiontest::startQtWindow(session(), "Dragged", "org.example.dragged");
  ASSERT_TRUE(awaitWindow("Dragged"));
  const Rect left = expectedFrame(SnapPosition::leftHalf, usableArea("Dragged"));
  ASSERT_EQ(agent().run({"snap", "left-half"}).status, 0);
  ASSERT_TRUE(landsOn("Dragged", left));
  ASSERT_TRUE(session().command("[title=\"^Dragged$\"] move absolute position 300 200"));
  ASSERT_TRUE(landsOn("Dragged", {300, 200, left.width, left.height}));
  const auto snapped = agent().run({"snap", "left-half"});
  EXPECT_EQ(snapped.status, 0) << snapped.err;
  EXPECT_TRUE(landsOn("Dragged", left));
}

// A second press for the same half after the window was moved, which sway does not report,
// snaps it back to that half rather than taking the press for a repeat that cycles its size.
TEST_F(SwayAgentTest, AHotkeySeesWhereTheWindowIsAtThePress) {
  // Instant snaps: an animation's first step from a wrong start would pass for the right frame.
  ASSERT_EQ(agent().run({"settings", "snapping", "animations", "off"}).status, 0);
  const auto window = sessiontest::startQtWindow(session(), "Moved", "org.example.moved");
  ASSERT_TRUE(awaitWindow("Moved"));
  const Rect right = expectedFrame(SnapPosition::rightHalf, usableArea("Moved"));
  typeCtrlAlt("Right");
  ASSERT_TRUE(landsOn("Moved", right));
  ASSERT_TRUE(session().command("[title=\"^Moved$\"] move absolute position 40 px 60 px"));
  ASSERT_TRUE(landsOn("Moved", {40, 60, right.width, right.height}));
  typeCtrlAlt("Right");
  EXPECT_TRUE(landsOn("Moved", right));
  EXPECT_EQ(agent().run({"settings", "snapping", "animations", "on"}).status, 0);
}

TEST_F(SwayAgentTest, CopiesReachTheHistoryWithoutTheFocus) {
  std::string listed;
  EXPECT_TRUE(copiedIntoHistory("copied under sway", listed)) << listed;
}

// An image copied on the desktop is recorded as an image: a screenshot, as grim takes it, put on
// the clipboard as PNG.
// What a password manager copies with KDE's hint is left out of the history; the next copy is
// recorded, so the secret was seen and passed over.
TEST_F(SwayAgentTest, ASecretIsLeftOutOfTheHistory) {
  // A clipboard owner of the test's own, as wl-copy offers one type only.
  wayland::WaylandConnection connection(
      (session().runtimeDir() + "/" + session().waylandDisplay()).c_str());
  qt::QtMainQueue mainQueue;
  qt::ThreadPoolBackground background;
  wayland::DataControlPasteboard clipboard(connection, mainQueue, background);
  ASSERT_TRUE(clipboard.isAvailable());
  clipboard.writeRepresentations(
      {{"text/plain;charset=utf-8", "hunter2 under sway"}, {"x-kde-passwordManagerHint", "secret"}},
      false);
  connection.flush();
  // Read back while this process serves the offer: by then Dovrik, told of the selection with
  // every other client, has had its look at it too.
  ChildLaunch paste;
  paste.argv = {"wl-paste", "--type", "x-kde-passwordManagerHint"};
  paste.pipeOutput = true;
  const auto reader = session().launch(paste);
  ASSERT_TRUE(sessiontest::await([&] { return !reader->running(); }, std::chrono::seconds(10)));
  const std::string hint = reader->readAll(std::chrono::seconds(1));
  ASSERT_EQ(hint, "secret");

  std::string listed;
  ASSERT_TRUE(copiedIntoHistory("after the secret under sway", listed)) << listed;
  EXPECT_EQ(listed.find("hunter2"), std::string::npos) << listed;
}

TEST_F(SwayAgentTest, AnImageCopiedOnTheDesktopIsRecorded) {
  const std::string shot = session().screenshot("copied-image");
  ASSERT_FALSE(shot.empty());
  ChildLaunch copy;
  copy.argv = {"sh", "-c", "wl-copy --type image/png < '" + shot + "'"};
  ASSERT_EQ(session().launch(copy)->awaitExit(std::chrono::seconds(5)).value_or(-1), 0);
  std::string listed;
  EXPECT_TRUE(sessiontest::await(
      [&] {
        listed = agent().run({"clipboard", "list"}).out;
        return listed.find("image") != std::string::npos;
      },
      std::chrono::seconds(10)))
      << listed;
}

// With no pointer to go by, the popup opens on the focused output, takes the keys, and pastes
// the chosen entry into the window that had the focus.
TEST_F(SwayAgentTest, AnEntryChosenInThePopupIsPastedIntoTheWindowThatHadTheFocus) {
  ChildLaunch copy;
  copy.argv = {"wl-copy", "chosen in the popup"};
  ASSERT_EQ(session().launch(copy)->awaitExit(std::chrono::seconds(5)).value_or(-1), 0);
  ASSERT_TRUE(sessiontest::await(
      [&] {
        return agent().run({"clipboard", "list"}).out.find("chosen in the popup") !=
               std::string::npos;
      },
      std::chrono::seconds(10)));
  const auto target = sessiontest::startQtWindow(session(), "Paste target", "org.example.target");
  ASSERT_TRUE(awaitWindow("Paste target"));
  ASSERT_EQ(sessiontest::awaitOutput(*target, "active"), "active");
  const auto popup = agent().run({"clipboard", "popup"});
  ASSERT_EQ(popup.status, 0) << popup.err;
  ASSERT_EQ(sessiontest::awaitOutput(*target, "inactive"), "inactive")
      << "the popup did not take the keys";
  // For the README, where DOVRIK_SCREENSHOTS names a folder, without the first-run window
  // that a fresh home opens.
  if (const char* folder = std::getenv("DOVRIK_SCREENSHOTS")) {
    session().command("[title=\"^Dovrik$\"] kill");
    // Shown at Qt's size first, then placed: the shot waits for the popup's own narrow frame.
    ASSERT_TRUE(sessiontest::await(
        [&] {
          const auto popup =
              windowTitled(session().message("get_tree"), "Dovrik Clipboard History \u2014 Dovrik");
          return popup && rectOf(popup->node["rect"]).width < SwaySession::width / 3.0;
        },
        std::chrono::seconds(5)))
        << session().message("get_tree").dump() << agent().log();
    const std::string shot = session().screenshot("sway-popup");
    ASSERT_FALSE(shot.empty());
    std::filesystem::copy_file(shot, std::string(folder) + "/sway-popup.png",
                               std::filesystem::copy_options::overwrite_existing);
  }
  ChildLaunch press;
  press.argv = {"wtype", "-k", "Return"};
  ASSERT_EQ(session().launch(press)->awaitExit(std::chrono::seconds(5)).value_or(-1), 0);
  EXPECT_EQ(sessiontest::awaitOutput(*target, "pasted-text"), "pasted-text chosen in the popup")
      << agent().log();
}

// A rule snaps an application's first window when it appears, named by its Wayland app id.
// Dovrik's settings float over the tiles, whole, inside the area swaybar leaves.
TEST_F(SwayAgentTest, TheSettingsWindowFloatsOverTheTiles) {
  const auto tile = sessiontest::startQtWindow(session(), "Tiled", "org.example.tiled");
  ASSERT_TRUE(awaitWindow("Tiled"));
  const Rect usable = usableArea("Tiled");
  const auto opened = agent().run({"settings", "snapping"});
  ASSERT_EQ(opened.status, 0) << opened.err;
  // Qt on Wayland names the application after a title that does not end with its name.
  const std::string title = "Dovrik \u2014 Settings \u2014 Dovrik";
  Rect frame;
  EXPECT_TRUE(sessiontest::await(
      [&] {
        const auto settings = windowTitled(session().message("get_tree"), title);
        if (!settings || settings->node.value("type", "") != "floating_con")
          return false;
        frame = outerFrame(settings->node);
        return frame.x >= usable.x && frame.y >= usable.y &&
               frame.x + frame.width <= usable.x + usable.width &&
               frame.y + frame.height <= usable.y + usable.height;
      },
      std::chrono::seconds(5)))
      << session().message("get_tree").dump();
  if (const char* folder = std::getenv("DOVRIK_SCREENSHOTS")) {
    session().command("[title=\"^Dovrik$\"] kill");
    const std::string shot = session().screenshot("sway-settings");
    ASSERT_FALSE(shot.empty());
    std::filesystem::copy_file(shot, std::string(folder) + "/sway-settings.png",
                               std::filesystem::copy_options::overwrite_existing);
  }
  EXPECT_TRUE(session().command("[title=\"^" + title + "$\"] kill"));
}

TEST_F(SwayAgentTest, ARuleSnapsAnAppsFirstWindowAtLaunch) {
  const auto added = agent().run({"rules", "add", "org.example.launched", "bottom-left"});
  ASSERT_EQ(added.status, 0) << added.err;
  const auto window = sessiontest::startQtWindow(session(), "Launched", "org.example.launched");
  ASSERT_TRUE(awaitWindow("Launched"));
  // A window placed as it first appears has been seen to end up to a border's width (2 px)
  // larger than asked; a window placed later lands to the pixel.
  EXPECT_TRUE(
      landsOn("Launched", expectedFrame(SnapPosition::bottomLeft, usableArea("Launched")), 2));
}

// Last: it adds an output for the rest of the session. Each window goes back to its own
// output and frame.
TEST_F(SwayAgentTest, ALayoutOverTwoOutputsComesBack) {
  const auto notes = sessiontest::startQtWindow(session(), "Notes", "org.example.notes");
  const auto mail = sessiontest::startQtWindow(session(), "Mail", "org.example.mail");
  ASSERT_TRUE(awaitWindow("Notes") && awaitWindow("Mail"));
  const std::string second = session().createOutput();
  ASSERT_FALSE(second.empty());
  ASSERT_TRUE(session().command("[title=\"^Mail$\"] move container to output " + second));
  ASSERT_TRUE(session().command("[title=\"^Mail$\"] focus"));
  ASSERT_EQ(agent().run({"snap", "right-half"}).status, 0);
  ASSERT_TRUE(session().command("[title=\"^Notes$\"] focus"));
  ASSERT_EQ(agent().run({"snap", "top-left"}).status, 0);
  const Rect notesFrame = outerFrame(awaitWindow("Notes")->node);
  const Rect mailFrame = outerFrame(awaitWindow("Mail")->node);
  EXPECT_GE(mailFrame.x, SwaySession::width) << "on the second output";

  const auto saved = agent().run({"layout", "save", "Desk"});
  ASSERT_EQ(saved.status, 0) << saved.err;
  ASSERT_TRUE(session().command("[title=\"^Mail$\"] move absolute position 100 100"));
  ASSERT_TRUE(session().command("[title=\"^Notes$\"] move absolute position 1500 300"));
  const auto restored = agent().run({"layout", "restore", "Desk"});
  EXPECT_EQ(restored.status, 0) << restored.err;
  EXPECT_TRUE(landsOn("Notes", notesFrame));
  EXPECT_TRUE(landsOn("Mail", mailFrame));
}

}  // namespace
}  // namespace dovrik::swaytest
