// One user-defaults domain kept in a JSON file, the whole file replaced atomically on every
// change.
#include "linux/files/FileDefaults.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "linux/files/FileIo.h"
#include "linux/files/TaggedJson.h"

namespace dovrik::files {
namespace fs = std::filesystem;

FileDefaults::FileDefaults(fs::path file, Log log) : file_(std::move(file)), log_(std::move(log)) {
  load();
}

void FileDefaults::load() {
  const FileRead read = readWholeFile(file_);
  if (read.status == FileRead::Status::missing)
    return;
  if (read.status == FileRead::Status::failed) {
    loaded_ = Loaded::unreadable;
    unreadableFileInPlace_ = true;
    log_("[Dovrik] settings file unreadable, using defaults: " + read.error);
    return;
  }
  std::optional<DomainDocument> document = decodeDomainDocument(read.contents);
  if (!document) {
    loaded_ = Loaded::unreadable;
    unreadableFileInPlace_ = true;
    log_("[Dovrik] settings file " + file_.string() + " is not valid, using defaults");
    return;
  }
  loaded_ = Loaded::ok;
  document_ = std::move(*document);
  for (const auto& [key, json] : document_.undecodable)
    log_("[Dovrik] settings file " + file_.string() + ": ignoring the unreadable value of \"" +
         key + "\"");
}

std::optional<DefaultsValue> FileDefaults::object(std::string_view key) const {
  const auto it = document_.values.find(key);
  if (it == document_.values.end())
    return std::nullopt;
  return it->second;
}

void FileDefaults::set(std::string_view key, DefaultsValue value) {
  std::string name = asUnicodeText(key);
  if (const auto it = document_.undecodable.find(name); it != document_.undecodable.end())
    document_.undecodable.erase(it);
  document_.values.insert_or_assign(std::move(name), withUnicodeText(std::move(value)));
  save();
}

void FileDefaults::remove(std::string_view key) {
  const auto value = document_.values.find(key);
  const auto raw = document_.undecodable.find(key);
  if (value == document_.values.end() && raw == document_.undecodable.end())
    return;
  if (value != document_.values.end())
    document_.values.erase(value);
  if (raw != document_.undecodable.end())
    document_.undecodable.erase(raw);
  save();
}

std::vector<std::string> FileDefaults::keys() const {
  std::vector<std::string> result;
  result.reserve(document_.values.size());
  for (const auto& [key, value] : document_.values)
    result.push_back(key);
  return result;
}

void FileDefaults::save() {
  if (unreadableFileInPlace_ && !moveUnreadableFileAside())
    return;
  if (auto error = writeFileAtomically(file_, encodeDomainDocument(document_), 0600))
    log_("[Dovrik] could not save settings: " + *error);
}

// Keeps the damaged file for the user (or a later, wiser version) under a name of its own.
bool FileDefaults::moveUnreadableFileAside() {
  std::error_code error;
  fs::path aside;
  for (int n = 1;; ++n) {
    aside = file_;
    aside += ".unreadable-" + std::to_string(n);
    if (!fs::exists(fs::symlink_status(aside, error)))
      break;
  }
  if (std::rename(file_.c_str(), aside.c_str()) == 0) {
    // It may hold what the user had; whatever its mode was, only they may read it now.
    ::chmod(aside.c_str(), 0600);
    log_("[Dovrik] kept the unreadable settings file as " + aside.string());
  } else if (errno != ENOENT) {
    log_("[Dovrik] could not save settings: cannot move the unreadable " + file_.string() +
         " aside: " + std::generic_category().message(errno));
    return false;
  }
  unreadableFileInPlace_ = false;
  return true;
}

}  // namespace dovrik::files
