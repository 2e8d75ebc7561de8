// What the fuzzers share: the input as text, a stop on a broken promise, and the round trip
// every stored list must survive.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/support/Json.h"
#include "core/support/JsonList.h"

namespace dovrik::fuzz {

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A trap, not an exception or an abort message: libFuzzer saves the input that broke it.
inline void require(bool holds) {
  if (!holds)
    __builtin_trap();
}

// Levels of arrays and objects, the outermost counting one; a scalar has none.
inline int nesting(const Json& json) {
  int deepest = 0;
  if (json.is_structured()) {
    for (const Json& child : json)
      deepest = std::max(deepest, nesting(child));
    return deepest + 1;
  }
  return deepest;
}

inline const std::string& written(const std::string& text) {
  return text;
}

// An encoder may refuse values JSON cannot carry; a decoded list never holds one.
inline const std::string& written(const std::optional<std::string>& text) {
  require(text.has_value());
  return *text;
}

// A list that reads must nest no deeper than stored lists may, and must read back unchanged
// after it is written: otherwise the next start would lose it.
template <typename Decode, typename Encode>
void requireStableList(std::string_view text, Decode decode, Encode encode) {
  const auto decoded = decode(text);
  if (!decoded)
    return;
  require(nesting(Json::parse(text)) <= storedListNesting);
  require(decode(written(encode(*decoded))) == decoded);
}

}  // namespace dovrik::fuzz
