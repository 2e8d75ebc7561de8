// The JSON type of every stored format: keys written in declaration order, read in any order.
#pragma once

#include <nlohmann/json.hpp>

namespace dovrik {

using Json = nlohmann::ordered_json;

// The value under `key`, or nullptr when the key is absent or null: an optional stored value
// may be written either way.
inline const Json* presentMember(const Json& object, const char* key) {
  const auto found = object.find(key);
  return found == object.end() || found->is_null() ? nullptr : &*found;
}

}  // namespace dovrik
