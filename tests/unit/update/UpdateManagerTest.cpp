// The updater on virtual time: the daily schedule and its switch, the version it offers, what
// it tells the user, and what it installs.
#include <gtest/gtest.h>

#include "core/app/ManagerPorts.h"
#include "core/update/SoftwareVersion.h"
#include "core/update/UpdateManager.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik {
namespace {

constexpr double kDay = UpdateManager::checkInterval;

AppcastItem release(const std::string& version) {
  AppcastItem item;
  item.shortVersion = version;
  item.releaseNotes = "Notes of " + version;
  item.url = "https://example.org/dovrik-" + version;
  item.length = 10;
  item.edSignature = "c2lnbmF0dXJl";
  return item;
}

struct UpdateManagerTest : ::testing::Test, test::SimWorld {
  UpdateManagerTest() { service.feedConfigured = true; }

  sim::SimUpdateService& service = sim.updateService;
  UpdateManager manager{updateManagerPorts(platform), service, "1.4.2"};

  // Runs what is due now, answers the check that started, with these releases.
  void answer(std::vector<AppcastItem> items) {
    clock.advanceBy(0);
    ASSERT_TRUE(service.isFetching());
    service.answerFetch({std::move(items), ""});
  }
};

TEST(SoftwareVersionTest, ComparesNumberByNumberAndRefusesWhatIsNoVersion) {
  const auto v = [](const char* text) { return *SoftwareVersion::parse(text); };
  EXPECT_LT(v("1.4.2"), v("1.10"));
  EXPECT_EQ(v("1.4"), v("1.4.0"));
  EXPECT_GT(v("2"), v("1.99.99"));
  EXPECT_EQ(v("007.1").text(), "7.1");
  for (const char* bad : {"", "1..2", "1.2.", "v1.2", "1.2-beta", "1.2.3.4.5", "9999999999", " 1"})
    EXPECT_EQ(SoftwareVersion::parse(bad), std::nullopt) << bad;
}

TEST_F(UpdateManagerTest, ChecksAtOnceTheFirstTimeThenOnceADayWhileTheSwitchIsOn) {
  EXPECT_EQ(manager.lastCheckText(), "Not checked yet");
  manager.start();
  answer({});
  EXPECT_EQ(service.fetches, 1);
  EXPECT_EQ(manager.prompt(), std::nullopt) << "a scheduled check that finds nothing is silent";
  clock.advanceBy(3 * 3600);
  EXPECT_EQ(manager.lastCheckText(), "Last checked 3 hours ago");

  clock.advanceBy(kDay - 3 * 3600 - 1);
  EXPECT_EQ(service.fetches, 1);
  clock.advanceBy(1);
  EXPECT_EQ(service.fetches, 2);
  service.answerFetch({{}, ""});

  manager.setAutomaticallyChecks(false);
  clock.advanceBy(5 * kDay);
  EXPECT_EQ(service.fetches, 2);
  // Back on after days off: the last check is old, so one runs now.
  manager.setAutomaticallyChecks(true);
  clock.advanceBy(0);
  EXPECT_EQ(service.fetches, 3);
}

TEST_F(UpdateManagerTest, AStartSoonAfterACheckWaitsForTheRestOfTheDay) {
  platform.defaults.application().set(UpdateManager::lastCheckKey,
                                      clock.wallTimeSince2001() - 20 * 3600);
  manager.start();
  clock.advanceBy(4 * 3600 - 1);
  EXPECT_EQ(service.fetches, 0);
  clock.advanceBy(1);
  EXPECT_EQ(service.fetches, 1);
}

TEST_F(UpdateManagerTest, AFailedScheduledCheckIsLoggedAndTriedADayLaterNotInALoop) {
  manager.start();
  clock.advanceBy(0);
  service.answerFetch({{}, "The update server did not answer within 30 seconds."});
  EXPECT_EQ(sim.shell.logLines.back(),
            "[Dovrik] scheduled update check failed: The update server did not answer within 30 "
            "seconds.");
  EXPECT_EQ(manager.prompt(), std::nullopt);
  EXPECT_EQ(manager.lastCheckDate(), std::nullopt);
  clock.advanceBy(kDay - 1);
  EXPECT_EQ(service.fetches, 1);
  clock.advanceBy(1);
  EXPECT_EQ(service.fetches, 2);
}

TEST_F(UpdateManagerTest, TheUserIsToldEveryAnswerAndCannotCheckTwiceAtOnce) {
  manager.setAutomaticallyChecks(false);
  manager.checkForUpdates();
  EXPECT_FALSE(manager.canCheckForUpdates());
  manager.checkForUpdates();
  EXPECT_EQ(service.fetches, 1);
  service.answerFetch({{release("1.4.2"), release("1.3")}, ""});
  ASSERT_TRUE(manager.prompt());
  EXPECT_EQ(manager.prompt()->title, "You're up to date");
  EXPECT_EQ(manager.prompt()->message, "Dovrik 1.4.2 is the newest version available.");
  manager.dismiss();

  manager.checkForUpdates();
  service.answerFetch({{}, "The update feed could not be read."});
  EXPECT_EQ(manager.prompt()->title, "Could not check for updates");
  EXPECT_TRUE(sim.shell.logLines.empty());
  EXPECT_TRUE(manager.canCheckForUpdates());

  EXPECT_EQ(manager.cannotCheckReason(), "");

  service.feedConfigured = false;
  EXPECT_FALSE(manager.canCheckForUpdates());
  EXPECT_EQ(manager.cannotCheckReason(), "This build of Dovrik has no update feed to check.");
}

TEST_F(UpdateManagerTest, OffersTheNewestNewerReleaseAndInstallsOnlyWhenAsked) {
  manager.checkForUpdates();
  AppcastItem unreadable = release("2.0-beta");
  service.answerFetch({{release("1.4.1"), release("1.5"), unreadable, release("1.4.10")}, ""});
  ASSERT_TRUE(manager.prompt());
  const UpdatePrompt offer = *manager.prompt();
  EXPECT_EQ(offer.message,
            "Dovrik 1.5 is available — you have 1.4.2. Would you like to install it now?");
  EXPECT_EQ(offer.releaseNotes, "Notes of 1.5");
  EXPECT_EQ(offer.primaryButton, "Install and Relaunch");
  EXPECT_EQ(offer.secondaryButton, "Later");
  EXPECT_TRUE(service.installs.empty());

  manager.install();
  manager.install();
  ASSERT_EQ(service.installs.size(), 1u);
  EXPECT_EQ(service.installs[0].shortVersion, "1.5");
  EXPECT_FALSE(manager.canCheckForUpdates());
  EXPECT_EQ(manager.cannotCheckReason(), "An update is being installed.");
  manager.dismiss();  // not while installing
  EXPECT_EQ(manager.prompt()->kind, UpdatePrompt::Kind::installing);
  service.answerInstall(std::nullopt);
  EXPECT_EQ(sim.lifecycle.relaunches, 1);
}

TEST_F(UpdateManagerTest, AFailedInstallationSaysWhyAndKeepsRunning) {
  manager.checkForUpdates();
  service.answerFetch({{release("1.5")}, ""});
  manager.install();
  service.answerInstall("The update's signature does not match; nothing was installed.");
  EXPECT_EQ(manager.prompt()->title, "Could not install the update");
  EXPECT_EQ(manager.prompt()->message,
            "The update's signature does not match; nothing was installed. Dovrik 1.4.2 keeps "
            "running.");
  EXPECT_EQ(sim.lifecycle.relaunches, 0);
  EXPECT_TRUE(manager.canCheckForUpdates());
}

TEST_F(UpdateManagerTest, ACopyThatMayNotReplaceItselfOnlyTellsAndNeverInstalls) {
  for (const auto kind :
       {UpdateService::InstallKind::packaged, UpdateService::InstallKind::unmanaged}) {
    service.kind = kind;
    manager.checkForUpdates();
    service.answerFetch({{release("1.5")}, ""});
    EXPECT_FALSE(manager.prompt()->canInstall);
    EXPECT_EQ(manager.prompt()->primaryButton, "OK");
    EXPECT_EQ(manager.prompt()->secondaryButton, std::nullopt);
    manager.install();
    EXPECT_TRUE(service.installs.empty());
    manager.dismiss();
  }
}

TEST_F(UpdateManagerTest,
       AScheduledCheckAsksBeforeInstallingAndNothingIsOfferedToAnUnknownVersion) {
  manager.start();
  answer({release("1.5")});
  ASSERT_TRUE(manager.prompt());
  EXPECT_TRUE(manager.prompt()->canInstall);
  EXPECT_TRUE(service.installs.empty());

  UpdateManager unknown(updateManagerPorts(platform), service, "development");
  unknown.checkForUpdates();
  service.answerFetch({{release("99.0")}, ""});
  EXPECT_EQ(unknown.prompt()->title, "You're up to date");
}

}  // namespace
}  // namespace dovrik
