// The on-disk form of a stored value: a JSON object with one member whose name says the type,
// so that a string never reads back as a number, integers stay integers, doubles stay doubles
// and data stays data.
//
//   {"bool": true}  {"int": 10}  {"double": 0.35}  {"string": "Normal"}  {"data": "<base64>"}
//   {"array": [<tagged>, ...]}  {"dict": {"<key>": <tagged>, ...}}
//
// Doubles that JSON cannot write (infinities, NaN) are kept as the text "inf", "-inf", "nan".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/platform/DefaultsValue.h"
#include "core/support/Json.h"

namespace dovrik::files {

Json toTaggedJson(const DefaultsValue& value);

// Nothing when `json`, or anything nested in it, is not a well-formed tagged value.
std::optional<DefaultsValue> fromTaggedJson(const Json& json);

// JSON holds Unicode text only. These give text as it reads back after a write: byte sequences
// that are not UTF-8 become U+FFFD, everything else is unchanged.
std::string asUnicodeText(std::string_view text);
DefaultsValue withUnicodeText(DefaultsValue value);

}  // namespace dovrik::files
