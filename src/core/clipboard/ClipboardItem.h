// One clipboard history entry, its age as shown to the user, and the stored JSON form of a
// list of entries.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/clipboard/ClipboardFormats.h"
#include "core/clipboard/ClipboardKind.h"
#include "core/platform/Locale.h"
#include "core/platform/Uuid.h"
#include "core/support/SharedBytes.h"
#include "core/support/SharedText.h"

namespace dovrik {

struct ClipboardItem {
  Uuid id;
  ClipboardKind kind = ClipboardKind::text;
  SharedText text;        // trimmed; empty for images
  SharedBytes imageData;  // PNG bytes of an image entry
  double timestamp = 0;   // seconds since 2001-01-01 00:00:00 UTC
  bool isPinned = false;
  // The other forms the text was copied with; none for images and older entries.
  ClipboardFormats formats;

  // The age at `now` (seconds since 2001): "Just now", "12s ago", "5m ago", "3h ago", and
  // from a day on the local date, month named as `locale` names it.
  std::string relativeTime(double now, const Locale& locale) const;

  friend bool operator==(const ClipboardItem&, const ClipboardItem&) = default;
};

// The compact JSON text of the whole list.
std::string encodeClipboardItems(const std::vector<ClipboardItem>& items);
// Strict: one entry that does not decode makes the whole list undecodable.
std::optional<std::vector<ClipboardItem>> decodeClipboardItems(std::string_view text);

}  // namespace dovrik
