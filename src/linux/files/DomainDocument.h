// The text of one user-defaults domain file, read and written without touching the disk: a
// JSON object from key to tagged value (see TaggedJson.h).
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform/DefaultsValue.h"
#include "core/support/Json.h"

namespace dovrik::files {

struct DomainDocument {
  std::map<std::string, DefaultsValue, std::less<>> values;
  // Entries that did not decode, kept as found so that writing the domain back keeps them.
  std::map<std::string, Json, std::less<>> undecodable;
};

// Nothing when the text is not a JSON object or nests too deep to be written back; an entry
// that is not a well-formed tagged value goes to `undecodable`.
std::optional<DomainDocument> decodeDomainDocument(std::string_view text);
// The whole file, pretty-printed, ending with a line break. A decoded value under the same key
// as an undecodable entry wins.
std::string encodeDomainDocument(const DomainDocument& document);

}  // namespace dovrik::files
