// Which of the MIME types a Wayland clipboard owner offers Dovrik reads, and which it offers
// itself when it owns the clipboard.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dovrik::wayland {

// KDE's mark of content a password manager copied; "secret" means it must not be kept.
inline constexpr std::string_view passwordHintType = "x-kde-passwordManagerHint";

// The type whose bytes are the content's UTF-8 text, best first; nothing when none is offered.
std::optional<std::string> textTypeAmong(const std::vector<std::string>& offered);
// PNG when offered, else the first other image type.
std::optional<std::string> imageTypeAmong(const std::vector<std::string>& offered);

// The text types Dovrik offers for a text it writes, with the one that wants Latin-1 bytes.
std::vector<std::string> utf8TextTypes();
inline constexpr std::string_view latin1TextType = "STRING";

// A type that only Dovrik's own write number `serial` carries, so that the compositor's
// announcement of that selection is told from another client's copy.
std::string ownWriteMarker(long processId, unsigned long serial);
bool isOwnWriteMarker(std::string_view type);

}  // namespace dovrik::wayland
