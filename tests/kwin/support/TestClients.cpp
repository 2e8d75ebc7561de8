#include "TestClients.h"

namespace dovrik::kwintest {

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

}  // namespace dovrik::kwintest
