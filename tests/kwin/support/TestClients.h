// The programs the kwin tests put on the desktop and type with, started in a session as its
// user: the shared clients, and the fake-input key injector.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "KWinSession.h"
#include "SessionClients.h"

namespace dovrik::kwintest {

using sessiontest::awaitOutput;
using sessiontest::startQtWindow;
using sessiontest::startXterm;

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

}  // namespace dovrik::kwintest
