// Where Dovrik's files live on a freedesktop system, and where its own program is.
#include "linux/files/ConfigPaths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace dovrik::files {
namespace {

namespace fs = std::filesystem;

bool isAbsolute(const char* path) {
  return path != nullptr && path[0] == '/';
}

const char* homeFromUserDatabase(std::vector<char>& buffer, passwd& entry) {
  passwd* found = nullptr;
  buffer.resize(16384);
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
    return nullptr;
  return found->pw_dir;
}

// $HOME, or without it the home folder from the user database, kept in `buffer`.
const char* homeFolder(std::vector<char>& buffer, passwd& entry) {
  const char* home = std::getenv("HOME");
  return isAbsolute(home) ? home : homeFromUserDatabase(buffer, entry);
}

}  // namespace

std::optional<fs::path> configHomeFrom(const char* xdgConfigHome, const char* home) {
  if (isAbsolute(xdgConfigHome))
    return fs::path(xdgConfigHome);
  if (isAbsolute(home))
    return fs::path(home) / ".config";
  return std::nullopt;
}

std::optional<fs::path> configHome() {
  std::vector<char> buffer;
  passwd entry{};
  return configHomeFrom(std::getenv("XDG_CONFIG_HOME"), homeFolder(buffer, entry));
}

std::optional<fs::path> dataHomeFrom(const char* xdgDataHome, const char* home) {
  if (isAbsolute(xdgDataHome))
    return fs::path(xdgDataHome);
  if (isAbsolute(home))
    return fs::path(home) / ".local" / "share";
  return std::nullopt;
}

std::optional<fs::path> dataHome() {
  std::vector<char> buffer;
  passwd entry{};
  return dataHomeFrom(std::getenv("XDG_DATA_HOME"), homeFolder(buffer, entry));
}

fs::path dovrikConfigFolder(const fs::path& configHome) {
  return configHome / "dovrik";
}

std::optional<fs::path> runningExecutablePath() {
  std::error_code error;
  fs::path path = fs::read_symlink("/proc/self/exe", error);
  if (error || !path.is_absolute())
    return std::nullopt;
  // After the program file is replaced on disk (a package upgrade), the kernel names the old
  // one "<path> (deleted)"; the new file at <path> is the one to start next time.
  constexpr std::string_view deleted = " (deleted)";
  const std::string text = path.string();
  if (text.ends_with(deleted) && !fs::exists(path, error))
    path = text.substr(0, text.size() - deleted.size());
  return path;
}

}  // namespace dovrik::files
