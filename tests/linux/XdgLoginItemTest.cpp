// Launch at login through an autostart desktop entry: its contents, its removal, and failures
// answered as text.
#include "linux/files/XdgLoginItem.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "TempFolder.h"

namespace dovrik::files {
namespace {

using namespace testing;

class XdgLoginItemTest : public ::testing::Test {
 protected:
  TempFolder temp;
  fs::path configHome = temp.path() / "config";
  fs::path entry = configHome / "autostart" / "dovrik.desktop";
};

TEST_F(XdgLoginItemTest, RegisteringWritesAnEntryThatStartsTheProgramAndUnregisteringRemovesIt) {
  XdgLoginItem item(configHome, "/opt/dovrik/bin/dovrik");
  EXPECT_EQ(item.unregisterItem(), std::nullopt) << "none there is not a failure";

  fs::create_directories(entry.parent_path());
  writeFile(entry, "[Desktop Entry]\nHidden=true\n");
  EXPECT_EQ(item.registerItem(), std::nullopt);
  EXPECT_EQ(readFile(entry),
            "[Desktop Entry]\n"
            "Type=Application\n"
            "Name=Dovrik\n"
            "Exec=\"/opt/dovrik/bin/dovrik\"\n"
            "Icon=org.dovrik.Dovrik\n"
            "Terminal=false\n"
            "X-GNOME-Autostart-enabled=true\n");
  EXPECT_EQ(namesIn(entry.parent_path()), std::vector<std::string>{"dovrik.desktop"});

  EXPECT_EQ(item.unregisterItem(), std::nullopt);
  EXPECT_FALSE(fs::exists(entry));
  EXPECT_TRUE(fs::is_directory(entry.parent_path()));
}

TEST_F(XdgLoginItemTest, TheProgramPathIsQuotedAndEscapedForTheExecKey) {
  ASSERT_EQ(XdgLoginItem(configHome, "/opt/my apps/do\"v$r`\\ik%1\n").registerItem(), std::nullopt);
  const std::string text = readFile(entry);
  EXPECT_NE(text.find(R"(Exec="/opt/my apps/do\\"v\\$r\\`\\\\ik%%1\n")"
                      "\n"),
            std::string::npos)
      << text;
}

TEST_F(XdgLoginItemTest, FailuresAreAnsweredAsText) {
  for (const char* relative : {"dovrik", ""})
    EXPECT_EQ(XdgLoginItem(configHome, relative).registerItem(),
              "the location of the Dovrik program is unknown");

  fs::create_directories(configHome);
  writeFile(configHome / "autostart", "a file where the folder belongs");
  const auto blocked = XdgLoginItem(configHome, "/usr/bin/dovrik").registerItem();
  ASSERT_TRUE(blocked);
  EXPECT_NE(blocked->find("Not a directory"), std::string::npos) << *blocked;

  fs::remove(configHome / "autostart");
  fs::create_directories(entry / "occupied");
  const auto stuck = XdgLoginItem(configHome, "/usr/bin/dovrik").unregisterItem();
  ASSERT_TRUE(stuck);
  EXPECT_NE(stuck->find(entry.string()), std::string::npos) << *stuck;
}

TEST_F(XdgLoginItemTest, AFolderTheUserCannotWriteIsReportedNotThrown) {
  if (::geteuid() == 0)
    GTEST_SKIP() << "permission checks do not apply to root";
  fs::create_directories(entry.parent_path());
  fs::permissions(entry.parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
  const auto refused = XdgLoginItem(configHome, "/usr/bin/dovrik").registerItem();
  ASSERT_TRUE(refused);
  EXPECT_NE(refused->find("Permission denied"), std::string::npos) << *refused;
}

}  // namespace
}  // namespace dovrik::files
