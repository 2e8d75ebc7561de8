// The runtime folder follows the base-directory rules: $XDG_RUNTIME_DIR when it is the user's,
// else a folder of the user's own under the temporary folder.
#include "linux/ipc/InstancePaths.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <fstream>

namespace dovrik::ipc {
namespace {

namespace fs = std::filesystem;

// A runtime folder that does not exist yet is made by the claim, for the user alone; one that
// belongs to someone else is never used.
bool isUsableRuntimeFolder(const char* folder) {
  if (folder == nullptr || folder[0] != '/')
    return false;
  struct stat info {};
  if (::stat(folder, &info) != 0)
    return errno == ENOENT;
  return S_ISDIR(info.st_mode) && info.st_uid == ::getuid();
}

fs::path runtimeFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (isUsableRuntimeFolder(runtime))
    return runtime;
  const char* temporary = std::getenv("TMPDIR");
  const fs::path base = temporary && temporary[0] == '/' ? temporary : "/tmp";
  return base / ("runtime-" + std::to_string(::getuid()));
}

// A display name as part of a file name.
std::string sanitized(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    const bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      c == '.' || c == '-';
    if (!kept)
      c = '_';
  }
  return out;
}

}  // namespace

InstancePaths InstancePaths::forCurrentSession() {
  const char* display = std::getenv("DISPLAY");
  return {runtimeFolder(),
          std::to_string(::getuid()) + '-' + sanitized(display ? display : "none")};
}

fs::path InstancePaths::socket() const {
  return directory / ("dovrik-" + key + ".socket");
}

fs::path InstancePaths::lock() const {
  return directory / ("dovrik-" + key + ".lock");
}

// The lock file's first line is the holder's process id.
std::optional<pid_t> lockHolder(const fs::path& lock) {
  std::ifstream file(lock);
  std::string line;
  if (!std::getline(file, line))
    return std::nullopt;
  pid_t pid = 0;
  const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), pid);
  if (error != std::errc() || end != line.data() + line.size() || pid <= 0)
    return std::nullopt;
  if (::kill(pid, 0) != 0 && errno != EPERM)
    return std::nullopt;
  return pid;
}

}  // namespace dovrik::ipc
