// Applications whose copies are never recorded: how an entry names the owner of a copy, the
// password managers listed until the user changes the list, and that nothing of an ignored
// copy is read.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/clipboard/IgnoredApps.h"
#include "tests/unit/clipboard/ClipboardFixture.h"

namespace dovrik::test {
namespace {

using Texts = std::vector<std::string>;
using Names = std::vector<std::string>;

struct IgnoredAppsTest : ::testing::Test, ClipboardFixture {
  IgnoredAppsTest() { manager->applyEnabledState(); }

  void copyFrom(const PasteboardOwner& owner, const std::string& text) {
    sim.pasteboard.copy(dovrik::sim::SimClipboardContent{
        .types = {std::string(plainTextType), "image/png"},
        .text = text,
        .png = png(1),
        .owner = owner,
    });
    clock.advanceBy(0.01);
  }
};

TEST_F(IgnoredAppsTest, AnIgnoredOwnersCopyIsNeitherRecordedNorReadButTheNextOwnersIs) {
  ASSERT_TRUE(addIgnoredApp(*state, "Vault"));
  const int textReads = sim.pasteboard.textReads;
  copyFrom({.desktopName = "", .windowClass = "Vault"}, "s3cret");
  EXPECT_TRUE(manager->items().empty());
  EXPECT_EQ(sim.pasteboard.textReads, textReads);
  EXPECT_EQ(sim.pasteboard.pngReads, 0);

  copyFrom({.desktopName = "org.example.Editor", .windowClass = "Editor"}, "notes");
  EXPECT_EQ(texts(), (Texts{"notes"}));
  // The same text again from the ignored app leaves the entry as it was.
  copyFrom({.desktopName = "", .windowClass = "Vault"}, "notes");
  copyFrom({}, "unknown owner");
  EXPECT_EQ(texts(), (Texts{"unknown owner", "notes"}));
}

TEST_F(IgnoredAppsTest, TheAdapterIsToldWhichOwnersToFetchNoTextFromWhileMonitoring) {
  ASSERT_TRUE(sim.pasteboard.keepsNothingOf);
  EXPECT_TRUE(sim.pasteboard.keepsNothingOf({.desktopName = "", .windowClass = "KeePass2"}));
  EXPECT_FALSE(sim.pasteboard.keepsNothingOf({.desktopName = "", .windowClass = "Editor"}));
  // Added while monitoring: asked afresh at the next change.
  addIgnoredApp(*state, "Editor");
  EXPECT_TRUE(sim.pasteboard.keepsNothingOf({.desktopName = "", .windowClass = "Editor"}));
  manager->stopMonitoring();
  EXPECT_FALSE(sim.pasteboard.keepsNothingOf);
}

TEST(IgnoredAppNames, MatchDesktopNameOrWindowClassWholeAndInAnyCase) {
  const Names ignored{"org.keepassxc.KeePassXC", "Bitwarden"};
  const auto ignores = [&](std::string desktopName, std::string windowClass) {
    return isIgnoredOwner(ignored, {std::move(desktopName), std::move(windowClass)});
  };
  EXPECT_TRUE(ignores("org.keepassxc.keepassxc", ""));
  EXPECT_TRUE(ignores("org.keepassxc.KeePassXC.desktop", ""));
  EXPECT_TRUE(ignores("", "bitwarden"));
  EXPECT_TRUE(ignores("com.bitwarden.desktop", "Bitwarden"));
  EXPECT_FALSE(ignores("com.bitwarden.desktop", ""));
  EXPECT_FALSE(ignores("", "KeePassXC"));
  EXPECT_FALSE(ignores("", "Bitwarden2"));
  EXPECT_FALSE(ignores("", ""));
  EXPECT_FALSE(isIgnoredOwner({""}, {}));
  EXPECT_FALSE(sameAppName(".desktop", ""));
}

TEST_F(IgnoredAppsTest, DefaultsListOnlyPasswordManagersThatOmitTheSecretHint) {
  EXPECT_FALSE(state->clipboardIgnoredApps());
  const Names names = ignoredApps(*state);
  EXPECT_EQ(names, Names(defaultIgnoredApps().begin(), defaultIgnoredApps().end()));
  for (const char* marked : {"org.keepassxc.KeePassXC", "KeePassXC", "1password"})
    EXPECT_FALSE(isIgnoredOwner(names, {marked, marked})) << marked;
  for (const char* unmarked : {"Bitwarden", "KeePass2", "QtPass", "Seahorse"})
    EXPECT_TRUE(isIgnoredOwner(names, {"", unmarked})) << unmarked;
  EXPECT_TRUE(isIgnoredOwner(names, {"org.gnome.World.Secrets", "secrets"}));
}

TEST_F(IgnoredAppsTest, TheUsersListIsStoredWholeSoARemovedDefaultStaysRemovedAfterARestart) {
  EXPECT_FALSE(addIgnoredApp(*state, "BITWARDEN"));
  EXPECT_FALSE(removeIgnoredApp(*state, "KeePassXC"));
  EXPECT_FALSE(state->clipboardIgnoredApps());
  ASSERT_TRUE(removeIgnoredApp(*state, "Bitwarden.desktop"));
  ASSERT_TRUE(addIgnoredApp(*state, "Vault"));

  build();
  manager->applyEnabledState();
  const Names names = ignoredApps(*state);
  EXPECT_EQ(std::ranges::count(names, "bitwarden"), 0);
  EXPECT_EQ(names.back(), "Vault");
  copyFrom({.desktopName = "", .windowClass = "Bitwarden"}, "now kept");
  EXPECT_EQ(texts(), (Texts{"now kept"}));

  for (const std::string& name : names)
    removeIgnoredApp(*state, name);
  build();
  EXPECT_EQ(ignoredApps(*state), Names{});
}

TEST_F(IgnoredAppsTest, AStoredListThatIsNoListMeansTheDefaultsAndOnlyTextEntriesCount) {
  sim.defaults.application().set("clipboardIgnoredApps", DefaultsValue("bitwarden"));
  EXPECT_EQ(ignoredApps(*state).size(), defaultIgnoredApps().size());
  sim.defaults.application().set(
      "clipboardIgnoredApps",
      DefaultsValue::Array{DefaultsValue("Vault"), DefaultsValue(std::int64_t{7})});
  EXPECT_EQ(ignoredApps(*state), Names{"Vault"});
}

}  // namespace
}  // namespace dovrik::test
