#include "linux/sway/SwayState.h"

#include <algorithm>

namespace dovrik::sway {

mirror::MirroredWindow mirroredWindow(const i3ipc::I3Window& window) {
  mirror::MirroredWindow mirrored;
  mirrored.id = std::to_string(window.conId);
  mirrored.resourceClass = window.appId.empty() ? window.x11Class : window.appId;
  mirrored.resourceName = window.x11Instance;
  mirrored.desktopFileName = window.appId;
  mirrored.caption = window.title;
  mirrored.pid = static_cast<ProcessId>(window.pid.value_or(0));
  mirrored.frame = window.frame;
  // sway leaves the type out for its Wayland windows; they are ordinary ones.
  mirrored.dialog = window.windowType == "dialog";
  mirrored.normal =
      !mirrored.dialog && (window.windowType.empty() || window.windowType == "normal");
  mirrored.output = window.output;
  return mirrored;
}

std::vector<mirror::MirroredOutput> mirroredOutputs(const std::vector<i3ipc::I3Output>& outputs,
                                                    const std::vector<i3ipc::I3Workspace>& spaces) {
  std::vector<mirror::MirroredOutput> result;
  for (const i3ipc::I3Output& output : outputs) {
    if (!output.active)
      continue;
    mirror::MirroredOutput mirrored{output.name, output.rect, output.rect};
    const auto shown = std::find_if(spaces.begin(), spaces.end(), [&](const auto& space) {
      return space.visible && space.output == output.name;
    });
    if (shown != spaces.end())
      mirrored.usable = shown->rect;
    result.push_back(std::move(mirrored));
  }
  return result;
}

SwayState swayState(const std::vector<i3ipc::I3Output>& outputs,
                    const std::vector<i3ipc::I3Workspace>& workspaces,
                    const std::vector<i3ipc::I3Window>& windows) {
  SwayState state{.outputs = mirroredOutputs(outputs, workspaces), .windows = {}, .activeId = {}};
  for (const i3ipc::I3Window& window : windows) {
    state.windows.push_back(mirroredWindow(window));
    if (window.focused)
      state.activeId = state.windows.back().id;
  }
  return state;
}

std::vector<display::MonitorDescription> monitorDescriptions(
    const std::vector<i3ipc::I3Output>& outputs) {
  std::vector<display::MonitorDescription> monitors;
  for (const i3ipc::I3Output& output : outputs)
    monitors.push_back({output.name, output.make, output.model, output.serial});
  return monitors;
}

}  // namespace dovrik::sway
