// The windows in the tree that GET_TREE answers, as i3 and sway describe them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/Geometry.h"
#include "core/support/Json.h"

namespace dovrik::i3ipc {

struct I3Window {
  std::int64_t conId = 0;                  // the container's id, for [con_id=…]
  std::optional<std::uint32_t> x11Window;  // an X11 (or Xwayland) client's window id
  std::string appId;                       // a Wayland client's app id
  std::string x11Class;
  std::string x11Instance;
  std::string title;
  std::string windowType;           // i3's "normal", "dialog", …; empty where sway leaves it out
  std::optional<std::int64_t> pid;  // i3 does not report one
  Rect frame;                       // the visible outer frame: title bar and borders included
  bool floating = false;
  bool focused = false;
  std::string workspace;  // empty for a window read from an event
  std::string output;
  friend bool operator==(const I3Window&, const I3Window&) = default;
};

// The windows of every workspace in tree order, docks and the scratchpad left out; nothing for
// text that is not a tree.
std::optional<std::vector<I3Window>> decodeTree(std::string_view text);

// The window a container of an event is or holds: i3 reports a floating window's move with the
// floating wrapper around it. Nothing when it holds no client.
std::optional<I3Window> windowOfContainer(const Json& container);

}  // namespace dovrik::i3ipc
