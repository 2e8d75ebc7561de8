// The shared readers of the decoders.
#include "linux/i3ipc/I3Json.h"

#include "core/support/JsonNesting.h"

namespace dovrik::i3ipc {

namespace {

// A container level costs two (its object and its "nodes" array), its rects one more.
constexpr int payloadNesting = 256;

}  // namespace

Json parsePayload(std::string_view text) {
  if (!nestsWithin(text, payloadNesting))
    return Json(Json::value_t::discarded);
  return Json::parse(text, nullptr, /*allow_exceptions=*/false);
}

std::optional<Rect> rectOf(const Json& object, const char* key) {
  const Json* rect = object.is_object() ? presentMember(object, key) : nullptr;
  if (rect == nullptr || !rect->is_object())
    return std::nullopt;
  double values[4];
  const char* const names[4] = {"x", "y", "width", "height"};
  for (int i = 0; i < 4; ++i) {
    const Json* value = presentMember(*rect, names[i]);
    if (value == nullptr || !value->is_number())
      return std::nullopt;
    values[i] = value->get<double>();
  }
  if (values[2] < 0 || values[3] < 0)
    return std::nullopt;
  return Rect{values[0], values[1], values[2], values[3]};
}

std::string textOf(const Json& object, const char* key) {
  const Json* value = object.is_object() ? presentMember(object, key) : nullptr;
  return value != nullptr && value->is_string() ? value->get<std::string>() : std::string();
}

bool flagOf(const Json& object, const char* key) {
  const Json* value = object.is_object() ? presentMember(object, key) : nullptr;
  return value != nullptr && value->is_boolean() && value->get<bool>();
}

}  // namespace dovrik::i3ipc
