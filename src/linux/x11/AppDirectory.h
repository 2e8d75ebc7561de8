// Applications as the window logic sees them, derived from the window manager's client list:
// each client window belongs to one application, identified by its .desktop entry (matched by
// window class, program and ID) or its WM_CLASS, and numbered by its process (`_NET_WM_PID`, so
// Dovrik's own windows carry Dovrik's process id).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <xcb/xcb.h>

#include "core/platform/RunningApps.h"
#include "linux/files/DesktopEntries.h"
#include "linux/x11/ClientWindows.h"

namespace dovrik::x11 {

struct ClientApp {
  RunningApp app;
  // Its ordinary windows, in client-list order.
  std::vector<xcb_window_t> windows;
};

class AppDirectory {
 public:
  AppDirectory(ClientWindows& clients, files::DesktopEntries& entries);

  // Every application with a client window, in the order its first window appears in the
  // client list.
  std::vector<ClientApp> apps();
  std::optional<ClientApp> app(ProcessId pid);
  // The application a window belongs to; nothing when the window is gone.
  std::optional<ProcessId> owner(xcb_window_t window);

  // Numbers for applications without `_NET_WM_PID` lie above every real process id.
  static constexpr ProcessId firstSyntheticPid = ProcessId{1} << 32;

 private:
  struct Identity {
    std::string id;
    std::string name;
    std::vector<std::string> categories;
    std::string executable;
    std::string windowClass;
  };
  // `pid` is the window's `_NET_WM_PID`, if it has one.
  Identity identityOf(xcb_window_t window, const std::optional<WmClass>& wmClass,
                      std::optional<ProcessId> pid);
  // The number of an application whose windows name no process.
  ProcessId syntheticPidOf(const Identity& identity);

  ClientWindows& clients_;
  files::DesktopEntries& entries_;
  std::map<std::string, ProcessId> syntheticPids_;
};

}  // namespace dovrik::x11
