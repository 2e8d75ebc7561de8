// The settings store: defaults, decoding fallbacks, trust polling, conflicts and the import.
#include <gtest/gtest.h>

#include "core/model/AppState.h"
#include "sim/SimPlatform.h"

namespace dovrik {
namespace {

const KeyboardShortcut kCtrlOptLeft{Key::leftArrow, {Modifier::control, Modifier::option}};
const KeyboardShortcut kShiftCmdV{Key::v, {Modifier::shift, Modifier::command}};

class AppStateTest : public ::testing::Test {
 protected:
  static Bytes bytes(std::string_view text) { return Bytes(text.begin(), text.end()); }
  static std::string text(const Bytes& data) { return std::string(data.begin(), data.end()); }

  sim::SimPlatform sim;
  Platform platform = sim.platform();
  Defaults& stored = sim.defaults.application();
};

TEST_F(AppStateTest, ReadsDefaultsWithoutWritingAndStoresEachWriteAfterAnnouncingIt) {
  AppState state(platform);
  EXPECT_FALSE(state.launchAtLogin());
  EXPECT_EQ(state.shortcuts(), AppState::defaultShortcuts());
  EXPECT_EQ(state.shortcuts().at(SnapPosition::leftHalf).displayString(), "⌃⌥←");
  EXPECT_FALSE(state.hasPromptedForAccessibility());
  EXPECT_TRUE(stored.keys().empty());

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

TEST(PreferenceTableTest, DataFallbacksAreWhatTheEncodersWriteForTheDefaults) {
  EXPECT_EQ(AppState::defaultClipboardShortcut().toJson().dump(),
            prefs::clipboardShortcutData.fallback);
  Json all = Json::array();
  for (SnapPosition p : allSnapPositions)
    all.push_back(toJson(p));
  EXPECT_EQ(all.dump(), prefs::enabledPositionsData.fallback);
}

TEST_F(AppStateTest, StoredDataDecodesOrFallsBackToTheDefaults) {
  AppState state(platform);
  // The snap shortcut table: stored empty before "none" could be chosen, or with one
  // undecodable entry, it fails as a whole.
  state.setShortcutsData(bytes("{}"));
  EXPECT_EQ(state.shortcuts(), AppState::defaultShortcuts());
  state.setShortcutsData(bytes(R"({"Middle":{"key":"a","modifiers":["control"]}})"));
  EXPECT_EQ(state.shortcuts(), AppState::defaultShortcuts());
  state.setShortcutsData(bytes(
      R"({"Middle":{"key":"a","modifiers":["control"]},"Top Half":{"key":"t","modifiers":["control","option"]}})"));
  ASSERT_EQ(state.shortcuts().size(), 1u);
  EXPECT_EQ(state.shortcuts().at(SnapPosition::topHalf).displayString(), "⌃⌥T");
  state.setShortcutsData(bytes(R"({"Top Half":{"key":"t","modifiers":["control"]},"Center":{}})"));
  EXPECT_EQ(state.shortcuts(), AppState::defaultShortcuts());
  state.setShortcutsData(bytes("garbage"));
  EXPECT_EQ(state.shortcuts(), AppState::defaultShortcuts());
  EXPECT_EQ(state.shortcutsData(), bytes("garbage")) << "reads never rewrite what is stored";
  const AppState::ShortcutTable table = {{SnapPosition::center, kShiftCmdV}};
  state.setShortcuts(table);
  EXPECT_EQ(state.shortcuts(), table);
  EXPECT_EQ(text(state.shortcutsData()),
            R"({"Center":{"key":"v","modifiers":["command","shift"]}})");

  // Enabled positions skip unknown names but not entries of the wrong kind.
  state.setEnabledPositionsData(bytes("[]"));
  EXPECT_TRUE(state.enabledPositions().empty());
  state.setEnabledPositionsData(bytes(R"(["Center","Nowhere","Left Half"])"));
  EXPECT_EQ(state.enabledPositions(),
            (std::set<SnapPosition>{SnapPosition::leftHalf, SnapPosition::center}));
  for (const Bytes& data : {bytes("garbage"), bytes(R"(["Center", 3])"), Bytes{}}) {
    state.setEnabledPositionsData(data);
    EXPECT_EQ(state.enabledPositions().size(), 10u) << text(data);
  }
  state.setEnabledPositions({SnapPosition::topRight, SnapPosition::leftHalf});
  EXPECT_EQ(text(state.enabledPositionsData()), R"(["Left Half","Top Right"])");

  EXPECT_EQ(state.clipboardShortcut(), kShiftCmdV);
  state.setClipboardShortcutData(bytes(R"({"key":"c","modifiers":["control","option"]})"));
  EXPECT_EQ(state.clipboardShortcut().displayString(), "⌃⌥C");
  state.setClipboardShortcutData(bytes("{}"));
  EXPECT_EQ(state.clipboardShortcut(), kShiftCmdV);
}

TEST_F(AppStateTest, ConflictsFollowTheOwnerOrderAndTheExclusion) {
  AppState state(platform);
  const auto snapLeft = ShortcutAction::snap(SnapPosition::leftHalf);
  const auto clipboard = ShortcutAction::clipboardHistory();
  EXPECT_EQ(state.conflictingAction(kCtrlOptLeft, snapLeft), std::nullopt);
  EXPECT_EQ(state.conflictingAction(kCtrlOptLeft, clipboard), snapLeft);
  EXPECT_EQ(state.conflictingAction(kShiftCmdV, snapLeft), clipboard);
  EXPECT_EQ(state.conflictingAction(kShiftCmdV, clipboard), std::nullopt);

  const Uuid desk = *Uuid::fromString("00000000-0000-4000-8000-000000000001");
  const KeyboardShortcut ctrlD{Key::d, {Modifier::control}};
  const std::vector<std::pair<Uuid, std::optional<KeyboardShortcut>>> workspaces = {
      {Uuid{}, std::nullopt}, {desk, ctrlD}};
  state.setHooks({.workspaceShortcuts = [&] { return workspaces; },
                  .workspaceName = [&](const Uuid& id) -> std::optional<std::string> {
                    return id == desk ? std::optional<std::string>("Desk") : std::nullopt;
                  }});
  const auto owner = state.conflictingAction(ctrlD, clipboard);
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

TEST_F(AppStateTest, PollsTrustEveryHalfSecondUntilTrustedAndStopsWhenDestroyed) {
  sim.desktop.setTrusted(false);
  { AppState doomed(platform); }
  EXPECT_EQ(sim.clock.pendingCount(), 0u);

  AppState state(platform);
  int trustedCalls = 0, changes = 0;
  state.setHooks({.onTrusted = [&] { ++trustedCalls; }, .onTrustChanged = [&] { ++changes; }});
  EXPECT_FALSE(state.hasAccessibilityPermission());
  EXPECT_TRUE(state.isPollingPermission());
  sim.clock.advanceBy(2);
  EXPECT_EQ(trustedCalls + changes, 0);

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

  // Trusted at creation: the trusted steps still wait for the first poll.
  AppState later(platform);
  int laterTrustedCalls = 0;
  later.setHooks({.onTrusted = [&] { ++laterTrustedCalls; }});
  EXPECT_TRUE(later.hasAccessibilityPermission());
  EXPECT_EQ(laterTrustedCalls, 0);
  sim.clock.advanceBy(0.5);
  EXPECT_EQ(laterTrustedCalls, 1);
  EXPECT_FALSE(later.isPollingPermission());
}

TEST_F(AppStateTest, WhereTrustChangesAreAnnouncedNothingPollsAndOnlyRealChangesApply) {
  sim.desktop.announceTrustChanges();
  sim.desktop.setTrusted(false);
  AppState state(platform);
  int trustedCalls = 0, changes = 0;
  state.setHooks({.onTrusted = [&] { ++trustedCalls; }, .onTrustChanged = [&] { ++changes; }});
  state.startPermissionPolling();
  EXPECT_FALSE(state.isPollingPermission());
  EXPECT_EQ(sim.clock.pendingCount(), 0u);

  sim.desktop.setTrusted(false);
  EXPECT_EQ(trustedCalls + changes, 0);
  sim.desktop.setTrusted(true);
  sim.desktop.setTrusted(true);
  EXPECT_TRUE(state.hasAccessibilityPermission());
  EXPECT_EQ(trustedCalls, 1);
  sim.desktop.setTrusted(false);
  EXPECT_FALSE(state.hasAccessibilityPermission());
  EXPECT_EQ(changes, 2);
}

TEST_F(AppStateTest, PromptsOnceAndKeepsTheLoginChoiceWhenTheServiceFails) {
  AppState state(platform);
  EXPECT_TRUE(state.requestAccessibilityPermission());
  EXPECT_FALSE(state.requestAccessibilityPermission());
  EXPECT_EQ(sim.desktop.trustPrompts(), 1);
  EXPECT_EQ(stored.boolValue("hasPromptedForAccessibility"), true);
  state.openAccessibilitySettings();
  EXPECT_EQ(sim.shell.openedURLs,
            std::vector<std::string>{
                "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility"});

  state.setLaunchAtLogin(true);
  EXPECT_TRUE(sim.loginItem.registered);
  sim.loginItem.failure = "not allowed";
  state.setLaunchAtLogin(false);
  EXPECT_FALSE(state.launchAtLogin());
  EXPECT_TRUE(sim.loginItem.registered);
  EXPECT_EQ(sim.shell.printedLines, std::vector<std::string>{"Launch at login error: not allowed"});
}

TEST_F(AppStateTest, ImportCopiesOnlyMissingSelectedKeysOnce) {
  const auto migrate = [&] {
    stored.remove("migratedFromQuillmoor");
    AppState::migrateLegacyDefaultsIfNeeded(sim.defaults, sim.shell);
  };
  // Without a predecessor, or one with nothing selected, only the flag is set.
  migrate();
  EXPECT_EQ(stored.keys(), std::vector<std::string>{"migratedFromQuillmoor"});
  Defaults& legacy = sim.defaults.addDomain("com.quillmoor.app");
  legacy.set("unrelated", "x");
  legacy.set("qlmworkspaces", true);
  migrate();
  EXPECT_EQ(stored.keys(), std::vector<std::string>{"migratedFromQuillmoor"});
  EXPECT_TRUE(sim.shell.logLines.empty());

  // Settings, manager keys and unused preferences travel as they are; present ones stay.
  legacy.set("snappingEnabled", false);
  legacy.set("fileShelfSize", 5);
  legacy.set("qlm.workspaces", Bytes{1, 2, 3});
  legacy.set("dz_edgeSensitivity", 30.5);
  legacy.set("smartSnappingEnabled", true);
  stored.set("fileShelfSize", 8);
  migrate();
  EXPECT_EQ(stored.boolValue("snappingEnabled"), false);
  EXPECT_EQ(stored.integerValue("fileShelfSize"), 8);
  EXPECT_EQ(stored.dataValue("qlm.workspaces"), (Bytes{1, 2, 3}));
  EXPECT_EQ(stored.doubleValue("dz_edgeSensitivity"), 30.5);
  EXPECT_EQ(stored.boolValue("smartSnappingEnabled"), true);
  EXPECT_FALSE(stored.object("unrelated"));
  EXPECT_FALSE(stored.object("qlmworkspaces"));
  EXPECT_EQ(stored.boolValue("migratedFromQuillmoor"), true);
  EXPECT_EQ(sim.shell.logLines,
            std::vector<std::string>{"[Dovrik] migrated 5 settings from the previous bundle id"});

  legacy.set("showSnapPreview", false);
  AppState::migrateLegacyDefaultsIfNeeded(sim.defaults, sim.shell);
  EXPECT_FALSE(stored.object("showSnapPreview"));
  EXPECT_EQ(sim.shell.logLines.size(), 1u);
}

TEST_F(AppStateTest, NoSnapShortcutsAtAllStaysChosenAcrossARestart) {
  AppState(platform).setShortcuts({});
  EXPECT_TRUE(AppState(platform).shortcuts().empty());
  AppState(platform).setShortcuts({{SnapPosition::center, kShiftCmdV}});
  EXPECT_EQ(AppState(platform).shortcuts().size(), 1u);
  // Choosing shortcuts again ends "none": a later empty table from elsewhere means defaults.
  AppState(platform).setShortcutsData(bytes("{}"));
  EXPECT_EQ(AppState(platform).shortcuts(), AppState::defaultShortcuts());
}

TEST_F(AppStateTest, WindowCommandShortcutsKeepTheirDefaultsUntilChosenIncludingNone) {
  // A store from before the commands existed: snap shortcuts chosen, no entry for them.
  AppState(platform).setShortcuts({{SnapPosition::center, kShiftCmdV}});
  EXPECT_EQ(AppState(platform).windowActionShortcuts(), AppState::defaultWindowActionShortcuts());
  const auto defaults = AppState::defaultWindowActionShortcuts();
  EXPECT_EQ(defaults.at(WindowAction::nextDisplay).displayString(), "⌃⌥⌘→");
  EXPECT_EQ(defaults.at(WindowAction::previousDisplay).displayString(), "⌃⌥⌘←");
  EXPECT_EQ(defaults.at(WindowAction::restore).displayString(), "⌃⌥⌫");

  AppState(platform).setWindowActionShortcut(WindowAction::restore, std::nullopt);
  AppState(platform).setWindowActionShortcut(WindowAction::nextDisplay, kShiftCmdV);
  const AppState::WindowActionShortcuts chosen = AppState(platform).windowActionShortcuts();
  EXPECT_EQ(chosen,
            (AppState::WindowActionShortcuts{
                {WindowAction::nextDisplay, kShiftCmdV},
                {WindowAction::previousDisplay, defaults.at(WindowAction::previousDisplay)}}));
  EXPECT_EQ(AppState(platform).shortcuts().size(), 1u) << "the snap table is its own";

  // An unreadable entry falls back for that command alone.
  stored.set("windowActionShortcutsData", bytes(R"({"Next Display":{"key":"?"},"Restore":null})"));
  EXPECT_EQ(AppState(platform).windowActionShortcuts().at(WindowAction::nextDisplay),
            defaults.at(WindowAction::nextDisplay));
  EXPECT_FALSE(AppState(platform).windowActionShortcuts().contains(WindowAction::restore));
  // The command owns its shortcut against recorders of other actions.
  EXPECT_EQ(AppState(platform).conflictingAction(defaults.at(WindowAction::previousDisplay),
                                                 ShortcutAction::clipboardHistory()),
            ShortcutAction::window(WindowAction::previousDisplay));
}

}  // namespace
}  // namespace dovrik
