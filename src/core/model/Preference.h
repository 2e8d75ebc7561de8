// One stored preference: its defaults key, its type and the value it reads as while the key is
// absent or holds another type. Reads never write the fallback back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "core/platform/Defaults.h"

namespace dovrik {

// Texts and data keep their fallback as a literal, so that every preference can be a constant.
template <typename T>
using PreferenceFallback =
    std::conditional_t<std::is_same_v<T, std::string> || std::is_same_v<T, Bytes>, std::string_view,
                       T>;

template <typename T>
struct Preference {
  std::string_view key;
  PreferenceFallback<T> fallback;

  T read(const Defaults& defaults) const {
    if constexpr (std::is_same_v<T, bool>) {
      return defaults.boolValue(key).value_or(fallback);
    } else if constexpr (std::is_same_v<T, std::int64_t>) {
      return defaults.integerValue(key).value_or(fallback);
    } else if constexpr (std::is_same_v<T, double>) {
      return defaults.doubleValue(key).value_or(fallback);
    } else if constexpr (std::is_same_v<T, std::string>) {
      return defaults.stringValue(key).value_or(std::string(fallback));
    } else {
      static_assert(std::is_same_v<T, Bytes>, "a preference is a switch, number, text or data");
      return defaults.dataValue(key).value_or(Bytes(fallback.begin(), fallback.end()));
    }
  }

  void write(Defaults& defaults, T value) const { defaults.set(key, std::move(value)); }
};

}  // namespace dovrik
