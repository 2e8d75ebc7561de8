// A copy of the real release started from a temporary folder or a read-only mount shows only
// the relocation window; its primary button, pressed from the keyboard, installs the client and
// its agent in the test's home, starts the installed copy, and the first copy quits. An
// installed agent keeps its client up to date.
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "AgentTest.h"
#include "linux/x11/Keysyms.h"

namespace dovrik::x11test {
namespace {

namespace fs = std::filesystem;
using namespace dovrik::x11;

class RelocationTest : public AgentTest {
 protected:
  void TearDown() override {
    // The installed copy is no child of the test; it is asked to leave like a user would.
    if (fs::exists(installed()))
      run({"quit"});
    if (!readOnlyMount_.empty())
      ::umount2(readOnlyMount_.c_str(), MNT_DETACH);
    AgentTest::TearDown();
  }

  fs::path installed() const { return fs::path(session_) / ".local/bin/dovrik"; }

  fs::path installedAgent() const {
    return fs::path(session_) / ".local/libexec/dovrik/dovrik-agent";
  }

  static std::string contentsOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // A copy of the release, the agent alone, in `folder`, out of the build tree.
  fs::path copyInto(const fs::path& folder) const {
    fs::create_directories(folder);
    fs::copy_file(DOVRIK_AGENT_EXECUTABLE, folder / "dovrik");
    return folder / "dovrik";
  }

  // Starts `program`, moves it with the keyboard, and checks that the installed copy takes over.
  void relocate(const fs::path& program) {
    const int log = create("relocation.log");
    const pid_t first = spawn({}, log, log, program);
    close(log);
    xcb_window_t window = XCB_NONE;
    ASSERT_TRUE(client->waitFor(
        [&] {
          window = viewableWindowTitled("Dovrik");
          return isActive(window);
        },
        30))
        << contents("relocation.log");
    // The relocation window replaces the agent: nothing answers commands.
    EXPECT_EQ(run({"snap", "center"}).status, 3);

    tap(XK_space);  // the primary button has the focus
    int status = -1;
    ASSERT_TRUE(client->waitFor([&] { return waitpid(first, &status, WNOHANG) == first; }, 20))
        << contents("relocation.log");
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << contents("relocation.log");

    for (const fs::path& file : {installed(), installedAgent()}) {
      struct stat info {};
      ASSERT_EQ(::stat(file.c_str(), &info), 0) << file;
      EXPECT_EQ(info.st_mode & 0777, 0755u) << file;
    }
    std::ifstream entry(session_ + "/data/applications/org.dovrik.Dovrik.desktop");
    std::ostringstream text;
    text << entry.rdbuf();
    EXPECT_NE(text.str().find("\nExec=\"" + installed().string() + "\"\n"), std::string::npos);
    EXPECT_TRUE(fs::exists(session_ + "/data/icons/hicolor/48x48/apps/org.dovrik.Dovrik.png"));
    // The installed client started the installed agent in its place, which runs now.
    EXPECT_TRUE(client->waitFor([&] { return run({"snap", "center"}).status != 3; }, 30));
    EXPECT_EQ(fs::read_symlink("/proc/" + std::to_string(lockHolder()) + "/exe"), installedAgent());
  }

  std::string readOnlyMount_;
};

TEST_F(RelocationTest, ACopyInATemporaryFolderMovesItselfAndTheInstalledCopyTakesOver) {
  relocate(copyInto(runtimeDir() + "/Downloads"));
}

TEST_F(RelocationTest, ACopyOnAReadOnlyMountMovesItselfToo) {
  const fs::path source = copyInto(session_ + "/medium-files").parent_path();
  const std::string mountPoint = session_ + "/medium";
  fs::create_directories(mountPoint);
  if (::mount(source.c_str(), mountPoint.c_str(), nullptr, MS_BIND, nullptr) != 0)
    GTEST_SKIP() << "bind mounts are not permitted here";
  readOnlyMount_ = mountPoint;
  if (::mount(nullptr, mountPoint.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0)
    GTEST_SKIP() << "read-only remounts are not permitted here";
  relocate(fs::path(mountPoint) / "dovrik");
}

// An update replaces the agent alone: at its next start the installed agent puts the client it
// carries in place of an outdated one. An agent that an update left in the client's own place
// copies itself where the client looks for it first.
TEST_F(RelocationTest, AnInstalledAgentRenewsItsClient) {
  const std::string agent = contentsOf(DOVRIK_AGENT_EXECUTABLE);
  for (const fs::path& agentAt : {installedAgent(), installed()}) {
    SCOPED_TRACE(agentAt);
    fs::remove_all(fs::path(session_) / ".local");
    fs::create_directories(installed().parent_path());
    fs::create_directories(installedAgent().parent_path());
    fs::copy_file(DOVRIK_AGENT_EXECUTABLE, agentAt);
    // An older client: it still runs, and differs from the one the agent carries.
    if (agentAt != installed()) {
      fs::copy_file(DOVRIK_EXECUTABLE, installed());
      std::ofstream(installed(), std::ios::app) << "older";
    }

    const std::string before = contentsOf(installed());

    const pid_t pid = startProgram(installed(), {}, "installed.log");
    ASSERT_TRUE(client->waitFor(
        [&] {
          return run({"clipboard", "list"}).status == 0;
        },
        30))
        << contents("installed.log");
    EXPECT_EQ(contentsOf(installedAgent()), agent);
    const std::string renewed = contentsOf(installed());
    EXPECT_FALSE(renewed.empty());
    EXPECT_NE(renewed, before);
    EXPECT_NE(renewed, agent);
    const int out = create("version");
    const pid_t version = spawn({"--version"}, out, out, installed());
    close(out);
    int status = -1;
    ASSERT_TRUE(client->waitFor([&] { return waitpid(version, &status, WNOHANG) == version; }));
    EXPECT_EQ(contents("version"), "dovrik " DOVRIK_VERSION "\n");
    run({"quit"});
    ASSERT_TRUE(client->waitFor([&] { return waitpid(pid, nullptr, WNOHANG) == pid; }, 10));
  }
}

}  // namespace
}  // namespace dovrik::x11test
