// The user's language conventions that the core's texts and lists follow: the names of months
// in dates, and the order of names shown in a list.
#pragma once

#include <string>
#include <string_view>

namespace dovrik {

class Locale {
 public:
  virtual ~Locale() = default;

  // The abbreviated name of `month`, 1 for January to 12 for December.
  virtual std::string shortMonthName(int month) const = 0;
  // Negative, zero or positive as `a` comes before, with or after `b` in a list the user reads.
  virtual int compare(std::string_view a, std::string_view b) const = 0;

  bool less(std::string_view a, std::string_view b) const { return compare(a, b) < 0; }
};

}  // namespace dovrik
