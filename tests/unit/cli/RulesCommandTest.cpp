// `dovrik rules` and `dovrik apps`: what the client refuses by itself, and what each verb does
// and answers in the running Dovrik.
#include <gtest/gtest.h>

#include "core/app/App.h"
#include "core/cli/CommandLine.h"
#include "core/cli/CommandMessages.h"
#include "tests/unit/cli/AnswerNow.h"
#include "tests/unit/cli/CommandExpectations.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik::cli {
namespace {

TEST(RulesCommandLineTest, WrongVerbsAndArgumentsAreAnsweredInTheClient) {
  expectUsageErrors({
      {{"rules"}, "missing VERB; verbs: list, add, enable, disable, delete."},
      {{"rules", "add", "org.example.Term"}, "usage: dovrik rules add APP POSITION."},
      {{"rules", "add", "org.example.Term", "middle"},
       "unknown position \"middle\"; `dovrik help snap` lists the positions."},
      {{"rules", "enable"}, "usage: dovrik rules enable N."},
      {{"rules", "delete", "-1"},
       "\"-1\" is not a rule number; N is from 1 to the last number `dovrik rules list` "
       "shows."},
      {{"apps", "all"}, "apps takes no arguments."},
  });
  EXPECT_EQ(parseCommandLine({"rules", "add", "Term", "Top", "Left"}, "1").action,
            Invocation::Action::forward);
  EXPECT_TRUE(
      parseCommandLine({"help", "apps"}, "1").outcome.out.starts_with("Usage: dovrik apps\n\n"));
}

class RulesCommandTest : public ::testing::Test {
 protected:
  CommandOutcome ask(const std::vector<std::string>& words) {
    return testing::answerNow(app, encodeRequest(words));
  }
  test::SimWorld world;
  App app{world.platform};
};

TEST_F(RulesCommandTest, RulesAreAddedOncePerAppSwitchedAndDeletedByNumber) {
  world.sim.installedApps.setApps({{Uuid(), "Terminal", "org.example.Term", std::nullopt}});
  app.start();
  EXPECT_EQ(ask({"rules", "list"}), CommandOutcome::done("No app rules.\n"));
  EXPECT_EQ(ask({"rules", "add", "org.example.Term", "left-half"}),
            CommandOutcome::done("1. Terminal (org.example.Term) — Left Half — on\n"));
  // Not installed: the running application's name, else the identifier itself.
  EXPECT_EQ(ask({"rules", "add", "com.example.editor", "Top", "Right"}),
            CommandOutcome::done("2. Editor (com.example.editor) — Top Right — on\n"));
  EXPECT_EQ(ask({"rules", "add", "XTerm", "center"}).out, "3. XTerm (XTerm) — Center — on\n");
  expectFailure(ask({"rules", "add", "org.example.Term", "center"}), 1,
                "\"org.example.Term\" already has a rule; delete it first to change the "
                "position.");

  EXPECT_EQ(ask({"rules", "disable", "1"}), CommandOutcome::done());
  EXPECT_EQ(ask({"rules", "delete", "2"}), CommandOutcome::done());
  EXPECT_EQ(ask({"rules", "list"}),
            CommandOutcome::done("1. Terminal (org.example.Term) — Left Half — off\n"
                                 "2. XTerm (XTerm) — Center — on\n"));
  EXPECT_EQ(ask({"rules", "list", "--json"}).out, encodeAppRules(app.ruleManager().rules()) + "\n");
  expectFailure(ask({"rules", "enable", "3"}), 1, "There is no rule 3; N is from 1 to 2.");
  EXPECT_EQ(ask({"rules", "enable", "1"}), CommandOutcome::done());
  EXPECT_TRUE(app.ruleManager().rules()[0].isEnabled);
}

TEST_F(RulesCommandTest, AppsListsTheInstalledAppsAndScansOnce) {
  app.start();
  EXPECT_EQ(ask({"apps"}), CommandOutcome::done("No installed apps were found.\n"));
  world.sim.installedApps.setApps({{Uuid(), "Files", "org.example.Files", "folder"},
                                   {Uuid(), "Terminal", "org.example.Term", std::nullopt}});
  const CommandOutcome listed =
      CommandOutcome::done("Files (org.example.Files)\nTerminal (org.example.Term)\n");
  EXPECT_EQ(ask({"apps"}), listed);
  EXPECT_EQ(ask({"apps"}), listed);
  EXPECT_EQ(world.sim.installedApps.scans, 2);
}

TEST_F(RulesCommandTest, TheRunningDovrikSnapsLaunchesWithoutTheSettingsEverOpening) {
  app.start();
  EXPECT_EQ(ask({"rules", "add", "org.example.Term", "right-half"}).exitCode, 0);
  world.desktop.launchApp({200, "org.example.Term", "Term", ActivationPolicy::Regular, false});
  const AXElement window = world.desktop.addWindow(200, {50, 60, 400, 300});
  world.clock.advanceBy(2.0);
  EXPECT_EQ(world.desktop.frameOf(window), (Rect{720, 25, 720, 875}));
}

}  // namespace
}  // namespace dovrik::cli
