#include "linux/files/AgentPaths.h"

#include <cstdlib>
#include <system_error>

#include "linux/files/ConfigPaths.h"

namespace dovrik::files {

namespace fs = std::filesystem;

fs::path installedAgentOf(const fs::path& client) {
  return (client.parent_path().parent_path() / "libexec" / "dovrik" / "dovrik-agent")
      .lexically_normal();
}

fs::path adjacentAgentOf(const fs::path& client) {
  return client.parent_path() / "dovrik-agent";
}

std::optional<fs::path> agentOf(const fs::path& client) {
  std::error_code error;
  for (const fs::path& agent : {installedAgentOf(client), adjacentAgentOf(client)}) {
    if (fs::is_regular_file(agent, error))
      return agent;
  }
  return std::nullopt;
}

std::optional<fs::path> takeProgramPath() {
  const char* client = std::getenv(kClientPathVariable);
  const fs::path path = client ? client : "";
  ::unsetenv(kClientPathVariable);
  if (path.is_absolute())
    return path;
  return runningExecutablePath();
}

}  // namespace dovrik::files
