// The `dovrik` client starting the agent: it finds the agent where an installation or a build
// tree puts it and becomes it (same process, same arguments, its own path handed over), or
// says plainly that the agent is missing.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>

#include "TempFolder.h"
#include "linux/files/AgentPaths.h"

extern char** environ;

namespace dovrik::files {
namespace {

using namespace testing;

// A stand-in agent that writes down its process, the client's path it was given and its
// arguments.
constexpr const char* kStandInAgent = "#!/bin/sh\necho \"$$ $DOVRIK_CLIENT $*\" > \"$0.seen\"\n";

struct ClientRun {
  pid_t pid = -1;
  int status = -1;
};

ClientRun runClient(const fs::path& client, const fs::path& errors) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::string program = client.string();
  char* argv[] = {program.data(), nullptr};
  ClientRun run;
  posix_spawn(&run.pid, program.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  ::waitpid(run.pid, &run.status, 0);
  return run;
}

class AgentStartTest : public ::testing::Test {
 protected:
  fs::path installClient(const fs::path& at) {
    fs::create_directories(at.parent_path());
    fs::copy_file(DOVRIK_CLIENT_EXECUTABLE, at);
    return at;
  }
  void installStandIn(const fs::path& at) {
    fs::create_directories(at.parent_path());
    writeFile(at, kStandInAgent);
    fs::permissions(at, fs::perms::owner_all);
  }

  TempFolder temp;
};

// The installed layout wins over an agent beside the client.
TEST_F(AgentStartTest, TheClientBecomesTheInstalledAgent) {
  const fs::path client = installClient(temp.path() / "bin/dovrik");
  const fs::path agent = temp.path() / "libexec/dovrik/dovrik-agent";
  installStandIn(agent);
  installStandIn(temp.path() / "bin/dovrik-agent");

  const ClientRun run = runClient(client, temp.path() / "errors");
  ASSERT_TRUE(WIFEXITED(run.status));
  EXPECT_EQ(WEXITSTATUS(run.status), 0) << readFile(temp.path() / "errors");
  EXPECT_EQ(readFile(agent.string() + ".seen"),
            std::to_string(run.pid) + " " + client.string() + " \n");
  EXPECT_FALSE(fs::exists(temp.path() / "bin/dovrik-agent.seen"));
}

TEST_F(AgentStartTest, ABuildTreeHasTheAgentBesideTheClient) {
  const fs::path client = installClient(temp.path() / "build/dovrik");
  installStandIn(temp.path() / "build/dovrik-agent");

  const ClientRun run = runClient(client, temp.path() / "errors");
  EXPECT_EQ(readFile(temp.path() / "build/dovrik-agent.seen"),
            std::to_string(run.pid) + " " + client.string() + " \n");
}

TEST_F(AgentStartTest, AMissingAgentIsToldAndFails) {
  const fs::path client = installClient(temp.path() / "bin/dovrik");

  const ClientRun run = runClient(client, temp.path() / "errors");
  ASSERT_TRUE(WIFEXITED(run.status));
  EXPECT_NE(WEXITSTATUS(run.status), 0);
  const std::string errors = readFile(temp.path() / "errors");
  EXPECT_NE(errors.find((temp.path() / "libexec/dovrik/dovrik-agent").string()), std::string::npos)
      << errors;
}

// The agent takes the client's path out of its environment, so that the programs it starts
// do not believe a client started them.
TEST_F(AgentStartTest, TheAgentTakesTheClientsPathOnce) {
  ::setenv(kClientPathVariable, "/opt/dovrik/bin/dovrik", 1);
  EXPECT_EQ(takeProgramPath(), fs::path("/opt/dovrik/bin/dovrik"));
  EXPECT_EQ(std::getenv(kClientPathVariable), nullptr);
  EXPECT_EQ(takeProgramPath()->filename(), "dovrik_linux_files_tests");
}

}  // namespace
}  // namespace dovrik::files
