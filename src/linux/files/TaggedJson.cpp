// The on-disk form of a stored value: a JSON object with one member whose name says the type.
#include "linux/files/TaggedJson.h"

#include <cmath>
#include <limits>
#include <type_traits>

#include "core/support/Base64.h"

namespace dovrik::files {
namespace {

Json encodeDouble(double value) {
  if (std::isnan(value))
    return "nan";
  if (std::isinf(value))
    return value > 0 ? "inf" : "-inf";
  return value;
}

std::optional<double> decodeDouble(const Json& json) {
  if (json.is_number())
    return json.get<double>();
  if (json == "nan")
    return std::numeric_limits<double>::quiet_NaN();
  if (json == "inf")
    return std::numeric_limits<double>::infinity();
  if (json == "-inf")
    return -std::numeric_limits<double>::infinity();
  return std::nullopt;
}

std::optional<std::int64_t> decodeInteger(const Json& json) {
  if (json.is_number_unsigned()) {
    const auto value = json.get<std::uint64_t>();
    if (value > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
      return std::nullopt;
    return static_cast<std::int64_t>(value);
  }
  if (json.is_number_integer())
    return json.get<std::int64_t>();
  return std::nullopt;
}

std::optional<DefaultsValue> decodeArray(const Json& json) {
  if (!json.is_array())
    return std::nullopt;
  DefaultsValue::Array array;
  array.reserve(json.size());
  for (const Json& element : json) {
    auto value = fromTaggedJson(element);
    if (!value)
      return std::nullopt;
    array.push_back(std::move(*value));
  }
  return DefaultsValue(std::move(array));
}

std::optional<DefaultsValue> decodeDict(const Json& json) {
  if (!json.is_object())
    return std::nullopt;
  DefaultsValue::Dict dict;
  for (const auto& [key, element] : json.items()) {
    auto value = fromTaggedJson(element);
    if (!value)
      return std::nullopt;
    dict.insert_or_assign(key, std::move(*value));
  }
  return DefaultsValue(std::move(dict));
}

}  // namespace

Json toTaggedJson(const DefaultsValue& value) {
  return std::visit(
      [](const auto& v) -> Json {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, bool>) {
          return {{"bool", v}};
        } else if constexpr (std::is_same_v<T, std::int64_t>) {
          return {{"int", v}};
        } else if constexpr (std::is_same_v<T, double>) {
          return {{"double", encodeDouble(v)}};
        } else if constexpr (std::is_same_v<T, std::string>) {
          return {{"string", v}};
        } else if constexpr (std::is_same_v<T, Bytes>) {
          return {{"data", base64Encode(v)}};
        } else if constexpr (std::is_same_v<T, DefaultsValue::Array>) {
          Json array = Json::array();
          for (const DefaultsValue& element : v)
            array.push_back(toTaggedJson(element));
          return {{"array", std::move(array)}};
        } else {
          Json dict = Json::object();
          for (const auto& [key, element] : v)
            dict[key] = toTaggedJson(element);
          return {{"dict", std::move(dict)}};
        }
      },
      value.storage());
}

std::optional<DefaultsValue> fromTaggedJson(const Json& json) {
  if (!json.is_object() || json.size() != 1)
    return std::nullopt;
  const auto member = json.begin();
  const std::string& tag = member.key();
  const Json& content = member.value();
  if (tag == "bool" && content.is_boolean())
    return DefaultsValue(content.get<bool>());
  if (tag == "int") {
    if (auto value = decodeInteger(content))
      return DefaultsValue(*value);
    return std::nullopt;
  }
  if (tag == "double") {
    if (auto value = decodeDouble(content))
      return DefaultsValue(*value);
    return std::nullopt;
  }
  if (tag == "string" && content.is_string())
    return DefaultsValue(content.get<std::string>());
  if (tag == "data" && content.is_string()) {
    if (auto bytes = base64Decode(content.get_ref<const std::string&>()))
      return DefaultsValue(std::move(*bytes));
    return std::nullopt;
  }
  if (tag == "array")
    return decodeArray(content);
  if (tag == "dict")
    return decodeDict(content);
  return std::nullopt;
}

std::string asUnicodeText(std::string_view text) {
  const std::string literal =
      Json(std::string(text)).dump(-1, ' ', false, Json::error_handler_t::replace);
  return Json::parse(literal).get<std::string>();
}

DefaultsValue withUnicodeText(DefaultsValue value) {
  if (const std::string* text = value.asString())
    return asUnicodeText(*text);
  if (const DefaultsValue::Array* array = value.asArray()) {
    DefaultsValue::Array result;
    result.reserve(array->size());
    for (const DefaultsValue& element : *array)
      result.push_back(withUnicodeText(element));
    return result;
  }
  if (const DefaultsValue::Dict* dict = value.asDict()) {
    DefaultsValue::Dict result;
    for (const auto& [key, element] : *dict)
      result.insert_or_assign(asUnicodeText(key), withUnicodeText(element));
    return result;
  }
  return value;
}

}  // namespace dovrik::files
