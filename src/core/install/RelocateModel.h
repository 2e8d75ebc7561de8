// The relocation window's state and texts: it offers to move this copy to where programs are
// installed, or to open the copy installed already, and quits once that copy runs.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "core/install/InstallLocation.h"
#include "core/platform/Installer.h"
#include "core/platform/Lifecycle.h"
#include "core/platform/PlatformTexts.h"
#include "core/platform/Scheduler.h"
#include "core/support/Signal.h"

namespace dovrik {

class RelocateModel {
 public:
  RelocateModel(const InstallLocation& location, Installer& installer, Scheduler& scheduler,
                Lifecycle& lifecycle, const PlatformTexts& texts);

  std::string heading() const;
  std::string explanation() const;
  std::string primaryTitle() const;
  const std::optional<std::string>& failure() const { return failure_; }
  // While true the primary button is disabled.
  bool working() const { return working_; }

  // The primary button: installs this copy unless one is installed already, starts the
  // installed copy and quits; or shows why not and opens the folder to install by hand.
  void perform();
  // The "Quit" button, and closing the window.
  void quit();

  // Raised when `failure` or `working` change.
  Signal<> changed;

 private:
  bool offersInstalledCopy() const { return location_.installedCopy().has_value(); }
  void launch(const std::filesystem::path& program);
  void fail(const std::string& description);

  const InstallLocation& location_;
  Installer& installer_;
  Scheduler& scheduler_;
  Lifecycle& lifecycle_;
  const PlatformTexts& texts_;
  std::optional<std::string> failure_;
  bool working_ = false;
  std::shared_ptr<const int> alive_ = std::make_shared<const int>(0);
};

}  // namespace dovrik
