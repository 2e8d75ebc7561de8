// `dovrik layout`: what the client refuses by itself, and what each verb does and answers in
// the running Dovrik.
#include <gtest/gtest.h>

#include "core/app/App.h"
#include "core/cli/CommandLine.h"
#include "core/cli/CommandMessages.h"
#include "tests/unit/cli/AnswerNow.h"
#include "tests/unit/cli/CommandExpectations.h"
#include "tests/unit/workspaces/WorkspaceFixture.h"

namespace dovrik::cli {
namespace {

using test::kDisplayA;
using test::kLeftHalf;

TEST(LayoutCommandLineTest, WrongVerbsAndArgumentsAreAnsweredInTheClient) {
  expectUsageErrors({
      {{"layout"}, "missing VERB; verbs: list, save, update, restore, auto, delete."},
      {{"layout", "frob"},
       "unknown verb \"frob\"; verbs: list, save, update, restore, auto, delete."},
      {{"layout", "list", "all"}, "list takes only --json."},
      {{"layout", "save"}, "missing NAME; usage: dovrik layout save NAME."},
      {{"layout", "restore"}, "missing NAME; usage: dovrik layout restore NAME."},
      {{"layout", "auto", "on"}, "usage: dovrik layout auto NAME on|off."},
      {{"layout", "auto", "Desk", "yes"}, "usage: dovrik layout auto NAME on|off."},
  });
  expectForwarded({{"layout", "list", "--json"},
                   {"layout", "save", "My", "Desk"},
                   {"layout", "auto", "My", "Desk", "off"},
                   {"layout", "delete", "on"}});

  const std::string help = parseCommandLine({"layout", "save", "--help"}, "1").outcome.out;
  EXPECT_TRUE(help.starts_with("Usage: dovrik layout VERB [NAME] [on|off]\n"));
  for (const char* verb : {"  list [--json]", "  save NAME", "  update NAME", "  restore NAME",
                           "  auto NAME on|off", "  delete NAME"})
    EXPECT_NE(help.find(verb), std::string::npos) << verb;
}

class LayoutCommandTest : public ::testing::Test, public test::WorkspaceWorld {
 protected:
  CommandOutcome ask(const std::vector<std::string>& words) {
    return testing::answerNow(app, encodeRequest(words));
  }
  App app{world.platform};
  AXElement window = desktop.addWindow(test::SimWorld::appPid, {0, 25, 720, 875}, "w");
};

TEST_F(LayoutCommandTest, SaveListAndJsonShowWhatIsStored) {
  app.start();
  EXPECT_EQ(ask({"layout", "list"}), CommandOutcome::done("No saved layouts.\n"));
  EXPECT_EQ(ask({"layout", "save", "My", "Desk"}),
            CommandOutcome::done("Saved \"My Desk\": 1 window · 1 app · 1 display\n"));
  expectFailure(ask({"layout", "save", "My", "Desk"}), 1,
                "A layout named \"My Desk\" exists; replace its windows with "
                "`dovrik layout update My Desk`.");
  EXPECT_EQ(ask({"layout", "auto", "My", "Desk", "on"}), CommandOutcome::done());
  EXPECT_EQ(
      ask({"layout", "list"}),
      CommandOutcome::done("My Desk — 1 window · 1 app · 1 display — automatic restore on\n"));
  const CommandOutcome json = ask({"layout", "list", "--json"});
  EXPECT_EQ(json.out, *encodeWorkspaces(app.workspaceManager().workspaces()) + "\n");

  desktop.removeWindow(window);
  expectFailure(ask({"layout", "save", "Empty"}), 1,
                "No open app windows were found on any display.");
  expectFailure(ask({"layout", "update", "My", "Desk"}), 1,
                "No open app windows were found on any display.");
}

TEST_F(LayoutCommandTest, NamesMustPickExactlyOneLayout) {
  storeLayouts({layout("Twin", {}), layout("Twin", {}), layout("Solo", {})});
  app.start();
  for (const char* verb : {"update", "restore", "delete"}) {
    expectFailure(ask({"layout", verb, "Nobody"}), 1,
                  "No layout is named \"Nobody\"; `dovrik layout list` shows the saved ones.");
    expectFailure(ask({"layout", verb, "Twin"}), 1,
                  "2 layouts are named \"Twin\"; rename or delete all but one in the settings.");
  }
  EXPECT_EQ(ask({"layout", "delete", "Solo"}), CommandOutcome::done());
  EXPECT_EQ(app.workspaceManager().workspaces().size(), 2u);
}

TEST_F(LayoutCommandTest, RestoreAndUpdateMoveWindowsOnlyWithWindowControl) {
  storeLayouts({layout("Desk", {editorWindow("w", 0, {0.5, 0, 0.5, 1})})});
  app.start();
  EXPECT_EQ(ask({"layout", "restore", "Desk"}), CommandOutcome::done());
  EXPECT_EQ(desktop.frameOf(window), (Rect{720, 25, 720, 875}));

  desktop.setFrame(window, {0, 25, 720, 875});
  EXPECT_EQ(ask({"layout", "update", "Desk"}), CommandOutcome::done());
  EXPECT_EQ(app.workspaceManager().workspaces()[0].windows[0].fractionalFrame, kLeftHalf);

  desktop.setTrusted(false);
  desktop.clearWrites();
  for (const char* verb : {"save", "update", "restore"})
    expectFailure(ask({"layout", verb, "Desk"}), 1, desktop.untrustedReason());
  EXPECT_TRUE(desktop.writes().empty());
  EXPECT_EQ(ask({"layout", "auto", "Desk", "on"}), CommandOutcome::done());
}

}  // namespace
}  // namespace dovrik::cli
