// What the real `dovrik` agent leaves on disk: started with a umask that would let anyone read,
// it writes every store (settings, layouts, app rules, the file shelf, the clipboard history)
// and its single-instance lock and socket open to the user alone; and a text a password manager
// marks secret reaches no file at all, while the next ordinary copy is kept.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "AgentTest.h"
#include "ClipboardClient.h"

namespace dovrik::x11test {
namespace {

namespace fs = std::filesystem;

class StoreFilesTest : public AgentTest {
 protected:
  void SetUp() override {
    AgentTest::SetUp();
    // The agent inherits it; the test's own files are made before and after.
    previousUmask_ = ::umask(0);
    const bool started = startAgent();
    ::umask(previousUmask_);
    ASSERT_TRUE(started);
    other_ = std::make_unique<ClipboardClient>(server->display());
  }
  void TearDown() override {
    other_.reset();
    AgentTest::TearDown();
  }

  // Copies in another application until `clipboard list` shows `expected`.
  bool copyUntilListed(std::map<std::string, std::string> offers, const std::string& expected) {
    other_->own(std::move(offers));
    return client->waitFor([&] {
      other_->service();
      return run({"clipboard", "list"}).out.find(expected) != std::string::npos;
    });
  }

  static std::string fileText(const fs::path& file) {
    std::ostringstream text;
    text << std::ifstream(file, std::ios::binary).rdbuf();
    return text.str();
  }

  mode_t previousUmask_ = 0;
  std::unique_ptr<ClipboardClient> other_;
};

TEST_F(StoreFilesTest, EveryStoreIsTheUsersAloneAndSecretsNeverReachDisk) {
  const std::string secret = "hunter2-never-on-disk-5521";
  const std::string ordinary = "an ordinary copy after the secret";
  const fs::path history = fs::path(session_) / "data" / "Dovrik" / "clipboard.json";
  other_->own({{"UTF8_STRING", secret}, {"x-kde-passwordManagerHint", "secret"}});
  // Dovrik reads the hint and then never asks for the text: two answers from the agent later,
  // it would have.
  ASSERT_TRUE(client->waitFor([&] {
    other_->service();
    return other_->wasAsked("x-kde-passwordManagerHint");
  }));
  for (int answer = 0; answer < 2; ++answer) {
    run({"clipboard", "list"});
    other_->service();
  }
  EXPECT_FALSE(other_->wasAsked("UTF8_STRING"));
  ASSERT_TRUE(copyUntilListed({{"UTF8_STRING", ordinary}}, ordinary));
  // The history is written off the agent's main thread.
  ASSERT_TRUE(
      client->waitFor([&] { return fileText(history).find(ordinary) != std::string::npos; }));

  client->createWindow({.instance = "alpha", .className = "Alpha", .pid = 8001});
  EXPECT_EQ(run({"layout", "save", "Desk"}).status, 0);
  EXPECT_EQ(run({"rules", "add", "Alpha", "left-half"}).status, 0);
  std::ofstream(fs::path(session_) / "shelved.txt") << "shelved";
  EXPECT_EQ(run({"shelf", "add", "shelved.txt"}).status, 0);
  EXPECT_EQ(run({"update", "auto", "off"}).status, 0);

  const fs::path settings = fs::path(session_) / "config" / "dovrik" / "dovrik.json";
  const std::string stored = fileText(settings);
  for (const char* key : {"qlm.workspaces", "qlm.appRules", "qlm.fileShelf"})
    EXPECT_NE(stored.find(key), std::string::npos) << key << " is not in the settings";

  int files = 0;
  for (const fs::path& folder :
       {fs::path(session_) / "config", fs::path(session_) / "data", fs::path(runtimeDir())}) {
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      const fs::perms mode = entry.symlink_status().permissions() & fs::perms::all;
      const fs::perms others = fs::perms::group_all | fs::perms::others_all;
      if (entry.is_directory())
        EXPECT_EQ(mode, fs::perms::owner_all) << entry.path();
      else if (entry.is_regular_file())
        EXPECT_EQ(mode, fs::perms::owner_read | fs::perms::owner_write) << entry.path();
      else
        EXPECT_EQ(mode & others, fs::perms::none) << entry.path();
      files += entry.is_regular_file();
    }
  }
  // The two Dovrik made under the test's folders: the config and the data home.
  for (const char* made : {"config", "data"})
    EXPECT_EQ(fs::status(fs::path(session_) / made).permissions() & fs::perms::all,
              fs::perms::owner_all)
        << made;
  // The settings, the history and the lock at least.
  EXPECT_GE(files, 3);

  // Nowhere under the session's home and XDG folders, logs and command output included.
  for (const auto& entry : fs::recursive_directory_iterator(session_)) {
    const std::string text = entry.is_regular_file() ? fileText(entry.path()) : "";
    EXPECT_EQ(text.find(secret), std::string::npos) << entry.path();
  }
}

}  // namespace
}  // namespace dovrik::x11test
