// Typed reads of stored values.
#include "core/platform/DefaultsValue.h"

#include <cmath>

#include "core/platform/Defaults.h"

namespace dovrik {

std::optional<bool> DefaultsValue::asBool() const {
  if (const bool* b = std::get_if<bool>(&storage_))
    return *b;
  return std::nullopt;
}

std::optional<std::int64_t> DefaultsValue::asInteger() const {
  if (const auto* i = std::get_if<std::int64_t>(&storage_))
    return *i;
  if (const auto* d = std::get_if<double>(&storage_)) {
    constexpr double limit = 9.2e18;
    if (std::isfinite(*d) && std::trunc(*d) == *d && std::fabs(*d) < limit) {
      return static_cast<std::int64_t>(*d);
    }
  }
  return std::nullopt;
}

std::optional<double> DefaultsValue::asDouble() const {
  if (const auto* d = std::get_if<double>(&storage_))
    return *d;
  if (const auto* i = std::get_if<std::int64_t>(&storage_))
    return static_cast<double>(*i);
  return std::nullopt;
}

std::optional<bool> Defaults::boolValue(std::string_view key) const {
  auto v = object(key);
  return v ? v->asBool() : std::nullopt;
}

std::optional<std::int64_t> Defaults::integerValue(std::string_view key) const {
  auto v = object(key);
  return v ? v->asInteger() : std::nullopt;
}

std::optional<double> Defaults::doubleValue(std::string_view key) const {
  auto v = object(key);
  return v ? v->asDouble() : std::nullopt;
}

std::optional<std::string> Defaults::stringValue(std::string_view key) const {
  auto v = object(key);
  if (!v || !v->asString())
    return std::nullopt;
  return *v->asString();
}

std::optional<Bytes> Defaults::dataValue(std::string_view key) const {
  auto v = object(key);
  if (!v || !v->asData())
    return std::nullopt;
  return *v->asData();
}

}  // namespace dovrik
