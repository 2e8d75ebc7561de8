// The first-run window's model on the simulated desktop: the wait and its restart hint in
// virtual time, the prompt asked once, trust arriving mid-wait, closing and reopening, the
// version line, and `dovrik onboarding`.
#include <gtest/gtest.h>

#include "core/app/App.h"
#include "core/cli/CommandLine.h"
#include "core/cli/CommandMessages.h"
#include "tests/unit/cli/AnswerNow.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik {
namespace {

class OnboardingModelTest : public ::testing::Test {
 protected:
  // Untrusted at start, so start-up opens the window.
  OnboardingModel& startUntrusted() {
    world.desktop.setTrusted(false);
    app.setVersion("2.3", "41");
    app.start();
    EXPECT_TRUE(window.isOpen());
    EXPECT_NE(app.onboarding(), nullptr);
    return *app.onboarding();
  }

  test::SimWorld world;
  App app{world.platform};
  sim::SimOnboardingWindow& window = world.sim.onboardingWindow;
};

TEST_F(OnboardingModelTest, PromptsOnceThenOpensTheSettingsAndTheHintFollowsTheLastPress) {
  OnboardingModel& model = startUntrusted();
  EXPECT_EQ(model.versionText(), "Version 2.3 (41)");
  EXPECT_EQ(model.dragsNotFollowedNote(), std::nullopt);
  EXPECT_EQ(model.primaryTitle(), "Allow Access");
  EXPECT_FALSE(model.isWaitingForPermission());

  model.requestAccess();
  EXPECT_EQ(world.desktop.trustPrompts(), 1);
  EXPECT_TRUE(world.sim.shell.openedURLs.empty());
  EXPECT_EQ(model.primaryTitle(), "Open Privacy Settings");
  EXPECT_TRUE(model.isWaitingForPermission());
  EXPECT_EQ(model.waitingDetail(), "System Settings → Privacy & Security → Accessibility");
  // Without such a page the desktop's own reason says what to do instead.
  world.desktop.setHasPermissionSettings(false);
  EXPECT_EQ(model.waitingDetail(), world.desktop.untrustedReason());
  world.desktop.setHasPermissionSettings(true);

  // The second press, 10 s later, opens the settings page and starts both timings again.
  world.clock.advanceBy(10);
  model.requestAccess();
  EXPECT_EQ(world.desktop.trustPrompts(), 1);
  EXPECT_EQ(world.sim.shell.openedURLs.size(), 1u);
  world.clock.advanceBy(14.9);
  EXPECT_FALSE(model.needsRelaunchHint());
  world.clock.advanceBy(0.1);
  EXPECT_TRUE(model.needsRelaunchHint());
  EXPECT_TRUE(model.isWaitingForPermission());
  world.clock.advanceBy(4.9);
  EXPECT_TRUE(model.isWaitingForPermission());
  world.clock.advanceBy(0.1);
  EXPECT_FALSE(model.isWaitingForPermission());
  EXPECT_TRUE(model.needsRelaunchHint());
  EXPECT_EQ(model.statusLine(), world.desktop.untrustedReason());
}

TEST_F(OnboardingModelTest, ClosingCancelsTheWaitAndShowingAgainStartsIdleInTheSameWindow) {
  OnboardingModel& first = startUntrusted();
  app.showOnboarding();
  EXPECT_EQ(window.showings().size(), 2u);
  EXPECT_EQ(window.showings()[1], &first);

  first.requestAccess();
  world.clock.advanceBy(5);
  const std::size_t pending = world.clock.pendingCount();
  window.userCloses();
  EXPECT_EQ(app.onboarding(), nullptr);
  EXPECT_EQ(world.clock.pendingCount(), pending - 1);

  app.showOnboarding();
  OnboardingModel& second = *app.onboarding();
  world.clock.advanceBy(20);
  EXPECT_FALSE(second.isWaitingForPermission());
  EXPECT_FALSE(second.needsRelaunchHint());
  EXPECT_EQ(second.primaryTitle(), "Open Privacy Settings");
}

TEST_F(OnboardingModelTest, TrustDuringTheHintSwitchesToTheTrustedContentAndGetStartedCloses) {
  OnboardingModel& model = startUntrusted();
  int changes = 0;
  model.changed.connect([&changes] { ++changes; });
  model.requestAccess();
  world.clock.advanceBy(16);
  ASSERT_TRUE(model.needsRelaunchHint());
  const int before = changes;

  world.desktop.setTrusted(true);
  world.clock.advanceBy(0.5);
  EXPECT_GT(changes, before);
  EXPECT_TRUE(model.trusted());
  EXPECT_EQ(model.statusLine(), "You're set");
  EXPECT_EQ(model.tryItText(), "Try it now — press ⌃⌥← to snap this window left.");
  EXPECT_EQ(world.hotkeys.registered().size(), 8u);

  model.dismiss();
  EXPECT_FALSE(window.isOpen());
  EXPECT_EQ(app.onboarding(), nullptr);
}

TEST_F(OnboardingModelTest, ThePressFindsTrustThatArrivedSinceTheLastCheck) {
  OnboardingModel& model = startUntrusted();
  // Another application holds ⌃⌥←: the line does not send the user to keys that do nothing.
  world.hotkeys.ownByOtherApplication(123, controlKey | optionKey);
  world.desktop.setTrusted(true);
  model.requestAccess();
  EXPECT_TRUE(model.trusted());
  EXPECT_EQ(model.tryItText(), std::nullopt);
  // Without a left-half shortcut there is nothing to try either.
  AppState::ShortcutTable shortcuts = app.appState().shortcuts();
  shortcuts.erase(SnapPosition::leftHalf);
  app.appState().setShortcuts(shortcuts);
  EXPECT_EQ(model.tryItText(), std::nullopt);
}

TEST_F(OnboardingModelTest, MissingVersionPartsReadAsOnePointZeroBuildOne) {
  EXPECT_EQ(OnboardingModel::appVersion("", ""), "1.0 (1)");
  EXPECT_EQ(OnboardingModel::appVersion("1.4.2", ""), "1.4.2 (1)");
  EXPECT_EQ(OnboardingModel::appVersion("", "57"), "1.0 (57)");
  app.start();
  app.showOnboarding();
  EXPECT_EQ(app.onboarding()->versionText(), "Version 1.0 (1)");
}

TEST_F(OnboardingModelTest, TheCommandOpensTheWindowAndSaysWhatItShows) {
  const auto ask = [&](const std::vector<std::string>& words) {
    return cli::testing::answerNow(app, cli::encodeRequest(words));
  };
  startUntrusted();
  window.userCloses();
  EXPECT_EQ(ask({"onboarding"}), cli::CommandOutcome::done(world.desktop.untrustedReason() + "\n"));
  EXPECT_TRUE(window.isOpen());
  world.desktop.setTrusted(true);
  world.clock.advanceBy(0.5);
  EXPECT_EQ(ask({"onboarding"}), cli::CommandOutcome::done("You're set\n"));
  EXPECT_EQ(cli::parseCommandLine({"onboarding", "now"}, "1").outcome.exitCode, 2);
  EXPECT_EQ(cli::parseCommandLine({"onboarding", "grant-access", "now"}, "1").outcome.exitCode, 2);
}

// Where access is granted by the desktop's own request alone (no settings page), every press
// and `dovrik onboarding grant-access` asks again, even once an earlier session asked.
TEST_F(OnboardingModelTest, WithoutASettingsPageEveryPressAsksTheDesktopAgain) {
  world.desktop.setHasPermissionSettings(false);
  startUntrusted();
  app.appState().setHasPromptedForAccessibility(true);
  EXPECT_EQ(app.onboarding()->missingNote(), world.desktop.untrustedReason())
      << "said before the first press";
  app.onboarding()->requestAccess();
  EXPECT_EQ(app.onboarding()->missingNote(), std::nullopt) << "the wait says it then";
  EXPECT_EQ(world.desktop.trustPrompts(), 1);
  EXPECT_EQ(cli::testing::answerNow(app, cli::encodeRequest({"onboarding", "grant-access"})),
            cli::CommandOutcome::done(world.desktop.untrustedReason() + "\n"));
  EXPECT_EQ(world.desktop.trustPrompts(), 2);
  EXPECT_TRUE(world.sim.shell.openedURLs.empty());
}

}  // namespace
}  // namespace dovrik
