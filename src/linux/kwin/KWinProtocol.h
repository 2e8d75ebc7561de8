// The messages between Dovrik and its KWin script, as JSON text: what the script pushes, and the
// commands Dovrik queues for it.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/platform/Geometry.h"
#include "linux/mirror/MirroredWindow.h"

namespace dovrik::kwin {

// The script started: everything it knows.
struct HelloMessage {
  int generation = 0;  // KWin's major version as the script sees its API
  std::vector<mirror::MirroredOutput> outputs;
  std::vector<mirror::MirroredWindow> windows;
  std::string activeId;  // empty when no window is active
};
struct OutputsMessage {
  std::vector<mirror::MirroredOutput> outputs;
};
struct WindowAddedMessage {
  mirror::MirroredWindow window;
};
struct WindowChangedMessage {
  mirror::MirroredWindow window;
};
struct WindowRemovedMessage {
  std::string id;
};
struct ActiveMessage {
  std::string id;
};
// A title-bar move of a window: its start, each step and its end.
struct MoveMessage {
  mirror::MovePhase phase = mirror::MovePhase::begin;
  std::string id;
};
// Nothing but the pointer, which every message carries.
struct CursorMessage {};

struct ScriptMessage {
  std::variant<HelloMessage, OutputsMessage, WindowAddedMessage, WindowChangedMessage,
               WindowRemovedMessage, ActiveMessage, MoveMessage, CursorMessage>
      body;
  std::optional<Point> cursor;
};

// Nothing for text that is not a message of a known type with its required parts; unknown
// keys are ignored.
std::optional<ScriptMessage> parseScriptMessage(const std::string& json);

struct SetFrameCommand {
  std::string id;
  Rect frame;  // KWin's coordinates
};
struct ActivateCommand {
  std::string id;
};
struct CursorCommand {};
using ScriptCommand = std::variant<SetFrameCommand, ActivateCommand, CursorCommand>;

// A JSON array, in order.
std::string encodeCommands(const std::vector<ScriptCommand>& commands);

}  // namespace dovrik::kwin
