// Monitors known by what their EDID tells of them (make, model, serial), as compositors report
// it, so the same monitor has the same identity on any connector and on every desktop.
#pragma once

#include <string>
#include <vector>

namespace dovrik::display {

struct MonitorDescription {
  std::string connector;
  std::string make;
  std::string model;
  std::string serial;
};

// The names the monitors' identities are made from, in the same order; twins that tell the
// same are told apart by their connectors.
std::vector<std::string> identityNames(const std::vector<MonitorDescription>& monitors);

}  // namespace dovrik::display
