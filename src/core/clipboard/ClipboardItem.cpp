// Clipboard history entries: age text and stored form.
#include "core/clipboard/ClipboardItem.h"

#include <array>
#include <cmath>
#include <ctime>

#include "core/clipboard/ClipboardText.h"
#include "core/platform/Clock.h"
#include "core/support/Base64.h"
#include "core/support/Json.h"
#include "core/support/JsonNesting.h"

namespace dovrik {
namespace {

// An entry is an object of scalars inside one array.
constexpr int maxNesting = 2;

std::string shortDate(double since2001) {
  constexpr std::array<const char*, 12> months{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  // Beyond any real date the conversion to time_t would overflow.
  if (!(std::abs(since2001) < 1e12))
    return {};
  const auto unix = static_cast<std::time_t>(std::floor(since2001 + unixTimeOf2001));
  std::tm local{};
  if (localtime_r(&unix, &local) == nullptr)
    return {};
  return std::string(months[static_cast<std::size_t>(local.tm_mon)]) + " " +
         std::to_string(local.tm_mday);
}

const Json* member(const Json& object, const char* key) {
  const auto found = object.find(key);
  return found == object.end() || found->is_null() ? nullptr : &*found;
}

std::optional<ClipboardItem> decodeItem(const Json& json) {
  if (!json.is_object())
    return std::nullopt;
  const Json* id = member(json, "id");
  const Json* kind = member(json, "kind");
  const Json* text = member(json, "text");
  const Json* imageData = member(json, "imageData");
  const Json* timestamp = member(json, "timestamp");
  const Json* isPinned = member(json, "isPinned");
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
  const double elapsed = now - timestamp;
  if (elapsed < 5)
    return "Just now";
  if (elapsed < 60)
    return std::to_string(static_cast<long long>(elapsed)) + "s ago";
  if (elapsed < 3600)
    return std::to_string(static_cast<long long>(elapsed / 60)) + "m ago";
  if (elapsed < 86400)
    return std::to_string(static_cast<long long>(elapsed / 3600)) + "h ago";
  return shortDate(timestamp);
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
  if (!nestsWithin(text, maxNesting))
    return std::nullopt;
  const Json json = Json::parse(text, nullptr, /*allow_exceptions=*/false);
  if (!json.is_array())
    return std::nullopt;
  std::vector<ClipboardItem> items;
  items.reserve(json.size());
  for (const Json& entry : json) {
    auto item = decodeItem(entry);
    if (!item)
      return std::nullopt;
    items.push_back(std::move(*item));
  }
  return items;
}

}  // namespace dovrik
