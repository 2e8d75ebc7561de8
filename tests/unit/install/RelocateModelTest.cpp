// The relocation window's texts, and moving, opening and failing with the advice.
#include "core/install/RelocateModel.h"

#include <gtest/gtest.h>

#include "sim/SimClock.h"
#include "sim/SimInstaller.h"
#include "sim/SimLifecycle.h"

namespace dovrik {
namespace {

class RelocateModelTest : public ::testing::Test {
 protected:
  explicit RelocateModelTest(const char* executable = "/media/ann/Dovrik Installer/dovrik")
      : location({.executable = executable, .home = "/home/ann", .appImage = "", .runtimeDir = ""},
                 installer, PlatformTexts::macOS()),
        model(location, installer, clock, lifecycle, PlatformTexts::macOS()) {
    installer.readOnlyFolders.insert("/media/ann/Dovrik Installer");
  }

  sim::SimInstaller installer;
  sim::SimClock clock;
  sim::SimLifecycle lifecycle;
  InstallLocation location;
  RelocateModel model;
};

TEST_F(RelocateModelTest, MovesStartsTheMovedCopyUnmountsAndQuits) {
  EXPECT_EQ(model.heading(), "Move Dovrik to Applications");
  EXPECT_EQ(model.primaryTitle(), "Move to Applications");
  EXPECT_EQ(model.explanation(),
            "Dovrik is running from the Dovrik Installer disk image. macOS gives apps opened "
            "this way a temporary location, so any permission you grant would be forgotten and "
            "window snapping would not work.");

  model.perform();
  EXPECT_TRUE(model.working());
  model.perform();  // the button is disabled while working
  ASSERT_EQ(installer.installs.size(), 1u);
  EXPECT_EQ(installer.installs[0].first, "/media/ann/Dovrik Installer/dovrik");
  EXPECT_EQ(installer.installs[0].second, "/home/ann/.local/bin/dovrik");
  ASSERT_EQ(installer.launches, std::vector<std::filesystem::path>{"/home/ann/.local/bin/dovrik"});
  EXPECT_TRUE(installer.unmounts.empty());

  installer.pendingLaunch(std::nullopt);
  EXPECT_EQ(installer.unmounts, std::vector<std::filesystem::path>{"/media/ann/Dovrik Installer"});
  clock.advanceBy(0.59);
  EXPECT_EQ(lifecycle.quits, 0);
  clock.advanceBy(0.01);
  EXPECT_EQ(lifecycle.quits, 1);
}

TEST_F(RelocateModelTest, OpensTheInstalledCopyWithoutReplacingIt) {
  installer.files.insert("/usr/bin/dovrik");
  EXPECT_EQ(model.heading(), "Open Dovrik from Applications");
  EXPECT_EQ(model.primaryTitle(), "Open Dovrik");
  EXPECT_EQ(model.explanation(),
            "This copy is running from the Dovrik Installer disk image, but Dovrik is already in "
            "your Applications folder. macOS ties permissions to where an app lives, so this "
            "copy could never keep them. Open the installed one instead.");
  model.perform();
  EXPECT_TRUE(installer.installs.empty());
  EXPECT_EQ(installer.launches, std::vector<std::filesystem::path>{"/usr/bin/dovrik"});
}

TEST_F(RelocateModelTest, FailuresShowTheReasonAndAdviceAndAllowAnotherTry) {
  installer.installFailure = "Permission denied";
  model.perform();
  EXPECT_FALSE(model.working());
  EXPECT_EQ(model.failure(),
            "Could not copy Dovrik to Applications. Permission denied Drag Dovrik into "
            "Applications yourself, then open it from there.");
  EXPECT_TRUE(installer.launches.empty());
  EXPECT_EQ(installer.shownFolders, std::vector<std::filesystem::path>{"/home/ann/.local/bin"});

  installer.installFailure.reset();
  model.perform();
  EXPECT_EQ(model.failure(), std::nullopt);
  installer.pendingLaunch("it stopped at once.");
  EXPECT_EQ(model.failure(),
            "Could not open Dovrik from Applications. it stopped at once. Drag Dovrik into "
            "Applications yourself, then open it from there.");
  EXPECT_TRUE(installer.unmounts.empty());
  clock.advanceBy(5);
  EXPECT_EQ(lifecycle.quits, 0);
}

TEST(RelocateModelLinuxTest, SpeaksOfTheUsersProgramsFolder) {
  sim::SimInstaller installer;
  sim::SimClock clock;
  sim::SimLifecycle lifecycle;
  const InstallLocation location(
      {.executable = "/tmp/dl/dovrik", .home = "/home/ann", .appImage = "", .runtimeDir = ""},
      installer, PlatformTexts::linux());
  RelocateModel model(location, installer, clock, lifecycle, PlatformTexts::linux());
  EXPECT_EQ(model.heading(), "Move Dovrik to your programs");
  EXPECT_TRUE(model.explanation().starts_with("Dovrik is running from a temporary folder. "));
  installer.installFailure = "No space left on device";
  model.perform();
  EXPECT_EQ(model.failure(),
            "Could not copy Dovrik to ~/.local/bin. No space left on device Copy the dovrik "
            "program into ~/.local/bin yourself, then start it from there.");
}

}  // namespace
}  // namespace dovrik
