// Where the configuration and the data live, and the path the autostart entry starts.
#include "linux/files/ConfigPaths.h"

#include <gtest/gtest.h>

namespace dovrik::files {
namespace {

TEST(ConfigPathsTest, XdgConfigHomeWinsOnlyWhenAbsolute) {
  EXPECT_EQ(configHomeFrom("/x/conf", "/home/u"), "/x/conf");
  EXPECT_EQ(configHomeFrom(nullptr, "/home/u"), "/home/u/.config");
  EXPECT_EQ(configHomeFrom("", "/home/u"), "/home/u/.config");
  EXPECT_EQ(configHomeFrom("relative/conf", "/home/u"), "/home/u/.config");
  EXPECT_EQ(configHomeFrom("/x/conf", nullptr), "/x/conf");
  EXPECT_EQ(configHomeFrom(nullptr, "relative"), std::nullopt);
  EXPECT_EQ(configHomeFrom(nullptr, nullptr), std::nullopt);
  EXPECT_EQ(dovrikConfigFolder("/home/u/.config"), "/home/u/.config/dovrik");
}

TEST(ConfigPathsTest, XdgDataHomeWinsOnlyWhenAbsolute) {
  EXPECT_EQ(dataHomeFrom("/x/data", "/home/u"), "/x/data");
  EXPECT_EQ(dataHomeFrom("relative/data", "/home/u"), "/home/u/.local/share");
  EXPECT_EQ(dataHomeFrom(nullptr, nullptr), std::nullopt);
}

TEST(ConfigPathsTest, TheRunningProgramIsFoundByItsAbsolutePath) {
  const auto path = runningExecutablePath();
  ASSERT_TRUE(path);
  EXPECT_TRUE(path->is_absolute());
  EXPECT_EQ(path->filename(), "dovrik_linux_files_tests");
  EXPECT_TRUE(std::filesystem::exists(*path));
}

}  // namespace
}  // namespace dovrik::files
