// The real program in a GNOME session with its Shell extension loaded, driven the ways a GNOME
// user drives it: `dovrik` from a terminal, its hotkeys, a title-bar drag with the pointer, copies
// in an application and the clipboard popup. What the windows do is read inside the Shell by the
// tests' own probe extension, which also types the keys and moves the pointer.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "Await.h"
#include "GnomeSession.h"
#include "SessionAgent.h"
#include "SessionClients.h"
#include "ShellProbe.h"
#include "SignalCounter.h"
#include "core/cli/SnapCommand.h"
#include "core/windows/SnapFrames.h"

namespace dovrik::gnometest {
namespace {

using sessiontest::ChildLaunch;
using sessiontest::ChildProcess;
using sessiontest::SessionAgent;

constexpr char dovrikUuid[] = "dovrik@dovrik.org";

// X keysyms the probe types.
constexpr uint controlKey = 0xffe3;
constexpr uint altKey = 0xffe9;
constexpr uint shiftKey = 0xffe1;
constexpr uint returnKey = 0xff0d;

// The real program in a session of its own per fixture: with Dovrik's extension installed
// as a package would, up once the extension has answered, or without it, up at once.
template <bool withExtension>
class AgentInSession : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (GnomeSession::unavailable())
      return;
    std::vector<std::string> extensions{DOVRIK_TEST_PROBE};
    if (withExtension)
      extensions.push_back(std::string(DOVRIK_GNOME_EXTENSION) + "/" + dovrikUuid);
    session_ = std::make_unique<GnomeSession>(extensions);
    agent_ = std::make_unique<SessionAgent>(*session_, DOVRIK_EXECUTABLE);
    agentStarted_ = agent_->start() && (!withExtension || answered());
  }
  static void TearDownTestSuite() {
    agent_.reset();
    session_.reset();
  }
  void SetUp() override {
    if (const auto reason = GnomeSession::unavailable())
      GTEST_SKIP() << *reason;
    ASSERT_TRUE(session_) << "the GNOME session did not start";
    ASSERT_TRUE(agentStarted_) << agent().log();
  }

  static GnomeSession& session() { return *session_; }
  static SessionAgent& agent() { return *agent_; }

  static ShellProbe probe() { return ShellProbe(session().bus().connection()); }

  // What `gsettings get SCHEMA KEY` prints in the session, without its line end.
  static std::string setting(const std::string& schema, const std::string& key) {
    ChildLaunch read;
    read.argv = {"gsettings", "get", schema, key};
    read.pipeOutput = true;
    const auto reader = session().launch(read);
    if (!sessiontest::await([&] { return !reader->running(); }, std::chrono::seconds(10)))
      return {};
    std::string value = reader->readAll(std::chrono::seconds(1));
    while (!value.empty() && value.back() == '\n')
      value.pop_back();
    return value;
  }

  // For the README, where DOVRIK_SCREENSHOTS names a folder: the screen as `name`.png there.
  static void saveScreenshot(const std::string& name) {
    const char* folder = std::getenv("DOVRIK_SCREENSHOTS");
    if (!folder)
      return;
    const std::string shot = session().home() + "/" + name + ".png";
    ASSERT_TRUE(probe().screenshot(shot));
    std::filesystem::copy_file(shot, std::string(folder) + "/" + name + ".png",
                               std::filesystem::copy_options::overwrite_existing);
  }

 private:
  // Snaps land at once: a frame read in the middle of an animation would pass for the one
  // asked for.
  static bool answered() {
    return agent().run({"settings", "snapping", "animations", "off"}).status == 0 &&
           sessiontest::await(
               [] {
                 return agent().run({"onboarding"}).out.find("You're set") != std::string::npos;
               },
               std::chrono::seconds(20));
  }

  static inline std::unique_ptr<GnomeSession> session_;
  static inline std::unique_ptr<SessionAgent> agent_;
  static inline bool agentStarted_ = false;
};

class GnomeAgentTest : public AgentInSession<true> {
 protected:
  static std::optional<ShownWindow> windowTitled(const std::string& title) {
    return probe().window(title);
  }

  // Starts the Qt window and gives it the keyboard, as a click on it would.
  static std::unique_ptr<ChildProcess> focusedWindow(const std::string& title,
                                                     const std::string& appId) {
    auto window = sessiontest::startQtWindow(session(), title, appId);
    sessiontest::await([&] { return windowTitled(title).has_value(); }, std::chrono::seconds(10));
    probe().focus(title);
    sessiontest::await(
        [&] {
          const auto shown = windowTitled(title);
          return shown && shown->focused;
        },
        std::chrono::seconds(5));
    return window;
  }

