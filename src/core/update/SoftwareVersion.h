// A version as releases are numbered, "1.4.2": numbers separated by dots, compared number by
// number, missing numbers counting as zero ("1.4" equals "1.4.0").
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dovrik {

class SoftwareVersion {
 public:
  // Nothing for text that is not one to four dot-separated numbers of at most nine digits.
  static std::optional<SoftwareVersion> parse(std::string_view text);

  std::string text() const;

  friend std::strong_ordering operator<=>(const SoftwareVersion& a, const SoftwareVersion& b);
  friend bool operator==(const SoftwareVersion& a, const SoftwareVersion& b) {
    return (a <=> b) == std::strong_ordering::equal;
  }

 private:
  std::vector<unsigned> parts_;
};

}  // namespace dovrik
