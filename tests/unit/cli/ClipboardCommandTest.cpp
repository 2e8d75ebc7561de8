// `dovrik clipboard`: the entry number checked in the client and in the running Dovrik, and
// what each verb shows or changes.
#include <gtest/gtest.h>

#include "core/app/App.h"
#include "core/cli/CommandLine.h"
#include "core/cli/CommandMessages.h"
#include "tests/unit/cli/AnswerNow.h"
#include "tests/unit/cli/CommandExpectations.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik::cli {
namespace {

class ClipboardCommandTest : public ::testing::Test, public test::SimWorld {
 protected:
  ClipboardCommandTest() {
    app.start();
    for (const char* text : {"https://a.example", "two\nlines", "last"}) {
      sim.pasteboard.copyText(text);
      clock.advanceBy(0.01);
    }
  }
  CommandOutcome ask(const std::vector<std::string>& words) {
    return testing::answerNow(app, encodeRequest(words));
  }
  static CommandOutcome failed(const std::string& line) {
    return CommandOutcome::failure(ExitStatus::failed, line);
  }
  App app{platform};
};

TEST_F(ClipboardCommandTest, ListsNewestFirstAndRefusesNumbersOutsideTheList) {
  clock.advanceBy(12);
  EXPECT_EQ(ask({"clipboard", "list"}), CommandOutcome::done("1   text — 12s ago — last\n"
                                                             "2   text — 12s ago — two\n"
                                                             "3   link — 12s ago — "
                                                             "https://a.example\n"));
  EXPECT_EQ(ask({"clipboard", "list", "--json"}).out,
            encodeClipboardItems(app.clipboardManager().items()) + "\n");
  for (const char* number : {"0", "4", "99999999999999999999999"})
    EXPECT_EQ(ask({"clipboard", "copy", number}),
              failed("There is no entry " + std::string(number) + "; N is from 1 to 3."));
  const Invocation word = parseCommandLine({"clipboard", "pin", "-1"}, "1");
  EXPECT_EQ(word.action, Invocation::Action::answerHere);
  EXPECT_EQ(word.outcome, CommandOutcome::failure(ExitStatus::usage,
                                                  "dovrik clipboard: \"-1\" is not an entry "
                                                  "number; N is from 1 to the last number "
                                                  "`dovrik clipboard list` shows."));
}

TEST_F(ClipboardCommandTest, PinDeleteAndClearChangeTheHistory) {
  EXPECT_EQ(ask({"clipboard", "pin", "3"}), CommandOutcome::done("Entry 3 is pinned.\n"));
  EXPECT_EQ(ask({"clipboard", "delete", "1"}), CommandOutcome::done());
  EXPECT_EQ(ask({"clipboard", "clear"}), CommandOutcome::done());
  EXPECT_EQ(ask({"clipboard", "list"}),
            CommandOutcome::done("1 * link — Just now — https://a.example\n"));
  EXPECT_EQ(ask({"clipboard", "pin", "1"}), CommandOutcome::done("Entry 1 is no longer pinned.\n"));
  EXPECT_EQ(ask({"clipboard", "clear"}), CommandOutcome::done());
  EXPECT_EQ(ask({"clipboard", "list"}), CommandOutcome::done("The clipboard history is empty.\n"));
  EXPECT_EQ(ask({"clipboard", "delete", "1"}),
            failed("There is no entry 1; the clipboard history is empty."));
}

TEST_F(ClipboardCommandTest, CopyIsNotRecordedAgainAndPasteNeedsWindowControl) {
  EXPECT_EQ(ask({"clipboard", "copy", "3"}), CommandOutcome::done());
  clock.advanceBy(1);
  EXPECT_EQ(sim.pasteboard.writes.back().text, "https://a.example");
  EXPECT_EQ(app.clipboardManager().items().size(), 3U);
  EXPECT_EQ(app.clipboardManager().items()[0].text, "https://a.example");

  EXPECT_EQ(ask({"clipboard", "paste", "2"}), CommandOutcome::done());
  clock.advanceBy(1);
  ASSERT_EQ(sim.keySynth.posts.size(), 1U);
  EXPECT_EQ(sim.keySynth.posts[0].chord, PasteChord::ControlV);

  desktop.setTrusted(false);
  EXPECT_EQ(ask({"clipboard", "paste", "1"}), failed(desktop.untrustedReason()));
  app.appState().setClipboardHistoryEnabled(false);
  EXPECT_EQ(ask({"clipboard", "list"}),
            failed("The clipboard history is off; switch it on in the settings."));
}

TEST_F(ClipboardCommandTest, PasteOfSeveralNumbersPastesThemInTheOrderGiven) {
  EXPECT_EQ(ask({"clipboard", "paste", "3", "1", "9"}),
            failed("There is no entry 9; N is from 1 to 3."));
  clock.advanceBy(2);
  EXPECT_TRUE(sim.keySynth.posts.empty()) << "nothing pasted for a wrong number";

  EXPECT_EQ(ask({"clipboard", "paste", "3", "1", "2"}), CommandOutcome::done());
  for (int taken = 0; taken < 3; ++taken) {
    clock.advanceBy(0.2);
    sim.pasteboard.takeContent();
  }
  clock.advanceBy(0.2);
  ASSERT_EQ(sim.pasteboard.writes.size(), 3U);
  EXPECT_EQ(sim.pasteboard.writes[0].text, "https://a.example");
  EXPECT_EQ(sim.pasteboard.writes[1].text, "last");
  EXPECT_EQ(sim.pasteboard.writes[2].text, "two\nlines");
  EXPECT_EQ(sim.keySynth.posts.size(), 3U);

  const Invocation word = parseCommandLine({"clipboard", "paste", "1", "x"}, "1");
  EXPECT_EQ(word.action, Invocation::Action::answerHere);
}

TEST_F(ClipboardCommandTest, PasteKeysRefusesWrongWordsInTheClient) {
  const std::string usage =
      "usage: dovrik clipboard paste-keys [APP ctrl-v|ctrl-shift-v|shift-insert|default].";
  expectUsageErrors({
      {{"clipboard", "paste-keys", "debian-xterm", "Ctrl+V"},
       "unknown keystroke \"Ctrl+V\"; keystrokes: ctrl-v, ctrl-shift-v, shift-insert, default."},
      {{"clipboard", "paste-keys", "debian-xterm"}, usage},
      {{"clipboard", "paste-keys", "Debian", "XTerm", "ctrl-v"}, usage},
      {{"clipboard", "paste"}, "usage: dovrik clipboard paste [--plain] N [M …]."},
      {{"clipboard", "keys"},
       "unknown verb \"keys\"; verbs: list, copy, paste, pin, delete, clear, popup, paste-keys, "
       "ignore."},
  });
  EXPECT_EQ(parseCommandLine({"clipboard", "paste-keys", "x", "default"}, "1").action,
            Invocation::Action::forward);
}

TEST_F(ClipboardCommandTest, PasteKeysSetsListsAndRemovesAnAppsKeystroke) {
  sim.installedApps.setApps({{Uuid(), "XTerm", "debian-xterm", std::nullopt}});
  EXPECT_EQ(ask({"clipboard", "paste-keys"}),
            CommandOutcome::done("No app has a paste keystroke of its own.\n"));
  EXPECT_EQ(ask({"clipboard", "paste-keys", "debian-xterm", "ctrl-shift-v"}),
            CommandOutcome::done("XTerm (debian-xterm) — ctrl-shift-v\n"));
  EXPECT_EQ(ask({"clipboard", "paste-keys", "com.example.editor", "shift-insert"}),
            CommandOutcome::done("Editor (com.example.editor) — shift-insert\n"));
  // A setting, not part of the history: it holds while the history is off.
  app.appState().setClipboardHistoryEnabled(false);
  EXPECT_EQ(ask({"clipboard", "paste-keys"}),
            CommandOutcome::done("Editor (com.example.editor) — shift-insert\n"
                                 "XTerm (debian-xterm) — ctrl-shift-v\n"));

  // The focused editor now pastes the primary selection with Shift+Insert.
  app.appState().setClipboardHistoryEnabled(true);
  EXPECT_EQ(ask({"clipboard", "paste", "1"}), CommandOutcome::done());
  clock.advanceBy(1);
  EXPECT_TRUE(sim.pasteboard.writes.back().alsoPrimary);
  EXPECT_EQ(sim.keySynth.posts.back().chord, PasteChord::ShiftInsert);

  EXPECT_EQ(ask({"clipboard", "paste-keys", "com.example.editor", "default"}),
            CommandOutcome::done(
                "Editor (com.example.editor) pastes with the keystroke its kind of app takes.\n"));
  EXPECT_EQ(ask({"clipboard", "paste", "1"}), CommandOutcome::done());
  clock.advanceBy(1);
  EXPECT_EQ(sim.keySynth.posts.back().chord, PasteChord::ControlV);
  EXPECT_EQ(ask({"clipboard", "paste-keys"}),
            CommandOutcome::done("XTerm (debian-xterm) — ctrl-shift-v\n"));
}

TEST_F(ClipboardCommandTest, IgnoreListsAddsAndRemovesAppsAndSaysWhatItCannotDo) {
  sim.installedApps.setApps({{Uuid(), "KeePass", "keepass2", std::nullopt}});
  app.appState().setClipboardHistoryEnabled(false);
  const struct {
    std::vector<std::string> words;
    CommandOutcome outcome;
  } table[] = {
      {{"clipboard", "ignore", "add", "Vault"},
       CommandOutcome::done("Copies from Vault are no longer recorded.\n")},
      {{"clipboard", "ignore", "add", "vault"}, failed("vault is ignored already.")},
      {{"clipboard", "ignore", "add", "KEEPASS2"}, failed("KEEPASS2 is ignored already.")},
      {{"clipboard", "ignore", "remove", "keepass2.desktop"},
       CommandOutcome::done("Copies from KeePass (keepass2) are recorded again.\n")},
      {{"clipboard", "ignore", "remove", "keepass2"},
       failed("keepass2 is not ignored; `dovrik clipboard ignore list` shows the apps that "
              "are.")},
      {{"clipboard", "ignore", "list"},
       CommandOutcome::done("bitwarden\nkeeweb\nqtpass\nseahorse\norg.gnome.World.Secrets\n"
                            "Vault\n")},
  };
  for (const auto& row : table)
    EXPECT_EQ(ask(row.words), row.outcome) << row.words.back();
  for (const char* entry :
       {"bitwarden", "keeweb", "qtpass", "seahorse", "org.gnome.World.Secrets", "Vault"})
    ask({"clipboard", "ignore", "remove", entry});
  EXPECT_EQ(ask({"clipboard", "ignore", "list"}),
            CommandOutcome::done("No app is ignored: copies from every app are recorded.\n"));

  const std::string usage = "usage: dovrik clipboard ignore list|add APP|remove APP.";
  for (const std::vector<std::string>& words :
       std::vector<std::vector<std::string>>{{"clipboard", "ignore"},
                                             {"clipboard", "ignore", "add"},
                                             {"clipboard", "ignore", "add", ""},
                                             {"clipboard", "ignore", "list", "x"},
                                             {"clipboard", "ignore", "drop", "x"},
                                             {"clipboard", "ignore", "add", "a", "b"}}) {
    EXPECT_EQ(parseCommandLine(words, "1").outcome,
              CommandOutcome::failure(ExitStatus::usage, "dovrik clipboard: " + usage));
  }
}

}  // namespace
}  // namespace dovrik::cli
