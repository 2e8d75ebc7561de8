#include "linux/display/MonitorIdentity.h"

#include <algorithm>

namespace dovrik::display {

std::vector<std::string> identityNames(const std::vector<MonitorDescription>& monitors) {
  std::vector<std::string> names;
  for (const MonitorDescription& monitor : monitors)
    names.push_back(monitor.make + " " + monitor.model + " " + monitor.serial);
  std::vector<std::string> result = names;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (std::count(names.begin(), names.end(), names[i]) > 1)
      result[i] += " " + monitors[i].connector;
  }
  return result;
}

}  // namespace dovrik::display
