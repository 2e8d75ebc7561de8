// Which MIME types Dovrik offers itself when it owns a Wayland clipboard, and the mark that
// tells its own writes apart.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dovrik::wayland {

// The text types Dovrik offers for a text it writes, with the one that wants Latin-1 bytes.
std::vector<std::string> utf8TextTypes();
inline constexpr std::string_view latin1TextType = "STRING";

// A type that only Dovrik's own write number `serial` carries, so that the compositor's
// announcement of that selection is told from another client's copy.
std::string ownWriteMarker(long processId, unsigned long serial);
bool isOwnWriteMarker(std::string_view type);

}  // namespace dovrik::wayland
