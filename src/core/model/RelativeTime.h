// The age of a stored entry as its row shows it, and ages in words.
#pragma once

#include <string>

#include "core/platform/Locale.h"

namespace dovrik {

// The age of something made at `timestamp`, seen at `now` (both seconds since 2001-01-01 UTC):
// "Just now", "12s ago", "5m ago", "3h ago", and from a day on the local date as the locale's
// short month name and the day ("Mar 5", "März 5").
std::string relativeTimeText(double timestamp, double now, const Locale& locale);

// The same age in words: "1 minute ago", "3 hours ago", "2 weeks ago".
std::string fullRelativeTimeText(double timestamp, double now);

}  // namespace dovrik
