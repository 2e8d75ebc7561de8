// A guard run before parsing stored JSON.
#pragma once

#include <string_view>

namespace dovrik {

// Whether arrays and objects in `text` nest at most `limit` deep. Stored formats refuse deeper
// text before parsing, so hostile input cannot exhaust the stack in the parser or in the
// destruction of the parsed tree.
bool nestsWithin(std::string_view text, int limit);

}  // namespace dovrik
