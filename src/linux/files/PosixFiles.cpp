// The stores' file operations on POSIX calls, which are safe from any thread.
#include "linux/files/PosixFiles.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <string_view>
#include <system_error>

#include "linux/files/FileIo.h"

namespace dovrik::files {
namespace {

namespace fs = std::filesystem;

}  // namespace

bool PosixFiles::exists(const fs::path& path) const {
  std::error_code error;
  return fs::exists(fs::symlink_status(path, error));
}

bool PosixFiles::isDirectory(const fs::path& path) const {
  std::error_code error;
  return fs::is_directory(path, error);
}

bool PosixFiles::createDirectory(const fs::path& path, unsigned mode) {
  std::error_code error;
  if (fs::is_directory(path, error))
    return true;
  const fs::path parent = path.parent_path();
  if (!parent.empty() && parent != path && !createDirectory(parent, mode))
    return false;
  if (::mkdir(path.c_str(), static_cast<mode_t>(mode)) != 0)
    return errno == EEXIST && fs::is_directory(path, error);
  // mkdir applies the umask; the caller's mode is what the folder must have.
  return ::chmod(path.c_str(), static_cast<mode_t>(mode)) == 0;
}

bool PosixFiles::move(const fs::path& from, const fs::path& to) {
  // renameat2's no-replace flag makes "fails when the destination exists" one step, with no
  // window in which another writer's file could be overwritten.
  return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0;
}

std::optional<Bytes> PosixFiles::read(const fs::path& path) const {
  FileRead read = readWholeFile(path);
  if (read.status != FileRead::Status::ok)
    return std::nullopt;
  return Bytes(read.contents.begin(), read.contents.end());
}

bool PosixFiles::writeAtomically(const fs::path& path, std::string_view contents, unsigned mode) {
  return !writeFileAtomically(path, contents, static_cast<mode_t>(mode));
}

std::optional<fs::path> PosixFiles::setAside(const fs::path& path) {
  for (int n = 1;; ++n) {
    fs::path aside = path;
    aside += ".unreadable-" + std::to_string(n);
    if (move(path, aside)) {
      // It may hold what the user had; whatever its mode was, only they may read it now.
      ::chmod(aside.c_str(), 0600);
      return aside;
    }
    if (errno != EEXIST)
      return std::nullopt;
  }
}

}  // namespace dovrik::files
