// File shelf entries: path, age text and stored form.
#include "core/shelf/FileShelfItem.h"

#include <cmath>

#include "core/model/RelativeTime.h"
#include "core/shelf/FileURL.h"
#include "core/support/Json.h"
#include "core/support/JsonList.h"

namespace dovrik {
namespace {

// An optional flag: its default when absent, nothing when it holds another type.
std::optional<bool> optionalFlag(const Json& json, const char* key, bool fallback) {
  const Json* value = presentMember(json, key);
  if (!value)
    return fallback;
  if (!value->is_boolean())
    return std::nullopt;
  return value->get<bool>();
}

std::optional<FileShelfItem> decodeShelfItem(const Json& json) {
  if (!json.is_object())
    return std::nullopt;
  const Json* id = presentMember(json, "id");
  const Json* url = presentMember(json, "url");
  const Json* filename = presentMember(json, "filename");
  const Json* timestamp = presentMember(json, "timestamp");
  const Json* isPinned = presentMember(json, "isPinned");
  const auto isDirectory = optionalFlag(json, "isDirectory", false);
  const auto isReachable = optionalFlag(json, "isReachable", true);
  if (!id || !id->is_string() || !url || !url->is_string() || !filename || !filename->is_string() ||
      !timestamp || !timestamp->is_number() || !isPinned || !isPinned->is_boolean() ||
      !isDirectory || !isReachable)
    return std::nullopt;
  const auto uuid = Uuid::fromString(id->get<std::string>());
  std::string urlText = url->get<std::string>();
  if (!uuid || !pathOfFileURL(urlText))
    return std::nullopt;
  return FileShelfItem{.id = *uuid,
                       .url = std::move(urlText),
                       .filename = filename->get<std::string>(),
                       .timestamp = timestamp->get<double>(),
                       .isPinned = isPinned->get<bool>(),
                       .isDirectory = *isDirectory,
                       .isReachable = *isReachable};
}

}  // namespace

std::string FileShelfItem::path() const {
  return withoutTrailingSeparator(pathOfFileURL(url).value_or(std::string()));
}

std::string FileShelfItem::relativeTime(double now, const Locale& locale) const {
  return relativeTimeText(timestamp, now, locale);
}

std::optional<std::string> encodeFileShelfItems(const std::vector<FileShelfItem>& items) {
  Json array = Json::array();
  for (const FileShelfItem& item : items) {
    if (!std::isfinite(item.timestamp))
      return std::nullopt;
    array.push_back(Json{{"id", item.id.toString()},
                         {"url", item.url},
                         {"filename", item.filename},
                         {"timestamp", item.timestamp},
                         {"isPinned", item.isPinned},
                         {"isDirectory", item.isDirectory},
                         {"isReachable", item.isReachable}});
  }
  // File names are bytes, not always UTF-8; they are stored with replacement characters
  // rather than losing the whole shelf. The URL keeps the exact bytes in its escapes.
  return array.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::optional<std::vector<FileShelfItem>> decodeFileShelfItems(std::string_view text) {
  return decodeJsonList<FileShelfItem>(text, decodeShelfItem);
}

}  // namespace dovrik
