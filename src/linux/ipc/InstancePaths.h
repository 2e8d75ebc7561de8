// Where the Dovrik of one user and display keeps its single-instance lock and socket. The agent
// that claims them and every client that asks it must agree on these names.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>

namespace dovrik::ipc {

struct InstancePaths {
  std::filesystem::path directory;  // the user's runtime folder
  std::string key;                  // names the user and the display: "1000-_0"

  // From $XDG_RUNTIME_DIR, $TMPDIR, the user id and $DISPLAY.
  static InstancePaths forCurrentSession();

  std::filesystem::path socket() const;
  std::filesystem::path lock() const;
};

// The live process that holds the lock file at `lock`, if any; the lock is not taken.
std::optional<pid_t> lockHolder(const std::filesystem::path& lock);

}  // namespace dovrik::ipc
