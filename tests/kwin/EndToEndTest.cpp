// The real program in a headless Plasma session, driven as a user drives it: hotkeys and drags
// through fake input, commands through `dovrik`, with a Qt Wayland window and an Xwayland xterm
// as the windows it acts on.
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "Await.h"
#include "KWinWindowsTest.h"
#include "SessionAgent.h"
#include "TestClients.h"

namespace dovrik::kwintest {
namespace {

using sessiontest::SessionAgent;

using namespace std::chrono_literals;

constexpr int halfWidth = KWinSession::width / 2;
const Frame leftHalf{0, 0, halfWidth, KWinSession::height};
const Frame rightHalf{halfWidth, 0, halfWidth, KWinSession::height};
const Frame offHalves{300, 200, 400, 300};

// xterm sizes itself in whole character cells: the origin is exact, the size a cell short at
// most.
bool withinACell(const Frame& frame, const Frame& target) {
  return frame.x == target.x && frame.y == target.y && frame.width <= target.width &&
         frame.width > target.width - 20 && frame.height <= target.height &&
         frame.height > target.height - 30;
}

// Makes `path` and the folders above it up to `top` belong to the session's user, who writes
// there once the agent runs.
void giveToUser(const KWinSession& session, std::filesystem::path path,
                const std::filesystem::path& top) {
  for (; path != top && path.has_relative_path(); path = path.parent_path())
    ASSERT_EQ(chown(path.c_str(), session.user(), static_cast<gid_t>(-1)), 0) << path;
}

// One agent for the fixture, started once the session runs, with snap animations off so that a
// snap is one frame.
class EndToEnd : public KWinWindowsTest {
 public:
  static void SetUpTestSuite() {
    startSession({DOVRIK_AGENT_EXECUTABLE});
    if (KWinSession::unavailable())
      return;
    const std::filesystem::path settings =
        std::filesystem::path(session().home()) / ".config/dovrik/dovrik.json";
    std::filesystem::create_directories(settings.parent_path());
    std::ofstream(settings) << R"({"animationsEnabled": {"bool": false}})";
    giveToUser(session(), settings, session().home());
    agent_ = std::make_unique<SessionAgent>(session(), DOVRIK_EXECUTABLE);
    started_ =
        agent_->start() &&
        await(
            [] { return agent_->run({"onboarding"}).out.find("You're set") != std::string::npos; },
            15s);
  }
  static void TearDownTestSuite() {
    agent_.reset();
    KWinWindowsTest::TearDownTestSuite();
  }

 protected:
  void SetUp() override {
    KWinWindowsTest::SetUp();
    if (IsSkipped() || HasFatalFailure())
      return;
    ASSERT_TRUE(started_) << "the agent did not come up with window control:\n"
                          << agent_->log() << agent_->run({"onboarding"}).out;
  }

  static SessionAgent& agent() { return *agent_; }

  // A window of the given kind, placed off both halves and made the active one.
  ChildProcess& openQtWindow(const std::string& title,
                             const std::string& appId = "org.dovrik.EndToEndWindow") {
    clients_.push_back(startQtWindow(session(), title, appId));
    settle(title, offHalves);
    return *clients_.back();
  }
  void openXterm(const std::string& title) {
    clients_.push_back(startXterm(session(), title, "EndToEndXterm"));
    settle(title, offHalves);
  }
  void settle(const std::string& title, const Frame& frame) {
    ASSERT_TRUE(windows().awaitTitled(title)) << scripts().lastError();
    ASSERT_TRUE(windows().setFrame(title, frame));
    ASSERT_TRUE(await(
        [&] {
          const auto window = windows().titled(title);
          return window && window->frame.x == frame.x && window->frame.y == frame.y;
        },
        5s));
    ASSERT_TRUE(windows().activate(title));
  }

  Frame frameOf(const std::string& title) {
    const auto window = windows().titled(title);
    return window ? window->frame : Frame{};
  }
  bool awaitXtermFrame(const std::string& title, const Frame& target) {
    return await([&] { return withinACell(frameOf(title), target); }, 5s);
  }

