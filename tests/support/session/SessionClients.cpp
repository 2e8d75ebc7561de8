#include "SessionClients.h"

namespace dovrik::sessiontest {

std::unique_ptr<ChildProcess> startQtWindow(const DesktopSession& session, const std::string& title,
                                            const std::string& appId) {
  ChildLaunch launch;
  launch.argv = {DOVRIK_TEST_WINDOW, "--title", title, "--app-id", appId};
  launch.environment = {"QT_QPA_PLATFORM=wayland"};
  launch.pipeInput = true;
  launch.pipeOutput = true;
  return session.launch(launch);
}

std::unique_ptr<ChildProcess> startXterm(const DesktopSession& session, const std::string& title,
                                         const std::string& className) {
  ChildLaunch launch;
  launch.argv = {"xterm", "-T", title, "-class", className};
  return session.launch(launch);
}

std::string awaitOutput(ChildProcess& client, const std::string& prefix) {
  const auto said = linesThrough(client, prefix);
  return !said.empty() && said.back().starts_with(prefix) ? said.back() : std::string();
}

std::vector<std::string> linesThrough(ChildProcess& client, const std::string& prefix) {
  std::vector<std::string> said;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (const auto line = client.nextLine(std::chrono::duration_cast<std::chrono::milliseconds>(
             deadline - std::chrono::steady_clock::now()))) {
    said.push_back(*line);
    if (line->starts_with(prefix))
      break;
  }
  return said;
}

}  // namespace dovrik::sessiontest
