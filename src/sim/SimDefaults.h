// In-memory user-defaults domains for tests.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "core/platform/Defaults.h"

namespace dovrik::sim {

class SimDefaults : public Defaults {
 public:
  std::optional<DefaultsValue> object(std::string_view key) const override;
  void set(std::string_view key, DefaultsValue value) override;
  void remove(std::string_view key) override;
  std::vector<std::string> keys() const override;

 private:
  std::map<std::string, DefaultsValue, std::less<>> values_;
};

class SimDefaultsDomains : public DefaultsDomains {
 public:
  Defaults& application() override { return application_; }
  // Nothing unless the test created the domain with `addDomain`.
  Defaults* openDomain(std::string_view name) override;
  SimDefaults& addDomain(const std::string& name);

 private:
  SimDefaults application_;
  std::map<std::string, std::unique_ptr<SimDefaults>, std::less<>> domains_;
};

}  // namespace dovrik::sim
