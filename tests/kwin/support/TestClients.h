// The programs the kwin tests put on the desktop and type with, started in a session as its
// user: the Qt window of tools/, xterm under Xwayland, and the fake-input key injector.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "KWinSession.h"

namespace dovrik::kwintest {

// The Qt Wayland window (see tools/TestWindow.cpp for what it takes on its input and prints).
std::unique_ptr<ChildProcess> startQtWindow(const KWinSession& session, const std::string& title,
                                            const std::string& appId);
// xterm under the session's Xwayland, with this title and WM_CLASS class.
std::unique_ptr<ChildProcess> startXterm(const KWinSession& session, const std::string& title,
                                         const std::string& className);
// The key injector's path, for the session's fake-input programs.
std::string keyInjector();
// Presses each chord ("meta+Left", "ctrl+v") through KWin's fake input, one after the other,
// and answers once KWin has taken them: the injector's exit status, 2 when KWin refused it
// the protocol.
int pressKeys(const KWinSession& session, const std::vector<std::string>& chords);
// The injector started on `steps` (see tools/FakeKeys.cpp), talked to through its standard
// input and output: for steps that wait on the test, such as a drag held at its end.
std::unique_ptr<ChildProcess> startInjector(const KWinSession& session,
                                            const std::vector<std::string>& steps);
// The next line the client printed that starts with `prefix`, skipping others; empty when
// none came within the time limit.
std::string awaitOutput(ChildProcess& client, const std::string& prefix);

}  // namespace dovrik::kwintest
