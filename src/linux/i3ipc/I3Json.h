// Reading the window manager's JSON replies defensively: nothing here throws, whatever the text.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/platform/Geometry.h"
#include "core/support/Json.h"

namespace dovrik::i3ipc {

// The parsed payload, or a discarded value (`is_discarded()`) for text that is not JSON or
// nests deeper than any reply of the protocol: the tree of a desktop with splits a hundred
// levels deep still reads, while a hostile run of brackets cannot exhaust the stack.
Json parsePayload(std::string_view text);

// The entries of the array in `text`, each read by `decodeEntry` (a Json to an optional
// record); nothing when the text is not an array or one entry does not read. sway's workspace
// list carries each workspace's whole container tree, so the nesting allowed is the tree's.
template <typename Record, typename DecodeEntry>
std::optional<std::vector<Record>> decodeArray(std::string_view text, DecodeEntry decodeEntry) {
  const Json list = parsePayload(text);
  if (!list.is_array())
    return std::nullopt;
  std::vector<Record> records;
  for (const Json& entry : list) {
    std::optional<Record> record = decodeEntry(entry);
    if (!record)
      return std::nullopt;
    records.push_back(std::move(*record));
  }
  return records;
}

// An object's {"x","y","width","height"} of numbers; nothing when one is missing or a size is
// negative.
std::optional<Rect> rectOf(const Json& object, const char* key);
// A member's text; empty when it is absent, null or not a string.
std::string textOf(const Json& object, const char* key);
// A member's boolean; false when it is absent or not a boolean.
bool flagOf(const Json& object, const char* key);

}  // namespace dovrik::i3ipc
