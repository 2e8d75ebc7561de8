// Comparing names without regard to ASCII case: identities, window classes and program names
// are ASCII, and a user's locale must not change how they compare.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace dovrik {

inline std::string asciiLower(std::string_view text) {
  std::string lowered(text);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lowered;
}

inline bool lessIgnoringCase(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [](unsigned char x, unsigned char y) { return std::tolower(x) < std::tolower(y); });
}

}  // namespace dovrik
