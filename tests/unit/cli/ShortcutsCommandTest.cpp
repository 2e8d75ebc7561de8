// `dovrik shortcuts` (the simulated desktop writes shortcuts with the macOS glyphs): typed key
// combinations, the words checked in the client, and the shortcuts listed, set, cleared and reset
// in the running Dovrik as the Shortcuts panel would.
#include <gtest/gtest.h>

#include <variant>

#include "core/app/App.h"
#include "core/cli/CommandLine.h"
#include "core/cli/CommandMessages.h"
#include "core/cli/ShortcutArgument.h"
#include "tests/unit/cli/AnswerNow.h"
#include "tests/unit/cli/CommandExpectations.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik::cli {
namespace {

TEST(ShortcutArgumentTest, ReadsModifiersAndKeysInAnySpellingAndSaysWhatIsWrong) {
  const KeyboardShortcut ctrlAltSuperRight{
      Key::rightArrow, {Modifier::control, Modifier::option, Modifier::command}};
  EXPECT_EQ(std::get<KeyboardShortcut>(shortcutFromArgument("ctrl+alt+super+right")),
            ctrlAltSuperRight);
  EXPECT_EQ(std::get<KeyboardShortcut>(shortcutFromArgument("Ctrl+Alt+Super+→")),
            ctrlAltSuperRight);
  EXPECT_EQ(std::get<KeyboardShortcut>(shortcutFromArgument("CONTROL+Option+Meta+Right")),
            ctrlAltSuperRight);
  EXPECT_EQ(std::get<KeyboardShortcut>(shortcutFromArgument("ctrl+alt+backspace")),
            (KeyboardShortcut{Key::backspace, {Modifier::control, Modifier::option}}));
  EXPECT_EQ(std::get<KeyboardShortcut>(shortcutFromArgument("Shift+Super+V")),
            (KeyboardShortcut{Key::v, {Modifier::shift, Modifier::command}}));

  const auto error = [](std::string_view text) {
    const auto parsed = shortcutFromArgument(text);
    return std::holds_alternative<std::string>(parsed) ? std::get<std::string>(parsed) : "";
  };
  EXPECT_EQ(error("hyper+a").rfind("unknown modifier \"hyper\"", 0), 0u);
  EXPECT_EQ(error("ctrl+f5").rfind("unknown key \"f5\"", 0), 0u);
  EXPECT_EQ(error("ctrl+ctrl+a"), "\"ctrl\" is named twice in \"ctrl+ctrl+a\".");
  EXPECT_EQ(error("ctrl+alt").rfind("\"ctrl+alt\" has no key", 0), 0u);
  EXPECT_EQ(error("ctrl+").rfind("\"ctrl+\" has no key", 0), 0u);
  EXPECT_EQ(error("v").rfind("\"v\" has no modifier", 0), 0u);
}

class ShortcutsCommandTest : public ::testing::Test {
 protected:
  test::SimWorld world;
  std::unique_ptr<App> app = started();

