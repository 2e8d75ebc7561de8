// The programs the session tests put on the desktop, started in a session as its user: the Qt
// window of tests/support/tools and xterm under Xwayland.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "DesktopSession.h"

namespace dovrik::sessiontest {

// The Qt Wayland window (see tools/TestWindow.cpp for what it takes on its input and prints).
std::unique_ptr<ChildProcess> startQtWindow(const DesktopSession& session, const std::string& title,
                                            const std::string& appId);
// xterm under the session's Xwayland, with this title and WM_CLASS class.
std::unique_ptr<ChildProcess> startXterm(const DesktopSession& session, const std::string& title,
                                         const std::string& className);
// The next line the client printed that starts with `prefix`, skipping others; empty when
// none came within the time limit.
std::string awaitOutput(ChildProcess& client, const std::string& prefix);
// What the client printed up to and with the first line that starts with `prefix`, all it
// printed within the time limit when no such line came.
std::vector<std::string> linesThrough(ChildProcess& client, const std::string& prefix);

}  // namespace dovrik::sessiontest
