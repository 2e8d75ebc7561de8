// Every file the settings, the history's file port and the autostart entry write is the user's
// alone (0600, in folders made 0700), whatever the umask, set-aside copies of damaged files
// included; folders that were there already keep the modes the user gave them.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TempFolder.h"
#include "linux/files/FileDefaultsDomains.h"
#include "linux/files/PosixFiles.h"
#include "linux/files/XdgLoginItem.h"

namespace dovrik::files {
namespace {

using namespace testing;

constexpr fs::perms userOnlyFile = fs::perms::owner_read | fs::perms::owner_write;

void writeEverything(const fs::path& home) {
  const fs::path config = home / "config";
  FileDefaultsDomains domains(config / "dovrik", [](const std::string&) {});
  domains.application().set("snapGap", 8);
  // A damaged settings file and a damaged history, each made by hand with a lax mode.
  const fs::path other = config / "dovrik" / "other.json";
  writeFile(other, "not json");
  fs::permissions(other, fs::perms::all);
  FileDefaults damaged(other, [](const std::string&) {});
  damaged.set("fresh", 1);

  PosixFiles files(home / "data");
  const fs::path history = home / "data" / "Dovrik" / "clipboard.json";
  ASSERT_TRUE(files.createDirectory(history.parent_path(), 0700));
  writeFile(history, "[garbage");
  fs::permissions(history, fs::perms::all);
  ASSERT_TRUE(files.setAside(history));
  ASSERT_TRUE(files.writeAtomically(history, "[]", 0600));

  EXPECT_EQ(XdgLoginItem(config, "/usr/bin/dovrik").registerItem(), std::nullopt);
}

TEST(FileModesTest, WhatDovrikWritesIsTheUsersAloneWhateverTheUmask) {
  for (const mode_t umask : {mode_t{0}, mode_t{022}}) {
    TempFolder temp;
    // The user's own folder above Dovrik's stays as they have it.
    fs::create_directory(temp.path() / "config");
    fs::permissions(temp.path() / "config", fs::perms::owner_all | fs::perms::group_read |
                                                fs::perms::group_exec | fs::perms::others_read |
                                                fs::perms::others_exec);
    const mode_t previous = ::umask(umask);
    writeEverything(temp.path());
    ::umask(previous);

    EXPECT_EQ(permissionsOf(temp.path() / "config") & fs::perms::others_read,
              fs::perms::others_read);
    int files = 0;
    for (const fs::path& folder : {temp.path() / "config" / "dovrik", temp.path() / "data",
                                   temp.path() / "config" / "autostart"}) {
      EXPECT_EQ(permissionsOf(folder), fs::perms::owner_all) << folder;
      for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        files += entry.is_regular_file();
        EXPECT_EQ(permissionsOf(entry.path()),
                  entry.is_directory() ? fs::perms::owner_all : userOnlyFile)
            << entry.path() << " with umask " << std::oct << umask;
      }
    }
    // dovrik.json, other.json and its set-aside, the history and its set-aside, the entry.
    EXPECT_EQ(files, 6);
  }
}

}  // namespace
}  // namespace dovrik::files
