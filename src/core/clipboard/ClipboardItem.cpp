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
    auto bytes = base64Decode(imageData->get<std::string>());
    if (!bytes)
      return std::nullopt;
    item.imageData = std::move(*bytes);
  }
  if (kind) {
    const auto stored = clipboardKindFromRaw(kind->get<std::string>());
    if (!stored)
      return std::nullopt;
    item.kind = *stored;
  } else {
    item.kind = item.imageData ? ClipboardKind::image : kindOfText(trimmedText(*item.text));
  }
  item.timestamp = timestamp->get<double>();
  item.isPinned = isPinned->get<bool>();
  return item;
}

}  // namespace

std::string ClipboardItem::relativeTime(double now) const {
  return relativeTimeText(timestamp, now);
}

// Written entry by entry, the image bytes encoded straight into the result: a history of large
// images would otherwise be held several times over while it is saved.
std::string encodeClipboardItems(const std::vector<ClipboardItem>& items) {
  std::size_t estimate = 2;
  for (const auto& item : items)
    estimate += 160 + item.text->size() + (item.imageData ? item.imageData->size() / 3 * 4 + 4 : 0);
  std::string out;
  out.reserve(estimate);
  out += '[';
  for (const auto& item : items) {
    if (out.size() > 1)
      out += ',';
    const Json head{
        {"id", item.id.toString()}, {"kind", rawValue(item.kind)}, {"text", *item.text}};
    // Text that is not valid UTF-8 is written with replacement characters rather than failing.
    const std::string opening = head.dump(-1, ' ', false, Json::error_handler_t::replace);
    out.append(opening, 0, opening.size() - 1);
    if (item.imageData) {
      out += R"(,"imageData":")";
      appendBase64(*item.imageData, out);
      out += '"';
    }
    out += R"(,"timestamp":)" + Json(item.timestamp).dump();
    out += item.isPinned ? R"(,"isPinned":true})" : R"(,"isPinned":false})";
  }
  out += ']';
  return out;
}

std::optional<std::vector<ClipboardItem>> decodeClipboardItems(std::string_view text) {
  return decodeJsonList<ClipboardItem>(text, maxNesting, decodeItem);
}

}  // namespace dovrik