  std::unique_ptr<App> started() {
    auto made = std::make_unique<App>(world.platform);
    made->start();
    return made;
  }
  CommandOutcome ask(const std::vector<std::string>& words) {
    return testing::answerNow(*app, encodeRequest(words));
  }
  std::optional<KeyboardShortcut> snapShortcut(SnapPosition position) {
    const auto table = app->appState().shortcuts();
    const auto it = table.find(position);
    return it == table.end() ? std::nullopt : std::optional(it->second);
  }
};

TEST_F(ShortcutsCommandTest, RefusesWrongWordsInTheClient) {
  expectRefusedInTheClient({
      {"unknown verb", {"shortcuts", "bind"}},
      {"list with an argument", {"shortcuts", "list", "all"}},
      {"set without a shortcut", {"shortcuts", "set", "left-half"}},
      {"set on an unknown action", {"shortcuts", "set", "sideways", "ctrl+a"}},
      {"set without a modifier", {"shortcuts", "set", "left-half", "a"}},
      {"clear without an action", {"shortcuts", "clear"}},
      {"clear the clipboard history", {"shortcuts", "clear", "clipboard-history"}},
  });
  EXPECT_EQ(parseCommandLine({"shortcuts", "set", "Left", "Half", "ctrl+alt+h"}, "1").action,
            Invocation::Action::forward);
}

TEST_F(ShortcutsCommandTest, ListsEveryActionWithItsShortcutOrNone) {
  const std::string listing = ask({"shortcuts"}).out;
  EXPECT_NE(listing.find("left-half          ⌃⌥←\n"), std::string::npos) << listing;
  EXPECT_NE(listing.find("top-left           none\n"), std::string::npos) << listing;
  EXPECT_NE(listing.find("next-display       ⌃⌥⌘→\n"), std::string::npos) << listing;
  EXPECT_NE(listing.find("restore            ⌃⌥⌫\n"), std::string::npos) << listing;
  EXPECT_NE(listing.find("clipboard-history  ⇧⌘V\n"), std::string::npos) << listing;
  EXPECT_EQ(ask({"shortcuts", "list"}).out, listing);
}

TEST_F(ShortcutsCommandTest, SetsAndClearsAShortcutAndTheHotkeyFollows) {
  EXPECT_EQ(ask({"shortcuts", "set", "top-left", "ctrl+alt+u"}), CommandOutcome::done());
  EXPECT_EQ(snapShortcut(SnapPosition::topLeft),
            (KeyboardShortcut{Key::u, {Modifier::control, Modifier::option}}));
  const int uKey = keyCode(Key::u);
  EXPECT_EQ(world.hotkeys.press(uKey, test::kCtrlOpt), 0);

  EXPECT_EQ(ask({"shortcuts", "clear", "left-half"}), CommandOutcome::done());
  EXPECT_EQ(snapShortcut(SnapPosition::leftHalf), std::nullopt);
  EXPECT_EQ(ask({"shortcuts", "set", "clipboard-history", "ctrl+shift+v"}), CommandOutcome::done());
  EXPECT_EQ(app->appState().clipboardShortcut(),
            (KeyboardShortcut{Key::v, {Modifier::control, Modifier::shift}}));
}

TEST_F(ShortcutsCommandTest, RefusesAShortcutAnotherActionHoldsAndChangesNothing) {
  expectFailure(ask({"shortcuts", "set", "restore", "ctrl+alt+left"}), 1,
                "⌃⌥← is already assigned to Left Half.");
  EXPECT_EQ(app->appState().windowActionShortcuts().at(WindowAction::restore),
            (KeyboardShortcut{Key::backspace, {Modifier::control, Modifier::option}}));
}

TEST_F(ShortcutsCommandTest, SaysWhenTheDesktopRefusesTheNewShortcutButKeepsIt) {
  world.hotkeys.ownByOtherApplication(keyCode(Key::j), test::kCtrlOpt);
  const CommandOutcome outcome = ask({"shortcuts", "set", "right-half", "ctrl+alt+j"});
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_NE(outcome.err.find("refused ⌃⌥J"), std::string::npos) << outcome.err;
  EXPECT_NE(ask({"shortcuts"}).out.find("right-half         ⌃⌥J  (refused by the desktop)"),
            std::string::npos);
}

TEST_F(ShortcutsCommandTest, NoSnapShortcutsSurviveARestartAndResetBringsTheDefaultsBack) {
  for (const char* position : {"left-half", "right-half", "full-screen", "center"})
    EXPECT_EQ(ask({"shortcuts", "clear", position}), CommandOutcome::done()) << position;
  app.reset();
  app = started();
  EXPECT_TRUE(app->appState().shortcuts().empty());
  EXPECT_TRUE(world.hotkeys.registered().size() < 4 + allWindowActions.size());

  ask({"shortcuts", "reset"});
  EXPECT_EQ(app->appState().shortcuts(), AppState::defaultShortcuts());
}

}  // namespace
}  // namespace dovrik::cli
