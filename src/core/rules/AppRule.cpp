// The stored form of app rules: written compactly, read strictly.
#include "core/rules/AppRule.h"

#include "core/support/Json.h"
#include "core/support/JsonList.h"

namespace dovrik {
namespace {

std::optional<AppRule> decodeRule(const Json& json) {
  if (!json.is_object())
    return std::nullopt;
  const auto id = json.find("id");
  const auto bundle = json.find("bundleIdentifier");
  const auto name = json.find("appName");
  const auto position = json.find("snapPosition");
  const auto enabled = json.find("isEnabled");
  if (id == json.end() || !id->is_string() || bundle == json.end() || !bundle->is_string() ||
      name == json.end() || !name->is_string() || position == json.end() || enabled == json.end() ||
      !enabled->is_boolean())
    return std::nullopt;
  const auto uuid = Uuid::fromString(id->get<std::string>());
  const auto snapPosition = snapPositionFromJson(*position);
  if (!uuid || !snapPosition)
    return std::nullopt;
  return AppRule{*uuid, bundle->get<std::string>(), name->get<std::string>(), *snapPosition,
                 enabled->get<bool>()};
}

}  // namespace

std::string encodeAppRules(const std::vector<AppRule>& rules) {
  Json list = Json::array();
  for (const AppRule& rule : rules) {
    list.push_back(Json{
        {"id", rule.id.toString()},
        {"bundleIdentifier", rule.bundleIdentifier},
        {"appName", rule.appName},
        {"snapPosition", toJson(rule.snapPosition)},
        {"isEnabled", rule.isEnabled},
    });
  }
  // Names come from other applications' entries; text that is not UTF-8 is kept with
  // replacement characters rather than losing every rule.
  return list.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::optional<std::vector<AppRule>> decodeAppRules(std::string_view text) {
  return decodeJsonList<AppRule>(text, decodeRule);
}

}  // namespace dovrik
