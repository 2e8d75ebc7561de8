// Which copies must move, how their place is described, and which copy counts as installed.
#include "core/install/InstallLocation.h"

#include <gtest/gtest.h>

#include "sim/SimInstaller.h"

namespace dovrik {
namespace {

struct Case {
  const char* executable;
  const char* appImage;
  bool readOnly;
  bool needsRelocation;
  const char* description;
};

class InstallLocationTest : public ::testing::Test {
 protected:
  InstallLocation location(const std::string& executable, const std::string& appImage = "") {
    return InstallLocation({.executable = executable,
                            .home = "/home/ann",
                            .appImage = appImage,
                            .runtimeDir = "/run/user/1000"},
                           installer, PlatformTexts::linux());
  }
  sim::SimInstaller installer;
};

TEST_F(InstallLocationTest, DecidesFromThePlaceTheProgramRunsFrom) {
  const Case cases[] = {
      {"/tmp/dl/dovrik", "", false, true, "a temporary folder"},
      {"/var/tmp/dovrik", "", false, true, "a temporary folder"},
      {"/run/user/1000/dovrik", "", false, true, "a temporary folder"},
      {"/tmp/../tmp/./x/dovrik", "", false, true, "a temporary folder"},
      {"/tmpfiles/dovrik", "", false, false, "a read-only location"},
      {"/opt/Dovrik/dovrik", "/home/ann/Dovrik.AppImage", false, true, "an AppImage"},
      {"/tmp/.mount_DovrikQx/usr/bin/dovrik", "", false, true, "an AppImage"},
      {"/media/ann/USB Stick/dovrik", "", true, true, "the USB Stick drive"},
      {"/run/media/ann/Backup/bin/dovrik", "", false, false, "the Backup drive"},
      {"/media/ann/dovrik", "", true, true, "a read-only location"},
      {"/mnt/cdrom/dovrik", "", true, true, "a read-only location"},
      {"/home/ann/apps/dovrik", "", false, false, "a read-only location"},
  };
  for (const Case& c : cases) {
    installer.readOnlyFolders.clear();
    if (c.readOnly)
      installer.readOnlyFolders.insert(std::filesystem::path(c.executable).parent_path());
    const InstallLocation place = location(c.executable, c.appImage);
    EXPECT_EQ(place.needsRelocation(), c.needsRelocation) << c.executable;
    EXPECT_EQ(place.locationDescription(), c.description) << c.executable;
  }
}

TEST_F(InstallLocationTest, BuildTreesAndInstalledCopiesNeverMove) {
  // A continuous-integration checkout under /tmp runs its build as it is.
  installer.files.insert("/tmp/ci/repo/build/CMakeCache.txt");
  EXPECT_FALSE(location("/tmp/ci/repo/build/src/ui/dovrik").needsRelocation());
  EXPECT_TRUE(location("/tmp/ci/repo/dovrik").needsRelocation());

  // An image-based system mounts /usr read-only; the package's copy stays.
  installer.readOnlyFolders = {"/usr", "/home"};
  EXPECT_FALSE(location("/usr/bin/dovrik").needsRelocation());
  EXPECT_FALSE(location("/usr/local/bin/dovrik").needsRelocation());
  EXPECT_FALSE(location("/home/ann/.local/bin/dovrik").needsRelocation());
  EXPECT_TRUE(location("/home/ann/other/dovrik").needsRelocation());
}

TEST_F(InstallLocationTest, PrefersThePackagedCopyToTheUsersOwn) {
  const InstallLocation place = location("/tmp/dovrik");
  EXPECT_EQ(place.userTarget(), "/home/ann/.local/bin/dovrik");
  EXPECT_EQ(place.installedCopy(), std::nullopt);
  installer.files.insert("/home/ann/.local/bin/dovrik");
  EXPECT_EQ(place.installedCopy(), "/home/ann/.local/bin/dovrik");
  installer.files.insert("/usr/local/bin/dovrik");
  EXPECT_EQ(place.installedCopy(), "/usr/local/bin/dovrik");
  installer.files.insert("/usr/bin/dovrik");
  EXPECT_EQ(place.installedCopy(), "/usr/bin/dovrik");
}

}  // namespace
}  // namespace dovrik
