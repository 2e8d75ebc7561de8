// In-memory user-defaults domains.
#include "sim/SimDefaults.h"

namespace dovrik::sim {

std::optional<DefaultsValue> SimDefaults::object(std::string_view key) const {
  const auto it = values_.find(key);
  if (it == values_.end())
    return std::nullopt;
  return it->second;
}

void SimDefaults::set(std::string_view key, DefaultsValue value) {
  values_.insert_or_assign(std::string(key), std::move(value));
}

void SimDefaults::remove(std::string_view key) {
  const auto it = values_.find(key);
  if (it != values_.end())
    values_.erase(it);
}

std::vector<std::string> SimDefaults::keys() const {
  std::vector<std::string> result;
  for (const auto& [key, value] : values_)
    result.push_back(key);
  return result;
}

Defaults* SimDefaultsDomains::openDomain(std::string_view name) {
  const auto it = domains_.find(name);
  return it == domains_.end() ? nullptr : it->second.get();
}

SimDefaults& SimDefaultsDomains::addDomain(const std::string& name) {
  auto& slot = domains_[name];
  if (!slot)
    slot = std::make_unique<SimDefaults>();
  return *slot;
}

}  // namespace dovrik::sim
