// Clipboard history entries: age text and stored form.
#include "core/clipboard/ClipboardItem.h"

#include "core/clipboard/ClipboardText.h"
#include "core/support/Base64.h"
#include "core/support/Json.h"
#include "core/support/JsonList.h"
#include "core/support/RelativeTime.h"

namespace dovrik {
namespace {

// An entry is an object of scalars inside one array.
constexpr int maxNesting = 2;

std::optional<ClipboardItem> decodeItem(const Json& json) {
  if (!json.is_object())
    return std::nullopt;
  const Json* id = presentMember(json, "id");
  const Json* kind = presentMember(json, "kind");
  const Json* text = presentMember(json, "text");
  const Json* imageData = presentMember(json, "imageData");
  const Json* timestamp = presentMember(json, "timestamp");
  const Json* isPinned = presentMember(json, "isPinned");
  if (!id || !id->is_string() || !timestamp || !timestamp->is_number() || !isPinned ||
      !isPinned->is_boolean() || (kind && !kind->is_string()) || (text && !text->is_string()) ||
      (imageData && !imageData->is_string()))
    return std::nullopt;

  ClipboardItem item;
  const auto uuid = Uuid::fromString(id->get<std::string>());
  if (!uuid)
    return std::nullopt;
  item.id = *uuid;
  item.text = text ? text->get<std::string>() : std::string();
  if (imageData) {
    item.imageData = base64Decode(imageData->get<std::string>());
    if (!item.imageData)
      return std::nullopt;
  }
  if (kind) {
    const auto stored = clipboardKindFromRaw(kind->get<std::string>());
    if (!stored)
      return std::nullopt;
    item.kind = *stored;
  } else {
    item.kind = item.imageData ? ClipboardKind::image : kindOfText(trimmedText(item.text));
  }
  item.timestamp = timestamp->get<double>();
  item.isPinned = isPinned->get<bool>();
  return item;
}

}  // namespace

std::string ClipboardItem::relativeTime(double now) const {
  return relativeTimeText(timestamp, now);
}

std::string encodeClipboardItems(const std::vector<ClipboardItem>& items) {
  Json array = Json::array();
  for (const auto& item : items) {
    Json entry{{"id", item.id.toString()}, {"kind", rawValue(item.kind)}, {"text", item.text}};
    if (item.imageData)
      entry["imageData"] = base64Encode(*item.imageData);
    entry["timestamp"] = item.timestamp;
    entry["isPinned"] = item.isPinned;
    array.push_back(std::move(entry));
  }
  // Text that is not valid UTF-8 is written with replacement characters rather than failing.
  return array.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::optional<std::vector<ClipboardItem>> decodeClipboardItems(std::string_view text) {
  return decodeJsonList<ClipboardItem>(text, maxNesting, decodeItem);
}

}  // namespace dovrik
