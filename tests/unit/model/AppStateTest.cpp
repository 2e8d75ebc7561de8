// The settings store: defaults, decoding fallbacks, trust polling, conflicts and the import.
#include <gtest/gtest.h>

#include "core/model/AppState.h"
#include "sim/SimPlatform.h"

namespace dovrik {
namespace {

Bytes bytes(std::string_view text) {
  return Bytes(text.begin(), text.end());
}
std::string text(const Bytes& data) {
  return std::string(data.begin(), data.end());
}

const KeyboardShortcut kCtrlOptLeft{Key::leftArrow, {Modifier::control, Modifier::option}};
const KeyboardShortcut kShiftCmdV{Key::v, {Modifier::shift, Modifier::command}};

class AppStateTest : public ::testing::Test {
 protected:
  sim::SimPlatform sim;
  Platform platform = sim.platform();
  Defaults& stored = sim.defaults.application();
};

TEST_F(AppStateTest, FreshStoreReadsEveryDefaultAndWritesNothing) {
  AppState state(platform);
  EXPECT_TRUE(state.snappingEnabled());
  EXPECT_FALSE(state.launchAtLogin());
  EXPECT_TRUE(state.showSnapPreview());
  EXPECT_DOUBLE_EQ(state.previewOpacity(), 0.35);
  EXPECT_TRUE(state.useRoundedCorners());
  EXPECT_TRUE(state.rulesEnabled());
  EXPECT_TRUE(state.animationsEnabled());
  EXPECT_EQ(state.animationSpeedRaw(), "Normal");
  EXPECT_TRUE(state.fileShelfEnabled());
  EXPECT_EQ(state.fileShelfSize(), 10);
  EXPECT_TRUE(state.clipboardHistoryEnabled());
  EXPECT_EQ(state.clipboardHistorySize(), 25);
  EXPECT_EQ(state.clipboardShortcut().displayString(), "⇧⌘V");
  EXPECT_EQ(state.enabledPositions().size(), 10u);
  EXPECT_EQ(state.shortcuts(), AppState::defaultShortcuts());
  EXPECT_EQ(state.shortcuts().size(), 4u);
  EXPECT_EQ(state.shortcuts().at(SnapPosition::leftHalf).displayString(), "⌃⌥←");
  EXPECT_FALSE(state.hasPromptedForAccessibility());
  EXPECT_TRUE(stored.keys().empty());
}

TEST_F(AppStateTest, EveryWriteIsStoredUnderItsKeyAfterAnnouncingIt) {
  AppState state(platform);
  int announced = 0;
  bool storedBeforeAnnounce = false;
  state.willChange.connect([&] {
    ++announced;
    storedBeforeAnnounce = stored.object("snappingEnabled").has_value();
  });
  state.setSnappingEnabled(false);
  EXPECT_EQ(announced, 1);
  EXPECT_FALSE(storedBeforeAnnounce);
  EXPECT_EQ(stored.boolValue("snappingEnabled"), false);
  state.setFileShelfSize(7);
  state.setPreviewOpacity(0.6);
  state.setAnimationSpeedRaw("Fast");
  EXPECT_EQ(stored.integerValue("fileShelfSize"), 7);
  EXPECT_EQ(stored.doubleValue("previewOpacity"), 0.6);
  EXPECT_EQ(stored.stringValue("animationSpeedRaw"), "Fast");
  // No cache: a value written behind the store's back is what it reads.
  stored.set("snappingEnabled", true);
  EXPECT_TRUE(state.snappingEnabled());
  // A value of the wrong type reads as the default.
  stored.set("fileShelfSize", "5");
  EXPECT_EQ(state.fileShelfSize(), 10);
}

TEST_F(AppStateTest, SnapShortcutTableFallsBackToTheDefaults) {
  AppState state(platform);
  state.setShortcuts({});
  EXPECT_EQ(state.shortcuts(), AppState::defaultShortcuts());

  state.setShortcutsData(bytes(R"({"Middle":{"key":"a","modifiers":["control"]}})"));
  EXPECT_EQ(state.shortcuts(), AppState::defaultShortcuts());

  state.setShortcutsData(bytes(
      R"({"Middle":{"key":"a","modifiers":["control"]},"Top Half":{"key":"t","modifiers":["control","option"]}})"));
  ASSERT_EQ(state.shortcuts().size(), 1u);
  EXPECT_EQ(state.shortcuts().at(SnapPosition::topHalf).displayString(), "⌃⌥T");

  // One undecodable shortcut fails the whole table.
  state.setShortcutsData(bytes(R"({"Top Half":{"key":"t","modifiers":["control"]},"Center":{}})"));
  EXPECT_EQ(state.shortcuts(), AppState::defaultShortcuts());
  state.setShortcutsData(bytes("garbage"));
  EXPECT_EQ(state.shortcuts(), AppState::defaultShortcuts());
  // Reads never rewrite what is stored.
  EXPECT_EQ(state.shortcutsData(), bytes("garbage"));

  AppState::ShortcutTable table = {{SnapPosition::center, kShiftCmdV}};
  state.setShortcuts(table);
  EXPECT_EQ(state.shortcuts(), table);
  EXPECT_EQ(text(state.shortcutsData()),
            R"({"Center":{"key":"v","modifiers":["command","shift"]}})");
}

TEST_F(AppStateTest, EnabledPositionsDecodeLeniently) {
  AppState state(platform);
  state.setEnabledPositionsData(bytes("[]"));
  EXPECT_TRUE(state.enabledPositions().empty());
  state.setEnabledPositionsData(bytes(R"(["Center","Nowhere","Left Half"])"));
  EXPECT_EQ(state.enabledPositions(),
            (std::set<SnapPosition>{SnapPosition::leftHalf, SnapPosition::center}));
  state.setEnabledPositionsData(bytes("garbage"));
  EXPECT_EQ(state.enabledPositions().size(), 10u);
  state.setEnabledPositionsData(bytes(R"(["Center", 3])"));
  EXPECT_EQ(state.enabledPositions().size(), 10u);
  state.setEnabledPositionsData({});
  EXPECT_EQ(state.enabledPositions().size(), 10u);
  state.setEnabledPositions({SnapPosition::topRight, SnapPosition::leftHalf});
  EXPECT_EQ(text(state.enabledPositionsData()), R"(["Left Half","Top Right"])");
}

TEST_F(AppStateTest, UndecodableClipboardShortcutReadsAsShiftCommandV) {
  AppState state(platform);
  state.setClipboardShortcutData(bytes(R"({"key":"c","modifiers":["control","option"]})"));
  EXPECT_EQ(state.clipboardShortcut().displayString(), "⌃⌥C");
  state.setClipboardShortcutData(bytes("{}"));
  EXPECT_EQ(state.clipboardShortcut(), kShiftCmdV);
}

TEST_F(AppStateTest, ConflictsFollowTheOwnerOrderAndTheExclusion) {
  AppState state(platform);
  EXPECT_EQ(state.conflictingAction(kCtrlOptLeft, ShortcutAction::snap(SnapPosition::leftHalf)),
            std::nullopt);
  EXPECT_EQ(state.conflictingAction(kCtrlOptLeft, ShortcutAction::clipboardHistory()),
            ShortcutAction::snap(SnapPosition::leftHalf));
  EXPECT_EQ(state.conflictingAction(kShiftCmdV, ShortcutAction::snap(SnapPosition::leftHalf)),
            ShortcutAction::clipboardHistory());
  EXPECT_EQ(state.conflictingAction(kShiftCmdV, ShortcutAction::clipboardHistory()), std::nullopt);

  const Uuid desk = *Uuid::fromString("00000000-0000-4000-8000-000000000001");
  const KeyboardShortcut ctrlD{Key::d, {Modifier::control}};
  state.setHooks({.workspaceShortcuts =
                      [&] {
                        return std::vector<std::pair<Uuid, std::optional<KeyboardShortcut>>>{
                            {Uuid{}, std::nullopt}, {desk, ctrlD}};
                      },
                  .workspaceName = [&](const Uuid& id) -> std::optional<std::string> {
                    if (id == desk)
                      return "Desk";
                    return std::nullopt;
                  }});
  const auto owner = state.conflictingAction(ctrlD, ShortcutAction::clipboardHistory());
  ASSERT_EQ(owner, ShortcutAction::workspace(desk));
  EXPECT_EQ(state.conflictNotice(ctrlD, *owner), "⌃D is already assigned to Desk.");
  EXPECT_EQ(state.conflictingAction(ctrlD, ShortcutAction::workspace(desk)), std::nullopt);
}

TEST_F(AppStateTest, ResetClipboardShortcutRefusesWhenASnapPositionOwnsIt) {
  AppState state(platform);
  int registrations = 0;
  state.setHooks({.registerClipboardHotkey = [&] { ++registrations; }});
  const Bytes custom = bytes(R"({"key":"c","modifiers":["control"]})");
  state.setClipboardShortcutData(custom);
  state.setShortcuts({{SnapPosition::leftHalf, kShiftCmdV}});

  EXPECT_EQ(state.resetClipboardShortcut(), "⇧⌘V is already assigned to Left Half.");
  EXPECT_EQ(sim.shell.beeps, 1);
  EXPECT_EQ(state.clipboardShortcutData(), custom);
  EXPECT_EQ(registrations, 0);

  state.setShortcuts({});
  EXPECT_EQ(state.resetClipboardShortcut(), std::nullopt);
  EXPECT_EQ(state.clipboardShortcut(), kShiftCmdV);
  EXPECT_EQ(registrations, 1);
}

TEST_F(AppStateTest, PollsTrustEveryHalfSecondUntilTrusted) {
  sim.desktop.setTrusted(false);
  AppState state(platform);
  int trustedCalls = 0, changes = 0;
  state.setHooks({.onTrusted = [&] { ++trustedCalls; }, .onTrustChanged = [&] { ++changes; }});
  EXPECT_FALSE(state.hasAccessibilityPermission());
  EXPECT_TRUE(state.isPollingPermission());
  sim.clock.advanceBy(2);
  EXPECT_EQ(trustedCalls, 0);
  EXPECT_EQ(changes, 0);

  sim.desktop.setTrusted(true);
  sim.clock.advanceBy(0.5);
  EXPECT_TRUE(state.hasAccessibilityPermission());
  EXPECT_FALSE(state.isPollingPermission());
  EXPECT_EQ(trustedCalls, 1);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(sim.clock.pendingCount(), 0u);

  // A later loss of trust is noticed only through explicit calls, and polling stays off.
  state.apply(false);
  EXPECT_EQ(changes, 2);
  EXPECT_FALSE(state.isPollingPermission());
  state.apply(true);
  state.apply(true);
  EXPECT_EQ(trustedCalls, 3);
  EXPECT_EQ(changes, 3);
}

TEST_F(AppStateTest, TrustedAtCreationDoesNotRunTheTrustedStepsUntilPolled) {
  sim.desktop.setTrusted(true);
  AppState state(platform);
  int trustedCalls = 0;
  state.setHooks({.onTrusted = [&] { ++trustedCalls; }});
  EXPECT_TRUE(state.hasAccessibilityPermission());
  EXPECT_EQ(trustedCalls, 0);
  sim.clock.advanceBy(0.5);
  EXPECT_EQ(trustedCalls, 1);
  EXPECT_FALSE(state.isPollingPermission());
}

TEST_F(AppStateTest, DestroyedStoreStopsPolling) {
  sim.desktop.setTrusted(false);
  { AppState state(platform); }
  EXPECT_EQ(sim.clock.pendingCount(), 0u);
  sim.clock.advanceBy(5);
}

TEST_F(AppStateTest, PromptsForTrustOnlyOnce) {
  AppState state(platform);
  EXPECT_TRUE(state.requestAccessibilityPermission());
  EXPECT_FALSE(state.requestAccessibilityPermission());
  EXPECT_EQ(sim.desktop.trustPrompts(), 1);
  EXPECT_EQ(stored.boolValue("hasPromptedForAccessibility"), true);
  state.openAccessibilitySettings();
  EXPECT_EQ(sim.shell.openedURLs,
            std::vector<std::string>{
                "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility"});
}

TEST_F(AppStateTest, LaunchAtLoginKeepsTheChoiceWhenTheServiceFails) {
  AppState state(platform);
  state.setLaunchAtLogin(true);
  EXPECT_TRUE(sim.loginItem.registered);
  sim.loginItem.failure = "not allowed";
  state.setLaunchAtLogin(false);
  EXPECT_FALSE(state.launchAtLogin());
  EXPECT_TRUE(sim.loginItem.registered);
  EXPECT_EQ(sim.shell.printedLines, std::vector<std::string>{"Launch at login error: not allowed"});
}

TEST_F(AppStateTest, ImportCopiesOnlyMissingSelectedKeysOnce) {
  Defaults& legacy = sim.defaults.addDomain("com.quillmoor.app");
  legacy.set("snappingEnabled", false);
  legacy.set("fileShelfSize", 5);
  legacy.set("unrelated", "x");
  stored.set("fileShelfSize", 8);

  AppState::migrateLegacyDefaultsIfNeeded(sim.defaults, sim.shell);
  EXPECT_EQ(stored.boolValue("snappingEnabled"), false);
  EXPECT_EQ(stored.integerValue("fileShelfSize"), 8);
  EXPECT_FALSE(stored.object("unrelated"));
  EXPECT_EQ(stored.boolValue("migratedFromQuillmoor"), true);
  EXPECT_EQ(sim.shell.logLines,
            std::vector<std::string>{"[Dovrik] migrated 2 settings from the previous bundle id"});

  legacy.set("showSnapPreview", false);
  AppState::migrateLegacyDefaultsIfNeeded(sim.defaults, sim.shell);
  EXPECT_FALSE(stored.object("showSnapPreview"));
  EXPECT_EQ(sim.shell.logLines.size(), 1u);
}

TEST_F(AppStateTest, ImportCarriesManagerKeysAndUnusedPreferencesAsTheyAre) {
  Defaults& legacy = sim.defaults.addDomain("com.quillmoor.app");
  legacy.set("qlm.workspaces", Bytes{1, 2, 3});
  legacy.set("dz_edgeSensitivity", 30.5);
  legacy.set("smartSnappingEnabled", true);
  legacy.set("qlmworkspaces", true);
  AppState::migrateLegacyDefaultsIfNeeded(sim.defaults, sim.shell);
  EXPECT_EQ(stored.dataValue("qlm.workspaces"), (Bytes{1, 2, 3}));
  EXPECT_EQ(stored.doubleValue("dz_edgeSensitivity"), 30.5);
  EXPECT_EQ(stored.boolValue("smartSnappingEnabled"), true);
  EXPECT_FALSE(stored.object("qlmworkspaces"));
  EXPECT_EQ(sim.shell.logLines.back(), "[Dovrik] migrated 3 settings from the previous bundle id");
}

TEST_F(AppStateTest, ImportWithoutAPredecessorOnlySetsTheFlag) {
  AppState::migrateLegacyDefaultsIfNeeded(sim.defaults, sim.shell);
  EXPECT_EQ(stored.keys(), std::vector<std::string>{"migratedFromQuillmoor"});
  sim.defaults.addDomain("com.quillmoor.app").set("other", 1);
  stored.remove("migratedFromQuillmoor");
  AppState::migrateLegacyDefaultsIfNeeded(sim.defaults, sim.shell);
  EXPECT_EQ(stored.keys(), std::vector<std::string>{"migratedFromQuillmoor"});
  EXPECT_TRUE(sim.shell.logLines.empty());
}

}  // namespace
}  // namespace dovrik
