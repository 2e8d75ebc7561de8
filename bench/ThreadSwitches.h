// What /proc tells of a process: a field of a status file, and how often each thread was
// switched out, which counts its wake-ups when it is otherwise idle.
#pragma once

#include <sys/types.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace dovrik::bench {

inline std::string procField(const std::filesystem::path& status, const std::string& field) {
  std::ifstream in(status);
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with(field + ":"))
      return line.substr(field.size() + 1);
  }
  return {};
}

// Context switches of each thread, by "name (tid)".
inline std::map<std::string, long> contextSwitches(pid_t pid) {
  std::map<std::string, long> switches;
  const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
  std::error_code error;
  for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
    std::string name;
    std::getline(std::ifstream(task.path() / "comm"), name);
    const auto status = task.path() / "status";
    switches[name + " (" + task.path().filename().string() + ")"] =
        std::atol(procField(status, "voluntary_ctxt_switches").c_str()) +
        std::atol(procField(status, "nonvoluntary_ctxt_switches").c_str());
  }
  return switches;
}

}  // namespace dovrik::bench
