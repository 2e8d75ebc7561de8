// Whether a clipboard history entry matches the popup's search text.
#pragma once

#include <string_view>

#include "core/clipboard/ClipboardItem.h"

namespace dovrik {

// True for an entry that is not an image and whose text contains `searchText` as typed
// (spaces included), ignoring case. Upper and lower case are matched for Latin, Greek and
// Cyrillic letters; other characters must be equal.
bool matchesSearch(const ClipboardItem& item, std::string_view searchText);

}  // namespace dovrik
