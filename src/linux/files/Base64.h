// Byte data as base64 text (the standard alphabet, with padding), as the settings files keep it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/platform/DefaultsValue.h"

namespace dovrik::files {

std::string base64Encode(const Bytes& bytes);

// Nothing when `text` is not well-formed base64: a character outside the alphabet, a length
// that is not a multiple of four, or misplaced padding.
std::optional<Bytes> base64Decode(std::string_view text);

}  // namespace dovrik::files
