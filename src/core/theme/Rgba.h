// An sRGB colour as drawn: components 0 to 255 and an alpha from 0 to 1.
#pragma once

#include <cstdint>

namespace dovrik {

struct Rgba {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  double alpha = 1;

  friend bool operator==(const Rgba&, const Rgba&) = default;
};

}  // namespace dovrik
