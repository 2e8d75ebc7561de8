// The settings store: defaults, announcements, decoding fallbacks and the login item.
#include <gtest/gtest.h>

#include "core/model/AppState.h"
#include "sim/SimPlatform.h"
#include "tests/unit/support/SettingsOf.h"

namespace dovrik {
namespace {

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
  AppState state = test::appStateOf(platform);
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
  AppState state = test::appStateOf(platform);
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

TEST_F(AppStateTest, KeepsTheLoginChoiceWhenTheServiceFails) {
  AppState state = test::appStateOf(platform);
  state.setLaunchAtLogin(true);
  EXPECT_TRUE(sim.loginItem.registered);
  sim.loginItem.failure = "not allowed";
  state.setLaunchAtLogin(false);
  EXPECT_FALSE(state.launchAtLogin());
  EXPECT_TRUE(sim.loginItem.registered);
  EXPECT_EQ(sim.shell.printedLines, std::vector<std::string>{"Launch at login error: not allowed"});
}

TEST_F(AppStateTest, NoSnapShortcutsAtAllStaysChosenAcrossARestart) {
  test::appStateOf(platform).setShortcuts({});
  EXPECT_TRUE(test::appStateOf(platform).shortcuts().empty());
  test::appStateOf(platform).setShortcuts({{SnapPosition::center, kShiftCmdV}});
  EXPECT_EQ(test::appStateOf(platform).shortcuts().size(), 1u);
  // Choosing shortcuts again ends "none": a later empty table from elsewhere means defaults.
  test::appStateOf(platform).setShortcutsData(bytes("{}"));
  EXPECT_EQ(test::appStateOf(platform).shortcuts(), AppState::defaultShortcuts());
}

TEST_F(AppStateTest, WindowCommandShortcutsKeepTheirDefaultsUntilChosenIncludingNone) {
  // A store from before the commands existed: snap shortcuts chosen, no entry for them.
  test::appStateOf(platform).setShortcuts({{SnapPosition::center, kShiftCmdV}});
  EXPECT_EQ(test::appStateOf(platform).windowActionShortcuts(),
            AppState::defaultWindowActionShortcuts());
  const auto defaults = AppState::defaultWindowActionShortcuts();
  EXPECT_EQ(defaults.at(WindowAction::nextDisplay).displayString(), "⌃⌥⌘→");
  EXPECT_EQ(defaults.at(WindowAction::previousDisplay).displayString(), "⌃⌥⌘←");
  EXPECT_EQ(defaults.at(WindowAction::restore).displayString(), "⌃⌥⌫");

  test::appStateOf(platform).setWindowActionShortcut(WindowAction::restore, std::nullopt);
  test::appStateOf(platform).setWindowActionShortcut(WindowAction::nextDisplay, kShiftCmdV);
  const AppState::WindowActionShortcuts chosen = test::appStateOf(platform).windowActionShortcuts();
  EXPECT_EQ(chosen,
            (AppState::WindowActionShortcuts{
                {WindowAction::nextDisplay, kShiftCmdV},
                {WindowAction::previousDisplay, defaults.at(WindowAction::previousDisplay)}}));
  EXPECT_EQ(test::appStateOf(platform).shortcuts().size(), 1u) << "the snap table is its own";

  // An unreadable entry falls back for that command alone.
  stored.set("windowActionShortcutsData", bytes(R"({"Next Display":{"key":"?"},"Restore":null})"));
  EXPECT_EQ(test::appStateOf(platform).windowActionShortcuts().at(WindowAction::nextDisplay),
            defaults.at(WindowAction::nextDisplay));
  EXPECT_FALSE(test::appStateOf(platform).windowActionShortcuts().contains(WindowAction::restore));
}

}  // namespace
}  // namespace dovrik
