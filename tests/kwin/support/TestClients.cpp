#include "TestClients.h"

namespace dovrik::kwintest {

std::unique_ptr<ChildProcess> startQtWindow(const KWinSession& session, const std::string& title,
                                            const std::string& appId) {
  ChildLaunch launch;
  launch.argv = {DOVRIK_KWINTEST_WINDOW, "--title", title, "--app-id", appId};
  launch.environment = {"QT_QPA_PLATFORM=wayland"};
  launch.pipeInput = true;
  launch.pipeOutput = true;
  return session.launch(launch);
}

std::unique_ptr<ChildProcess> startXterm(const KWinSession& session, const std::string& title,
                                         const std::string& className) {
  ChildLaunch launch;
  launch.argv = {"xterm", "-T", title, "-class", className};
  return session.launch(launch);
}

std::string keyInjector() {
  return DOVRIK_KWINTEST_KEYS;
}

int pressKeys(const KWinSession& session, const std::vector<std::string>& chords) {
  ChildLaunch launch;
  launch.argv = {DOVRIK_KWINTEST_KEYS};
  launch.argv.insert(launch.argv.end(), chords.begin(), chords.end());
  const auto injector = session.launch(launch);
  return injector->awaitExit(std::chrono::seconds(10)).value_or(-1);
}

std::unique_ptr<ChildProcess> startInjector(const KWinSession& session,
                                            const std::vector<std::string>& steps) {
  ChildLaunch launch;
  launch.argv = {DOVRIK_KWINTEST_KEYS};
  launch.argv.insert(launch.argv.end(), steps.begin(), steps.end());
  launch.pipeInput = true;
  launch.pipeOutput = true;
  return session.launch(launch);
}

std::string awaitOutput(ChildProcess& client, const std::string& prefix) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    const auto line = client.nextLine(std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now()));
    if (!line)
      break;
    if (line->rfind(prefix, 0) == 0)
      return *line;
  }
  return {};
}

}  // namespace dovrik::kwintest
