// User-defaults domains as JSON files in one folder, one "<name>.json" per domain.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "core/platform/Defaults.h"
#include "linux/files/FileDefaults.h"

namespace dovrik::files {

class FileDefaultsDomains : public DefaultsDomains {
 public:
  static constexpr std::string_view applicationDomainName = "dovrik";

  // `folder` is Dovrik's configuration folder; it is created (0700) by the first write.
  FileDefaultsDomains(std::filesystem::path folder, FileDefaults::Log log);

  Defaults& application() override { return application_; }
  // Nothing when the name is not a valid domain name, or when the domain's file does not exist,
  // cannot be read or is not a settings file.
  Defaults* openDomain(std::string_view name) override;

  // Letters, digits, '.', '-' and '_', at most 200 of them, not starting with '.': a plain file
  // name in the folder, never a path out of it nor a hidden file.
  static bool isValidDomainName(std::string_view name);

 private:
  std::filesystem::path fileFor(std::string_view name) const;

  std::filesystem::path folder_;
  FileDefaults::Log log_;
  FileDefaults application_;
  std::map<std::string, std::unique_ptr<FileDefaults>, std::less<>> others_;
};

}  // namespace dovrik::files
