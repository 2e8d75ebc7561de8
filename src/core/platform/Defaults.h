// The user-defaults store: one domain of typed values, and access to other domains by name.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/DefaultsValue.h"

namespace dovrik {

class Defaults {
 public:
  virtual ~Defaults() = default;
  virtual std::optional<DefaultsValue> object(std::string_view key) const = 0;
  virtual void set(std::string_view key, DefaultsValue value) = 0;
  virtual void remove(std::string_view key) = 0;
  virtual std::vector<std::string> keys() const = 0;

  // Typed reads: nothing when the key is absent or holds another type.
  std::optional<bool> boolValue(std::string_view key) const;
  std::optional<std::int64_t> integerValue(std::string_view key) const;
  std::optional<double> doubleValue(std::string_view key) const;
  std::optional<std::string> stringValue(std::string_view key) const;
  std::optional<Bytes> dataValue(std::string_view key) const;
};

class DefaultsDomains {
 public:
  virtual ~DefaultsDomains() = default;
  // The application's own domain.
  virtual Defaults& application() = 0;
  // Another application's domain, or nullptr when it cannot be opened.
  virtual Defaults* openDomain(std::string_view name) = 0;
};

}  // namespace dovrik
