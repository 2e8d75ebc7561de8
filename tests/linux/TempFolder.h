// A fresh temporary folder for one test, removed with everything in it afterwards, and small
// helpers to look at files in it.
#pragma once

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace dovrik::files::testing {

namespace fs = std::filesystem;

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "dovrik-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
      throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
  }
  ~TempFolder() {
    // Tests may leave folders read-only; make them removable first.
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(path_, error))
      if (entry.is_directory(error) && !entry.is_symlink(error))
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(path_, error);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

inline std::string readFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const fs::path& file, const std::string& contents) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << contents;
}

// The names in `folder`, sorted.
inline std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

inline fs::perms permissionsOf(const fs::path& path) {
  return fs::status(path).permissions() & fs::perms::all;
}

}  // namespace dovrik::files::testing
