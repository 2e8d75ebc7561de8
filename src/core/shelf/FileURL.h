// File URLs as the shelf stores them: "file:///" followed by the absolute path with "." and ".."
// segments resolved and every byte outside a URL path's plain characters percent-escaped, so
// names with spaces, "%", line breaks or any script survive the stored form and the clipboard.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dovrik {

// The path a file URL names, its escapes decoded; nothing for another scheme, a host other
// than localhost, a relative or empty path, a broken escape or an escaped NUL byte.
std::optional<std::string> pathOfFileURL(std::string_view url);

// The absolute path with empty, "." and ".." segments resolved (".." above the root stays at
// the root). A path ending in a separator, "." or ".." keeps a trailing "/".
std::string standardisedPath(std::string_view absolutePath);

// The path as the file system takes it: without the trailing "/" of a folder (the root stays
// "/").
std::string withoutTrailingSeparator(std::string path);

// The escaped URL of an absolute path, standardised; a folder's ends with "/".
std::string fileURLOfPath(std::string_view absolutePath, bool isDirectory);

// The last segment of a standardised path, or empty for the root.
std::string lastPathComponent(std::string_view path);

}  // namespace dovrik
