// A property-list-like value as kept by the user-defaults store: typed, so a string never
// reads back as a number and data stays data.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/support/Bytes.h"

namespace dovrik {

class DefaultsValue {
 public:
  using Array = std::vector<DefaultsValue>;
  using Dict = std::map<std::string, DefaultsValue>;
  using Storage = std::variant<bool, std::int64_t, double, std::string, Bytes, Array, Dict>;

  DefaultsValue() : storage_(false) {}
  DefaultsValue(bool v) : storage_(v) {}
  DefaultsValue(int v) : storage_(std::int64_t{v}) {}
  DefaultsValue(std::int64_t v) : storage_(v) {}
  DefaultsValue(double v) : storage_(v) {}
  DefaultsValue(const char* v) : storage_(std::string(v)) {}
  DefaultsValue(std::string v) : storage_(std::move(v)) {}
  DefaultsValue(Bytes v) : storage_(std::move(v)) {}
  DefaultsValue(Array v) : storage_(std::move(v)) {}
  DefaultsValue(Dict v) : storage_(std::move(v)) {}

  const Storage& storage() const { return storage_; }

  bool isBool() const { return std::holds_alternative<bool>(storage_); }
  bool isInteger() const { return std::holds_alternative<std::int64_t>(storage_); }
  bool isDouble() const { return std::holds_alternative<double>(storage_); }
  bool isNumber() const { return isInteger() || isDouble(); }
  bool isString() const { return std::holds_alternative<std::string>(storage_); }
  bool isData() const { return std::holds_alternative<Bytes>(storage_); }
  bool isArray() const { return std::holds_alternative<Array>(storage_); }
  bool isDict() const { return std::holds_alternative<Dict>(storage_); }

  // Typed reads: nothing when the stored type differs. Integers and doubles both read as a
  // double; only whole-number doubles read as an integer.
  std::optional<bool> asBool() const;
  std::optional<std::int64_t> asInteger() const;
  std::optional<double> asDouble() const;
  const std::string* asString() const { return std::get_if<std::string>(&storage_); }
  const Bytes* asData() const { return std::get_if<Bytes>(&storage_); }
  const Array* asArray() const { return std::get_if<Array>(&storage_); }
  const Dict* asDict() const { return std::get_if<Dict>(&storage_); }

  friend bool operator==(const DefaultsValue&, const DefaultsValue&) = default;

 private:
  Storage storage_;
};

}  // namespace dovrik