  static void typeKeys(const QList<uint>& keyvals) { ASSERT_TRUE(probe().type(keyvals)); }

  // Whether the window titled `title` comes to `frame`, within `slack` pixels.
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
              const auto shown = windowTitled(title);
              return shown && (last = shown->frame, near());
            },
            std::chrono::seconds(5)))
      return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "at " << last.x << "," << last.y << " " << last.width << "×" << last.height
           << ", not " << frame.x << "," << frame.y << " " << frame.width << "×" << frame.height
           << "\n"
           << agent().log();
  }

  // A copy as a user makes it: a key pressed in the window first, since mutter takes a new
  // selection only from a client that shows a newer input event than the last selection's.
  static std::string copyIn(ChildProcess& window, const std::string& command) {
    typeKeys({'x'});
    if (sessiontest::awaitOutput(window, "edited").empty())
      return "no key reached the window";
    window.sendLine(command);
    return sessiontest::awaitOutput(window, "copied");
  }

  static bool listed(const std::string& text, std::string& listing) {
    return sessiontest::await(
        [&] {
          listing = agent().run({"clipboard", "list"}).out;
          return listing.find(text) != std::string::npos;
        },
        std::chrono::seconds(10));
  }
};

TEST_F(GnomeAgentTest, SnapsTheFocusedWindowToEveryPositionFromTheCommandLine) {
  const auto window = focusedWindow("Snapped", "org.example.snapped");
  for (const SnapPosition position : allSnapPositions) {
    const std::string name = cli::argumentName(position);
    SCOPED_TRACE(name);
    const auto result = agent().run({"snap", name});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(landsOn("Snapped", frameOnMonitor(position)));
  }
}

// GNOME binds Ctrl+Alt+arrows to its workspaces: Dovrik's defaults there are refused and
// marked, and a combination GNOME leaves free snaps the focused window.
TEST_F(GnomeAgentTest, HotkeysGnomeHoldsAreRefusedAndAFreeOneSnaps) {
  const auto shortcuts = agent().run({"shortcuts", "list"});
  ASSERT_EQ(shortcuts.status, 0) << shortcuts.err;
  const auto leftHalf = shortcuts.out.find("left-half");
  ASSERT_NE(leftHalf, std::string::npos) << shortcuts.out;
  EXPECT_NE(
      shortcuts.out.substr(leftHalf, shortcuts.out.find('\n', leftHalf) - leftHalf).find("refused"),
      std::string::npos)
      << shortcuts.out;

  const auto set = agent().run({"shortcuts", "set", "left-half", "ctrl+alt+shift+j"});
  ASSERT_EQ(set.status, 0) << set.err;
  const auto window = focusedWindow("Hotkeyed", "org.example.hotkeyed");
  typeKeys({controlKey, altKey, shiftKey, 'j'});
  EXPECT_TRUE(landsOn("Hotkeyed", frameOnMonitor(SnapPosition::leftHalf)));
}

// The window's title bar dragged with the pointer into the left edge: Dovrik snaps it there,
// and mutter's own edge tiling, held off meanwhile, does not take over.
TEST_F(GnomeAgentTest, ATitleBarDraggedIntoTheLeftEdgeSnapsTheWindow) {
  EXPECT_EQ(setting("org.gnome.mutter", "edge-tiling"), "false");
  const auto window = focusedWindow("Dragged", "org.example.dragged");
  ASSERT_EQ(agent().run({"snap", "center"}).status, 0);
  ASSERT_TRUE(landsOn("Dragged", frameOnMonitor(SnapPosition::center)));
  const Rect start = windowTitled("Dragged")->frame;
  const ShellProbe hand = probe();
  // Qt draws its own title bar, a dozen pixels down from the frame's top; grabbed on its right,
  // away from the first-run window that a fresh home shows in the middle.
  const double grabX = start.x + start.width * 0.75;
  const double grabY = start.y + 12;
  ASSERT_TRUE(hand.pointerTo(grabX, grabY));
  ASSERT_TRUE(hand.button(true));
  // Qt hands the press to mutter as a move once the pointer leaves the pressed point; the hand
  // goes on once the window follows it.
  ASSERT_TRUE(hand.pointerTo(grabX - 15, grabY + 5));
  ASSERT_TRUE(sessiontest::await([&] { return hand.moving(); }, std::chrono::seconds(5)));
  for (int step = 1; step <= 20; ++step) {
    ASSERT_TRUE(
        hand.pointerTo(grabX + (1 - grabX) * step / 20.0, grabY + (400 - grabY) * step / 20.0));
  }
  // Dropped once the preview shows where the window will go.
  EXPECT_TRUE(sessiontest::await([&] { return hand.previewShown(); }, std::chrono::seconds(5)))
      << agent().log();
  saveScreenshot("gnome-drag-preview");
  ASSERT_TRUE(hand.button(false));
  EXPECT_TRUE(landsOn("Dragged", frameOnMonitor(SnapPosition::leftHalf)));
}

