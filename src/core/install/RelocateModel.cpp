// The relocation window's state and texts.
#include "core/install/RelocateModel.h"

#include <memory>

namespace dovrik {
namespace {

// Long enough for the started copy to take over the screen before this one's window goes.
constexpr double kQuitDelaySeconds = 0.6;

}  // namespace

RelocateModel::RelocateModel(const InstallLocation& location, Installer& installer,
                             Scheduler& scheduler, Lifecycle& lifecycle, const PlatformTexts& texts)
    : location_(location),
      installer_(installer),
      scheduler_(scheduler),
      lifecycle_(lifecycle),
      texts_(texts) {}

std::string RelocateModel::heading() const {
  return offersInstalledCopy() ? texts_.relocateOpenHeading : texts_.relocateMoveHeading;
}

std::string RelocateModel::explanation() const {
  if (offersInstalledCopy())
    return "This copy is running from " + location_.locationDescription() +
           texts_.relocateOpenReason;
  return "Dovrik is running from " + location_.locationDescription() + texts_.relocateMoveReason;
}

std::string RelocateModel::primaryTitle() const {
  return offersInstalledCopy() ? "Open Dovrik" : texts_.relocateMoveButton;
}

void RelocateModel::perform() {
  if (working_)
    return;
  working_ = true;
  failure_.reset();
  changed.emit();
  if (const auto installed = location_.installedCopy()) {
    launch(*installed);
    return;
  }
  // The copy replaces nothing until it is whole, so a failed move leaves no broken program.
  const std::filesystem::path target = location_.userTarget();
  if (const auto error = installer_.install(location_.executable(), target)) {
    fail(texts_.relocateCopyFailedPrefix + *error);
    return;
  }
  launch(target);
}

void RelocateModel::quit() {
  lifecycle_.quit();
}

void RelocateModel::launch(const std::filesystem::path& program) {
  // A report that arrives after the window's model is gone has no one to tell.
  installer_.launch(program, [this, alive = std::weak_ptr<const int>(alive_)](auto failure) {
    if (!alive.lock())
      return;
    if (failure) {
      fail(texts_.relocateLaunchFailedPrefix + *failure);
      return;
    }
    if (const auto mount = location_.removableMount())
      installer_.unmount(*mount);
    scheduler_.after(kQuitDelaySeconds, [this, alive] {
      if (alive.lock())
        lifecycle_.quit();
    });
  });
}

void RelocateModel::fail(const std::string& description) {
  working_ = false;
  failure_ = description + texts_.relocateManualAdvice;
  installer_.showFolder(location_.userTarget().parent_path());
  changed.emit();
}

}  // namespace dovrik
