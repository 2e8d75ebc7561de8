// Which keystroke pastes where: what the system says of an application decides, the user's
// choice for it beats that, and the choices survive in the settings as the words of the
// command line.
#include <gtest/gtest.h>

#include <string>

#include "core/paste/PasteChords.h"
#include "tests/unit/support/SettingsOf.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik {
namespace {

RunningApp app(std::string id, std::vector<std::string> categories = {},
               std::string executable = {}, std::string windowClass = {}) {
  RunningApp result;
  result.bundleIdentifier = std::move(id);
  result.categories = std::move(categories);
  result.executable = std::move(executable);
  result.windowClass = std::move(windowClass);
  return result;
}

TEST(PasteChordsTest, TheSystemsDescriptionSuggestsTheKeystroke) {
  const std::vector<std::string> terminal{"System", "TerminalEmulator"};
  // Debian's xterm entries are terminal emulators, yet xterm knows no Ctrl+Shift+V.
  EXPECT_EQ(suggestedPasteChord(app("debian-xterm", terminal, "xterm", "XTerm")),
            PasteChord::ShiftInsert);
  EXPECT_EQ(suggestedPasteChord(app("debian-uxterm", terminal, "", "UXTerm")),
            PasteChord::ShiftInsert);
  EXPECT_EQ(suggestedPasteChord(app("my-terminal", {}, "urxvt")), PasteChord::ShiftInsert);
  EXPECT_EQ(suggestedPasteChord(app("rxvt-unicode")), PasteChord::ShiftInsert);

  EXPECT_EQ(suggestedPasteChord(app("xfce4-terminal", terminal, "xfce4-terminal")),
            PasteChord::ControlShiftV);
  EXPECT_EQ(suggestedPasteChord(app("com.example.Shell", {"TerminalEmulator"})),
            PasteChord::ControlShiftV);
  // Categories are case-sensitive words; a terminal-like name alone tells nothing.
  EXPECT_EQ(suggestedPasteChord(app("com.example.Tool", {"terminalemulator", "System"})),
            PasteChord::ControlV);
  EXPECT_EQ(suggestedPasteChord(app("org.mozilla.firefox", {"Network"}, "firefox-esr")),
            PasteChord::ControlV);
  EXPECT_EQ(suggestedPasteChord(app("")), PasteChord::ControlV);
}

TEST(PasteChordsTest, KnownTerminalsKeepTheirKeystrokeWithoutAnyDescription) {
  for (const char* id : {"org.gnome.Terminal.desktop", "org.kde.konsole", "Alacritty", "kitty",
                         "gnome-terminal", "Terminator", "com.gexperts.Tilix"})
    EXPECT_EQ(suggestedPasteChord(app(id)), PasteChord::ControlShiftV) << id;
  for (const char* id : {"XTerm", "URxvt", "uxterm", "urxvt-unicode"})
    EXPECT_EQ(suggestedPasteChord(app(id)), PasteChord::ShiftInsert) << id;
}

struct PasteKeysTest : ::testing::Test, test::SimWorld {
  std::string stored() const {
    const Bytes data = state.pasteKeysData();
    return std::string(data.begin(), data.end());
  }
  AppState state = test::appStateOf(platform);
};

TEST_F(PasteKeysTest, AChoiceBeatsTheSystemUntilItIsRemoved) {
  const RunningApp xterm = app("debian-xterm", {"TerminalEmulator"}, "xterm", "XTerm");
  setPasteKey(state, "debian-xterm", PasteChord::ControlShiftV);
  setPasteKey(state, "org.example.Editor", PasteChord::ShiftInsert);
  EXPECT_EQ(stored(), R"({"debian-xterm":"ctrl-shift-v","org.example.Editor":"shift-insert"})");
  EXPECT_EQ(pasteChordFor(xterm, pasteKeyTable(state)), PasteChord::ControlShiftV);
  EXPECT_EQ(pasteChordFor(app("org.example.Editor"), pasteKeyTable(state)),
            PasteChord::ShiftInsert);
  // The identity must match exactly: another application keeps the system's suggestion.
  EXPECT_EQ(pasteChordFor(app("Debian-XTerm", {}, "xterm"), pasteKeyTable(state)),
            PasteChord::ShiftInsert);

  setPasteKey(state, "debian-xterm", std::nullopt);
  EXPECT_EQ(pasteChordFor(xterm, pasteKeyTable(state)), PasteChord::ShiftInsert);
  EXPECT_EQ(stored(), R"({"org.example.Editor":"shift-insert"})");
}

TEST_F(PasteKeysTest, StoredChoicesAreReadLeniently) {
  const auto storeText = [&](const std::string& text) {
    state.setPasteKeysData(Bytes(text.begin(), text.end()));
  };
  storeText(R"({"a":"ctrl-v","b":"alt-v","c":7,"d":"SHIFT-INSERT","e":"shift-insert"})");
  EXPECT_EQ(pasteKeyTable(state),
            (PasteKeyTable{{"a", PasteChord::ControlV}, {"e", PasteChord::ShiftInsert}}));
  for (const char* broken : {"[]", "\"ctrl-v\"", "{\"a\":", ""}) {
    storeText(broken);
    EXPECT_TRUE(pasteKeyTable(state).empty()) << broken;
  }
  // A write over unreadable data starts a fresh table.
  setPasteKey(state, "a", PasteChord::ControlV);
  EXPECT_EQ(stored(), R"({"a":"ctrl-v"})");
  // A window class in Latin-1 ("Caf\xe9") is no UTF-8; it is stored, not thrown at.
  setPasteKey(state, "Caf\xe9", PasteChord::ShiftInsert);
  EXPECT_EQ(pasteKeyTable(state).size(), 2U);
}

TEST(PasteKeyWordsTest, WordsAndTitlesNameEachKeystrokeOnce) {
  for (const PasteChord chord : allPasteChords)
    EXPECT_EQ(pasteChordFromWord(pasteKeyWord(chord)), chord);
  EXPECT_EQ(pasteKeyWord(PasteChord::ControlShiftV), "ctrl-shift-v");
  EXPECT_EQ(pasteKeyTitle(PasteChord::ShiftInsert), "Shift+Insert");
  EXPECT_FALSE(pasteChordFromWord("default"));
  EXPECT_FALSE(pasteChordFromWord("Ctrl-V"));
}

}  // namespace
}  // namespace dovrik
