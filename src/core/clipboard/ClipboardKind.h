// What a clipboard history entry holds, stored as a string.
#pragma once

#include <optional>
#include <string_view>

namespace dovrik {

enum class ClipboardKind { text, link, image };

std::string_view rawValue(ClipboardKind kind);
std::optional<ClipboardKind> clipboardKindFromRaw(std::string_view raw);

}  // namespace dovrik
