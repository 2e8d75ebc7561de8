// Building command text for i3 and sway. Text that comes from elsewhere (titles, names, tags)
// is only ever placed inside quotes, escaped, so it can never end a command or start another.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/platform/Geometry.h"

namespace dovrik::i3ipc {

// `text` as one quoted argument: backslashes and double quotes escaped, the way both parsers
// read them back.
std::string quotedArgument(std::string_view text);

// Criteria choosing one container by its id, or one X11 client by its window id.
std::string conCriteria(std::int64_t conId);
std::string x11WindowCriteria(std::uint32_t window);

// Makes the chosen window floating and lands its outer frame (title bar and borders included)
// on `frame`, in whole pixels of the root's coordinates: "floating enable, resize set W px H px,
// move absolute position X px Y px". Both size the frame with "resize set" and place its
// top-left with "move absolute position"; the client's size hints may still shrink it.
std::string placeFloating(std::string_view criteria, const Rect& frame);

}  // namespace dovrik::i3ipc
