// The events a subscription delivers, read from their frames.
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "linux/i3ipc/FrameDecoder.h"
#include "linux/i3ipc/I3Tree.h"

namespace dovrik::i3ipc {

// A window appeared, went, took focus, was renamed, moved, floated or changed otherwise. The
// window carries no workspace or output: events do not say where it lives.
struct WindowEvent {
  enum class Change { opened, closed, focus, title, move, floating, fullscreen, mark, other };
  Change change = Change::other;
  I3Window window;
};

// A key binding ran; `command` is its command text, e.g. "nop dovrik:7".
struct BindingEvent {
  std::string command;
};

// A workspace was created, emptied, focused, renamed…; the names may be empty (i3 sends none
// on "reload").
struct WorkspaceEvent {
  std::string change;
  std::string current;
  std::string old;
};

// Outputs were added, removed or changed: ask GET_OUTPUTS again.
struct OutputEvent {};

using I3Event = std::variant<WindowEvent, BindingEvent, WorkspaceEvent, OutputEvent>;

// Nothing for a frame that is not an event of these kinds or lacks its required parts: a
// window event without a client window, a binding without its command.
std::optional<I3Event> decodeEvent(const Frame& frame);

}  // namespace dovrik::i3ipc
