// Reading event payloads.
#include "linux/i3ipc/I3Events.h"

#include <array>
#include <utility>

#include "linux/i3ipc/I3Json.h"
#include "linux/i3ipc/MessageType.h"

namespace dovrik::i3ipc {

namespace {

WindowEvent::Change windowChangeOf(const std::string& change) {
  using Change = WindowEvent::Change;
  static const std::array<std::pair<const char*, Change>, 8> names{{
      {"new", Change::opened},
      {"close", Change::closed},
      {"focus", Change::focus},
      {"title", Change::title},
      {"move", Change::move},
      {"floating", Change::floating},
      {"fullscreen_mode", Change::fullscreen},
      {"mark", Change::mark},
  }};
  for (const auto& [name, value] : names) {
    if (change == name)
      return value;
  }
  return Change::other;
}

std::optional<I3Event> windowEventOf(const Json& body) {
  const Json* container = presentMember(body, "container");
  if (container == nullptr)
    return std::nullopt;
  auto window = windowOfContainer(*container);
  if (!window)
    return std::nullopt;
  return WindowEvent{windowChangeOf(textOf(body, "change")), std::move(*window)};
}

std::optional<I3Event> bindingEventOf(const Json& body) {
  const Json* binding = presentMember(body, "binding");
  if (binding == nullptr || !binding->is_object())
    return std::nullopt;
  const Json* command = presentMember(*binding, "command");
  if (command == nullptr || !command->is_string())
    return std::nullopt;
  return BindingEvent{command->get<std::string>()};
}

std::string nameOf(const Json& body, const char* key) {
  const Json* workspace = presentMember(body, key);
  return workspace != nullptr ? textOf(*workspace, "name") : std::string();
}

}  // namespace

std::optional<I3Event> decodeEvent(const Frame& frame) {
  if ((frame.type & eventBit) == 0)
    return std::nullopt;
  const Json body = parsePayload(frame.payload);
  if (!body.is_object())
    return std::nullopt;
  switch (static_cast<EventType>(frame.type & ~eventBit)) {
    case EventType::window:
      return windowEventOf(body);
    case EventType::binding:
      return bindingEventOf(body);
    case EventType::workspace:
      return WorkspaceEvent{textOf(body, "change"), nameOf(body, "current"), nameOf(body, "old")};
    case EventType::output:
      return OutputEvent{};
  }
  return std::nullopt;
}

}  // namespace dovrik::i3ipc
