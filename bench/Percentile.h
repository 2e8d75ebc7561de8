// The value below which a share `p` (0 to 1) of the measurements lie, the nearest one taken.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace dovrik::bench {

inline double percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5)];
}

}  // namespace dovrik::bench
