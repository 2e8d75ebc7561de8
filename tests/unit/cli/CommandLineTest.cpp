// The command line: what is answered in the client, what is forwarded, and how the running
// Dovrik answers a forwarded request on the simulated desktop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>

#include "core/app/App.h"
#include "core/cli/CommandLine.h"
#include "core/cli/CommandMessages.h"
#include "core/cli/SnapCommand.h"
#include "tests/unit/cli/AnswerNow.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik::cli {
namespace {

using Action = Invocation::Action;

Invocation parse(std::vector<std::string> args) {
  return parseCommandLine(args, "1.2.3");
}

// A failure must be one line a person can act on.
void expectOneErrorLine(const CommandOutcome& outcome, int exitCode, const std::string& part) {
  EXPECT_EQ(outcome.exitCode, exitCode);
  EXPECT_TRUE(outcome.out.empty());
  EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
  EXPECT_TRUE(outcome.err.ends_with('\n'));
  EXPECT_NE(outcome.err.find(part), std::string::npos) << outcome.err;
}

std::string upper(std::string text) {
  for (char& c : text)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

TEST(CommandLineTest, EveryPositionIsTakenByNameOrHyphenatedInAnyCase) {
  for (const SnapPosition position : allSnapPositions) {
    const std::string raw(rawValue(position));
    SCOPED_TRACE(raw);
    for (const std::string& text : {raw, argumentName(position), upper(argumentName(position))})
      EXPECT_EQ(snapPositionFromArgument(text), position) << text;
  }
  const Invocation checked = parse({"snap", "Full-Screen"});
  EXPECT_EQ(checked.action, Action::forward);
  EXPECT_EQ(checked.words, (std::vector<std::string>{"snap", "Full-Screen"}));
  // A name typed without quotes arrives as two words.
  EXPECT_EQ(parse({"snap", "top", "RIGHT"}).action, Action::forward);

  for (const char* wrong : {"nowhere", "left", "left_half", "lefthalf", "centre", ""}) {
    SCOPED_TRACE(wrong);
    EXPECT_FALSE(snapPositionFromArgument(wrong));
    const Invocation refused = parse({"snap", wrong});
    ASSERT_EQ(refused.action, Action::answerHere);
    expectOneErrorLine(refused.outcome, 2, "dovrik snap: unknown position");
    for (const SnapPosition position : allSnapPositions)
      EXPECT_NE(refused.outcome.err.find(argumentName(position)), std::string::npos);
    EXPECT_NE(refused.outcome.err.find(", next-display, previous-display, restore."),
              std::string::npos);
  }
  EXPECT_EQ(windowActionFromArgument("Next Display"), WindowAction::nextDisplay);
  EXPECT_EQ(windowActionFromArgument("PREVIOUS-display"), WindowAction::previousDisplay);
  EXPECT_FALSE(windowActionFromArgument("restore-all"));
  EXPECT_EQ(parse({"snap", "restore"}).action, Action::forward);
  expectOneErrorLine(parse({"snap"}).outcome, 2,
                     "dovrik snap: missing POSITION; valid positions: "
                     "left-half, right-half, top-half");
}

TEST(CommandLineTest, HelpVersionAndWrongUsageAreAnsweredWithoutTheAgent) {
  EXPECT_EQ(parse({}).action, Action::startAgent);
  EXPECT_EQ(parse({"--version"}).outcome, CommandOutcome::done("dovrik 1.2.3\n"));

  const CommandOutcome usage = parse({"--help"}).outcome;
  EXPECT_EQ(usage.exitCode, 0);
  EXPECT_TRUE(usage.out.starts_with("Usage: dovrik [COMMAND [ARGUMENT...]]\n"));
  // Every summary starts in the same column, after the longest synopsis.
  const std::string layoutRow = "  layout VERB [NAME] [on|off]   ";
  EXPECT_NE(usage.out.find("  snap POSITION" + std::string(layoutRow.size() - 15, ' ') +
                           "Snap the active window to a position, to another monitor, or "
                           "back.\n"),
            std::string::npos);
  EXPECT_NE(usage.out.find(layoutRow + "List, save, update, restore or delete saved window "
                                       "layouts.\n"),
            std::string::npos);
  EXPECT_NE(usage.out.find("Exit status: 0 done"), std::string::npos);
  for (const auto& args : std::vector<std::vector<std::string>>{{"-h"}, {"help"}, {"help", "help"}})
    EXPECT_EQ(parse(args).outcome, usage);

  const CommandOutcome snapHelp = parse({"help", "snap"}).outcome;
  EXPECT_TRUE(snapHelp.out.starts_with("Usage: dovrik snap POSITION\n"));
  EXPECT_NE(snapHelp.out.find("  bottom-right      Bottom Right\n"), std::string::npos);
  EXPECT_NE(snapHelp.out.find("  previous-display  to the monitor before\n"), std::string::npos);
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"snap", "--help"}, {"snap", "-h"}, {"snap", "nowhere", "--help"}}) {
    const Invocation help = parse(args);
    EXPECT_EQ(help.action, Action::answerHere);
    EXPECT_EQ(help.outcome, snapHelp);
  }

  expectOneErrorLine(
      parse({"frob"}).outcome, 2,
      "unknown command \"frob\"; commands: snap, layout, clipboard, shelf, shortcuts, rules, apps, "
      "settings, onboarding, update, quit, relaunch, drag, help.");
  expectOneErrorLine(parse({"help", "frob"}).outcome, 2, "unknown command \"frob\"");
  expectOneErrorLine(parse({"help", "snap", "more"}).outcome, 2, "at most one COMMAND");
  expectOneErrorLine(parse({"--frob"}).outcome, 2, "unknown option \"--frob\"");
  expectOneErrorLine(parse({"relaunch", "now"}).outcome, 2, "takes no arguments");
  EXPECT_EQ(parse({"quit"}).action, Action::forward);
}

