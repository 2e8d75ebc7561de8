// The source of "now" for the core: monotonic time for delays, wall time for stored dates.
#pragma once

namespace dovrik {

// Seconds from 1970-01-01 to 2001-01-01, both UTC: where Unix time meets the stored dates.
inline constexpr double unixTimeOf2001 = 978307200;

class Clock {
 public:
  virtual ~Clock() = default;
  // Monotonic seconds from an arbitrary origin; never goes backwards.
  virtual double now() const = 0;
  // Seconds since 2001-01-01 00:00:00 UTC, the epoch of every stored date.
  virtual double wallTimeSince2001() const = 0;
};

}  // namespace dovrik
