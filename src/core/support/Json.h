// The JSON type of every stored format: keys written in declaration order, read in any order.
#pragma once

#include <nlohmann/json.hpp>

namespace dovrik {

using Json = nlohmann::ordered_json;

}  // namespace dovrik