class AnswerRequestTest : public ::testing::Test {
 protected:
  AnswerRequestTest() { app.start(); }

  CommandOutcome ask(const std::vector<std::string>& words) {
    return testing::answerNow(app, encodeRequest(words));
  }

  test::SimWorld world;
  App app{world.platform};
};

TEST_F(AnswerRequestTest, SnapMovesTheActiveWindowAsTheAnimationPreferenceSays) {
  const AXElement window = world.desktop.addWindow(test::SimWorld::appPid, {100, 100, 800, 600});
  std::optional<std::string> reply;
  answerRequest(app, encodeRequest({"snap", "left-half"}),
                [&reply](std::string line) { reply = std::move(line); });
  EXPECT_EQ(world.desktop.frameOf(window), (Rect{100, 100, 800, 600})) << "animated, not yet";
  EXPECT_FALSE(reply) << "answered before the window got there";
  world.clock.advanceBy(1);
  EXPECT_EQ(world.desktop.frameOf(window), (Rect{0, 25, 720, 875}));
  ASSERT_TRUE(reply);
  EXPECT_EQ(outcomeOfReply(*reply), CommandOutcome::done());

  app.appState().setAnimationsEnabled(false);
  EXPECT_EQ(ask({"snap", "Bottom", "Right"}), CommandOutcome::done());
  EXPECT_EQ(world.desktop.frameOf(window), (Rect{720, 462.5, 720, 437.5}));
}

TEST_F(AnswerRequestTest, SnapFailsWithOneLineWithoutAWindowOrWithoutWindowControl) {
  expectOneErrorLine(ask({"snap", "center"}), 1, "There is no active window to snap.");

  world.desktop.addWindow(test::SimWorld::appPid, {100, 100, 800, 600});
  world.desktop.setTrusted(false);
  expectOneErrorLine(ask({"snap", "center"}), 1, world.desktop.untrustedReason());
  world.clock.advanceBy(1);
  EXPECT_TRUE(world.desktop.writes().empty());
}

TEST_F(AnswerRequestTest, SnapCarriesTheWindowToAnotherMonitorAndRestoreSaysWhenThereIsNothing) {
  expectOneErrorLine(ask({"snap", "next-display"}), 1, "There is no active window to move.");
  world.desktop.addScreen({1440, 0, 1920, 1080}, {1440, 0, 1920, 1080});
  app.appState().setAnimationsEnabled(false);
  const AXElement window = world.desktop.addWindow(test::SimWorld::appPid, {100, 100, 800, 600});
  expectOneErrorLine(ask({"snap", "restore"}), 1, "Nothing to restore");

  EXPECT_EQ(ask({"snap", "right-half"}), CommandOutcome::done());
  EXPECT_EQ(ask({"snap", "next-display"}), CommandOutcome::done());
  EXPECT_EQ(world.desktop.frameOf(window), (Rect{2400, -180, 960, 1080}));
  EXPECT_EQ(ask({"snap", "previous", "display"}), CommandOutcome::done());
  EXPECT_EQ(world.desktop.frameOf(window), (Rect{720, 25, 720, 875}));
  EXPECT_EQ(ask({"snap", "restore"}), CommandOutcome::done());
  EXPECT_EQ(world.desktop.frameOf(window), (Rect{100, 100, 800, 600}));
  expectOneErrorLine(ask({"snap", "restore"}), 1, "Nothing to restore");
}

// Any local process can write to the socket: what is not a checked command is refused with
// a usage error and moves nothing.
TEST_F(AnswerRequestTest, RequestsThatAreNotCheckedCommandsAreRefused) {
  world.desktop.addWindow(test::SimWorld::appPid, {100, 100, 800, 600});
  for (const char* line :
       {"", "reopen", "not json", "[\"snap\"]", "{}", "{\"args\": []}", "{\"args\": \"snap\"}",
        "{\"args\": [\"snap\", 7]}", "{\"args\": [\"snap\", \"nowhere\"]}",
        "{\"args\": [\"frob\"]}", "{\"args\": [\"snap\", \"center\"], \"cwd\": 1}",
        "{\"args\": [\"snap\", \"left-half\"]", "\xff\xfe{"}) {
    SCOPED_TRACE(line);
    const CommandOutcome outcome = testing::answerNow(app, line);
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1);
  }
  world.clock.advanceBy(1);
  EXPECT_TRUE(world.desktop.writes().empty());
  // Words that are not UTF-8 still travel, and come back in the error line.
  expectOneErrorLine(ask({"snap", "\xff"}), 2, "unknown position");
}

TEST(CommandMessagesTest, AnUnreadableReplyIsReportedAsUnreachable) {
  const CommandOutcome outcome{1, "out\n", "err \"quoted\"\n"};
  EXPECT_EQ(outcomeOfReply(encodeOutcome(outcome)), outcome);
  // A status no process can end with must not be cut to one that reads as success.
  for (const char* reply : {"", "{}", R"({"exit": "0", "stdout": "", "stderr": ""})",
                            R"({"exit": 4294967296, "stdout": "", "stderr": ""})",
                            R"({"exit": 256, "stdout": "", "stderr": ""})",
                            R"({"exit": -1, "stdout": "", "stderr": ""})"})
    expectOneErrorLine(outcomeOfReply(reply), 3, "cannot read");
}

}  // namespace
}  // namespace dovrik::cli
