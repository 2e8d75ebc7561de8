// The fixed month names and the byte order of names.
#include "core/platform/PlainLocale.h"

#include <array>

#include "core/support/AsciiCase.h"

namespace dovrik {

std::string PlainLocale::shortMonthName(int month) const {
  static constexpr std::array<std::string_view, 12> kMonths{
      "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  if (month < 1 || month > 12)
    return {};
  return std::string(kMonths[static_cast<std::size_t>(month - 1)]);
}

int PlainLocale::compare(std::string_view a, std::string_view b) const {
  if (lessIgnoringCase(a, b))
    return -1;
  return lessIgnoringCase(b, a) ? 1 : 0;
}

}  // namespace dovrik
