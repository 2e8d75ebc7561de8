// The age of a stored entry as its row shows it.
#pragma once

#include <string>

namespace dovrik {

// The age of something made at `timestamp`, seen at `now` (both seconds since 2001-01-01 UTC):
// "Just now", "12s ago", "5m ago", "3h ago", and from a day on the local date as "MMM d".
std::string relativeTimeText(double timestamp, double now);

}  // namespace dovrik
