// Reading and writing whole files so that a crash never leaves a half-written one behind.
#include "linux/files/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace dovrik::files {
namespace {

namespace fs = std::filesystem;

std::string failure(std::string_view what, const fs::path& path, int error) {
  return std::string(what) + " " + path.string() + ": " + std::generic_category().message(error);
}

// 0 on success, else the error number.
int writeAll(int fd, std::string_view contents) {
  while (!contents.empty()) {
    const ssize_t written = ::write(fd, contents.data(), contents.size());
    if (written < 0) {
      if (errno == EINTR)
        continue;
      return errno;
    }
    if (written == 0)
      return EIO;
    contents.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

// Makes a rename or removal in `folder` durable. Some file systems refuse to flush a folder;
// the change itself has been made either way, so that is not reported.
void syncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0)
    return;
  ::fsync(fd);
  ::close(fd);
}

fs::path writeTarget(const fs::path& file) {
  std::error_code error;
  if (!fs::is_symlink(fs::symlink_status(file, error)))
    return file;
  fs::path target = fs::canonical(file, error);
  // A dangling link is replaced like a missing file.
  return error ? file : target;
}

fs::path folderOf(const fs::path& file) {
  const fs::path folder = file.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

// The pattern of the temporary files that replace `file`: mkstemp fills in the six X's.
std::string temporaryPattern(const fs::path& file) {
  return "." + file.filename().string() + ".XXXXXX";
}

// A process killed while writing leaves its temporary file behind; the next successful write of
// the same file removes it, so they never pile up. Writes of one file never overlap (one
// Dovrik runs per user, and it serialises its writes of each file), so any other temporary
// file of it is such a leftover.
void removeLeftoverTemporaries(const fs::path& folder, const fs::path& file) {
  const std::string pattern = temporaryPattern(file);
  const std::string_view prefix(pattern.data(), pattern.size() - 6);
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (name.size() == pattern.size() && name.starts_with(prefix))
      ::unlink(entry.path().c_str());
  }
}

}  // namespace

FileRead readWholeFile(const fs::path& file) {
  FileRead result;
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT)
      return result;
    result.status = FileRead::Status::failed;
    result.error = failure("cannot read", file, errno);
    return result;
  }
  char buffer[16384];
  for (;;) {
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count == 0)
      break;
    if (count < 0) {
      if (errno == EINTR)
        continue;
      result.status = FileRead::Status::failed;
      result.error = failure("cannot read", file, errno);
      result.contents.clear();
      ::close(fd);
      return result;
    }
    result.contents.append(buffer, static_cast<std::size_t>(count));
  }
  ::close(fd);
  result.status = FileRead::Status::ok;
  return result;
}

std::optional<std::string> createFolders(const fs::path& folder) {
  fs::path partial;
  for (const fs::path& part : folder) {
    partial /= part;
    struct stat info {};
    if (::stat(partial.c_str(), &info) == 0) {
      if (S_ISDIR(info.st_mode))
        continue;
      return failure("cannot create folder", partial, ENOTDIR);
    }
    if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST)
      return failure("cannot create folder", partial, errno);
  }
  return std::nullopt;
}

std::optional<std::string> writeFileAtomically(const fs::path& requested, std::string_view contents,
                                               mode_t mode) {
  const fs::path file = writeTarget(requested);
  const fs::path folder = folderOf(file);
  if (auto error = createFolders(folder))
    return error;

  // A hidden name that no domain or entry file can have; mkstemp makes it 0600 and unique.
  std::string temp = (folder / temporaryPattern(file)).string();
  const int fd = ::mkstemp(temp.data());
  if (fd < 0)
    return failure("cannot write", file, errno);
  ::fcntl(fd, F_SETFD, FD_CLOEXEC);

  int error = writeAll(fd, contents);
  if (error == 0 && ::fchmod(fd, mode) != 0)
    error = errno;
  if (error == 0 && ::fsync(fd) != 0)
    error = errno;
  // Linux releases the descriptor even when close is interrupted, and the data is flushed.
  if (::close(fd) != 0 && errno != EINTR && error == 0)
    error = errno;
  if (error == 0 && ::rename(temp.c_str(), file.c_str()) != 0)
    error = errno;
  if (error != 0) {
    ::unlink(temp.c_str());
    return failure("cannot write", file, error);
  }
  removeLeftoverTemporaries(folder, file);
  syncFolder(folder);
  return std::nullopt;
}

std::optional<std::string> removeFile(const fs::path& file) {
  if (::unlink(file.c_str()) != 0) {
    if (errno == ENOENT)
      return std::nullopt;
    return failure("cannot remove", file, errno);
  }
  syncFolder(folderOf(file));
  return std::nullopt;
}

}  // namespace dovrik::files