TEST_F(GnomeAgentTest, ALayoutComesBack) {
  const auto notes = focusedWindow("Notes", "org.example.notes");
  ASSERT_EQ(agent().run({"snap", "top-left"}).status, 0);
  ASSERT_TRUE(landsOn("Notes", frameOnMonitor(SnapPosition::topLeft)));
  const auto saved = agent().run({"layout", "save", "Desk"});
  ASSERT_EQ(saved.status, 0) << saved.err;
  ASSERT_EQ(agent().run({"snap", "bottom-right"}).status, 0);
  ASSERT_TRUE(landsOn("Notes", frameOnMonitor(SnapPosition::bottomRight)));
  const auto restored = agent().run({"layout", "restore", "Desk"});
  EXPECT_EQ(restored.status, 0) << restored.err;
  EXPECT_TRUE(landsOn("Notes", frameOnMonitor(SnapPosition::topLeft)));
}

TEST_F(GnomeAgentTest, ARuleSnapsAnAppsFirstWindowAtLaunch) {
  const auto added = agent().run({"rules", "add", "org.example.launched", "bottom-left"});
  ASSERT_EQ(added.status, 0) << added.err;
  const auto window = sessiontest::startQtWindow(session(), "Launched", "org.example.launched");
  EXPECT_TRUE(landsOn("Launched", frameOnMonitor(SnapPosition::bottomLeft)));
}

// Text and an image copied in an application reach the history; what a password manager
// copies with KDE's hint is passed over.
TEST_F(GnomeAgentTest, CopiesReachTheHistoryAndASecretDoesNot) {
  const auto window = focusedWindow("Copier", "org.example.copier");
  std::string listing;
  ASSERT_EQ(copyIn(*window, "copy-text copied under GNOME"), "copied text/plain");
  EXPECT_TRUE(listed("copied under GNOME", listing)) << listing << agent().log();

  ASSERT_EQ(copyIn(*window, "copy-image 40 30"), "copied image/png");

  EXPECT_TRUE(listed("image", listing)) << listing;

  ASSERT_EQ(copyIn(*window, "copy-secret hunter2 under GNOME"), "copied secret");
  ASSERT_EQ(copyIn(*window, "copy-text after the secret"), "copied text/plain");
  ASSERT_TRUE(listed("after the secret", listing)) << listing;
  EXPECT_EQ(listing.find("hunter2"), std::string::npos) << listing;
}

// The popup takes the keys and pastes the chosen entry into the window that had them.
TEST_F(GnomeAgentTest, AnEntryChosenInThePopupIsPastedIntoTheWindowThatHadTheFocus) {
  const auto source = focusedWindow("Source", "org.example.source");
  ASSERT_EQ(copyIn(*source, "copy-text chosen in the popup"), "copied text/plain");
  std::string listing;
  ASSERT_TRUE(listed("chosen in the popup", listing)) << listing;
  const auto target = focusedWindow("Paste target", "org.example.target");
  const auto popup = agent().run({"clipboard", "popup"});
  ASSERT_EQ(popup.status, 0) << popup.err;
  ASSERT_EQ(sessiontest::awaitOutput(*target, "inactive"), "inactive")
      << "the popup did not take the keys" << agent().log();
  typeKeys({returnKey});
  EXPECT_EQ(sessiontest::awaitOutput(*target, "pasted-text"), "pasted-text chosen in the popup")
      << agent().log();
}

