// The two tabs of the clipboard popup.
#pragma once

#include <string_view>

namespace dovrik {

enum class ClipboardTab { clipboard, fileShelf };

// "Clipboard" or "File Shelf".
std::string_view label(ClipboardTab tab);

}  // namespace dovrik
