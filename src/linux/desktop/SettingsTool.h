// Runs one of the desktop's settings tools (gsettings, xfconf-query, kreadconfig …) by its
// argument vector, never through a shell, and collects what it prints.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace dovrik::desktop {

struct ToolOutput {
  int exitStatus = -1;
  std::string out;  // standard output; standard error is dropped
};

// Nothing when the tool cannot be started (it is not installed) or has not ended within
// `timeout`, in which case it is killed: a settings daemon that hangs must not hang Dovrik.
std::optional<ToolOutput> runSettingsTool(
    const std::vector<std::string>& argv,
    std::chrono::milliseconds timeout = std::chrono::milliseconds(3000));

}  // namespace dovrik::desktop
