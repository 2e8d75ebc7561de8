// The General, Snapping, App Rules and Drag Zones panels: the switches that drive managers,
// the clamped sliders and their texts, the warnings and the confirmations.
#include <gtest/gtest.h>

#include "core/app/ManagerPorts.h"
#include "core/settings/DragZonesPanelModel.h"
#include "core/settings/GeneralPanelModel.h"
#include "core/settings/RulesPanelModel.h"
#include "core/settings/SnappingPanelModel.h"
#include "tests/unit/settings/SettingsFixture.h"

namespace dovrik {
namespace {

using Parameter = DragZonesPanelModel::Parameter;

struct PanelModelsTest : test::SettingsFixture {
  GeneralPanelModel general() {
    return {generalPanelModelPorts(platform),
            app.appState(),
            app.accessibilityTrust(),
            app.shortcutManager(),
            app.dragMonitor(),
            app.updateManager(),
            "1.4.0"};
  }
  DragZonesPanelModel dragZones() {
    return {app.dragZoneManager(), app.edgeTilingGuard(), platform.screens, app.dragMonitor()};
  }
};

TEST_F(PanelModelsTest, SnappingOffInThePanelAndOnFromTheMenuLeavesOneTapAndOneSetOfHotkeys) {
  GeneralPanelModel panel = general();
  const std::size_t held = hotkeys.registered().size();
  panel.setSnappingEnabled(false);
  EXPECT_FALSE(sim.eventTap.isInstalled());
  EXPECT_FALSE(holds(test::kLeftArrowCode, test::kCtrlOpt));
  app.menuBarController().toggleSnapping();
  panel.setSnappingEnabled(true);
  EXPECT_EQ(sim.eventTap.installedCount(), 1u);
  EXPECT_EQ(hotkeys.registered().size(), held);
}

TEST_F(PanelModelsTest, GeneralPanelWarnsOfARefusedTapAndOffersAccessOnlyWhileMissing) {
  GeneralPanelModel panel = general();
  EXPECT_EQ(panel.restartWarning(), std::nullopt);
  EXPECT_EQ(panel.accessButtonTitle(), std::nullopt);
  EXPECT_EQ(panel.versionText(), "Version 1.4.0");
  EXPECT_EQ(panel.lastCheckText(), "Not checked yet");

  panel.setSnappingEnabled(false);
  sim.eventTap.refusals = -1;
  panel.setSnappingEnabled(true);
  clock.advanceBy(10);
  EXPECT_EQ(panel.restartWarning(), platform.texts.tapRestartWarning);

  desktop.setTrusted(false);
  panel.appear();
  EXPECT_EQ(panel.accessStatus().title, "Accessibility access required");
  // The row tells the platform's own reason, which says what to do on this desktop.
  EXPECT_EQ(panel.accessStatus().detail, desktop.untrustedReason());
  EXPECT_EQ(panel.accessButtonTitle(), "Allow Access");
  panel.requestAccess();
  EXPECT_EQ(panel.accessButtonTitle(), "Open Privacy Settings");
  panel.requestAccess();
  EXPECT_EQ(sim.shell.openedURLs.size(), 1u);

  // Where no settings page grants the permission, there is nothing to open.
  desktop.setHasPermissionSettings(false);
  EXPECT_EQ(panel.accessButtonTitle(), std::nullopt);
}

// Without a feed the update switch reads off, whatever was stored, and both controls say why
// they cannot be used; with one the stored switch shows again.
TEST_F(PanelModelsTest, UpdateControlsGiveTheirReasonInABuildWithoutAFeed) {
  GeneralPanelModel panel = general();
  app.updateManager().setAutomaticallyChecks(true);
  EXPECT_EQ(panel.updatesUnavailableReason(), GeneralPanelModel::noFeedReason);
  EXPECT_FALSE(panel.canChangeAutomaticChecks());
  EXPECT_FALSE(panel.automaticallyChecks());
  EXPECT_FALSE(panel.canCheckNow());

  sim.updateService.feedConfigured = true;
  EXPECT_EQ(panel.updatesUnavailableReason(), std::nullopt);
  EXPECT_TRUE(panel.canChangeAutomaticChecks());
  EXPECT_TRUE(panel.automaticallyChecks());
  EXPECT_TRUE(panel.canCheckNow());
}

TEST_F(PanelModelsTest, SnappingPanelKeepsOpacityInRangeAndShowsItAsAPercentage) {
  SnappingPanelModel panel(app.appState(), platform.texts);
  EXPECT_EQ(panel.opacityText(), "35%");
  panel.setOpacity(0.02);
  EXPECT_EQ(panel.opacityText(), "10%");
  panel.setOpacity(0.93);
  EXPECT_EQ(panel.opacityText(), "70%");
  panel.setOpacity(0.449);
  EXPECT_EQ(panel.opacityText(), "45%");

  panel.setEnabled(SnapPosition::center, false);
  EXPECT_FALSE(app.appState().enabledPositions().contains(SnapPosition::center));
  app.appState().setAnimationSpeedRaw("Medium");
  EXPECT_EQ(panel.speed(), AnimationSpeed::normal);
  panel.setAnimationsEnabled(false);
  EXPECT_FALSE(panel.speedPickerEnabled());

  // On until switched off, and stored under its own key.
  EXPECT_TRUE(panel.restoreSizeOnDrag());
  panel.setRestoreSizeOnDrag(false);
  EXPECT_EQ(sim.defaults.application().boolValue("restoreSizeOnDrag"), false);
  EXPECT_FALSE(app.appState().restoreSizeOnDrag());
}

// Both rows are stored under keys of their own, so settings files written before them keep
// today's snapping: cycling on, no gap.
TEST_F(PanelModelsTest, SnappingPanelCyclesSizesByDefaultAndKeepsTheGapInWholePixels) {
  SnappingPanelModel panel(app.appState(), platform.texts);
  Defaults& stored = platform.defaults.application();
  EXPECT_TRUE(panel.cyclesSizes());
  EXPECT_EQ(panel.gap(), 0);
  EXPECT_EQ(panel.gapText(), "0px");
  EXPECT_FALSE(stored.object("cycleSnapSizes").has_value());

  panel.setCyclesSizes(false);
  EXPECT_EQ(stored.boolValue("cycleSnapSizes"), false);
  EXPECT_FALSE(app.appState().cyclesSnapSizes());
  panel.setGap(11.6);
  EXPECT_EQ(stored.integerValue("snapGap"), 12);
  EXPECT_EQ(panel.gapText(), "12px");
  panel.setGap(40);
  EXPECT_EQ(stored.integerValue("snapGap"), 24);
  panel.setGap(-2);
  EXPECT_EQ(stored.integerValue("snapGap"), 0);
  // A stored value out of range, or of the wrong type, shows as the slider can.
  stored.set("snapGap", std::int64_t{90});
  EXPECT_EQ(panel.gapText(), "24px");
  stored.set("snapGap", std::string("wide"));
  EXPECT_EQ(panel.gap(), 0);
}

TEST_F(PanelModelsTest, DragZoneSlidersClampAndPrintTheirValues) {
  DragZonesPanelModel panel = dragZones();
  EXPECT_EQ(panel.dragsNotFollowedNotice(), std::nullopt);
  EXPECT_EQ(panel.valueText(Parameter::edgeSensitivity), "48px");
  EXPECT_EQ(panel.valueText(Parameter::snapDelay), "0.06s");
  panel.setValue(Parameter::edgeSensitivity, 47.9);
  EXPECT_EQ(panel.valueText(Parameter::edgeSensitivity), "47px");
  panel.setValue(Parameter::cornerSensitivity, 500);
  EXPECT_EQ(panel.valueText(Parameter::cornerSensitivity), "150px");
  panel.setValue(Parameter::snapDelay, -1);
  EXPECT_EQ(panel.valueText(Parameter::snapDelay), "0.00s");

  panel.requestReset();
  panel.cancelReset();
  EXPECT_EQ(app.dragZoneManager().cornerSensitivity(), 150);
  panel.requestReset();
  EXPECT_EQ(panel.resetConfirmation()->title, "Reset all drag zone settings?");
  panel.confirmReset();
  EXPECT_EQ(app.dragZoneManager().cornerSensitivity(), 60);
}

TEST_F(PanelModelsTest, ZonePreviewScalesToTheMainScreenAndSaysWhenAllZonesAreOff) {
  DragZonesPanelModel panel = dragZones();
  const DragZonePreview preview = panel.preview(144);
  EXPECT_EQ(preview.size.height, 90);
  ASSERT_EQ(preview.edgeBands.size(), 4u);
  EXPECT_DOUBLE_EQ(preview.edgeBands[1].x, 144 - 4.8);
  EXPECT_DOUBLE_EQ(preview.cornerSquares[3].y, 90 - 6);
  EXPECT_EQ(preview.notice, std::nullopt);

  app.dragZoneManager().setEdgeSnappingEnabled(false);
  EXPECT_TRUE(panel.preview(144).edgeBands.empty());
  app.dragZoneManager().setCornerSnappingEnabled(false);
  EXPECT_EQ(panel.preview(144).notice, "All drag zones are off");
  EXPECT_TRUE(panel.preview(144).cornerSquares.empty());
}

TEST_F(PanelModelsTest, DeletingARuleAsksFirstAndCancelKeepsIt) {
  RuleManager& rules = app.ruleManager();
  RulesPanelModel panel(app.appState(), rules, app.installedAppsCache());
  rules.add(AppRule{Uuid::random(), "com.example.notes", "Notes", SnapPosition::leftHalf, true});
  const Uuid id = rules.rules()[0].id;
  panel.setRuleEnabled(id, false);
  EXPECT_FALSE(rules.rules()[0].isEnabled);

  panel.requestDelete(id);
  EXPECT_EQ(panel.deleteConfirmation(),
            (Confirmation{"Delete the rule for Notes?", "", "Delete Rule"}));
  panel.cancelDelete();
  EXPECT_EQ(rules.rules().size(), 1u);
  panel.requestDelete(id);
  panel.confirmDelete();
  EXPECT_TRUE(rules.rules().empty());

  panel.openAddRuleSheet();
  ASSERT_NE(panel.addRuleSheet(), nullptr);
  panel.addRuleSheet()->close();
  EXPECT_EQ(panel.addRuleSheet(), nullptr);
}

// A rule's row shows its application's icon once the installed applications are read; the read
// starts only when there is a rule to show, and a panel closed meanwhile is not called back.
TEST_F(PanelModelsTest, RuleRowsLearnTheirApplicationsIconsAfterTheScan) {
  sim.installedApps.setApps({{Uuid(), "Notes", "com.example.notes", "accessories-text-editor"},
                             {Uuid(), "Plain", "com.example.plain", std::nullopt}});
  RuleManager& rules = app.ruleManager();
  const AppRule notes{Uuid::random(), "com.example.notes", "Notes", SnapPosition::leftHalf, true};
  const AppRule gone{Uuid::random(), "com.example.gone", "Gone", SnapPosition::rightHalf, true};
  {
    RulesPanelModel closedEarly(app.appState(), rules, app.installedAppsCache());
    closedEarly.appear();
    EXPECT_TRUE(app.installedAppsCache().apps().empty());
  }
  rules.add(notes);
  rules.add(gone);
  {
    RulesPanelModel closedEarly(app.appState(), rules, app.installedAppsCache());
    closedEarly.appear();
  }
  clock.advanceBy(0);

  RulesPanelModel panel(app.appState(), rules, app.installedAppsCache());
  int changes = 0;
  panel.changed.connect([&] { ++changes; });
  panel.appear();
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(panel.iconName(notes), "accessories-text-editor");
  EXPECT_EQ(panel.iconName(gone), std::nullopt);
}

}  // namespace
}  // namespace dovrik
