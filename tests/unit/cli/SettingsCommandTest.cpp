// `dovrik settings [PANEL [SETTING [VALUE]]]`: panel and setting names and values in the
// client, the window it opens, and the settings it reads and changes.
#include <gtest/gtest.h>

#include "core/app/App.h"
#include "core/cli/CommandLine.h"
#include "core/cli/CommandMessages.h"
#include "core/cli/SettingsCommand.h"
#include "tests/unit/cli/AnswerNow.h"
#include "tests/unit/cli/CommandExpectations.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik::cli {
namespace {

TEST(SettingsCommandLineTest, PanelsAreNamedInAnyCaseAndABadNameListsThem) {
  EXPECT_EQ(panelNamed("drag zones"), SidebarItem::dragZones);
  EXPECT_EQ(panelNamed("APPRULES"), SidebarItem::rules);
  EXPECT_EQ(panelNamed("General"), SidebarItem::general);
  EXPECT_EQ(panelNamed("gen"), std::nullopt);
  EXPECT_EQ(panelNamed(""), std::nullopt);

  const Invocation bad = parseCommandLine({"settings", "colours"}, "1");
  EXPECT_EQ(bad.action, Invocation::Action::answerHere);
  EXPECT_EQ(bad.outcome.exitCode, 2);
  EXPECT_EQ(bad.outcome.err,
            "dovrik settings: \"colours\" is no panel; the panels are General, Shortcuts, "
            "Snapping, Clipboard, Workspaces, App Rules, Drag Zones.\n");
  EXPECT_EQ(parseCommandLine({"settings", "a", "b"}, "1").outcome.exitCode, 2);
  EXPECT_EQ(parseCommandLine({"settings", "app rules"}, "1").action, Invocation::Action::forward);
}

// A started Dovrik on the simulated desktop, asked as the command line asks it.
class SettingsCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { app.start(); }
  CommandOutcome ask(const std::vector<std::string>& words) {
    return testing::answerNow(app, encodeRequest(words));
  }

  test::SimWorld world;
  App app{world.platform};
};

TEST_F(SettingsCommandTest, OpensTheWindowOnThePanelAskedForAndKeepsItOtherwise) {
  EXPECT_EQ(ask({"settings", "clipboard"}), CommandOutcome::done());
  ASSERT_NE(app.settingsContent(), nullptr);
  SettingsSidebar& sidebar = app.settingsContent()->sidebar();
  EXPECT_EQ(sidebar.selection(), SidebarItem::clipboard);
  EXPECT_EQ(sidebar.contentOpacity(), 1.0);
  EXPECT_EQ(ask({"settings"}), CommandOutcome::done());
  EXPECT_EQ(sidebar.selection(), SidebarItem::clipboard);
  EXPECT_EQ(world.sim.settingsWindow.showings().size(), 2u);
}

TEST(SettingsCommandLineTest, SettingsAndTheirValuesAreCheckedBeforeAnythingIsSent) {
  const auto err = [](const std::vector<std::string>& words) {
    const Invocation invocation = parseCommandLine(words, "1");
    EXPECT_EQ(invocation.outcome.exitCode, 2);
    return invocation.outcome.err;
  };
  EXPECT_EQ(err({"settings", "snapping", "gap", "25"}),
            "dovrik settings: the gap is a whole number of pixels from 0px to 24px, not \"25\".\n");
  for (const char* gap : {"-1", "12px", ""})
    EXPECT_FALSE(err({"settings", "snapping", "gap", gap}).empty()) << '"' << gap << '"';
  EXPECT_EQ(err({"settings", "snapping", "cycle-sizes", "yes"}),
            "dovrik settings: \"yes\" is neither on nor off.\n");
  // A setting belongs to its panel.
  EXPECT_NE(err({"settings", "general", "gap", "4"}).find("\"gap\" is no setting of general"),
            std::string::npos);
  EXPECT_FALSE(err({"settings", "snapping", "gap", "4", "5"}).empty());

  expectForwarded({{"settings", "Snapping", "gap", "0"},
                   {"settings", "snapping", "gap", "24"},
                   {"settings", "snapping", "cycle-sizes", "off"},
                   {"settings", "snapping", "cycle-sizes"}});
}

TEST_F(SettingsCommandTest, ReadsAndChangesSnappingSettingsWithoutOpeningTheWindow) {
  EXPECT_EQ(ask({"settings", "snapping", "cycle-sizes"}), CommandOutcome::done("on\n"));
  EXPECT_EQ(ask({"settings", "snapping", "animations"}), CommandOutcome::done("on\n"));
  EXPECT_EQ(ask({"settings", "snapping", "gap"}), CommandOutcome::done("0\n"));
  EXPECT_EQ(ask({"settings", "snapping", "cycle-sizes", "off"}), CommandOutcome::done());
  EXPECT_EQ(ask({"settings", "snapping", "animations", "off"}), CommandOutcome::done());
  EXPECT_FALSE(app.appState().animationsEnabled());
  EXPECT_EQ(ask({"settings", "snapping", "gap", "16"}), CommandOutcome::done());
  EXPECT_FALSE(app.appState().cyclesSnapSizes());
  EXPECT_EQ(app.appState().snapGap(), 16);
  EXPECT_EQ(ask({"settings", "snapping", "gap"}), CommandOutcome::done("16\n"));
  EXPECT_EQ(ask({"settings", "snapping", "cycle-sizes"}), CommandOutcome::done("off\n"));
  // The running Dovrik checks again: a request written straight to its socket.
  EXPECT_EQ(ask({"settings", "snapping", "gap", "99"}).exitCode, 2);
  EXPECT_EQ(app.appState().snapGap(), 16);
  EXPECT_TRUE(world.sim.settingsWindow.showings().empty());
}

}  // namespace
}  // namespace dovrik::cli
