// The file system of a freedesktop session, for Dovrik's stores: the data folder
// ($XDG_DATA_HOME), and atomic writes with the modes the caller asks for.
#pragma once

#include <filesystem>
#include <optional>

#include "core/platform/Files.h"

namespace dovrik::files {

class PosixFiles : public Files {
 public:
  // `dataHome` is the folder `supportDirectory` answers.
  explicit PosixFiles(std::filesystem::path dataHome) : dataHome_(std::move(dataHome)) {}

  std::filesystem::path supportDirectory() const override { return dataHome_; }
  bool exists(const std::filesystem::path& path) const override;
  bool isDirectory(const std::filesystem::path& path) const override;
  bool createDirectory(const std::filesystem::path& path, unsigned mode) override;
  bool move(const std::filesystem::path& from, const std::filesystem::path& to) override;
  std::optional<Bytes> read(const std::filesystem::path& path) const override;
  bool writeAtomically(const std::filesystem::path& path, std::string_view contents,
                       unsigned mode) override;
  std::optional<std::filesystem::path> setAside(const std::filesystem::path& path) override;

 private:
  std::filesystem::path dataHome_;
};

}  // namespace dovrik::files
