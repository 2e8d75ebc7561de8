// Commands and questions to i3 over its socket.
#include "linux/x11/I3Placement.h"

#include <cstdlib>
#include <utility>

#include "linux/i3ipc/CommandText.h"
#include "linux/i3ipc/I3Workspaces.h"
#include "linux/i3ipc/SocketPath.h"

namespace dovrik::x11 {

namespace {

// A hung i3 holds up Dovrik's main queue for this long at most, per request.
constexpr std::chrono::milliseconds i3Timeout{500};

}  // namespace

I3Placement::I3Placement(XConnection& connection, ClientWindows& clients)
    : x_(connection), clients_(clients) {
  if (x_.isConnected()) {
    const std::pair<const char*, xcb_atom_t*> table[] = {{"I3_SOCKET_PATH", &socketPathAtom_}};
    internAtoms(x_.raw(), table);
  }
}

bool I3Placement::manages() {
  return client() != nullptr;
}

i3ipc::I3Client* I3Placement::client() {
  // $I3SOCK can outlive the i3 that set it (a nested or later session of another window
  // manager); only the window manager's own name says that i3 runs on this display.
  if (!x_.isConnected() || clients_.windowManagerName() != "i3")
    return nullptr;
  const auto property = x_.text(x_.root(), socketPathAtom_);
  const std::string path = i3ipc::i3SocketPath([](const char* name) { return std::getenv(name); },
                                               property ? property->first : "");
  if (path.empty())
    return nullptr;
  if (!client_ || client_->socketPath() != path)
    client_.emplace(path, i3Timeout);
  return &*client_;
}

bool I3Placement::place(xcb_window_t window, const Rect& frame) {
  i3ipc::I3Client* i3 = client();
  if (i3 == nullptr || window == XCB_NONE)
    return false;
  // i3's "resize set" sizes the whole frame and "move absolute position" places its top-left
  // corner, so the outer frame needs no translation into a client size.
  const auto outcomes =
      i3->runCommand(i3ipc::placeFloating(i3ipc::x11WindowCriteria(window), frame));
  return outcomes && i3ipc::allSucceeded(*outcomes);
}

std::optional<PixelRect> I3Placement::usableArea(const PixelRect& monitor) {
  i3ipc::I3Client* i3 = client();
  if (i3 == nullptr)
    return std::nullopt;
  const auto reply = i3->request(i3ipc::MessageType::getWorkspaces);
  const auto workspaces = reply ? i3ipc::decodeWorkspaces(*reply) : std::nullopt;
  if (!workspaces)
    return std::nullopt;
  // i3 names its outputs after RandR's outputs, not monitors; the visible workspace that
  // covers most of the monitor is the one shown on it.
  const Rect monitorRect{static_cast<double>(monitor.x), static_cast<double>(monitor.y),
                         static_cast<double>(monitor.width), static_cast<double>(monitor.height)};
  const i3ipc::I3Workspace* shown = nullptr;
  double best = 0;
  for (const i3ipc::I3Workspace& workspace : *workspaces) {
    const double area = workspace.visible ? monitorRect.intersectionArea(workspace.rect) : 0;
    if (area > best) {
      best = area;
      shown = &workspace;
    }
  }
  if (shown == nullptr)
    return std::nullopt;
  return withinWorkArea(
      monitor,
      PixelRect{static_cast<int>(shown->rect.x), static_cast<int>(shown->rect.y),
                static_cast<int>(shown->rect.width), static_cast<int>(shown->rect.height)});
}

}  // namespace dovrik::x11
