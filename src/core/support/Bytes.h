// Raw bytes, as images, stored data and decoded text travel through the core.
#pragma once

#include <cstdint>
#include <vector>

namespace dovrik {

using Bytes = std::vector<std::uint8_t>;

}  // namespace dovrik
