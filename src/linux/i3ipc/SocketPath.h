// Where the window manager's IPC socket is: sway and i3 name it in the environment of the
// programs they start; i3 also names it on the X root window (I3_SOCKET_PATH), which the X11
// side reads and passes in.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace dovrik::i3ipc {

// Reads one environment variable; nullptr when it is not set.
using EnvironmentLookup = std::function<const char*(const char*)>;

// $SWAYSOCK; empty when it is not set.
std::string swaySocketPath(const EnvironmentLookup& environment);
// $I3SOCK, else the root window's property; empty when neither names one.
std::string i3SocketPath(const EnvironmentLookup& environment, std::string_view rootProperty);

}  // namespace dovrik::i3ipc
