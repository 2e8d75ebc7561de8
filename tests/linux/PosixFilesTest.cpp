// The stores' files on a real file system: modes as asked whatever the umask, whole-file
// replacement, moves that never overwrite, and setting unreadable files aside.
#include "linux/files/PosixFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TempFolder.h"

namespace dovrik::files {
namespace {

using testing::namesIn;
using testing::permissionsOf;
using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

Bytes bytesOf(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

namespace fs = std::filesystem;

class PosixFilesTest : public ::testing::Test {
 protected:
  TempFolder temp;
  PosixFiles files{temp.path()};
};

TEST_F(PosixFilesTest, FoldersAndFilesGetTheModesAskedFor) {
  // A lax umask must not widen what the history's folder and file allow.
  const mode_t old = ::umask(0);
  const auto folder = temp.path() / "Dovrik" / "inner";
  EXPECT_TRUE(files.createDirectory(folder, 0700));
  EXPECT_EQ(permissionsOf(temp.path() / "Dovrik"), fs::perms::owner_all);
  EXPECT_EQ(permissionsOf(folder), fs::perms::owner_all);
  EXPECT_TRUE(files.createDirectory(folder, 0700));  // already there

  const auto file = folder / "clipboard.json";
  EXPECT_TRUE(files.writeAtomically(file, "[]", 0600));
  ::umask(old);
  EXPECT_EQ(permissionsOf(file), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_TRUE(files.exists(file));
  EXPECT_EQ(files.read(file), bytesOf("[]"));
  EXPECT_FALSE(files.read(folder / "missing").has_value());
}

TEST_F(PosixFilesTest, WriteReplacesTheWholeFileAndLeavesNothingBeside) {
  const auto file = temp.path() / "clipboard.json";
  writeFile(file, std::string(4096, 'o'));
  EXPECT_TRUE(files.writeAtomically(file, "new", 0600));
  EXPECT_EQ(readFile(file), "new");
  EXPECT_EQ(namesIn(temp.path()), std::vector<std::string>{"clipboard.json"});
}

TEST_F(PosixFilesTest, MoveNeverOverwrites) {
  files.createDirectory(temp.path() / "Old", 0700);
  writeFile(temp.path() / "Old" / "clipboard.json", "old");
  files.createDirectory(temp.path() / "Taken", 0700);
  EXPECT_FALSE(files.move(temp.path() / "Old", temp.path() / "Taken"));
  EXPECT_TRUE(files.move(temp.path() / "Old", temp.path() / "New"));
  EXPECT_EQ(readFile(temp.path() / "New" / "clipboard.json"), "old");
  EXPECT_FALSE(files.exists(temp.path() / "Old"));
}

TEST_F(PosixFilesTest, SetAsideTakesTheNextFreeName) {
  const auto file = temp.path() / "clipboard.json";
  writeFile(file, "garbage 1");
  EXPECT_EQ(files.setAside(file), temp.path() / "clipboard.json.unreadable-1");
  writeFile(file, "garbage 2");
  EXPECT_EQ(files.setAside(file), temp.path() / "clipboard.json.unreadable-2");
  EXPECT_EQ(readFile(temp.path() / "clipboard.json.unreadable-1"), "garbage 1");
  EXPECT_FALSE(files.exists(file));
  EXPECT_FALSE(files.setAside(file).has_value());  // nothing left to set aside
}

}  // namespace
}  // namespace dovrik::files
