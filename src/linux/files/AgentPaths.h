// Dovrik is two programs: `dovrik`, the small command-line client that users and the desktop
// start, and the agent, which it replaces itself with to run the tray. These are the places
// each finds the other.
#pragma once

#include <filesystem>
#include <optional>

namespace dovrik::files {

// Set by the client for the agent it starts: the client's path, the program the desktop
// knows as Dovrik.
inline constexpr const char* kClientPathVariable = "DOVRIK_CLIENT";

// Where an installation puts the agent of the client at `client`:
// "<client's folder>/../libexec/dovrik/dovrik-agent".
std::filesystem::path installedAgentOf(const std::filesystem::path& client);
// The agent beside the client, as a build tree has it.
std::filesystem::path adjacentAgentOf(const std::filesystem::path& client);
// The first of those two that exists.
std::optional<std::filesystem::path> agentOf(const std::filesystem::path& client);

// In the agent: the program that stands for Dovrik, which is the client that started this
// process, else this process's own program. Takes the client's path out of the environment,
// so that programs Dovrik starts do not inherit it.
std::optional<std::filesystem::path> takeProgramPath();

}  // namespace dovrik::files
