// The stored form of saved layouts: written compactly, read strictly.
#include "core/workspaces/Workspace.h"

#include <cmath>
#include <limits>

#include "core/support/Json.h"
#include "core/support/JsonList.h"

namespace dovrik {
namespace {

bool finite(const Rect& r) {
  return std::isfinite(r.x) && std::isfinite(r.y) && std::isfinite(r.width) &&
         std::isfinite(r.height);
}

Json windowJson(const WorkspaceWindow& w) {
  const Rect& f = w.fractionalFrame;
  return Json{
      {"bundleIdentifier", w.bundleIdentifier},
      {"appName", w.appName},
      {"windowTitle", w.windowTitle},
      {"windowIndex", w.windowIndex},
      {"displayUUID", w.displayUUID},
      {"fractionalFrame", Json::array({Json::array({f.x, f.y}), Json::array({f.width, f.height})})},
  };
}

// A required member of the expected JSON type, or nullptr.
const Json* member(const Json& object, const char* key, bool (Json::*isType)() const noexcept) {
  const auto it = object.find(key);
  return (it != object.end() && ((*it).*isType)()) ? &*it : nullptr;
}

std::optional<std::string> text(const Json& object, const char* key) {
  const Json* value = member(object, key, &Json::is_string);
  return value ? std::optional(value->get<std::string>()) : std::nullopt;
}

std::optional<double> finiteNumber(const Json& value) {
  if (!value.is_number())
    return std::nullopt;
  const double number = value.get<double>();
  return std::isfinite(number) ? std::optional(number) : std::nullopt;
}

std::optional<std::int64_t> integer(const Json& object, const char* key) {
  const Json* value = member(object, key, &Json::is_number_integer);
  if (!value)
    return std::nullopt;
  if (value->is_number_unsigned() &&
      value->get<std::uint64_t>() >
          static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
    return std::nullopt;
  return value->get<std::int64_t>();
}

// [[x, y], [width, height]]
std::optional<Rect> rect(const Json& object, const char* key) {
  const Json* value = member(object, key, &Json::is_array);
  if (!value || value->size() != 2)
    return std::nullopt;
  double numbers[4];
  for (std::size_t pair = 0; pair < 2; ++pair) {
    const Json& p = (*value)[pair];
    if (!p.is_array() || p.size() != 2)
      return std::nullopt;
    for (std::size_t i = 0; i < 2; ++i) {
      const auto number = finiteNumber(p[i]);
      if (!number)
        return std::nullopt;
      numbers[pair * 2 + i] = *number;
    }
  }
  return Rect{numbers[0], numbers[1], numbers[2], numbers[3]};
}

std::optional<WorkspaceWindow> decodeWindow(const Json& json) {
  if (!json.is_object())
    return std::nullopt;
  auto bundleIdentifier = text(json, "bundleIdentifier");
  auto appName = text(json, "appName");
  auto windowTitle = text(json, "windowTitle");
  const auto windowIndex = integer(json, "windowIndex");
  auto displayUUID = text(json, "displayUUID");
  const auto fractionalFrame = rect(json, "fractionalFrame");
  if (!bundleIdentifier || !appName || !windowTitle || !windowIndex || !displayUUID ||
      !fractionalFrame)
    return std::nullopt;
  return WorkspaceWindow{std::move(*bundleIdentifier), std::move(*appName),
                         std::move(*windowTitle),      *windowIndex,
                         std::move(*displayUUID),      *fractionalFrame};
}

// Absent and null both mean no shortcut; anything else must decode.
std::optional<std::optional<KeyboardShortcut>> decodeShortcut(const Json& object) {
  const auto it = object.find("shortcut");
  if (it == object.end() || it->is_null())
    return std::optional<KeyboardShortcut>();
  if (auto shortcut = KeyboardShortcut::fromJson(*it))
    return std::optional<KeyboardShortcut>(*shortcut);
  return std::nullopt;
}

std::optional<Workspace> decodeWorkspace(const Json& json) {
  if (!json.is_object())
    return std::nullopt;
  const auto idText = text(json, "id");
  const auto id = idText ? Uuid::fromString(*idText) : std::nullopt;
  auto name = text(json, "name");
  const Json* windowList = member(json, "windows", &Json::is_array);
  auto displaySignature = text(json, "displaySignature");
  const Json* autoRestore = member(json, "autoRestore", &Json::is_boolean);
  const auto shortcut = decodeShortcut(json);
  const auto createdAtIt = json.find("createdAt");
  const auto createdAt = createdAtIt == json.end() ? std::nullopt : finiteNumber(*createdAtIt);
  if (!id || !name || !windowList || !displaySignature || !autoRestore || !shortcut || !createdAt)
    return std::nullopt;
  std::vector<WorkspaceWindow> windows;
  for (const Json& entry : *windowList) {
    auto window = decodeWindow(entry);
    if (!window)
      return std::nullopt;
    windows.push_back(std::move(*window));
  }
  return Workspace{*id,
                   std::move(*name),
                   std::move(windows),
                   std::move(*displaySignature),
                   autoRestore->get<bool>(),
                   *shortcut,
                   *createdAt};
}

}  // namespace

std::optional<std::string> encodeWorkspaces(const std::vector<Workspace>& workspaces) {
  Json list = Json::array();
  for (const Workspace& w : workspaces) {
    if (!std::isfinite(w.createdAt))
      return std::nullopt;
    Json windows = Json::array();
    for (const WorkspaceWindow& window : w.windows) {
      if (!finite(window.fractionalFrame))
        return std::nullopt;
      windows.push_back(windowJson(window));
    }
    Json object = {
        {"id", w.id.toString()},         {"name", w.name},
        {"windows", std::move(windows)}, {"displaySignature", w.displaySignature},
        {"autoRestore", w.autoRestore},
    };
    if (w.shortcut)
      object["shortcut"] = w.shortcut->toJson();
    object["createdAt"] = w.createdAt;
    list.push_back(std::move(object));
  }
  // Names and titles come from other applications; text that is not UTF-8 is stored with
  // replacement characters rather than losing the whole list.
  return list.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::optional<std::vector<Workspace>> decodeWorkspaces(std::string_view text) {
  return decodeJsonList<Workspace>(text, decodeWorkspace);
}

}  // namespace dovrik
