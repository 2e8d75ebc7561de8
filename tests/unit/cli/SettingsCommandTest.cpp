// `dovrik settings [PANEL]`: panel names in the client, and the window it opens.
#include <gtest/gtest.h>

#include "core/app/App.h"
#include "core/cli/CommandLine.h"
#include "core/cli/CommandMessages.h"
#include "core/cli/SettingsCommand.h"
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

TEST(SettingsCommandTest, OpensTheWindowOnThePanelAskedForAndKeepsItOtherwise) {
  test::SimWorld world;
  App app{world.platform};
  app.start();
  const auto ask = [&](const std::vector<std::string>& words) {
    return outcomeOfReply(answerRequest(app, encodeRequest(words)));
  };
  EXPECT_EQ(ask({"settings", "clipboard"}), CommandOutcome::done());
  ASSERT_NE(app.settingsContent(), nullptr);
  SettingsSidebar& sidebar = app.settingsContent()->sidebar();
  EXPECT_EQ(sidebar.selection(), SidebarItem::clipboard);
  EXPECT_EQ(sidebar.contentOpacity(), 1.0);
  EXPECT_EQ(ask({"settings"}), CommandOutcome::done());
  EXPECT_EQ(sidebar.selection(), SidebarItem::clipboard);
  EXPECT_EQ(world.sim.settingsWindow.showings().size(), 2u);
}

}  // namespace
}  // namespace dovrik::cli
