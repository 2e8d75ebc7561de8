// The Workspaces panel: the naming card, the proposed names, the failed capture, the restored
// mark, the workspace shortcut conflicts and the delete confirmation.
#include <gtest/gtest.h>

#include "core/app/ManagerPorts.h"
#include "core/settings/WorkspacesPanelModel.h"
#include "tests/unit/settings/SettingsFixture.h"
#include "tests/unit/workspaces/WorkspaceFixture.h"

namespace dovrik {
namespace {

struct WorkspacesPanelModelTest : test::SettingsFixture {
  WorkspacesPanelModelTest() {
    desktop.removeScreen(primary);
    desktop.addScreen({0, 0, 1440, 900}, {0, 0, 1440, 875}, test::kDisplayA);
    desktop.addScreen({1440, 0, 1920, 1080}, {1440, 0, 1920, 1080}, test::kDisplayB);
    clock.advanceBy(5);
  }
  WorkspaceManager& store() { return app.workspaceManager(); }
  WorkspacesPanelModel panel{shortcutRecorderPorts(platform), app.accessibilityTrust(),
                             app.shortcutConflicts(), app.workspaceManager(), ownHotkeys};
};

TEST_F(WorkspacesPanelModelTest, NamingCardProposesAFreeNameAndSavesOnlyATrimmedNonEmptyOne) {
  desktop.addWindow(test::kEditor, {0, 25, 720, 875}, "left");
  panel.beginCapture();
  EXPECT_TRUE(panel.isNaming());
  EXPECT_EQ(panel.draftName(), "2 displays");
  panel.setDraftName(" \t\n\u00a0");
  panel.commitCapture();
  EXPECT_TRUE(panel.isNaming());
  EXPECT_TRUE(store().workspaces().empty());

  panel.setDraftName("  Desk \n");
  panel.commitCapture();
  EXPECT_FALSE(panel.isNaming());
  EXPECT_EQ(panel.draftName(), "");
  ASSERT_EQ(panel.rows().size(), 1u);
  EXPECT_EQ(panel.rows()[0].workspace.name, "Desk");
  EXPECT_EQ(panel.rows()[0].autoRestoreText, "When 2 displays are connected");

  panel.beginCapture();
  panel.commitCapture();
  panel.beginCapture();
  EXPECT_EQ(panel.draftName(), "2 displays 2");
  panel.cancelCapture();
  EXPECT_FALSE(panel.isNaming());
  EXPECT_EQ(store().workspaces().size(), 2u);
}

TEST_F(WorkspacesPanelModelTest, NothingToCaptureClosesTheCardWithTheNoticeAndNoRow) {
  panel.beginCapture();
  panel.commitCapture();
  EXPECT_FALSE(panel.isNaming());
  EXPECT_TRUE(panel.captureFailed());
  EXPECT_TRUE(panel.rows().empty());
  panel.beginCapture();
  EXPECT_FALSE(panel.captureFailed());
}

TEST_F(WorkspacesPanelModelTest, RestoredRowShowsTheCheckmarkForOnePointSixSeconds) {
  desktop.addWindow(test::kEditor, {0, 25, 720, 875}, "left");
  const Workspace saved = *store().captureCurrent("Desk");
  panel.restore(saved.id);
  EXPECT_TRUE(panel.rows()[0].justRestored);
  EXPECT_EQ(panel.rows()[0].symbol, "checkmark");
  clock.advanceBy(1.59);
  EXPECT_TRUE(panel.rows()[0].justRestored);
  clock.advanceBy(0.02);
  EXPECT_FALSE(panel.rows()[0].justRestored);
  EXPECT_EQ(panel.rows()[0].symbol, "rectangle.on.rectangle.angled");
}

TEST_F(WorkspacesPanelModelTest, ShortcutsConflictByNameAndDeletingAsksFirst) {
  desktop.addWindow(test::kEditor, {0, 25, 720, 875}, "left");
  const Workspace desk = *store().captureCurrent("Desk");
  const Workspace sofa = *store().captureCurrent("Sofa");
  const KeyboardShortcut ctrlOptK{Key::k, {Modifier::control, Modifier::option}};
  panel.recorder(desk.id).click();
  panel.recorder(desk.id).keyPressed(test::kKCode, ctrlOptK.modifiers);
  EXPECT_EQ(store().workspace(desk.id)->shortcut, ctrlOptK);
  EXPECT_TRUE(holds(test::kKCode, test::kCtrlOpt));

  panel.recorder(sofa.id).click();
  panel.recorder(sofa.id).keyPressed(test::kKCode, ctrlOptK.modifiers);
  EXPECT_EQ(panel.conflictNotice(), "⌃⌥K is already assigned to Desk.");
  EXPECT_EQ(store().workspace(sofa.id)->shortcut, std::nullopt);

  panel.requestDelete(desk.id);
  EXPECT_EQ(panel.deleteConfirmation()->title, "Delete “Desk”?");
  panel.cancelDelete();
  EXPECT_EQ(store().workspaces().size(), 2u);
  panel.requestDelete(desk.id);
  panel.confirmDelete();
  EXPECT_EQ(store().workspaces().size(), 1u);
  EXPECT_FALSE(holds(test::kKCode, test::kCtrlOpt));
}

}  // namespace
}  // namespace dovrik
