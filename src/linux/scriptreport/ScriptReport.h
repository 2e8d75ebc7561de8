// What a script Dovrik runs inside a compositor (a KWin script, a GNOME Shell extension) reports
// of the windows and outputs, as JSON text, one message at a time.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/platform/Geometry.h"
#include "linux/mirror/MirroredWindow.h"

namespace dovrik::scriptreport {

// The script started: everything it knows.
struct HelloMessage {
  int generation = 0;  // the compositor's major version as the script sees its API
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
// The windows from the topmost down, from compositors that tell their stacking order.
struct StackingMessage {
  std::vector<std::string> frontToBack;
};
// Nothing but the pointer, which every message carries.
struct CursorMessage {};

struct ScriptMessage {
  std::variant<HelloMessage, OutputsMessage, WindowAddedMessage, WindowChangedMessage,
               WindowRemovedMessage, ActiveMessage, MoveMessage, StackingMessage, CursorMessage>
      body;
  std::optional<Point> cursor;
};

// Nothing for text that is not a message of a known type with its required parts; unknown
// keys are ignored.
std::optional<ScriptMessage> parseScriptMessage(const std::string& json);

}  // namespace dovrik::scriptreport
