// dovrik: the command the user and the desktop start. Commands, help and the version are
// answered here, without the agent's libraries, so a key bound to `dovrik snap left-half`
// acts at once; anything else replaces this process with the agent, which keeps its PID.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "linux/files/AgentPaths.h"
#include "linux/files/ConfigPaths.h"
#include "linux/ipc/CommandLineClient.h"

namespace {

using namespace dovrik;

int startAgent(char** argv) {
  const auto client = files::runningExecutablePath();
  if (!client) {
    std::fputs("dovrik: cannot tell where this program lies, so cannot find dovrik-agent.\n",
               stderr);
    return 1;
  }
  const auto agent = files::agentOf(*client);
  if (!agent) {
    std::fprintf(stderr, "dovrik: the Dovrik agent is missing: neither %s nor %s exists.\n",
                 files::installedAgentOf(*client).c_str(), files::adjacentAgentOf(*client).c_str());
    return 1;
  }
  ::setenv(files::kClientPathVariable, client->c_str(), 1);
  ::execv(agent->c_str(), argv);
  std::fprintf(stderr, "dovrik: cannot start %s: %s\n", agent->c_str(), std::strerror(errno));
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto status =
          ipc::runCommandLine(std::vector<std::string>(argv + 1, argv + argc), DOVRIK_VERSION))
    return *status;
  return startAgent(argv);
}
