// Which of the MIME types a Linux clipboard owner offers Dovrik reads, whichever desktop
// carries them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dovrik::clipboard {

// KDE's mark of content a password manager copied; "secret" means it must not be kept.
inline constexpr std::string_view passwordHintType = "x-kde-passwordManagerHint";

// The type whose bytes are the content's UTF-8 text, best first; nothing when none is offered.
std::optional<std::string> textTypeAmong(const std::vector<std::string>& offered);
// PNG when offered, else the first other image type.
std::optional<std::string> imageTypeAmong(const std::vector<std::string>& offered);

}  // namespace dovrik::clipboard
