// Finding the socket.
#include "linux/i3ipc/SocketPath.h"

namespace dovrik::i3ipc {

namespace {

std::string variable(const EnvironmentLookup& environment, const char* name) {
  const char* value = environment(name);
  return value != nullptr ? std::string(value) : std::string();
}

}  // namespace

std::string swaySocketPath(const EnvironmentLookup& environment) {
  return variable(environment, "SWAYSOCK");
}

std::string i3SocketPath(const EnvironmentLookup& environment, std::string_view rootProperty) {
  std::string path = variable(environment, "I3SOCK");
  return path.empty() ? std::string(rootProperty) : path;
}

}  // namespace dovrik::i3ipc
