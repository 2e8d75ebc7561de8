// Any bytes as a settings domain file: what reads nests no deeper than a write can carry, and
// writing it back keeps every entry, read or kept as found, where it was.
#include <variant>

#include "FuzzSupport.h"
#include "linux/files/DomainDocument.h"

namespace {

// Levels of arrays and dictionaries; a scalar has none.
int nesting(const dovrik::DefaultsValue& value) {
  int deepest = 0;
  if (const auto* array = value.asArray()) {
    for (const dovrik::DefaultsValue& element : *array)
      deepest = std::max(deepest, nesting(element));
    return deepest + 1;
  }
  if (const auto* dict = value.asDict()) {
    for (const auto& [key, element] : *dict)
      deepest = std::max(deepest, nesting(element));
    return deepest + 1;
  }
  return deepest;
}

template <typename Map>
bool sameKeys(const Map& a, const Map& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const auto& x, const auto& y) { return x.first == y.first; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using dovrik::files::DomainDocument;
  using dovrik::fuzz::require;
  const auto document = dovrik::files::decodeDomainDocument(dovrik::fuzz::asText(data, size));
  if (!document)
    return 0;
  for (const auto& [key, value] : document->values)
    require(nesting(value) <= 500);
  const std::string written = dovrik::files::encodeDomainDocument(*document);
  const auto again = dovrik::files::decodeDomainDocument(written);
  require(again && sameKeys(again->values, document->values) &&
          sameKeys(again->undecodable, document->undecodable) &&
          dovrik::files::encodeDomainDocument(*again) == written);
  return 0;
}
