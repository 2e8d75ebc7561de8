// Following the trust answer: polling until trusted, announced changes, and the one prompt.
#include <gtest/gtest.h>

#include "core/model/AccessibilityTrust.h"
#include "sim/SimPlatform.h"
#include "tests/unit/support/SettingsOf.h"

namespace dovrik {
namespace {

class AccessibilityTrustTest : public ::testing::Test {
 protected:
  // Counts the announcements of `trust`.
  void count(AccessibilityTrust& trust) {
    trust.confirmed.connect([this] { ++trustedCalls; });
    trust.changed.connect([this] { ++changes; });
  }

  sim::SimPlatform sim;
  Platform platform = sim.platform();
  AppState state = test::appStateOf(platform);
  int trustedCalls = 0;
  int changes = 0;
};

TEST_F(AccessibilityTrustTest, PollsEveryHalfSecondUntilTrustedAndStopsWhenDestroyed) {
  sim.desktop.setTrusted(false);
  { AccessibilityTrust doomed = test::trustOf(platform, state); }
  EXPECT_EQ(sim.clock.pendingCount(), 0u);

  AccessibilityTrust trust = test::trustOf(platform, state);
  count(trust);
  EXPECT_FALSE(trust.hasAccessibilityPermission());
  EXPECT_TRUE(trust.isPollingPermission());
  sim.clock.advanceBy(2);
  EXPECT_EQ(trustedCalls + changes, 0);

  sim.desktop.setTrusted(true);
  sim.clock.advanceBy(0.5);
  EXPECT_TRUE(trust.hasAccessibilityPermission());
  EXPECT_FALSE(trust.isPollingPermission());
  EXPECT_EQ(trustedCalls, 1);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(sim.clock.pendingCount(), 0u);

  // A later loss of trust is noticed only through explicit calls, and polling stays off.
  trust.apply(false);
  EXPECT_EQ(changes, 2);
  EXPECT_FALSE(trust.isPollingPermission());
  trust.apply(true);
  trust.apply(true);
  EXPECT_EQ(trustedCalls, 3);
  EXPECT_EQ(changes, 3);

  // Trusted at creation: the trusted steps still wait for the first poll.
  AccessibilityTrust later = test::trustOf(platform, state);
  int laterTrustedCalls = 0;
  later.confirmed.connect([&] { ++laterTrustedCalls; });
  EXPECT_TRUE(later.hasAccessibilityPermission());
  EXPECT_EQ(laterTrustedCalls, 0);
  sim.clock.advanceBy(0.5);
  EXPECT_EQ(laterTrustedCalls, 1);
  EXPECT_FALSE(later.isPollingPermission());
}

TEST_F(AccessibilityTrustTest, WhereChangesAreAnnouncedNothingPollsAndOnlyRealChangesApply) {
  sim.desktop.announceTrustChanges();
  sim.desktop.setTrusted(false);
  AccessibilityTrust trust = test::trustOf(platform, state);
  count(trust);
  trust.startPermissionPolling();
  EXPECT_FALSE(trust.isPollingPermission());
  EXPECT_EQ(sim.clock.pendingCount(), 0u);

  sim.desktop.setTrusted(false);
  EXPECT_EQ(trustedCalls + changes, 0);
  sim.desktop.setTrusted(true);
  sim.desktop.setTrusted(true);
  EXPECT_TRUE(trust.hasAccessibilityPermission());
  EXPECT_EQ(trustedCalls, 1);
  sim.desktop.setTrusted(false);
  EXPECT_FALSE(trust.hasAccessibilityPermission());
  EXPECT_EQ(changes, 2);
}

TEST_F(AccessibilityTrustTest, PromptsOnceAndOpensTheSettingsPage) {
  AccessibilityTrust trust = test::trustOf(platform, state);
  EXPECT_TRUE(trust.requestAccessibilityPermission());
  EXPECT_FALSE(trust.requestAccessibilityPermission());
  EXPECT_EQ(sim.desktop.trustPrompts(), 1);
  EXPECT_EQ(sim.defaults.application().boolValue("hasPromptedForAccessibility"), true);
  trust.openAccessibilitySettings();
  EXPECT_EQ(sim.shell.openedURLs,
            std::vector<std::string>{
                "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility"});
}

}  // namespace
}  // namespace dovrik
