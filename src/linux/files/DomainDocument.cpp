// The text of one user-defaults domain file.
#include "linux/files/DomainDocument.h"

#include "linux/files/TaggedJson.h"

namespace dovrik::files {
namespace {

// Deeper documents are refused whole: writing one back would recurse that deep. A value needs
// two levels per nesting (the tag object and its content), so this leaves room for 500.
constexpr int maxJsonDepth = 1000;

std::optional<Json> parseObject(std::string_view text) {
  bool tooDeep = false;
  Json document = Json::parse(
      text,
      [&](int depth, Json::parse_event_t event, Json&) {
        if ((event == Json::parse_event_t::object_start ||
             event == Json::parse_event_t::array_start) &&
            depth > maxJsonDepth) {
          tooDeep = true;
          return false;
        }
        return true;
      },
      false);
  if (tooDeep || !document.is_object())
    return std::nullopt;
  return document;
}

}  // namespace

std::optional<DomainDocument> decodeDomainDocument(std::string_view text) {
  const std::optional<Json> json = parseObject(text);
  if (!json)
    return std::nullopt;
  DomainDocument document;
  for (const auto& [key, entry] : json->items()) {
    if (auto value = fromTaggedJson(entry))
      document.values.insert_or_assign(key, std::move(*value));
    else
      document.undecodable.insert_or_assign(key, entry);
  }
  return document;
}

std::string encodeDomainDocument(const DomainDocument& document) {
  std::map<std::string, Json, std::less<>> entries = document.undecodable;
  for (const auto& [key, value] : document.values)
    entries.insert_or_assign(key, toTaggedJson(value));
  Json json = Json::object();
  for (auto& [key, entry] : entries)
    json[key] = std::move(entry);
  return json.dump(2) + "\n";
}

}  // namespace dovrik::files
