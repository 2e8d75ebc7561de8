// Writing a program's path into a desktop entry's Exec key.
#pragma once

#include <string>

namespace dovrik::files {

// `path` as one argument of an Exec value, quoted and escaped so that any path survives.
std::string desktopExecArgument(const std::string& path);

}  // namespace dovrik::files
