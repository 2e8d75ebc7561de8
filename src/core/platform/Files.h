// The file system as Dovrik's stores use it. Every call is safe from any thread, since saves
// run off the main thread.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "core/platform/DefaultsValue.h"

namespace dovrik {

class Files {
 public:
  virtual ~Files() = default;
  // The user's folder for application data ($XDG_DATA_HOME on Linux), in which each
  // application keeps a folder of its own.
  virtual std::filesystem::path supportDirectory() const = 0;
  virtual bool exists(const std::filesystem::path& path) const = 0;
  // Whether a folder is at `path`, following a symbolic link to one.
  virtual bool isDirectory(const std::filesystem::path& path) const = 0;
  // Creates the folder, and missing folders above it, with `mode` on the ones it creates.
  virtual bool createDirectory(const std::filesystem::path& path, unsigned mode) = 0;
  // Moves a file or a whole folder; fails when the destination exists.
  virtual bool move(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
  virtual std::optional<Bytes> read(const std::filesystem::path& path) const = 0;
  // Replaces the file in one step, so a reader sees the old or the new bytes, never a part.
  virtual bool writeAtomically(const std::filesystem::path& path, std::string_view contents,
                               unsigned mode) = 0;
  // Moves a file that could not be read out of the way under a new name beside it, so that
  // the next write does not destroy what the user may still recover. Answers the new path.
  virtual std::optional<std::filesystem::path> setAside(const std::filesystem::path& path) = 0;
};

}  // namespace dovrik
