// Installing for one user: the agent and the client replaced in one step each, the menu entry that
// starts it and the icons; starting the installed copy and reading its first moments; the mount
// table.
#include "linux/files/XdgInstaller.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include "TempFolder.h"
#include "linux/files/MountInfo.h"
#include "sim/SimClock.h"
#include "sim/SimShell.h"

namespace dovrik::files {
namespace {

using namespace testing;

class XdgInstallerTest : public ::testing::Test {
 protected:
  // Waits for the started program to end, without reaping it, then lets the watch look.
  std::optional<std::string> launchToEnd(const fs::path& program) {
    std::optional<std::optional<std::string>> report;
    installer.launch(program, [&report](auto failure) { report = failure; });
    siginfo_t info{};
    if (!report)
      ::waitid(P_ALL, 0, &info, WEXITED | WNOWAIT);
    clock.advanceBy(0.1);
    EXPECT_TRUE(report.has_value());
    return report.value_or("no report");
  }

  TempFolder temp;
  fs::path home = temp.path() / "my home";
  sim::SimClock clock;
  sim::SimShell shell;
  XdgInstaller installer{
      home / ".local/share",
      [this] {
        return ProgramFiles{.agent = temp.path() / "Downloads/dovrik", .client = "client"};
      },
      [] {
        return DesktopFiles{.applicationId = "org.dovrik.Dovrik",
                            .desktopEntry = "[Desktop Entry]\nName=Dovrik\nExec=dovrik\n",
                            .agentEntry = "[Desktop Entry]\nExec=dovrik-agent\nNoDisplay=true\n",
                            .iconPngs = {{16, "png16"}, {256, "png256"}}};
      },
      clock,
      shell,
      [] { return false; }};
};

// The running agent goes where the client looks for it, and the client it carries in the
// program's place, each replacing an older one in one step.
TEST_F(XdgInstallerTest, InstallsBothProgramsTheirEntryAndIcons) {
  const fs::path program = temp.path() / "Downloads/dovrik";
  fs::create_directories(program.parent_path());
  writeFile(program, "new agent");
  const fs::path target = home / ".local/bin/dovrik";
  const fs::path agent = home / ".local/libexec/dovrik/dovrik-agent";
  fs::create_directories(target.parent_path());
  writeFile(target, "old program");

  EXPECT_EQ(installer.install(program, target), std::nullopt);
  EXPECT_EQ(readFile(target), "client");
  EXPECT_EQ(readFile(agent), "new agent");
  for (const fs::path& file : {target, agent}) {
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0755u);
  }
  EXPECT_EQ(readFile(home / ".local/share/applications/org.dovrik.Dovrik.desktop"),
            "[Desktop Entry]\nName=Dovrik\nExec=\"" + target.string() + "\"\n");
  // Plasma grants the paste keystroke to the process by the full path of its executable: the
  // agent's own entry names the installed agent, which the client runs in its own place.
  EXPECT_EQ(readFile(home / ".local/share/applications/org.dovrik.Dovrik.Agent.desktop"),
            "[Desktop Entry]\nExec=\"" + agent.string() + "\"\nNoDisplay=true\n");
  EXPECT_EQ(readFile(home / ".local/share/icons/hicolor/16x16/apps/org.dovrik.Dovrik.png"),
            "png16");
  EXPECT_EQ(readFile(home / ".local/share/icons/hicolor/256x256/apps/org.dovrik.Dovrik.png"),
            "png256");

  // A file where the folders should be: the reason is a sentence.
  writeFile(temp.path() / "blocked", "");
  const auto failure = installer.install(program, temp.path() / "blocked/bin/dovrik");
  ASSERT_TRUE(failure.has_value());
  EXPECT_TRUE(failure->ends_with("Not a directory.")) << *failure;
}

TEST_F(XdgInstallerTest, ALaunchFailsOnlyWhenTheProgramCannotStartOrEndsWithAnError) {
  EXPECT_EQ(launchToEnd("/bin/true"), std::nullopt);
  EXPECT_EQ(launchToEnd("/bin/false"), "It stopped at once with exit status 1.");
  EXPECT_EQ(launchToEnd(temp.path() / "missing"),
            "It could not be started: No such file or directory.");
}

TEST_F(XdgInstallerTest, ShowingAFolderMakesItAndOpensExactlyIt) {
  installer.showFolder(home / "Apps #1?");
  EXPECT_TRUE(fs::is_directory(home / "Apps #1?"));
  EXPECT_EQ(shell.openedURLs, std::vector<std::string>{"file://" + temp.path().string() +
                                                       "/my%20home/Apps%20%231%3F/"});
}

TEST(MountInfoTest, FindsTheDeviceOfTheLatestMountAtAPoint) {
  const std::string table =
      "36 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
      "90 36 8:17 / /media/ann/USB\\040Stick rw,nosuid shared:50 - vfat /dev/sdb1 rw\n"
      "91 36 8:33 / /run/media/ann/Backup ro - ext4 /dev/sdc1 ro\n"
      "92 90 8:18 / /media/ann/USB\\040Stick ro master:3 - vfat /dev/sdb2 ro\n"
      "broken line\n";
  EXPECT_EQ(deviceMountedAt(table, "/media/ann/USB Stick"), "/dev/sdb2");
  EXPECT_EQ(deviceMountedAt(table, "/run/media/ann/Backup"), "/dev/sdc1");
  EXPECT_EQ(deviceMountedAt(table, "/media/ann/Other"), std::nullopt);
}

}  // namespace
}  // namespace dovrik::files
