// Reading a process's executable from /proc.
#include "linux/files/ProcessExecutable.h"

#include <filesystem>
#include <fstream>

namespace dovrik::files {

std::string processExecutable(ProcessId pid) {
  const std::string folder = "/proc/" + std::to_string(pid);
  std::error_code error;
  std::string path = std::filesystem::read_symlink(folder + "/exe", error).string();
  if (!error) {
    // A program replaced while it runs (a package upgrade) reads "/usr/bin/xterm (deleted)".
    constexpr std::string_view deleted = " (deleted)";
    if (path.ends_with(deleted))
      path.resize(path.size() - deleted.size());
    return path.substr(path.rfind('/') + 1);
  }
  // Another user's process hides its executable but not its command name.
  std::string command;
  std::getline(std::ifstream(folder + "/comm"), command);
  return command;
}

}  // namespace dovrik::files
