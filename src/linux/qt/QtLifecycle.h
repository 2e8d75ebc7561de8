// The agent's own process on Linux: quitting ends the Qt event loop; relaunching starts the
// same program as a detached process that waits, through the single-instance lock, for this one
// to leave.
#pragma once

#include <QtGlobal>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "core/platform/Lifecycle.h"

namespace dovrik::qt {

class QtLifecycle : public Lifecycle {
 public:
  // `executable` is the program to start again; `log` takes the line that says why it could
  // not be started.
  QtLifecycle(std::filesystem::path executable, std::function<void(const std::string&)> log);

  void quit() override;
  void relaunch() override;

  // In a process started by `relaunch`: the process id of the Dovrik it replaces. Read once;
  // the variable that carries it is removed so that programs Dovrik starts do not inherit it.
  static std::optional<qint64> takePredecessor();

 private:
  std::filesystem::path executable_;
  std::function<void(const std::string&)> log_;
};

}  // namespace dovrik::qt
