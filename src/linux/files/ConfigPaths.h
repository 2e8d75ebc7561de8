// Where Dovrik's files live on a freedesktop system, and where its own program is.
#pragma once

#include <filesystem>
#include <optional>

namespace dovrik::files {

// The user's configuration folder from the values of $XDG_CONFIG_HOME and $HOME (either may be
// null): $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config. A relative
// $XDG_CONFIG_HOME is ignored, as the base-directory rules require.
std::optional<std::filesystem::path> configHomeFrom(const char* xdgConfigHome, const char* home);

// The same for this process; without $HOME, the home folder from the user database.
std::optional<std::filesystem::path> configHome();

// The user's data folder the same way: $XDG_DATA_HOME when it is an absolute path, else
// $HOME/.local/share.
std::optional<std::filesystem::path> dataHomeFrom(const char* xdgDataHome, const char* home);
std::optional<std::filesystem::path> dataHome();

// Dovrik's folder inside a configuration folder: "<configHome>/dovrik".
std::filesystem::path dovrikConfigFolder(const std::filesystem::path& configHome);

// The absolute path of the running program, when the system can tell.
std::optional<std::filesystem::path> runningExecutablePath();

}  // namespace dovrik::files
