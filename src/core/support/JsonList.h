// Strict reading of a stored JSON array of records.
#pragma once

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "core/support/Json.h"
#include "core/support/JsonNesting.h"

namespace dovrik {

// Stored records nest a few levels. The room above that is for keys a newer version adds, which
// are ignored whatever they hold; text nesting deeper still is refused before parsing.
inline constexpr int storedListNesting = 32;

// The records of the array in `text`, each read by `decodeRecord` (a Json to an optional
// record); nothing when the text nests deeper than `storedListNesting`, is not an array, or one
// record does not decode: a list is read whole or not at all.
template <typename Record, typename DecodeRecord>
std::optional<std::vector<Record>> decodeJsonList(std::string_view text,
                                                  DecodeRecord decodeRecord) {
  if (!nestsWithin(text, storedListNesting))
    return std::nullopt;
  const Json json = Json::parse(text, nullptr, /*allow_exceptions=*/false);
  if (!json.is_array())
    return std::nullopt;
  std::vector<Record> records;
  records.reserve(json.size());
  for (const Json& entry : json) {
    std::optional<Record> record = decodeRecord(entry);
    if (!record)
      return std::nullopt;
    records.push_back(std::move(*record));
  }
  return records;
}

}  // namespace dovrik
