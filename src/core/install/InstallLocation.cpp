// Where this copy of Dovrik runs, whether it can stay there, and where installed copies live.
#include "core/install/InstallLocation.h"

#include <array>
#include <utility>

namespace dovrik {
namespace {

namespace fs = std::filesystem;

// Where a package or `cmake --install` puts the program, the package's first.
const std::array<fs::path, 2> kSystemCopies = {"/usr/bin/dovrik", "/usr/local/bin/dovrik"};

// Whether `path` is `folder` or lies inside it, component by component ("/tmpx" is not in
// "/tmp").
bool isInside(const fs::path& path, const fs::path& folder) {
  if (folder.empty() || !folder.is_absolute())
    return false;
  const fs::path normal = path.lexically_normal();
  const fs::path relative = normal.lexically_relative(folder.lexically_normal());
  return !relative.empty() && *relative.begin() != "..";
}

// "/media/USER/NAME" or "/run/media/USER/NAME" for a program below one, where desktops mount
// removable media; the program must lie inside NAME, not be NAME itself.
std::optional<fs::path> mediaMountOf(const fs::path& executable) {
  for (const fs::path& base : {fs::path("/media"), fs::path("/run/media")}) {
    if (!isInside(executable, base))
      continue;
    const fs::path relative = executable.lexically_normal().lexically_relative(base);
    auto part = relative.begin();
    fs::path mount = base;
    for (int depth = 0; depth < 2 && part != relative.end(); ++depth, ++part)
      mount /= *part;
    if (part != relative.end())
      return mount;
  }
  return std::nullopt;
}

}  // namespace

InstallLocation::InstallLocation(InstallContext context, const Installer& installer,
                                 const PlatformTexts& texts)
    : context_(std::move(context)), installer_(installer), texts_(texts) {}

bool InstallLocation::needsRelocation() const {
  if (isDeveloperBuild() || runsInstalledCopy())
    return false;
  return runsFromAppImage() || runsFromTemporaryFolder() ||
         installer_.isOnReadOnlyFileSystem(context_.executable);
}

std::string InstallLocation::locationDescription() const {
  if (runsFromAppImage())
    return "an AppImage";
  if (const auto mount = removableMount()) {
    return "the " + mount->filename().string() + texts_.namedVolumeSuffix;
  }
  if (runsFromTemporaryFolder())
    return "a temporary folder";
  return "a read-only location";
}

std::optional<fs::path> InstallLocation::installedCopy() const {
  for (const fs::path& copy : kSystemCopies) {
    if (installer_.exists(copy))
      return copy;
  }
  if (installer_.exists(userTarget()))
    return userTarget();
  return std::nullopt;
}

fs::path InstallLocation::userTarget() const {
  return context_.home / ".local" / "bin" / "dovrik";
}

std::optional<fs::path> InstallLocation::removableMount() const {
  return mediaMountOf(context_.executable);
}

// A build tree, wherever it lies (CI checks out under /tmp), runs as it is: its program is
// started by the tests and by developers, never moved.
bool InstallLocation::isDeveloperBuild() const {
  for (fs::path folder = context_.executable.parent_path(); !folder.empty();
       folder = folder.parent_path()) {
    if (installer_.exists(folder / "CMakeCache.txt"))
      return true;
    if (folder == folder.root_path())
      break;
  }
  return false;
}

// An installed copy stays where it is even on a read-only system (an image-based
// distribution mounts /usr read-only); moving it would only make a second one.
bool InstallLocation::runsInstalledCopy() const {
  const fs::path self = context_.executable.lexically_normal();
  if (self == userTarget().lexically_normal())
    return true;
  for (const fs::path& copy : kSystemCopies) {
    if (self == copy)
      return true;
  }
  return false;
}

bool InstallLocation::runsFromAppImage() const {
  return !context_.appImage.empty() ||
         context_.executable.lexically_normal().string().starts_with("/tmp/.mount_");
}

bool InstallLocation::runsFromTemporaryFolder() const {
  for (const fs::path& folder : {fs::path("/tmp"), fs::path("/var/tmp"), fs::path("/dev/shm"),
                                 fs::path(context_.runtimeDir)}) {
    if (isInside(context_.executable, folder))
      return true;
  }
  return false;
}

}  // namespace dovrik
