// An in-memory file system with modes and injectable failures.
#pragma once

#include <map>
#include <mutex>
#include <set>

#include "core/platform/Files.h"

namespace dovrik::sim {

class SimFiles : public Files {
 public:
  struct File {
    Bytes bytes;
    unsigned mode = 0;
  };

  std::filesystem::path supportDirectory() const override { return "/home/sim/.local/share"; }
  bool exists(const std::filesystem::path& path) const override;
  bool isDirectory(const std::filesystem::path& path) const override;
  bool createDirectory(const std::filesystem::path& path, unsigned mode) override;
  bool move(const std::filesystem::path& from, const std::filesystem::path& to) override;
  std::optional<Bytes> read(const std::filesystem::path& path) const override;
  bool writeAtomically(const std::filesystem::path& path, std::string_view contents,
                       unsigned mode) override;
  std::optional<std::filesystem::path> setAside(const std::filesystem::path& path) override;

  // Test controls; `put` creates the folders above the file.
  void put(const std::filesystem::path& path, const Bytes& bytes, unsigned mode = 0644);
  std::optional<File> file(const std::filesystem::path& path) const;
  std::optional<unsigned> directoryMode(const std::filesystem::path& path) const;
  bool failWrites = false;
  int writes = 0;

 private:
  bool existsLocked(const std::filesystem::path& path) const;
  void addDirectoriesLocked(const std::filesystem::path& path, unsigned mode);

  mutable std::mutex mutex_;
  std::map<std::filesystem::path, File> files_;
  std::map<std::filesystem::path, unsigned> directories_;
};

}  // namespace dovrik::sim
