// What sway's answers to GET_TREE, GET_WORKSPACES and GET_OUTPUTS say, in the mirror's terms:
// windows by their container id, outputs with the area their visible workspace leaves free of
// bars, and a display identity made from what each monitor says about itself.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "linux/display/MonitorIdentity.h"
#include "linux/i3ipc/I3Outputs.h"
#include "linux/i3ipc/I3Tree.h"
#include "linux/i3ipc/I3Workspaces.h"
#include "linux/mirror/MirroredWindow.h"

namespace dovrik::sway {

struct SwayState {
  std::vector<mirror::MirroredOutput> outputs;
  std::vector<mirror::MirroredWindow> windows;
  std::string activeId;  // empty when no window has the focus
};

// A window as the mirror keeps it: a Wayland client is known by its app id (which names its
// desktop entry), an Xwayland one by its X11 class and instance.
mirror::MirroredWindow mirroredWindow(const i3ipc::I3Window& window);

// The active outputs, the first one first as sway lists them, each with the usable area of the
// workspace it shows (all of it when none is visible there yet).
std::vector<mirror::MirroredOutput> mirroredOutputs(const std::vector<i3ipc::I3Output>& outputs,
                                                    const std::vector<i3ipc::I3Workspace>& spaces);

SwayState swayState(const std::vector<i3ipc::I3Output>& outputs,
                    const std::vector<i3ipc::I3Workspace>& workspaces,
                    const std::vector<i3ipc::I3Window>& windows);

// The outputs as monitors that tell who they are, in the same order.
std::vector<display::MonitorDescription> monitorDescriptions(
    const std::vector<i3ipc::I3Output>& outputs);

}  // namespace dovrik::sway
