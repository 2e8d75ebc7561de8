// Age texts of stored entries.
#include "core/model/RelativeTime.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "core/platform/Clock.h"

namespace dovrik {
namespace {

std::string shortDate(double since2001, const Locale& locale) {
  // Beyond any real date the conversion to time_t would overflow.
  if (!(std::abs(since2001) < 1e12))
    return {};
  const auto unix = static_cast<std::time_t>(std::floor(since2001 + unixTimeOf2001));
  std::tm local{};
  if (localtime_r(&unix, &local) == nullptr)
    return {};
  return locale.shortMonthName(local.tm_mon + 1) + " " + std::to_string(local.tm_mday);
}

}  // namespace

std::string relativeTimeText(double timestamp, double now, const Locale& locale) {
  const double elapsed = now - timestamp;
  if (elapsed < 5)
    return "Just now";
  if (elapsed < 60)
    return std::to_string(static_cast<long long>(elapsed)) + "s ago";
  if (elapsed < 3600)
    return std::to_string(static_cast<long long>(elapsed / 60)) + "m ago";
  if (elapsed < 86400)
    return std::to_string(static_cast<long long>(elapsed / 3600)) + "h ago";
  return shortDate(timestamp, locale);
}

std::string fullRelativeTimeText(double timestamp, double now) {
  struct Unit {
    double seconds;
    const char* name;
  };
  static constexpr Unit kUnits[] = {{365 * 86400.0, "year"}, {30 * 86400.0, "month"},
                                    {7 * 86400.0, "week"},   {86400.0, "day"},
                                    {3600.0, "hour"},        {60.0, "minute"}};
  // A clock set back shows no age rather than one in the future.
  const double elapsed = std::max(0.0, now - timestamp);
  for (const Unit& unit : kUnits) {
    if (elapsed >= unit.seconds) {
      const auto count = static_cast<long long>(elapsed / unit.seconds);
      return std::to_string(count) + " " + unit.name + (count == 1 ? "" : "s") + " ago";
    }
  }
  const auto seconds = static_cast<long long>(elapsed);
  return std::to_string(seconds) + (seconds == 1 ? " second ago" : " seconds ago");
}

}  // namespace dovrik
