// A file system of paths the test names, read-only folders, a copy that can be made to fail,
// and launches the test answers by hand.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/platform/Installer.h"

namespace dovrik::sim {

class SimInstaller : public Installer {
 public:
  using Path = std::filesystem::path;
  using LaunchDone = std::function<void(std::optional<std::string>)>;

  bool exists(const Path& path) const override { return files.contains(path); }
  bool isOnReadOnlyFileSystem(const Path& path) const override {
    for (const Path& folder : readOnlyFolders) {
      if (path.string().starts_with(folder.string() + "/"))
        return true;
    }
    return false;
  }
  std::optional<std::string> install(const Path& program, const Path& target) override {
    installs.emplace_back(program, target);
    if (installFailure)
      return installFailure;
    files.insert(target);
    return std::nullopt;
  }
  void launch(const Path& program, LaunchDone done) override {
    launches.push_back(program);
    pendingLaunch = std::move(done);
  }
  void unmount(const Path& mountPoint) override { unmounts.push_back(mountPoint); }
  void showFolder(const Path& folder) override { shownFolders.push_back(folder); }

  std::set<Path> files;
  std::set<Path> readOnlyFolders;
  std::optional<std::string> installFailure;

  std::vector<std::pair<Path, Path>> installs;
  std::vector<Path> launches;
  // The report of the latest launch, for the test to give.
  LaunchDone pendingLaunch;
  std::vector<Path> unmounts;
  std::vector<Path> shownFolders;
};

}  // namespace dovrik::sim
