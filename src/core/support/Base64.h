// Byte data as base64 text (the standard alphabet, with padding), as stored formats keep it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/support/Bytes.h"

namespace dovrik {

std::string base64Encode(const Bytes& bytes);
// The same text added to the end of `out`.
void appendBase64(const Bytes& bytes, std::string& out);
// Nothing when `text` is not well-formed base64.
std::optional<Bytes> base64Decode(std::string_view text);

}  // namespace dovrik
