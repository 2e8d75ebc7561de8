// Reading the window manager's JSON replies defensively: nothing here throws, whatever the text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/platform/Geometry.h"
#include "core/support/Json.h"

namespace dovrik::i3ipc {

// The parsed payload, or a discarded value (`is_discarded()`) for text that is not JSON or
// nests deeper than any reply of the protocol: the tree of a desktop with splits a hundred
// levels deep still reads, while a hostile run of brackets cannot exhaust the stack.
Json parsePayload(std::string_view text);

// An object's {"x","y","width","height"} of numbers; nothing when one is missing or a size is
// negative.
std::optional<Rect> rectOf(const Json& object, const char* key);
// A member's text; empty when it is absent, null or not a string.
std::string textOf(const Json& object, const char* key);
// A member's boolean; false when it is absent or not a boolean.
bool flagOf(const Json& object, const char* key);

}  // namespace dovrik::i3ipc
