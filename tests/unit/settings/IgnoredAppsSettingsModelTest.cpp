// The Clipboard panel's ignored applications: rows named and drawn after the installed or
// running application an entry names, whatever the case, and a picker offering the others.
#include <gtest/gtest.h>

#include "core/clipboard/IgnoredApps.h"
#include "core/settings/IgnoredAppsSettingsModel.h"
#include "tests/unit/settings/SettingsFixture.h"

namespace dovrik {
namespace {

struct IgnoredAppsSettingsModelTest : test::SettingsFixture {
  IgnoredAppsSettingsModelTest() {
    app.appState().setClipboardIgnoredApps({"KeePass2", "Vault"});
    sim.installedApps.setApps({{Uuid(), "KeePass", "keepass2", std::string("keepass")},
                               {Uuid(), "Editor", "com.example.editor", std::nullopt}});
    desktop.addApp({300,
                    "vault-desktop",
                    "Vault Desktop",
                    ActivationPolicy::Regular,
                    false,
                    {},
                    "vault",
                    "Vault"});
    changes = ignored.changed.connect([this] { ++announced; });
  }
  ~IgnoredAppsSettingsModelTest() override { ignored.changed.disconnect(changes); }

  std::vector<std::string> rowTexts() const {
    std::vector<std::string> texts;
    for (const auto& row : ignored.rows())
      texts.push_back(row.name + " [" + row.appId + "] " + row.icon.value_or("-"));
    return texts;
  }

  IgnoredAppsSettingsModel ignored{app.appState(), desktop, app.installedAppsCache(), sim.locale};
  Signal<>::Connection changes = 0;
  int announced = 0;
};

TEST_F(IgnoredAppsSettingsModelTest, RowsTakeTheNameAndIconOfTheAppAnEntryNames) {
  // Before the installed applications are known, a password manager of the default list is
  // still called by its name.
  EXPECT_EQ(rowTexts(),
            (std::vector<std::string>{"KeePass [KeePass2] -", "Vault Desktop [Vault] -"}));
  clock.advanceBy(0.1);
  EXPECT_EQ(announced, 1);
  EXPECT_EQ(rowTexts(),
            (std::vector<std::string>{"KeePass [KeePass2] keepass", "Vault Desktop [Vault] -"}));
}

TEST_F(IgnoredAppsSettingsModelTest, ThePickerOffersTheAppsNotListedAndAddingOrRemovingStores) {
  clock.advanceBy(0.1);
  EXPECT_EQ(ignored.candidates(), (std::vector<AppCandidate>{{"com.example.editor", "Editor"},
                                                             {"vault-desktop", "Vault Desktop"}}));
  ignored.add("com.example.editor");
  ignored.remove("KeePass2");
  EXPECT_EQ(announced, 3);
  EXPECT_EQ(ignoredApps(app.appState()), (std::vector<std::string>{"Vault", "com.example.editor"}));
  EXPECT_EQ(ignored.candidates(), (std::vector<AppCandidate>{{"keepass2", "KeePass"},
                                                             {"vault-desktop", "Vault Desktop"}}));
}

}  // namespace
}  // namespace dovrik
