// Commands sent straight to the running agent's socket, as `dovrik WORDS…` sends them but
// without starting a process: for benchmarks that ask often.
#pragma once

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/cli/CommandMessages.h"

namespace dovrik::bench {

// The agent's socket in its runtime folder, once it is there.
inline std::optional<std::filesystem::path> socketIn(const std::filesystem::path& folder) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.path().extension() == ".socket")
      return entry.path();
  }
  return std::nullopt;
}

// One command through the socket; its output, or nothing when nobody answered. The agent
// answers only its own user.
inline std::optional<std::string> ask(const std::filesystem::path& socketPath,
                                      const std::vector<std::string>& words) {
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  socketPath.native().copy(address.sun_path, sizeof address.sun_path - 1);
  std::string reply;
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
    const std::string line = cli::encodeRequest(words) + "\n";
    if (write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size())) {
      char buffer[65536];
      ssize_t got = 0;
      while ((got = read(fd, buffer, sizeof buffer)) > 0)
        reply.append(buffer, static_cast<std::size_t>(got));
    }
  }
  close(fd);
  if (reply.empty() || reply.back() != '\n')
    return std::nullopt;
  reply.pop_back();
  const auto outcome = cli::decodeOutcome(reply);
  if (!outcome)
    return std::nullopt;
  return outcome->out;
}

}  // namespace dovrik::bench
