// A locale that is the same on every machine: English month abbreviations, and names ordered
// by their bytes without regard to ASCII case. The simulated desktop uses it, so tests read
// the same texts everywhere.
#pragma once

#include "core/platform/Locale.h"

namespace dovrik {

class PlainLocale : public Locale {
 public:
  std::string shortMonthName(int month) const override;
  int compare(std::string_view a, std::string_view b) const override;
};

}  // namespace dovrik
