// Reading the kernel's table of mounts (/proc/self/mountinfo).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace dovrik::files {

// The source (a device such as "/dev/sdb1") of the file system mounted at `mountPoint`, from
// the text of a mountinfo table; the latest mount wins, as it hides the earlier ones.
std::optional<std::string> deviceMountedAt(std::string_view mountinfo,
                                           const std::filesystem::path& mountPoint);

}  // namespace dovrik::files
