// Where this copy of Dovrik runs, whether it can stay there, and where installed copies live.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "core/platform/Installer.h"
#include "core/platform/PlatformTexts.h"

namespace dovrik {

// What the process knows of itself at start: its program and a few variables of its
// environment (empty when unset).
struct InstallContext {
  std::filesystem::path executable;
  std::filesystem::path home;
  std::string appImage;    // $APPIMAGE, set by the AppImage runtime
  std::string runtimeDir;  // $XDG_RUNTIME_DIR
};

class InstallLocation {
 public:
  InstallLocation(InstallContext context, const Installer& installer, const PlatformTexts& texts);

  // A copy that runs from a temporary folder, an AppImage or a read-only file system, and is
  // neither an installed copy nor a developer's build.
  bool needsRelocation() const;
  // Where this copy runs, in words for the explanation ("a temporary folder").
  std::string locationDescription() const;
  // The copy installed already: the system's (a package's) before the user's own; none when
  // neither exists.
  std::optional<std::filesystem::path> installedCopy() const;
  // Where a move puts the program: the user's own programs folder.
  std::filesystem::path userTarget() const;
  // The mount point of the removable medium this copy runs from, if any.
  std::optional<std::filesystem::path> removableMount() const;
  const std::filesystem::path& executable() const { return context_.executable; }

 private:
  bool isDeveloperBuild() const;
  bool runsInstalledCopy() const;
  bool runsFromAppImage() const;
  bool runsFromTemporaryFolder() const;

  InstallContext context_;
  const Installer& installer_;
  const PlatformTexts& texts_;
};

}  // namespace dovrik
