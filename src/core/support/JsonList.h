// Strict reading of a stored JSON array of records.
#pragma once

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "core/support/Json.h"
#include "core/support/JsonNesting.h"

namespace dovrik {

// The records of the array in `text`, each read by `decodeRecord` (a Json to an optional
// record); nothing when the text nests deeper than `maxNesting`, is not an array, or one record
// does not decode: a list is read whole or not at all.
template <typename Record, typename DecodeRecord>
std::optional<std::vector<Record>> decodeJsonList(std::string_view text, int maxNesting,
                                                  DecodeRecord decodeRecord) {
  if (!nestsWithin(text, maxNesting))
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
