// Text rules of the clipboard history: trimming, links, and the first line shown in lists.
#pragma once

#include <string>
#include <string_view>

#include "core/clipboard/ClipboardKind.h"

namespace dovrik {

// Removes white space and line breaks at both ends, Unicode ones included (no-break space,
// line and paragraph separators, ideographic space).
std::string trimmedText(std::string_view text);
// The same, cut to its first `maxBytes` bytes or fewer, at a character boundary.
std::string trimmedText(std::string_view text, std::size_t maxBytes);
// `link` for a trimmed text beginning with "http://" or "https://" (case-sensitive), else `text`.
ClipboardKind kindOfText(std::string_view trimmed);
// The text up to its first line break.
std::string_view firstLine(std::string_view text);

}  // namespace dovrik
