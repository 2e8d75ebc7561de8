// One file shelf entry: a reference to a file or folder, never a copy; its age as shown to the
// user, and the stored JSON form of a list of entries.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/Locale.h"
#include "core/platform/Uuid.h"

namespace dovrik {

struct FileShelfItem {
  Uuid id;
  std::string url;       // standardised file URL, escaped; a folder's ends with "/"
  std::string filename;  // last path segment of `url` when it was added, unescaped
  double timestamp = 0;  // seconds since 2001-01-01 00:00:00 UTC
  bool isPinned = false;
  bool isDirectory = false;
  bool isReachable = true;

  // The file's path, without a folder's trailing "/"; empty if the stored URL names none.
  std::string path() const;
  // See `relativeTimeText`.
  std::string relativeTime(double now, const Locale& locale) const;

  friend bool operator==(const FileShelfItem&, const FileShelfItem&) = default;
};

// The compact JSON text of the whole list; nothing when a date is not finite, which JSON
// cannot carry.
std::optional<std::string> encodeFileShelfItems(const std::vector<FileShelfItem>& items);
// Strict: one entry that does not decode, or a "url" that is not a file URL, makes the whole
// list undecodable.
std::optional<std::vector<FileShelfItem>> decodeFileShelfItems(std::string_view text);

}  // namespace dovrik