// Only Dovrik may use its extension: another program's call is refused, and what the extension
// tells Dovrik never reaches another program as a signal.
TEST_F(GnomeAgentTest, AnotherProgramIsRefusedAndHearsNothing) {
  QDBusConnection stranger = session().bus().connection();
  const QDBusMessage hello =
      stranger.call(QDBusMessage::createMethodCall(
                        QStringLiteral("org.gnome.Shell"), QStringLiteral("/org/dovrik/Shell"),
                        QStringLiteral("org.dovrik.Shell1"), QStringLiteral("Hello")),
                    QDBus::Block, 5000);
  EXPECT_EQ(hello.type(), QDBusMessage::ErrorMessage);
  EXPECT_EQ(hello.errorName(), QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"));

  SignalCounter heard;
  ASSERT_TRUE(stranger.connect(QString(), QStringLiteral("/org/dovrik/Shell"),
                               QStringLiteral("org.dovrik.Shell1"), QString(), &heard,
                               SLOT(count_())));
  const auto window = focusedWindow("Overheard", "org.example.overheard");
  ASSERT_EQ(copyIn(*window, "copy-text not for strangers"), "copied text/plain");
  std::string listing;
  ASSERT_TRUE(listed("not for strangers", listing)) << listing;
  EXPECT_EQ(heard.count, 0);
}

// Turned off and on again under a running Dovrik, the extension serves again: snaps, and the
// hotkeys grabbed afresh.
TEST_F(GnomeAgentTest, TheExtensionTurnedOffAndOnAgainServesAgain) {
  const auto window = focusedWindow("Revived", "org.example.revived");
  ASSERT_TRUE(session().setExtensionEnabled(dovrikUuid, false));
  const auto refused = agent().run({"snap", "right-half"});
  EXPECT_NE(refused.status, 0) << refused.out;
  EXPECT_EQ(setting("org.gnome.mutter", "edge-tiling"), "true") << "the user's value, put back";
  ASSERT_TRUE(session().setExtensionEnabled(dovrikUuid, true));
  EXPECT_TRUE(sessiontest::await(
      [] {
        return agent().run({"snap", "right-half"}).status == 0;
      },
      std::chrono::seconds(10)));
  EXPECT_TRUE(landsOn("Revived", frameOnMonitor(SnapPosition::rightHalf)));
  EXPECT_TRUE(
      sessiontest::await([] { return setting("org.gnome.mutter", "edge-tiling") == "false"; },
                         std::chrono::seconds(5)))
      << "held off again";
  ASSERT_EQ(agent().run({"shortcuts", "set", "left-half", "ctrl+alt+shift+j"}).status, 0);
  typeKeys({controlKey, altKey, shiftKey, 'j'});
  EXPECT_TRUE(landsOn("Revived", frameOnMonitor(SnapPosition::leftHalf)));
}

// A session whose Shell has never seen Dovrik's extension, as after installing Dovrik without
// its package: the first-run window says what the extension is for, and asking for access
// installs it for the user and turns it on for the next login, since the Shell loads extensions
// only when it starts.
using GnomeFirstRunTest = AgentInSession<false>;

TEST_F(GnomeFirstRunTest, AskingForAccessInstallsTheExtensionForTheNextLogin) {
  const auto before = agent().run({"onboarding"});
  ASSERT_EQ(before.status, 0) << before.err;
  // The first-run window shows itself without the extension: mutter places it below the top bar.
  EXPECT_TRUE(sessiontest::await(
      [] {
        const auto shown = probe().frame("Dovrik");
        return shown && shown->y >= 32;
      },
      std::chrono::seconds(10)));
  EXPECT_NE(before.out.find("own small GNOME Shell extension"), std::string::npos) << before.out;

  const auto granted = agent().run({"onboarding", "grant-access"});
  ASSERT_EQ(granted.status, 0) << granted.err;
  EXPECT_NE(granted.out.find("log out and log in again"), std::string::npos)
      << granted.out << agent().log();
  saveScreenshot("gnome-first-run");
  const std::string folder =
      session().home() + "/.local/share/gnome-shell/extensions/" + dovrikUuid;
  for (const char* file : {"metadata.json", "extension.js", "shell.js"})
    EXPECT_TRUE(std::filesystem::exists(folder + "/" + file)) << file;
  // The Shell that runs loads the format it reads: GNOME 43 takes scripts.
  EXPECT_EQ(sessiontest::fileText(folder + "/shell.js").find("export {"), std::string::npos);

  const std::string enabled = setting("org.gnome.shell", "enabled-extensions");
  EXPECT_NE(enabled.find(dovrikUuid), std::string::npos) << enabled;
  EXPECT_NE(enabled.find("testprobe@dovrik.test"), std::string::npos)
      << "the user's other extensions stay on: " << enabled;
}

}  // namespace
}  // namespace dovrik::gnometest
