// Clipboard history entries: age text and stored form.
#include "core/clipboard/ClipboardItem.h"

#include "core/clipboard/ClipboardText.h"
#include "core/model/RelativeTime.h"
#include "core/support/Base64.h"
#include "core/support/Json.h"
#include "core/support/JsonList.h"

namespace dovrik {
namespace {

std::optional<ClipboardItem> decodeItem(const Json& json) {
  if (!json.is_object())
    return std::nullopt;
  const Json* id = presentMember(json, "id");
  const Json* kind = presentMember(json, "kind");
  const Json* text = presentMember(json, "text");
  const Json* imageData = presentMember(json, "imageData");
  const Json* timestamp = presentMember(json, "timestamp");
  const Json* isPinned = presentMember(json, "isPinned");
  const Json* formats = presentMember(json, "formats");
  if (!id || !id->is_string() || !timestamp || !timestamp->is_number() || !isPinned ||
      !isPinned->is_boolean() || (kind && !kind->is_string()) || (text && !text->is_string()) ||
      (imageData && !imageData->is_string()) || (formats && !formats->is_string()))
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
  if (formats) {
    auto forms = ClipboardFormats::decode(formats->get<std::string>());
    if (!forms)
      return std::nullopt;
    item.formats = std::move(*forms);
  }
  item.timestamp = timestamp->get<double>();
  item.isPinned = isPinned->get<bool>();
  return item;
}

constexpr std::string_view imageDataKey = R"(,"imageData":")";

// An entry's id, kind and text: a JSON object without its closing brace.
std::string entryOpening(const ClipboardItem& item) {
  const Json head{{"id", item.id.toString()}, {"kind", rawValue(item.kind)}, {"text", *item.text}};
  // Text that is not valid UTF-8 is written with replacement characters rather than failing.
  std::string opening = head.dump(-1, ' ', false, Json::error_handler_t::replace);
  opening.pop_back();
  return opening;
}

std::string entryClosing(const ClipboardItem& item) {
  std::string closing = R"(,"timestamp":)" + Json(item.timestamp).dump() +
                        (item.isPinned ? R"(,"isPinned":true)" : R"(,"isPinned":false)");
  // Left out when there are none, so an entry without them reads as it always did.
  if (!item.formats.empty())
    closing += R"(,"formats":)" +
               Json(item.formats.encoded()).dump(-1, ' ', false, Json::error_handler_t::replace);
  return closing + '}';
}

}  // namespace

std::string ClipboardItem::relativeTime(double now, const Locale& locale) const {
  return relativeTimeText(timestamp, now, locale);
}

// Written entry by entry into a text of the exact size, the image bytes encoded straight into
// it: a history of large images would otherwise be held several times over while it is saved.
// Each entry's opening is made twice, once to measure it, rather than all held at once.
std::string encodeClipboardItems(const std::vector<ClipboardItem>& items) {
  std::size_t size = 2 + items.size();
  for (const auto& item : items) {
    size += entryOpening(item).size() + entryClosing(item).size();
    if (item.imageData)
      size += imageDataKey.size() + (item.imageData->size() + 2) / 3 * 4 + 1;
  }
  std::string out;
  out.reserve(size);
  out += '[';
  for (const auto& item : items) {
    if (out.size() > 1)
      out += ',';
    out += entryOpening(item);
    if (item.imageData) {
      out += imageDataKey;
      appendBase64(*item.imageData, out);
      out += '"';
    }
    out += entryClosing(item);
  }
  out += ']';
  return out;
}

std::optional<std::vector<ClipboardItem>> decodeClipboardItems(std::string_view text) {
  return decodeJsonList<ClipboardItem>(text, decodeItem);
}

}  // namespace dovrik
