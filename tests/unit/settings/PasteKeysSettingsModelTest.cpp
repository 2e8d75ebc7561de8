// The Clipboard panel's paste keystrokes per application: rows by name that change or go back
// to the system's keystroke, and the add row offering running and installed applications once.
#include <gtest/gtest.h>

#include "core/settings/PasteKeysSettingsModel.h"
#include "tests/unit/settings/SettingsFixture.h"

namespace dovrik {
namespace {

using Candidate = PasteKeysSettingsModel::Candidate;

struct PasteKeysSettingsModelTest : test::SettingsFixture {
  PasteKeysSettingsModelTest() {
    sim.installedApps.setApps({{Uuid(), "alpha", "org.example.Alpha", std::nullopt},
                               {Uuid(), "XTerm", "debian-xterm", std::nullopt},
                               {Uuid(), "Editor", "com.example.editor", std::nullopt}});
    desktop.addApp(debianXterm(300));
    desktop.addApp({301,
                    "Xfce4-terminal",
                    "Xfce Terminal",
                    ActivationPolicy::Regular,
                    false,
                    {"TerminalEmulator"},
                    "xfce4-terminal",
                    "Xfce4-terminal"});
    desktop.addApp({302, "panel", "Panel", ActivationPolicy::Accessory, false});
    changes = keys.changed.connect([this] { ++announced; });
  }
  ~PasteKeysSettingsModelTest() override { keys.changed.disconnect(changes); }

  std::vector<std::string> rowTexts() const {
    std::vector<std::string> texts;
    for (const auto& row : keys.rows())
      texts.push_back(row.name + " " + std::string(pasteKeyWord(row.chord)));
    return texts;
  }

  PasteKeysSettingsModel keys{app.appState(), desktop, app.installedAppsCache(), sim.locale};
  Signal<>::Connection changes = 0;
  int announced = 0;
};

TEST_F(PasteKeysSettingsModelTest, OffersEachApplicationWithoutAChoiceOnceByName) {
  // Before the scan ends, only what runs.
  EXPECT_EQ(keys.candidates(), (std::vector<Candidate>{{"com.example.editor", "Editor"},
                                                       {"Xfce4-terminal", "Xfce Terminal"},
                                                       {"debian-xterm", "XTerm"}}));
  clock.advanceBy(0.1);
  EXPECT_EQ(announced, 1);
  EXPECT_EQ(keys.candidates(), (std::vector<Candidate>{{"org.example.Alpha", "alpha"},
                                                       {"com.example.editor", "Editor"},
                                                       {"Xfce4-terminal", "Xfce Terminal"},
                                                       {"debian-xterm", "XTerm"}}));
  keys.selectApp("debian-xterm");
  keys.add();
  EXPECT_EQ(keys.candidates().size(), 3U);
  EXPECT_EQ(keys.candidates()[2].appId, "Xfce4-terminal");
}

TEST_F(PasteKeysSettingsModelTest, AddingProposesTheRunningAppsKeystrokeAndStoresTheChoice) {
  clock.advanceBy(0.1);
  keys.add();  // nothing selected: nothing stored
  EXPECT_TRUE(keys.rows().empty());

  keys.selectApp("Xfce4-terminal");
  EXPECT_EQ(keys.newChord(), PasteChord::ControlShiftV);
  keys.selectApp("org.example.Alpha");  // installed, not running: no description to go by
  EXPECT_EQ(keys.newChord(), PasteChord::ControlV);
  keys.selectApp("debian-xterm");
  EXPECT_EQ(keys.newChord(), PasteChord::ShiftInsert);
  keys.selectNewChord(PasteChord::ControlShiftV);
  keys.add();
  EXPECT_FALSE(keys.selectedApp());
  EXPECT_EQ(keys.newChord(), PasteChord::ControlV);
  keys.selectApp("org.example.Alpha");
  keys.add();
  EXPECT_EQ(rowTexts(), (std::vector<std::string>{"alpha ctrl-v", "XTerm ctrl-shift-v"}));
  EXPECT_EQ(pasteKeyTable(app.appState()).at("debian-xterm"), PasteChord::ControlShiftV);

  keys.setChord("org.example.Alpha", PasteChord::ShiftInsert);
  keys.remove("debian-xterm");
  EXPECT_EQ(rowTexts(), (std::vector<std::string>{"alpha shift-insert"}));
  EXPECT_FALSE(pasteKeyTable(app.appState()).contains("debian-xterm"));
}

}  // namespace
}  // namespace dovrik