 private:
  static inline std::unique_ptr<SessionAgent> agent_;
  static inline bool started_ = false;
};

class SnapEndToEndTest : public EndToEnd {};

TEST_F(SnapEndToEndTest, HotkeysSnapTheActiveWindowToAHalfInOneStep) {
  openQtWindow("hotkey window");
  ASSERT_TRUE(windows().watchFrames("hotkey window"));

  ASSERT_EQ(pressKeys(session(), {"ctrl+alt+Left"}), 0);
  EXPECT_TRUE(windows().awaitFrame("hotkey window", leftHalf)) << frameOf("hotkey window");
  EXPECT_EQ(windows().framesSeen("hotkey window"), std::vector<Frame>{leftHalf});

  ASSERT_EQ(pressKeys(session(), {"ctrl+alt+Right"}), 0);
  EXPECT_TRUE(windows().awaitFrame("hotkey window", rightHalf)) << frameOf("hotkey window");
  EXPECT_EQ(windows().framesSeen("hotkey window"), (std::vector<Frame>{leftHalf, rightHalf}));

  openXterm("hotkey xterm");
  ASSERT_EQ(pressKeys(session(), {"ctrl+alt+Left"}), 0);
  EXPECT_TRUE(awaitXtermFrame("hotkey xterm", leftHalf)) << frameOf("hotkey xterm");
}

TEST_F(SnapEndToEndTest, SnapCommandsMoveTheActiveWindowAndAnswerDone) {
  openQtWindow("command window");
  const auto left = agent().run({"snap", "left-half"});
  EXPECT_EQ(left.status, 0) << left.err;
  EXPECT_TRUE(windows().awaitFrame("command window", leftHalf)) << frameOf("command window");
  const auto right = agent().run({"snap", "Right", "Half"});
  EXPECT_EQ(right.status, 0) << right.err;
  EXPECT_TRUE(windows().awaitFrame("command window", rightHalf)) << frameOf("command window");

  openXterm("command xterm");
  const auto xterm = agent().run({"snap", "right-half"});
  EXPECT_EQ(xterm.status, 0) << xterm.err;
  EXPECT_TRUE(awaitXtermFrame("command xterm", rightHalf)) << frameOf("command xterm");
  EXPECT_EQ(frameOf("command window"), rightHalf) << "a window that was not active moved";
}

TEST_F(SnapEndToEndTest, TitleBarDraggedIntoTheLeftEdgeShowsThePreviewAndSnapsOnRelease) {
  openQtWindow("dragged window");
  const Frame start = frameOf("dragged window");
  const int grabX = start.x + start.width / 2;
  const int grabY = start.y + 10;  // on the title bar KWin draws
  auto pointer = [](int x, int y) {
    return "pointer:" + std::to_string(x) + "," + std::to_string(y);
  };
  const auto drag =
      startInjector(session(), {pointer(grabX, grabY), "press", pointer(grabX - 10, grabY + 5),
                                pointer(grabX - 100, grabY + 40), pointer(200, 400),
                                pointer(60, 400), pointer(0, 400), "wait", "release"});
  ASSERT_EQ(drag->nextLine(10s), "waiting");
  // The preview is a surface of the agent's over the place the window will take; KWin lists
  // it among the windows without a caption.
  const std::string previewAt =
      "var all = workspace.windowList ? workspace.windowList() : workspace.clientList();\n"
      "return all.filter(function (w) { return w.pid === " +
      std::to_string(agent().pid()) +
      " && w.caption === ''; })\n"
      "  .map(function (w) { var g = w.frameGeometry;\n"
      "    return [g.x, g.y, g.width, g.height].map(Math.round).join(' '); });";
  std::string previews;
  const bool previewShown = await(
      [&] {
        const auto seen = scripts().evaluate(previewAt);
        previews = seen ? seen->dump() : scripts().lastError();
        return previews == R"(["0 0 640 800"])";
      },
      5s);
  drag->sendLine("go");
  EXPECT_EQ(drag->awaitExit(10s), 0);
  EXPECT_TRUE(previewShown) << previews;
  EXPECT_TRUE(windows().awaitFrame("dragged window", leftHalf)) << frameOf("dragged window");
  EXPECT_TRUE(await([&] { return scripts().evaluate(previewAt) == nlohmann::json::array(); }, 5s))
      << "the preview stayed: " << scripts().evaluate(previewAt).value_or("no answer").dump();
}

class LayoutEndToEndTest : public EndToEnd {};

TEST_F(LayoutEndToEndTest, ASavedLayoutPutsScrambledWindowsBack) {
  openQtWindow("layout window", "org.dovrik.LayoutWindow");
  openXterm("layout xterm");
  settle("layout window", {40, 30, 500, 400});
  settle("layout xterm", {600, 300, 500, 400});
  const Frame window = frameOf("layout window");
  const Frame xterm = frameOf("layout xterm");

  const auto saved = agent().run({"layout", "save", "Desk", "work"});
  ASSERT_EQ(saved.status, 0) << saved.err;
  EXPECT_NE(agent().run({"layout", "list"}).out.find("Desk work"), std::string::npos);

  settle("layout window", {500, 350, 420, 300});
  settle("layout xterm", {10, 10, 400, 300});
  const auto restored = agent().run({"layout", "restore", "Desk", "work"});
  EXPECT_EQ(restored.status, 0) << restored.err;
  EXPECT_TRUE(windows().awaitFrame("layout window", window)) << frameOf("layout window");
  EXPECT_TRUE(windows().awaitFrame("layout xterm", xterm)) << frameOf("layout xterm");
}

TEST_F(LayoutEndToEndTest, AnAppRuleSnapsAWindowStartedAfterItWasAdded) {
  const auto added = agent().run({"rules", "add", "org.dovrik.RuleWindow", "right-half"});
  ASSERT_EQ(added.status, 0) << added.err;

  clients_.push_back(startQtWindow(session(), "ruled window", "org.dovrik.RuleWindow"));
  EXPECT_TRUE(windows().awaitFrame("ruled window", rightHalf, 10s)) << frameOf("ruled window");

  // An X11 program is known by its desktop entry, found through its executable, whatever class
  // its window carries: the identity `dovrik apps` shows is the one a rule names.
  const auto xtermRule = agent().run({"rules", "add", "debian-xterm", "left-half"});
  ASSERT_EQ(xtermRule.status, 0) << xtermRule.err;
  clients_.push_back(startXterm(session(), "ruled xterm", "RuledXterm"));
  ASSERT_TRUE(windows().awaitTitled("ruled xterm")) << scripts().lastError();
  EXPECT_TRUE(awaitXtermFrame("ruled xterm", leftHalf)) << frameOf("ruled xterm");
}

class ClipboardEndToEndTest : public EndToEnd {
 protected:
  // Waits until `dovrik clipboard list` shows `text`; answers the list last seen.
  std::string awaitListed(const std::string& text) {
    std::string list;
    await(
        [&] {
          list = agent().run({"clipboard", "list"}).out;
          return list.find(text) != std::string::npos;
        },
        10s);
    return list;
  }
};

TEST_F(ClipboardEndToEndTest, CopiedTextAndImagesAreListedAndSecretsAreNot) {
  ChildProcess& source = openQtWindow("clipboard source");
  source.sendLine("copy-text words from the test window");
  ASSERT_EQ(awaitOutput(source, "copied"), "copied text/plain");
  EXPECT_NE(awaitListed("words from the test window").find("words from the test window"),
            std::string::npos);

  source.sendLine("copy-image 32 24");
  ASSERT_EQ(awaitOutput(source, "copied"), "copied image/png");
  const std::string withImage = awaitListed("image");
  EXPECT_NE(withImage.find("image"), std::string::npos) << withImage;

  source.sendLine("copy-secret hunter2");
  ASSERT_EQ(awaitOutput(source, "copied"), "copied secret");
  // A copy after the secret is listed only once the secret has been seen and passed over.
  source.sendLine("copy-text after the secret");
  ASSERT_EQ(awaitOutput(source, "copied"), "copied text/plain");
  const std::string list = awaitListed("after the secret");
  EXPECT_NE(list.find("after the secret"), std::string::npos) << list;
  EXPECT_EQ(list.find("hunter2"), std::string::npos) << list;
}

TEST_F(ClipboardEndToEndTest, AnEntryPastedFromTheCommandLineReachesTheActiveWindow) {
  ChildProcess& source = openQtWindow("paste source");
  source.sendLine("copy-text pasted by dovrik");
  ASSERT_EQ(awaitOutput(source, "copied"), "copied text/plain");
  ASSERT_NE(awaitListed("pasted by dovrik").find("pasted by dovrik"), std::string::npos);
  source.sendLine("copy-text the newest copy");
  ASSERT_EQ(awaitOutput(source, "copied"), "copied text/plain");
  ASSERT_NE(awaitListed("the newest copy").find("the newest copy"), std::string::npos);

  ChildProcess& target = openQtWindow("paste target");
  const auto pasted = agent().run({"clipboard", "paste", "2"});
  EXPECT_EQ(pasted.status, 0) << pasted.err << agent().log();
  EXPECT_EQ(awaitOutput(target, "pasted-text"), "pasted-text pasted by dovrik") << agent().log();
}

TEST_F(ClipboardEndToEndTest, AnEntryChosenInThePopupIsPastedIntoThePreviouslyActiveWindow) {
  ChildProcess& source = openQtWindow("popup source");
  source.sendLine("copy-text chosen in the popup");
  ASSERT_EQ(awaitOutput(source, "copied"), "copied text/plain");
  ASSERT_NE(awaitListed("chosen in the popup").find("chosen in the popup"), std::string::npos);

  ChildProcess& target = openQtWindow("popup target");
  const auto popup = agent().run({"clipboard", "popup"});
  ASSERT_EQ(popup.status, 0) << popup.err;
  ASSERT_EQ(awaitOutput(target, "inactive"), "inactive") << "the popup did not take the keys";
  ASSERT_EQ(pressKeys(session(), {"Return"}), 0);
  EXPECT_EQ(awaitOutput(target, "pasted-text"), "pasted-text chosen in the popup") << agent().log();
}

}  // namespace
}  // namespace dovrik::kwintest
