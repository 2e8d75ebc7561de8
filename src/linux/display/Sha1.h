// SHA-1 of a byte string, the hash that name-based (version 5) UUIDs are built on.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace dovrik::display {

std::array<std::uint8_t, 20> sha1(std::string_view bytes);

}  // namespace dovrik::display
