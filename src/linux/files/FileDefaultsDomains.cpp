// User-defaults domains as JSON files in one folder, one "<name>.json" per domain.
#include "linux/files/FileDefaultsDomains.h"

#include <algorithm>

#include "core/support/Json.h"

namespace dovrik::files {
namespace {

bool isNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '-' || c == '_';
}

}  // namespace

FileDefaultsDomains::FileDefaultsDomains(std::filesystem::path folder, FileDefaults::Log log)
    : folder_(std::move(folder)),
      log_(std::move(log)),
      application_(fileFor(applicationDomainName), log_) {}

Defaults* FileDefaultsDomains::openDomain(std::string_view name) {
  if (!isValidDomainName(name)) {
    const std::string quoted =
        Json(std::string(name)).dump(-1, ' ', false, Json::error_handler_t::replace);
    log_("[Dovrik] refused the settings domain name " + quoted);
    return nullptr;
  }
  if (name == applicationDomainName)
    return &application_;
  if (const auto it = others_.find(name); it != others_.end())
    return it->second.get();
  auto domain = std::make_unique<FileDefaults>(fileFor(name), log_);
  if (domain->loaded() != FileDefaults::Loaded::ok)
    return nullptr;
  return others_.emplace(std::string(name), std::move(domain)).first->second.get();
}

bool FileDefaultsDomains::isValidDomainName(std::string_view name) {
  constexpr std::size_t maxLength = 200;
  return !name.empty() && name.size() <= maxLength && name.front() != '.' &&
         std::all_of(name.begin(), name.end(), isNameCharacter);
}

std::filesystem::path FileDefaultsDomains::fileFor(std::string_view name) const {
  return folder_ / (std::string(name) + ".json");
}

}  // namespace dovrik::files
