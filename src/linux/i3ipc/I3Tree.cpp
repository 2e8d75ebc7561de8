// Walking the container tree. Outputs hold workspaces (i3 puts a "content" container and the
// dock areas between them), workspaces hold tiled containers in "nodes" and floating ones in
// "floating_nodes", and a client's container is a leaf.
#include "linux/i3ipc/I3Tree.h"

#include "linux/i3ipc/I3Json.h"

namespace dovrik::i3ipc {

namespace {

const Json& membersOf(const Json& node, const char* key) {
  static const Json none = Json::array();
  const Json* list = presentMember(node, key);
  return list != nullptr && list->is_array() ? *list : none;
}

bool holdsClient(const Json& node) {
  const Json* window = presentMember(node, "window");
  const Json* appId = presentMember(node, "app_id");
  return (window != nullptr && window->is_number_unsigned()) ||
         (appId != nullptr && appId->is_string());
}

// The two window managers measure a container differently. i3's "rect" is the whole frame:
// the client area ("window_rect", relative to it) starts below the title bar ("deco_rect"),
// e.g. rect 100,50 400x299, deco 0,0 400x18, window 2,18 394x277. sway's "rect" starts below
// the title bar, which sits above it: rect 100,75 400x275, deco 100,50 400x25, window 2,0
// 396x273. So when the client area begins above the title bar's bottom, rect leaves the title
// bar out, and the outer frame is rect grown upwards by the title bar's height. Borders are
// inside rect in both.
std::optional<Rect> outerFrameOf(const Json& node) {
  auto rect = rectOf(node, "rect");
  if (!rect)
    return std::nullopt;
  const auto deco = rectOf(node, "deco_rect");
  const auto client = rectOf(node, "window_rect");
  if (deco && client && client->y < deco->height) {
    rect->y -= deco->height;
    rect->height += deco->height;
  }
  return rect;
}

std::optional<I3Window> clientOf(const Json& node, bool insideFloating) {
  if (!node.is_object() || !holdsClient(node))
    return std::nullopt;
  const Json* id = presentMember(node, "id");
  const auto frame = outerFrameOf(node);
  if (id == nullptr || !id->is_number_integer() || !frame)
    return std::nullopt;
  I3Window w;
  w.conId = id->get<std::int64_t>();
  if (const Json* window = presentMember(node, "window");
      window != nullptr && window->is_number_unsigned() &&
      window->get<std::uint64_t>() <= 0xffffffffu)
    w.x11Window = window->get<std::uint32_t>();
  w.appId = textOf(node, "app_id");
  if (const Json* properties = presentMember(node, "window_properties")) {
    w.x11Class = textOf(*properties, "class");
    w.x11Instance = textOf(*properties, "instance");
  }
  w.title = textOf(node, "name");
  w.windowType = textOf(node, "window_type");
  if (const Json* pid = presentMember(node, "pid"); pid != nullptr && pid->is_number_integer())
    w.pid = pid->get<std::int64_t>();
  w.frame = *frame;
  // i3 marks floating windows with "user_on"/"auto_on"; sway gives them their own type.
  const std::string floating = textOf(node, "floating");
  w.floating = insideFloating || textOf(node, "type") == "floating_con" || floating == "user_on" ||
               floating == "auto_on";
  w.focused = flagOf(node, "focused");
  return w;
}

struct Place {
  std::string output;
  std::string workspace;
  bool floating = false;
};

void collect(const Json& node, Place place, std::vector<I3Window>& windows) {
  if (!node.is_object())
    return;
  const std::string type = textOf(node, "type");
  if (type == "dockarea")
    return;
  if (type == "output") {
    // i3 keeps its scratchpad workspace on a hidden output of its own.
    if (textOf(node, "name") == "__i3")
      return;
    place.output = textOf(node, "name");
  } else if (type == "workspace") {
    if (textOf(node, "name") == "__i3_scratch")
      return;
    place.workspace = textOf(node, "name");
  }
  if (auto window = clientOf(node, place.floating)) {
    window->workspace = place.workspace;
    window->output = place.output;
    windows.push_back(std::move(*window));
    return;
  }
  for (const Json& child : membersOf(node, "nodes"))
    collect(child, place, windows);
  Place floatingPlace = place;
  floatingPlace.floating = true;
  for (const Json& child : membersOf(node, "floating_nodes"))
    collect(child, floatingPlace, windows);
}

}  // namespace

std::optional<std::vector<I3Window>> decodeTree(std::string_view text) {
  const Json tree = parsePayload(text);
  if (!tree.is_object() || textOf(tree, "type") != "root")
    return std::nullopt;
  std::vector<I3Window> windows;
  collect(tree, {}, windows);
  return windows;
}

std::optional<I3Window> windowOfContainer(const Json& container) {
  if (auto window = clientOf(container, false))
    return window;
  const bool wrapper = textOf(container, "type") == "floating_con";
  for (const Json& child : membersOf(container, "nodes")) {
    if (auto window = clientOf(child, wrapper))
      return window;
  }
  return std::nullopt;
}

}  // namespace dovrik::i3ipc
